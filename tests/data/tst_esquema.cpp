// Schema upgrade of the program's own tables, the embedded catalog and the SQL
// Server dialect.
#include "EntornoPrueba.h"
#include "data/ActualizacionEsquema.h"
#include "data/Configuracion.h"
#include "data/De1.h"

#include <QFile>
#include <QMutex>
#include <QProcessEnvironment>
#include <QSqlError>
#include <QSqlRecord>
#include <QThread>
#include <QUuid>
#include <QtTest>
#include <atomic>
#include <latch>

namespace {
// A catalog with the expected tables but none of the program's own.
std::unique_ptr<De1> catalogoVacio(const QString& archivo) {
    auto de1 = std::make_unique<De1>(QUuid::createUuid().toString());
    de1->abrir(EntornoPrueba::conexion(archivo));
    return de1;
}
} // namespace

class TestEsquema : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void catalogoNuevo() {
        EntornoPrueba e(false);
        auto de1 = catalogoVacio(e.ruta("c.sqlite"));
        QVERIFY(de1->catalogoCreado());
        for (const DefTabla& t : tablasEsperadas())
            QVERIFY2(de1->existeTabla(t.nombre), qPrintable(t.nombre));
        // What a new office needs to register anyone: document types, and cities
        // added from the person editor.
        QCOMPARE(de1->valor("SELECT count(*) FROM Documentos").toInt(),
                 tiposDocumentoIniciales().size());
        QCOMPARE(de1->valor("SELECT DescripcionDocumento FROM Documentos WHERE CodigoDocumento = 1")
                     .toString(),
                 QStringLiteral("Cédula de identidad"));
        QCOMPARE(LeerConfiguracion(*de1, "ChkNCiudades"), QStringLiteral("1"));
        QCOMPARE(ActualizarEsquema(*de1), 24);
        const QList<QPair<const char*, QStringList>> columnas = {
            {"Grupos", {"CodigoGrupo", "NroCurso", "Responsable", "Descripcion", "Fecha"}},
            {"GruposPersonas", {"Grupo", "Persona", "Remoto"}},
            {"SesionesExamen", {"Grupo", "Examen", "Fecha", "Responsable", "Diario"}},
            {"RespuestasSesion", {"Sesion", "Posicion", "Orden", "Tecla", "Acierto"}},
            {"PreguntasSesion", {}},
            {"EvaluadosSesion", {}}};
        for (const auto& [tabla, cols] : columnas) {
            QVERIFY2(de1->existeTabla(tabla), tabla);
            for (const QString& c : cols)
                QVERIFY2(de1->existeColumna(tabla, c), qPrintable(c));
        }
        QCOMPARE(LeerConfiguracion(*de1, "DBVersionTavelmo"), QString::number(kVersionEsquema));
        QCOMPARE(ActualizarEsquema(*de1), 0); // second start executes nothing
        QCOMPARE(de1->valor("SELECT count(*) FROM Configuracion").toInt(), 2);
    }

    void catalogoExistenteNoRecibeFilas() {
        // Another program's file, or ours opened again with the rows removed: the missing
        // tables are created, no row added.
        EntornoPrueba e(false);
        {
            auto otro = catalogoVacio(e.ruta("c.sqlite"));
            for (const DefTabla& t : tablasEsperadas())
                if (t.nombre != QStringLiteral("Documentos"))
                    otro->ejecutar("DROP TABLE " + t.nombre);
            otro->ejecutar("DELETE FROM Documentos");
        }
        auto de1 = catalogoVacio(e.ruta("c.sqlite"));
        QVERIFY(!de1->catalogoCreado());
        QVERIFY(de1->existeTabla("Configuracion"));
        QCOMPARE(de1->valor("SELECT count(*) FROM Documentos").toInt(), 0);
        QCOMPARE(de1->valor("SELECT count(*) FROM Configuracion").toInt(), 0);
    }

    void carpetaInexistenteNoSeCrea() {
        EntornoPrueba e(false);
        De1 de1(QUuid::createUuid().toString());
        try {
            de1.abrir(EntornoPrueba::conexion(e.ruta("no/existe/c.sqlite")));
            QFAIL("a catalog in a missing folder was opened");
        } catch (const ErrorBD& error) {
            QVERIFY2(error.texto().contains(e.ruta("no/existe")), qPrintable(error.texto()));
        }
        QVERIFY(!QFileInfo::exists(e.ruta("no")));
    }

    void dosProgramasCreanElMismoCatalogo() {
        // Two programs started at once on a catalog that does not exist yet.
        EntornoPrueba e(false);
        for (int vuelta = 0; vuelta < 8; ++vuelta) {
            const QString archivo = e.ruta(QStringLiteral("c%1.sqlite").arg(vuelta));
            std::latch salida(2);
            std::atomic<int> creados = 0;
            QMutex m;
            QStringList errores;
            auto programa = [&] {
                return QThread::create([&] {
                    De1 db(QUuid::createUuid().toString());
                    salida.arrive_and_wait();
                    try {
                        db.abrir(EntornoPrueba::conexion(archivo));
                        ActualizarEsquema(db);
                        creados += db.catalogoCreado() ? 1 : 0;
                    } catch (const ErrorBD& error) {
                        QMutexLocker l(&m);
                        errores << error.texto();
                    }
                });
            };
            std::unique_ptr<QThread> a(programa()), b(programa());
            a->start();
            b->start();
            QVERIFY(a->wait(60000) && b->wait(60000));
            QVERIFY2(errores.isEmpty(), qPrintable(errores.join(u'\n')));
            QCOMPARE(creados.load(), 1);
            auto de1 = catalogoVacio(archivo);
            QCOMPARE(de1->valor("SELECT count(*) FROM Documentos").toInt(),
                     tiposDocumentoIniciales().size());
            QCOMPARE(de1->valor("SELECT count(*) FROM Configuracion").toInt(), 2);
        }
    }

    void actualizacionDesdeUnaVersion_data() {
        QTest::addColumn<QString>("version"); // stored before; empty for none
        QTest::addColumn<int>("pasos");
        QTest::addColumn<QString>("tabla"); // one the upgrade must create
        QTest::newRow("1: solo miembros") << "1" << 15 << "GruposPersonas";
        // 1.6 is read as 2: the sessions' record and the search indexes.
        QTest::newRow("1.6") << "1.6" << 10 << "SesionesExamen";
        // Groups of an earlier program without a version: completed, rows kept.
        QTest::newRow("grupos sin version") << "" << 22 << "RespuestasSesion";
        // Sessions stored without a journal.
        QTest::newRow("4: solo el diario") << "4" << 1 << "SesionesExamen";
    }
    void actualizacionDesdeUnaVersion() {
        QFETCH(QString, version);
        QFETCH(int, pasos);
        QFETCH(QString, tabla);
        EntornoPrueba e(false);
        auto de1 = catalogoVacio(e.ruta("c.sqlite"));
        if (version == "4") {
            for (const Dialecto::PasoEsquema& p : de1->dialecto().pasosActualizacion(0))
                if (p.columna != "Diario")
                    de1->ejecutar(p.sentencia);
            de1->ejecutar("INSERT INTO SesionesExamen (Grupo, Examen) VALUES (1, 2)");
        } else if (version.isEmpty()) {
            de1->ejecutar("CREATE TABLE Grupos (CodigoGrupo INTEGER PRIMARY KEY AUTOINCREMENT, "
                          "NroCurso TEXT)");
            de1->ejecutar("INSERT INTO Grupos (NroCurso) VALUES ('A-1')");
        }
        if (!version.isEmpty())
            GuardarConfiguracion(*de1, "DBVersionTavelmo", version);
        QCOMPARE(ActualizarEsquema(*de1), pasos);
        QVERIFY(de1->existeTabla(tabla));
        if (version.isEmpty()) {
            QVERIFY(de1->existeColumna("Grupos", "Fecha"));
            QCOMPARE(de1->valor("SELECT NroCurso FROM Grupos").toString(), QStringLiteral("A-1"));
        } else if (version == "4") {
            QVERIFY(de1->valor("SELECT Diario FROM SesionesExamen").isNull());
        } else {
            QVERIFY(!de1->existeTabla("Grupos")); // versions 1 and 2 never had them
        }
        QCOMPARE(LeerConfiguracion(*de1, "DBVersionTavelmo"), QString::number(kVersionEsquema));
        QCOMPARE(ActualizarEsquema(*de1), 0);
    }

    void fallaNoDejaNada() {
        EntornoPrueba e(false);
        auto de1 = catalogoVacio(e.ruta("c.sqlite"));
        // A view of that name makes the creation of the table fail half-way.
        de1->ejecutar("CREATE VIEW GruposPersonas AS SELECT 1 AS x");
        QVERIFY_THROWS_EXCEPTION(ErrorBD, ActualizarEsquema(*de1));
        QVERIFY(!de1->existeTabla("Grupos"));
        QCOMPARE(LeerConfiguracion(*de1, "DBVersionTavelmo"), QString());
    }

    void archivoIlegible() {
        EntornoPrueba e(false);
        const QString ruta = e.ruta("basura.sqlite");
        QFile f(ruta);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(QByteArray(4096, 'x'));
        f.close();
        De1 de1(QUuid::createUuid().toString());
        QVERIFY_THROWS_EXCEPTION(ErrorBD, de1.abrir(EntornoPrueba::conexion(ruta)));
    }

    void dialectoSqlServer() {
        const Dialecto d(Dialecto::Motor::SqlServer);
        const auto pasos = d.pasosActualizacion(0);
        QCOMPARE(pasos.size(), size_t(14));
        QCOMPARE(pasos.front().sentencia,
                 QStringLiteral("Create table Grupos (CodigoGrupo Int Primary Key IDENTITY)"));
        QVERIFY(pasos.at(10).sentencia.contains("Texto nVarChar(max)"));
        QCOMPARE(d.pasosActualizacion(2).size(), size_t(5));
        QCOMPARE(pasos.back().sentencia,
                 QStringLiteral("ALTER TABLE SesionesExamen ADD Diario nVarChar(40)"));
        QCOMPARE(d.insertarConIdentidad("Items", {"DescripcionItem"}, "CodigoItem"),
                 QStringLiteral(
                     "INSERT INTO Items (DescripcionItem) OUTPUT INSERTED.CodigoItem VALUES (?)"));
        QCOMPARE(d.primeraFila("SELECT Valor FROM Configuracion WHERE Item = ?"),
                 QStringLiteral("SELECT TOP 1 Valor FROM Configuracion WHERE Item = ?"));
    }

    void guionSqlServerAlDia() {
        // The shipped script is the generator's output: one source for the tables.
        QFile f(qEnvironmentVariable("TAVELMO_SOURCE_DIR") + "/sql/sqlserver/catalog.sql");
        QVERIFY(f.open(QIODevice::ReadOnly));
        const QString guion = QString::fromUtf8(f.readAll());
        const Dialecto d(Dialecto::Motor::SqlServer);
        for (const DefTabla& t : tablasEsperadas())
            QVERIFY2(guion.contains(d.crearTabla(t)), qPrintable(t.nombre));
    }

    void sqlServerReal() {
        const QString cadena = qEnvironmentVariable("TAVELMO_TEST_MSSQL");
        if (cadena.isEmpty())
            QSKIP("TAVELMO_TEST_MSSQL no está definida: se omite la prueba contra SQL Server");
        QSqlDatabase db = QSqlDatabase::addDatabase("QODBC", "mssql");
        db.setDatabaseName(cadena);
        QVERIFY2(db.open(), qPrintable(db.lastError().text()));
        QSqlQuery q(db);
        QVERIFY(q.exec("SELECT 1"));
    }
};

QTEST_GUILESS_MAIN(TestEsquema)
#include "tst_esquema.moc"
