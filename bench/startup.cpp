// Start-up on the demo catalog, from process start to the main window shown.
#include "Medicion.h"
#include "SemillaDemo.h"
#include "data/De1.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <vector>

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    QTemporaryDir dir;
    const QString raiz = dir.filePath("raiz");
    QDir().mkpath(raiz + "/Quenvar");
    {
        De1 de1(QStringLiteral("semilla"));
        ConfigConexion c;
        c.archivoSqlite = dir.filePath("catalogo.sqlite");
        de1.abrir(c);
        SemillaDemo::sembrar(de1, dir.filePath("red/Templates"));
    }
    QFile ini(raiz + "/Quenvar/QuenvarMRX.ini");
    if (!ini.open(QIODevice::WriteOnly))
        return 1;
    ini.write(QStringLiteral("[Control]\nRed=%1\nServer=sqlite:%2\nReceptor=Simulado\n")
                  .arg(dir.filePath("red"), dir.filePath("catalogo.sqlite"))
                  .toUtf8());
    ini.close();

    const QString programa = QCoreApplication::applicationDirPath() + "/tavelmo";
    std::vector<double> tiempos;
    for (int i = 0; i < 7; ++i) {
        QProcess p;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("QUENVAR_ROOT", raiz);
        env.insert("TAVELMO_SALIR_AL_MOSTRAR", "1");
        if (!env.contains("QT_QPA_PLATFORM"))
            env.insert("QT_QPA_PLATFORM", "offscreen");
        p.setProcessEnvironment(env);
        QElapsedTimer t;
        t.start();
        p.start(programa, {"1"});
        if (!p.waitForStarted())
            return 1;
        bool visto = false;
        while (!visto && p.waitForReadyRead(10000))
            visto = p.readAll().contains("ventana-mostrada");
        const double ms = medicion::ms(t);
        p.waitForFinished();
        if (!visto) {
            std::fprintf(stderr, "el programa no mostró su ventana: %s\n",
                         p.readAllStandardError().constData());
            return 1;
        }
        tiempos.push_back(ms);
    }
    std::printf(
        "Arranque sobre el catálogo de demostración hasta la ventana principal: mediana %.0f ms, "
        "máximo %.0f ms (meta < 500 ms)\n",
        medicion::mediana(tiempos), medicion::percentil(tiempos, 1));
    return 0;
}
