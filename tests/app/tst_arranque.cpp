// Start-up choices: templates folder, catalog connection, operator code (read as
// texto::ValEntero reads numbers), and a catalog that cannot be reached.
#include "EntornoPrueba.h"
#include "app/Arranque.h"
#include "app/Claves.h"
#include "app/Ini.h"
#include "app/Rutas.h"
#include "data/ActualizacionEsquema.h"
#include "data/Configuracion.h"

#include <QDir>
#include <QElapsedTimer>
#include <QUuid>
#include <QtTest>

#ifdef Q_OS_UNIX
#include <sys/stat.h>
#endif

class TestArranque : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void carpetaPlantillas() {
        EntornoPrueba e(false);
        const QString red = e.ruta("oficina");
        const QString trabajo = e.carpetaTrabajo();
        QDir().mkpath(red);
        QCOMPARE(arranque::elegirCarpetaPlantillas(red, trabajo), trabajo + "/Templates");
        QDir().mkpath(red + "/Templates");
        QCOMPARE(arranque::elegirCarpetaPlantillas(red, trabajo), red + "/Templates");
        QCOMPARE(arranque::elegirCarpetaPlantillas("ERROR", trabajo), trabajo + "/Templates");
        // An office path written the Windows way lands under QUENVAR_ROOT.
        QDir().mkpath(e.raiz() + "/Oficina/Templates");
        QCOMPARE(arranque::elegirCarpetaPlantillas("C:\\Oficina", trabajo),
                 e.raiz() + "/Oficina/Templates");
    }

    void conexion() {
        const ConfigConexion s = arranque::conexion("SRV\\OFICINA", "ERROR", "/etc");
        QCOMPARE(s.tipo, ConfigConexion::Tipo::SqlServer);
        QCOMPARE(s.cadenaOdbc(), QStringLiteral("DRIVER={FreeTDS};SERVER=SRV\\OFICINA;DATABASE="
                                                "QuenvarMRX;UID=Quenvar;PWD=Tandrel;"));
        QCOMPARE(arranque::conexion("x", "ODBC Driver 18 for SQL Server", "/").driver,
                 QStringLiteral("ODBC Driver 18 for SQL Server"));
        const ConfigConexion l = arranque::conexion("sqlite:datos/catalogo.db", "", "/srv/q");
        QCOMPARE(l.tipo, ConfigConexion::Tipo::Sqlite);
        QCOMPARE(l.archivoSqlite, QStringLiteral("/srv/q/datos/catalogo.db"));
        QCOMPARE(arranque::conexion("sqlite:/abs/c.db", "", "/srv").archivoSqlite,
                 QStringLiteral("/abs/c.db"));
    }

    void arranqueCompletoSqlite() {
        EntornoPrueba e(false);
        QDir().mkpath(e.ruta("red/Templates"));
        QVERIFY(EscribirIni(claves::kRed, e.ruta("red")));
        QVERIFY(EscribirIni(claves::kServer, "sqlite:catalogo.sqlite"));
        De1 de1(QUuid::createUuid().toString());
        // The first start says once that it made a new catalog, and where.
        const arranque::Inicio inicio = arranque::ejecutar(de1, " 42 ");
        QVERIFY2(inicio.aviso.contains(e.raiz() + "/Quenvar/catalogo.sqlite"),
                 qPrintable(inicio.aviso));
        QCOMPARE(inicio.responsable, 42);
        QCOMPARE(rutas::carpetaPlantillas(), e.ruta("red/Templates"));
        QVERIFY(QFile::exists(e.raiz() + "/Quenvar/catalogo.sqlite"));
        QCOMPARE(LeerConfiguracion(de1, ajustes::kVersionEsquema),
                 QString::number(kVersionEsquema));
        De1 otra(QUuid::createUuid().toString());
        QCOMPARE(arranque::ejecutar(otra, "42").aviso, QString());
    }

    void carpetaDelCatalogoMalEscrita() {
        // A slip in the path stops start-up instead of making a new, empty catalog.
        EntornoPrueba e(false);
        QVERIFY(EscribirIni(claves::kServer, "sqlite:Quenvr/catalogo.sqlite"));
        De1 de1(QUuid::createUuid().toString());
        QVERIFY_THROWS_EXCEPTION(ErrorBD, arranque::ejecutar(de1, "1"));
        QVERIFY(!QFileInfo::exists(e.raiz() + "/Quenvar/Quenvr"));
    }

    void catalogoInalcanzable() {
        EntornoPrueba e(false);
        // No configuration at all: the server reads "ERROR" and the connection fails
        // with the driver's text within its login timeout.
        De1 de1(QUuid::createUuid().toString());
        ConfigConexion usada;
        QElapsedTimer reloj;
        reloj.start();
        try {
            arranque::ejecutar(de1, "1", &usada);
            QFAIL("the connection should have failed");
        } catch (const ErrorBD& error) {
            QVERIFY(!error.texto().isEmpty());
        }
        QCOMPARE(usada.descripcion(), QStringLiteral("ERROR"));
        QVERIFY2(reloj.elapsed() < 20000, "the failed connection hung");
        QCOMPARE(rutas::carpetaPlantillas(), e.carpetaTrabajo() + "/Templates");
    }

#ifdef Q_OS_UNIX
    // A configuration file that is a FIFO stops start-up with a message at
    // once, before any catalog is tried.
    void configuracionInservible() {
        EntornoPrueba e(false);
        const QString ruta = rutas::archivoConfiguracion();
        QVERIFY(QDir().mkpath(QFileInfo(ruta).absolutePath()));
        QVERIFY(::mkfifo(QFile::encodeName(ruta).constData(), 0600) == 0);
        De1 de1(QUuid::createUuid().toString());
        try {
            arranque::ejecutar(de1, "1");
            QFAIL("start-up should have stopped");
        } catch (const arranque::ErrorConfiguracion& error) {
            QVERIFY2(error.texto.contains("QuenvarMRX.ini"), qPrintable(error.texto));
        }
        QVERIFY(!de1.abierta());
    }
#endif
};

QTEST_GUILESS_MAIN(TestArranque)
#include "tst_arranque.moc"
