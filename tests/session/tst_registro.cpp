// Result records: the folder of the day, its number, the examination row and its result item.
#include "ApoyoSesion.h"
#include "EntornoPrueba.h"
#include "app/Globales.h"
#include "data/Configuracion.h"
#include "session/Calificacion.h"
#include "session/MatrizRespuestas.h"
#include "session/PreguntasExamen.h"
#include "session/RegistroResultados.h"

#include <QLocale>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QThread>
#include <QUuid>
#include <QtTest>
#include <atomic>

namespace {

const QDate kHoy(2026, 12, 6);

Calificacion calificacion(int bien, int mal) {
    Calificacion c;
    c.preguntas = bien + mal;
    c.correctas = bien;
    c.incorrectas = mal;
    c.porcentaje = 100.0 * bien / c.preguntas;
    c.veredicto = c.porcentaje >= 60 ? Calificacion::kAprobado : Calificacion::kReprobado;
    return c;
}

int contar(De1& db, const QString& tabla) {
    return db.valor(QStringLiteral("SELECT count(*) FROM ") + tabla).toInt();
}

// The first row's values joined by "|".
QString fila(De1& db, const QString& sql) {
    QSqlQuery q = db.ejecutar(sql);
    QStringList v;
    if (q.next())
        for (int i = 0; i < q.record().count(); ++i)
            v << q.value(i).toString();
    return v.join(u'|');
}

} // namespace

