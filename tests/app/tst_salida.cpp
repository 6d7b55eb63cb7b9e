// The real executable ends cleanly: 0 through the exit picture or by closing the
// main window, 1 after the message of a start that could not open the catalog.
#include "data/De1.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

class TestSalida : public QObject {
    Q_OBJECT

    struct Fin {
        bool termino = false;
        QProcess::ExitStatus estado = QProcess::CrashExit;
        int codigo = -1;
        QString error;
    };

    // Runs the program on its own QUENVAR_ROOT whose configuration names `server`,
    // with the test hooks `entorno`, as on a workstation whose language is English.
    // The folder holds an existing catalog.sqlite: a new one would first show its notice.
    static Fin correr(const QString& server, const QList<std::pair<QString, QString>>& entorno) {
        QTemporaryDir dir;
        const QString raiz = dir.filePath("raiz");
        QDir().mkpath(raiz + "/Quenvar");
        {
            De1 previo(QStringLiteral("previo"));
            ConfigConexion c;
            c.archivoSqlite = dir.filePath("catalogo.sqlite");
            previo.abrir(c);
        }
        QFile ini(raiz + "/Quenvar/QuenvarMRX.ini");
        if (!ini.open(QIODevice::WriteOnly))
            return {};
        ini.write(QStringLiteral("[Control]\nServer=%1\nReceptor=Simulado\n")
                      .arg(server.arg(dir.path()))
                      .toUtf8());
        ini.close();

        QProcess p;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("QUENVAR_ROOT", raiz);
        env.insert("QT_QPA_PLATFORM", "offscreen");
        env.insert("LANG", "en_US.UTF-8");
        env.insert("LC_ALL", "en_US.UTF-8");
        env.remove("TAVELMO_SALIR_AL_MOSTRAR");
        for (const auto& [clave, valor] : entorno)
            env.insert(clave, valor);
        p.setProcessEnvironment(env);
        p.start(QCoreApplication::applicationDirPath() + "/tavelmo", {"1"});
        Fin fin;
        fin.termino = p.waitForFinished(60000);
        if (!fin.termino) {
            p.kill();
            p.waitForFinished();
        }
        fin.estado = p.exitStatus();
        fin.codigo = p.exitCode();
        fin.error = QString::fromUtf8(p.readAllStandardError());
        return fin;
    }

private Q_SLOTS:
    void terminaBienPorLaImagenYAlCerrarLaVentana_data() {
        QTest::addColumn<QString>("clave");
        QTest::addColumn<QString>("valor");
        QTest::newRow("ImgSalir") << "TAVELMO_PRUEBA_PULSAR"
                                  << "ImgSalir";
        // As the title bar's close button or Alt+F4 do; the backdrop stays otherwise.
        QTest::newRow("cerrar la ventana") << "TAVELMO_PRUEBA_CERRAR"
                                           << "MenuPrincipal";
    }
    void terminaBienPorLaImagenYAlCerrarLaVentana() {
        QFETCH(QString, clave);
        QFETCH(QString, valor);
        const Fin fin = correr("sqlite:%1/catalogo.sqlite", {{clave, valor}});
        QVERIFY2(fin.termino, "el programa siguió abierto");
        QVERIFY2(fin.estado == QProcess::NormalExit, qPrintable(fin.error));
        QCOMPARE(fin.codigo, 0);
        QVERIFY2(!fin.error.contains("prueba:"), qPrintable(fin.error));
    }

    void arranqueFallidoTerminaConUnoTrasSuMensaje() {
        // A folder where the catalog's file should be: the start fails with a message.
        const Fin fin = correr("sqlite:%1", {{"TAVELMO_PRUEBA_PULSAR", "Aceptar"}});
        QVERIFY2(fin.termino, "el mensaje no se cerró");
        QVERIFY2(fin.estado == QProcess::NormalExit, qPrintable(fin.error));
        QCOMPARE(fin.codigo, 1);
        QVERIFY2(fin.error.contains("No se pudo abrir la base de datos"), qPrintable(fin.error));
        QVERIFY2(!fin.error.contains("prueba:"), qPrintable(fin.error));
    }
};

QTEST_GUILESS_MAIN(TestSalida)
#include "tst_salida.moc"
