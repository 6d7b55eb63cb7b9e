// The command line (options, the operator code as today, Qt's own options) and
// where the program finds its files and writes its working files.
#include "app/LineaComandos.h"
#include "app/Rutas.h"
#include "persons/AlmacenImagenes.h"

#include <QDir>
#include <QTemporaryDir>
#include <QtTest>

using lineacomandos::Accion;

class TestLineaComandos : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void interpretar_data() {
        QTest::addColumn<QStringList>("argumentos");
        QTest::addColumn<int>("accion");
        QTest::addColumn<QString>("codigo");
        QTest::addColumn<bool>("pedir");
        const int iniciar = int(Accion::Iniciar);
        QTest::newRow("sin nada") << QStringList{} << iniciar << "" << false;
        QTest::newRow("codigo") << QStringList{"15"} << iniciar << "15" << false;
        // The arguments are read together, as the office's command line always was.
        QTest::newRow("codigo y barra") << QStringList{"15", "/x"} << iniciar << "15 /x" << false;
        QTest::newRow("negativo") << QStringList{"-5"} << iniciar << "-5" << false;
        QTest::newRow("decimal") << QStringList{"-.5"} << iniciar << "-.5" << false;
        QTest::newRow("menu") << QStringList{"--pedir-codigo"} << iniciar << "" << true;
        QTest::newRow("menu con codigo")
            << QStringList{"--pedir-codigo", "8"} << iniciar << "8" << true;
        QTest::newRow("opciones de Qt")
            << QStringList{"-platform", "offscreen", "--style=Fusion", "-reverse", "3"} << iniciar
            << "3" << false;
        QTest::newRow("tras --") << QStringList{"--", "--help"} << iniciar << "--help" << false;
        QTest::newRow("ayuda") << QStringList{"--help"} << int(Accion::Ayuda) << "" << false;
        QTest::newRow("ayuda corta")
            << QStringList{"-h", "4"} << int(Accion::Ayuda) << "4" << false;
        QTest::newRow("version") << QStringList{"--version"} << int(Accion::Version) << "" << false;
        QTest::newRow("desconocida")
            << QStringList{"7", "--nada"} << int(Accion::Error) << "" << false;
        QTest::newRow("con valor") << QStringList{"--help=si"} << int(Accion::Error) << "" << false;
    }
    void interpretar() {
        QFETCH(QStringList, argumentos);
        QFETCH(int, accion);
        QFETCH(QString, codigo);
        QFETCH(bool, pedir);
        const lineacomandos::Resultado r =
            lineacomandos::interpretar(QStringList{"/usr/bin/tavelmo"} + argumentos);
        QCOMPARE(int(r.accion), accion);
        if (r.accion == Accion::Error)
            return;
        QCOMPARE(r.codigo, codigo);
        QCOMPARE(r.pedirCodigo, pedir);
    }

    void textos() {
        const auto ayuda = lineacomandos::interpretar({"tavelmo", "--help"});
        QVERIFY(ayuda.texto.startsWith("Uso: tavelmo [opciones] [código]"));
        QVERIFY(ayuda.texto.contains("--pedir-codigo"));
        QVERIFY(ayuda.texto.contains(rutas::archivoConfiguracion()));
        QVERIFY(!ayuda.texto.contains("Usage")); // Qt's own help text is English
        QVERIFY(lineacomandos::interpretar({"tavelmo", "-v"}).texto.startsWith("Tavelmo "));
        const auto error = lineacomandos::interpretar({"/opt/x/tavelmo", "--nada"});
        QCOMPARE(error.texto, QStringLiteral("tavelmo: opción desconocida «--nada»\n"
                                             "Use «tavelmo --help» para ver las opciones.\n"));
        QVERIFY(lineacomandos::interpretar({"tavelmo", "-x"}).texto.contains("«-x»"));
        QVERIFY(lineacomandos::interpretar({"tavelmo", "--x=1"}).texto.contains("«--x»"));
    }

    void codigoEscrito_data() {
        QTest::addColumn<QString>("texto");
        QTest::addColumn<int>("codigo"); // 0: refused
        QTest::newRow("numero") << "15" << 15;
        QTest::newRow("con blancos") << "  42 " << 42;
        QTest::newRow("vacio") << "" << 0;
        QTest::newRow("cero") << "0" << 0;
        QTest::newRow("negativo") << "-3" << 0;
        QTest::newRow("decimal") << "2.5" << 0;
        QTest::newRow("letras") << "12a" << 0;
        QTest::newRow("maximo") << "2147483647" << 2147483647;
        QTest::newRow("demasiado") << "2147483648" << 0;
    }
    void codigoEscrito() {
        QFETCH(QString, texto);
        QFETCH(int, codigo);
        QCOMPARE(lineacomandos::codigoEscrito(texto).value_or(0), codigo);
    }

    void archivosDelPrograma() {
        QTemporaryDir dir;
        const QString instalado = dir.filePath("usr/bin");
        const QString build = dir.filePath("build/bin");
        QVERIFY(QDir().mkpath(instalado) && QDir().mkpath(build));
        QVERIFY(QDir().mkpath(dir.filePath("usr/share/tavelmo")));
        QCOMPARE(rutas::elegirCarpetaArchivos(instalado), dir.filePath("usr/share/tavelmo"));
        QCOMPARE(rutas::elegirCarpetaArchivos(build), build);
        // The tests run from the build folder.
        QCOMPARE(rutas::carpetaArchivosPrograma(), QCoreApplication::applicationDirPath());
        QVERIFY(!rutas::instalado());
    }

    void archivosDeTrabajo() {
        QTemporaryDir datos;
        qputenv("XDG_DATA_HOME", datos.path().toLocal8Bit());
        QCoreApplication::setApplicationName("Tavelmo");
        const QString esperada = datos.filePath("Tavelmo");
        QVERIFY(!QFileInfo::exists(esperada));
        QCOMPARE(almacen::archivoTrabajo(almacen::TipoImagen::Foto), esperada + "/Foto.jpg");
        QVERIFY(QFileInfo(esperada).isDir()); // made on first use
        QCOMPARE(almacen::archivoTrabajo(almacen::TipoImagen::Huella), esperada + "/Huella.bmp");
        QCOMPARE(rutas::carpetaPlantillas(), esperada + "/Templates");
        // Never beside the executable.
        QVERIFY(!almacen::archivoTrabajo(almacen::TipoImagen::Firma)
                     .startsWith(QCoreApplication::applicationDirPath()));
        qunsetenv("XDG_DATA_HOME");
    }
};

QTEST_GUILESS_MAIN(TestLineaComandos)
#include "tst_lineacomandos.moc"