class TestRegistro : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init() { Globales::ResponsableActual = 77; }

    void primerExamenYSegundoDelDia() {
        EntornoPrueba e;
        De1& db = e.de1();
        GuardarConfiguracion(db, "PrefijoExamenCons", "T");
        GuardarConfiguracion(db, "TxtNroExamenCons", "41");
        const qint32 persona = crearPersona(db, QDate(1990, 5, 5));
        RegistroResultados r(db, kHoy);
        QVERIFY(r.guardar(persona, 3, calificacion(6, 4)));

        const QString descripcion =
            "Teorico " + QLocale::system().toString(kHoy, QLocale::ShortFormat);
        QCOMPARE(
            fila(db, "SELECT Persona, DescripcionCarpeta, FechaCarpeta, Bloq, Resultado, "
                     "EdadCarpeta, Lugar, Empresa, NroCurso IS NULL, NroInforme, "
                     "Observaciones IS NULL, TipoTramite, Factura || Licencia, TipoExamen, "
                     "NumeroCarpetaCons FROM Carpetas"),
            QStringLiteral("%1|%2|2026-12-06|0|Aprobado|36|1|1|0|0|0|Sin datos|N/A|G|T00000042")
                .arg(persona)
                .arg(descripcion));
        QCOMPARE(LeerConfiguracion(db, "TxtNroExamenCons"), QStringLiteral("42"));
        const qint32 item = ObtenerCodigoItem(db, "Porcentaje de Respuestas");
        QCOMPARE(fila(db, "SELECT d.Carpeta = c.CodigoCarpeta, d.Fecha, d.Examen, d.Resultado, "
                          "d.Responsable, r.Item, r.Resultado, r.Valor, r.Percentil, r.Orden "
                          "FROM DetalleExamenes d JOIN Carpetas c JOIN Resultados r "
                          "ON r.DetalleExamen = d.CodigoDetalleExamen"),
                 QStringLiteral("1|2026-12-06|3|Aprobado|77|%1|Aprobado|6|4|1").arg(item));

        // The same day again, after the date format changed: one folder, one number.
        db.ejecutar("UPDATE Carpetas SET DescripcionCarpeta = 'Teorico 2026-12-06'");
        QVERIFY(RegistroResultados(db, kHoy).guardar(persona, 4, calificacion(1, 9)));
        QCOMPARE(contar(db, "Carpetas"), 1);
        QCOMPARE(contar(db, "DetalleExamenes"), 2);
        QCOMPARE(contar(db, "Resultados"), 2);
        QCOMPARE(contar(db, "Items"), 1);
        QCOMPARE(fila(db, "SELECT Resultado, NumeroCarpetaCons, DescripcionCarpeta FROM Carpetas"),
                 "Reprobado|T00000042|" + descripcion);
        QCOMPARE(LeerConfiguracion(db, "TxtNroExamenCons"), QStringLiteral("42"));

        // The next day opens a new folder with the next number.
        QVERIFY(RegistroResultados(db, kHoy.addDays(1)).guardar(persona, 4, calificacion(9, 1)));
        QCOMPARE(contar(db, "Carpetas"), 2);
        QCOMPARE(LeerConfiguracion(db, "TxtNroExamenCons"), QStringLiteral("43"));
    }

    void numeroDeCarpetaYEdad() {
        EntornoPrueba e;
        GuardarConfiguracion(e.de1(), "TxtNroExamenCons", "123456789");
        // An existing folder of the day without a number gets one.
        const qint32 persona = crearPersona(e.de1(), QDate(2000, 1, 1));
        e.de1().insertar("Carpetas",
                         {{"Persona", persona},
                          {"DescripcionCarpeta", "Teorico x"},
                          {"FechaCarpeta", e.de1().dialecto().fecha(kHoy)}},
                         "CodigoCarpeta");
        QVERIFY(RegistroResultados(e.de1(), kHoy).guardar(persona, 1, calificacion(1, 1)));
        QCOMPARE(contar(e.de1(), "Carpetas"), 1);
        QCOMPARE(e.de1().valor("SELECT NumeroCarpetaCons FROM Carpetas").toString(),
                 QStringLiteral("23456790"));
        QCOMPARE(LeerConfiguracion(e.de1(), "TxtNroExamenCons"), QStringLiteral("123456790"));

        // Age by the 365.25-day rule; no date of birth, no age.
        const qint32 a = crearPersona(e.de1(), kHoy.addDays(-6574));
        const qint32 b = crearPersona(e.de1(), kHoy.addDays(-6575));
        const qint32 sinFecha = crearPersona(e.de1(), QDate());
        for (qint32 p : {a, b, sinFecha})
            QVERIFY(RegistroResultados(e.de1(), kHoy).guardar(p, 1, calificacion(1, 0)));
        const QString sql = "SELECT EdadCarpeta FROM Carpetas WHERE Persona = ?";
        QCOMPARE(e.de1().valor(sql, {a}).toInt(), 17);
        QCOMPARE(e.de1().valor(sql, {b}).toInt(), 18);
        QVERIFY(e.de1().valor(sql, {sinFecha}).isNull());
    }

    void personaInexistenteYErrorNoEscribenNada() {
        EntornoPrueba e;
        GuardarConfiguracion(e.de1(), "TxtNroExamenCons", "5");
        const qint32 persona = crearPersona(e.de1(), QDate(1980, 1, 1));
        ObtenerCodigoItem(e.de1(), "Porcentaje de Respuestas");
        e.de1().ejecutar("DROP TABLE Resultados"); // the last of an examinee's three rows fails
        MatrizRespuestas m(2, 1);
        PreguntaExamen p;
        p.respuestas = {{1, "a", true}};
        const ResultadoGuardado g =
            GuardarSesion(e.de1(), 1, {persona + 100, persona}, {p}, m, kHoy);
        QCOMPARE(g.sinPersona, QList<int>{0});
        QCOMPARE(g.fallidos, QList<int>{1});
        QVERIFY(g.errorBD.contains("Resultados"));
        QCOMPARE(g.guardados, 0);
        QCOMPARE(contar(e.de1(), "Carpetas"), 0);
        QCOMPARE(contar(e.de1(), "DetalleExamenes"), 0);
        QCOMPARE(LeerConfiguracion(e.de1(), "TxtNroExamenCons"), QStringLiteral("5"));
    }

    void dosPuestosNuncaTomanElMismoNumero() {
        EntornoPrueba e;
        GuardarConfiguracion(e.de1(), "PrefijoExamenCons", "T");
        GuardarConfiguracion(e.de1(), "TxtNroExamenCons", "0");
        ObtenerCodigoItem(e.de1(), "Porcentaje de Respuestas");
        QList<qint32> personas;
        for (int i = 0; i < 120; ++i)
            personas << crearPersona(e.de1(), QDate(1980, 1, 1));
        std::atomic<int> fallas = 0;
        const QString archivo = e.archivoCatalogo();
        // Each workstation is its own connection to the catalog, in its own thread.
        auto puesto = [&](int desde) {
            return QThread::create([archivo, personas, desde, &fallas] {
                De1 db(QUuid::createUuid().toString());
                ConfigConexion c;
                c.archivoSqlite = archivo;
                db.abrir(c);
                RegistroResultados r(db, kHoy);
                for (int i = desde; i < personas.size(); i += 2) {
                    try {
                        r.guardar(personas.at(i), 1, calificacion(1, 0));
                    } catch (const ErrorBD&) {
                        ++fallas;
                    }
                }
            });
        };
        std::unique_ptr<QThread> a(puesto(0)), b(puesto(1));
        a->start();
        b->start();
        QVERIFY(a->wait(60000));
        QVERIFY(b->wait(60000));
        QCOMPARE(fallas.load(), 0);
        QCOMPARE(contar(e.de1(), "Carpetas"), 120);
        QCOMPARE(e.de1().valor("SELECT count(DISTINCT NumeroCarpetaCons) FROM Carpetas").toInt(),
                 120);
        QCOMPARE(LeerConfiguracion(e.de1(), "TxtNroExamenCons"), QStringLiteral("120"));
    }
};

QTEST_GUILESS_MAIN(TestRegistro)
#include "tst_registro.moc"
