// Search over a large catalog: the trigram index answers what a LIKE scan
// answered, follows every change of the persons, is built for the persons already
// there, and the hot queries read no large table whole.
#include "Catalogo.h"
#include "CatalogoCiudad.h"
#include "EntornoPrueba.h"
#include "data/ActualizacionEsquema.h"
#include "data/Configuracion.h"
#include "groups/Modelos.h"
#include "groups/RepositorioGrupos.h"
#include "groups/RepositorioMiembros.h"
#include "persons/RepositorioPersonas.h"
#include "session/Calificacion.h"
#include "session/RegistroResultados.h"

#include <QRegularExpression>
#include <QSqlQuery>
#include <QtTest>

using namespace catalogo;

namespace {

const QStringList kNombres = {
    "Muñoz García, José",
    "MUÑOZ PEÑA, ÁNGELA",
    "Ángela Núñez",
    "angela nuñez",
    "Garcia Lopez, Ana",
    "Ana 50% Ruiz",
    "Pérez_Gil, Eva",
    "Pérez Gil, Eva",
    "O'Brien, Luis",
    "Dolores \"Lola\" Vidal",
    "Zoe",
    "ab",
};

// Every match through the repository's batches, as the list reads them.
QList<qint32> buscarTodo(De1& db, CampoPersona campo, const QString& texto) {
    QList<qint32> codigos;
    RepositorioPersonas r(db);
    RepositorioPersonas::Lote lote;
    lote.hasta = 0;
    do {
        lote = r.buscar(campo, texto, lote.hasta, ModeloPersonasFiltrado::kLote);
        for (const PersonaListada& p : lote.filas)
            codigos << p.codigo;
    } while (!lote.fin);
    return codigos;
}

// What "contains, case ignored" means, straight from the rows.
QList<qint32> esperados(De1& db, CampoPersona campo, const QString& texto) {
    QList<qint32> codigos;
    QSqlQuery q = db.ejecutar(
        "SELECT CodigoPersona, NombrePersona, Documento FROM Personas ORDER BY CodigoPersona");
    while (q.next())
        if (texto.trimmed().isEmpty() || q.value(campo == CampoPersona::Nombre ? 1 : 2)
                                             .toString()
                                             .contains(texto, Qt::CaseInsensitive))
            codigos << q.value(0).toInt();
    return codigos;
}

QList<qint32> porLike(De1& db, CampoPersona campo, const QString& texto) {
    QList<qint32> codigos;
    QSqlQuery q =
        db.ejecutar(QString("SELECT CodigoPersona FROM Personas WHERE %1 LIKE ? "
                            "ESCAPE '!' ORDER BY CodigoPersona")
                        .arg(campo == CampoPersona::Nombre ? "NombrePersona" : "Documento"),
                    {Dialecto::patronContiene(texto)});
    while (q.next())
        codigos << q.value(0).toInt();
    return codigos;
}

void personaConCodigo(De1& db, qint32 codigo, const QString& nombre, const QString& doc) {
    db.ejecutar("INSERT INTO Personas (CodigoPersona, NombrePersona, Documento) VALUES (?, ?, ?)",
                {codigo, nombre, doc});
}

bool soloAscii(const QString& t) {
    for (const QChar c : t)
        if (c.unicode() > 127)
            return false;
    return true;
}

} // namespace

class TestBusqueda : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void filtroComoLike_data() {
        QTest::addColumn<int>("campo");
        QTest::addColumn<QString>("texto");
        const QStringList textos = {"muñ",    "MUÑOZ",     "ñ",      "Ñu",       "ángela", "ÁNGELA",
                                    "angela", "garcia",    "GARCÍA", "50%",      "%",      "_",
                                    "z_g",    "é_g",       "o'b",    "\"lola\"", "ab",     "a",
                                    "zoe",    "persona 1", "zzz",    "   ",      "ona ",   " 7"};
        for (const QString& t : textos)
            QTest::newRow(qPrintable("nombre " + t)) << 0 << t;
        for (const char* t : {"123", "12", "9", "x-", "%", "00000"})
            QTest::newRow(qPrintable(QString("documento ") + t)) << 1 << QString(t);
    }
    void filtroComoLike() {
        QFETCH(int, campo);
        QFETCH(QString, texto);
        EntornoPrueba e;
        De1& db = e.de1();
        {
            Transaccion t(db);
            for (const QString& n : kNombres)
                nuevaPersona(db, n, "X-" + QString::number(n.size()));
            for (int i = 0; i < 450; ++i)
                nuevaPersona(db, QString("Persona %1").arg(i), QString::number(100000 + i * 37));
            // Codes far apart: a short text is looked for window by window.
            personaConCodigo(db, 70000, "Zoe Ñandú", "12%9");
            personaConCodigo(db, 190000, "Última Persona 7", "0000099");
            t.confirmar();
        }
        const auto c = CampoPersona(campo);
        const QList<qint32> hallados = buscarTodo(db, c, texto);
        QCOMPARE(hallados, esperados(db, c, texto));
        // Where case folding needs no more than ASCII, exactly what LIKE finds.
        if (soloAscii(texto) && !texto.trimmed().isEmpty())
            QCOMPARE(hallados, porLike(db, c, texto));
    }

    void listaCortaSigueSola() {
        // A two-letter text whose only match lies many windows away: the list
        // reads on by itself and says it is searching meanwhile.
        EntornoPrueba e;
        De1& db = e.de1();
        nuevaPersona(db, "Ana", "1");
        personaConCodigo(db, 400000, "Xavier Quintana", "2");
        ModeloPersonasFiltrado m(db);
        m.filtrar(CampoPersona::Nombre, "xq");
        QCOMPARE(m.rowCount(), 0);
        QVERIFY(m.buscando());
        QCOMPARE(m.resumen(), QString("Buscando…"));
        m.filtrar(CampoPersona::Nombre, "xa");
        QTRY_VERIFY(!m.buscando());
        QCOMPARE(m.rowCount(), 1);
        QCOMPARE(m.resumen(), QString("1 persona"));
        m.filtrar(CampoPersona::Nombre, "");
        QCOMPARE(m.resumen(), QString("2 personas"));
    }

    void indiceSigueLosCambios() {
        EntornoPrueba e;
        De1& db = e.de1();
        const qint32 a = nuevaPersona(db, "Rosa Llorente", "111222");
        const qint32 b = nuevaPersona(db, "Pedro Zubiri", "333444");
        QCOMPARE(buscarTodo(db, CampoPersona::Nombre, "llorente"), QList<qint32>{a});
        db.ejecutar("UPDATE Personas SET NombrePersona = ? WHERE CodigoPersona = ?",
                    {"Rosa Quiroga", a});
        QVERIFY(buscarTodo(db, CampoPersona::Nombre, "llorente").isEmpty());
        QCOMPARE(buscarTodo(db, CampoPersona::Nombre, "quiroga"), QList<qint32>{a});
        QCOMPARE(buscarTodo(db, CampoPersona::Documento, "1112"), QList<qint32>{a});
        db.ejecutar("UPDATE Personas SET Documento = '999888' WHERE CodigoPersona = ?", {a});
        QVERIFY(buscarTodo(db, CampoPersona::Documento, "1112").isEmpty());
        QCOMPARE(buscarTodo(db, CampoPersona::Documento, "9988"), QList<qint32>{a});
        db.ejecutar("DELETE FROM Personas WHERE CodigoPersona = ?", {b});
        QVERIFY(buscarTodo(db, CampoPersona::Nombre, "zubiri").isEmpty());
        // A row written again under its code (as a replacement does) is found once.
        db.ejecutar("INSERT OR REPLACE INTO Personas (CodigoPersona, NombrePersona, Documento) "
                    "VALUES (?, 'Rosa Quiroga', '999888')",
                    {a});
        QCOMPARE(buscarTodo(db, CampoPersona::Nombre, "quiroga"), QList<qint32>{a});
        // Groups follow their table the same way.
        const qint32 g = grupo(db, "C-77", "Teórico mañana", responsable(db, "Ana"));
        QCOMPARE(RepositorioGrupos(db).buscar(RepositorioGrupos::Campo::Descripcion, "MAÑANA", 10),
                 QList<qint32>{g});
        db.ejecutar("UPDATE Grupos SET Descripcion = 'Tarde' WHERE CodigoGrupo = ?", {g});
        QVERIFY(RepositorioGrupos(db)
                    .buscar(RepositorioGrupos::Campo::Descripcion, "mañana", 10)
                    .isEmpty());
        QCOMPARE(RepositorioGrupos(db).buscar(RepositorioGrupos::Campo::Curso, "c-7", 10),
                 QList<qint32>{g});
    }

    void actualizacionLlenaElIndice() {
        // A catalog of the previous version with persons already in it.
        EntornoPrueba e;
        De1& db = e.de1();
        indices::quitar(db);
        GuardarConfiguracion(db, "DBVersionTavelmo", "2");
        {
            Transaccion t(db);
            for (int i = 0; i < 60; ++i)
                personaConCodigo(db, 1 + i * 1000, QString("Vecino %1").arg(i), QString::number(i));
            t.confirmar();
        }
        QList<int> avance;
        QVERIFY(ActualizarEsquema(db, [&avance](int p) { avance << p; }) > 0);
        QCOMPARE(LeerConfiguracion(db, "DBVersionTavelmo"), QString::number(kVersionEsquema));
        QVERIFY(avance.size() >= 3);
        QVERIFY(std::is_sorted(avance.cbegin(), avance.cend()));
        QCOMPARE(buscarTodo(db, CampoPersona::Nombre, "vecino").size(), 60);
        QCOMPARE(buscarTodo(db, CampoPersona::Nombre, "vecino 59").size(), 1);
        QCOMPARE(ActualizarEsquema(db), 0); // done once

        // An index that lost a trigger may have missed changes: built again.
        db.ejecutar("DROP TRIGGER PersonasTexto_au");
        db.ejecutar("UPDATE Personas SET NombrePersona = 'Otro' WHERE CodigoPersona = 1");
        GuardarConfiguracion(db, "DBVersionTavelmo", "2");
        QVERIFY(ActualizarEsquema(db) > 0);
        QCOMPARE(buscarTodo(db, CampoPersona::Nombre, "vecino").size(), 59);
        QCOMPARE(buscarTodo(db, CampoPersona::Nombre, "otro").size(), 1);
    }

    void catalogoDeCiudadReproducible() {
        EntornoPrueba e(false);
        QStringList huellas;
        for (const QString nombre : {"a.sqlite", "b.sqlite"}) {
            De1 db(nombre);
            db.abrir(EntornoPrueba::conexion(e.ruta(nombre)));
            ActualizarEsquema(db);
            ciudad::llenar(db, {2000});
            QCOMPARE(contar(db, "SELECT count(*) FROM Personas"), 2000);
            QCOMPARE(contar(db, "SELECT count(*) FROM Grupos"), 200);
            QCOMPARE(contar(db, "SELECT count(*) FROM GruposPersonas"), 2000);
            QCOMPARE(contar(db, "SELECT count(*) FROM Examenes"), 20);
            QCOMPARE(contar(db, "SELECT count(*) FROM Resultados"), 20000);
            QCOMPARE(contar(db, "SELECT count(DISTINCT Documento) FROM Personas"), 2000);
            // Every person is in the index, every examination in a folder.
            QCOMPARE(contar(db, "SELECT count(*) FROM PersonasTexto"), 2000);
            QCOMPARE(contar(db, "SELECT count(*) FROM DetalleExamenes d LEFT JOIN Carpetas c "
                                "ON d.Carpeta = c.CodigoCarpeta WHERE c.CodigoCarpeta IS NULL"),
                     0);
            huellas << db.valor("SELECT group_concat(NombrePersona || Documento, '|') FROM "
                                "(SELECT * FROM Personas ORDER BY CodigoPersona LIMIT 50)")
                           .toString();
            db.cerrar();
        }
        QCOMPARE(huellas.at(0), huellas.at(1));
        QVERIFY(huellas.at(0).contains(", "));
    }

    void consultasFrecuentesUsanIndices() {
        EntornoPrueba e(false);
        De1 db("plan");
        db.abrir(EntornoPrueba::conexion(e.ruta("c.sqlite")));
        ActualizarEsquema(db);
        ciudad::llenar(db, {3000});
        QStringList sentencias;
        QList<QVariantList> parametros;
        db.observador = [&](const QString& sql, const QVariantList& p) {
            if (!sql.startsWith("EXPLAIN")) {
                sentencias << sql;
                parametros << p;
            }
        };
        // The roster editor's filter, each kind of text and both fields.
        for (const char* t : {"garcía", "mu", "a", "", "zzzz"}) {
            buscarTodo(db, CampoPersona::Nombre, t);
            buscarTodo(db, CampoPersona::Documento, t);
        }
        // The main window: the groups in batches, reading on to a group, its search.
        ModeloGrupos grupos(db);
        grupos.cargar();
        grupos.leerMas();
        QVERIFY(grupos.cargarHasta(3) >= 0);
        RepositorioGrupos(db).buscar(RepositorioGrupos::Campo::Descripcion, "mañana", 1000);
        RepositorioGrupos(db).buscar(RepositorioGrupos::Campo::Curso, "7", 1000);
        // A group's members, then an examination stored: folder of the day and number.
        RepositorioMiembros(db).evaluados(150);
        RegistroResultados registro(db, 1, QDate(2024, 6, 1));
        Calificacion c;
        c.veredicto = Calificacion::kAprobado;
        QVERIFY(registro.guardar(17, 1, c));
        QVERIFY(registro.guardar(17, 2, c));
        db.observador = nullptr;

        static const QRegularExpression kPequenas("^SCAN (Configuracion\\b|Items\\b|CONSTANT ROW)");
        QStringList malas;
        for (qsizetype i = 0; i < sentencias.size(); ++i) {
            if (sentencias.at(i).startsWith("INSERT"))
                continue;
            QSqlQuery q = db.ejecutar("EXPLAIN QUERY PLAN " + sentencias.at(i), parametros.at(i));
            while (q.next()) {
                const QString paso = q.value(3).toString();
                const bool recorre = paso.startsWith("SCAN ") && !paso.contains("VIRTUAL TABLE") &&
                                     !kPequenas.match(paso).hasMatch();
                if (recorre || paso.contains("TEMP B-TREE"))
                    malas << paso + "  <=  " + sentencias.at(i);
            }
        }
        QVERIFY2(malas.isEmpty(), qPrintable(malas.join('\n')));
        QVERIFY(sentencias.size() > 20);
    }
};

QTEST_MAIN(TestBusqueda)
#include "tst_busqueda.moc"
