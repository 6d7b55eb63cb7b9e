// Entry point: start-up, then the main window; the program lives on in it.
#include "app/Aplicacion.h"
#include "app/Arranque.h"
#include "data/ventanas/ErroresBD.h"
#include "groups/ventanas/MenuPrincipal.h"
#include "keypads/ventanas/PanelSimulado.h"

#include <QApplication>
#include <QStringList>
#include <QTimer>
#include <cstdio>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(kTituloAplicacion);

    acompanarReceptorSimuladoConPanel();
    static De1 de1;
    ConfigConexion config;
    qint32 responsable = 0;
    try {
        responsable = arranque::ejecutar(de1, QApplication::arguments().mid(1).join(u' '), &config);
    } catch (const ErrorBD& e) {
        const QString queFallo =
            QStringLiteral("No se pudo abrir la base de datos del servidor \"%1\".")
                .arg(config.descripcion());
        std::fprintf(stderr, "%s\n\n%s\n", qPrintable(queFallo), qPrintable(e.texto()));
        avisarErrorBD(nullptr, queFallo, e, kTituloAplicacion);
        return 1;
    }

    MenuPrincipal menu(de1, responsable);
    menu.show();
    // The start-up benchmark measures up to here.
    if (qEnvironmentVariableIsSet("TAVELMO_SALIR_AL_MOSTRAR"))
        QTimer::singleShot(0, &app, [] {
            std::printf("ventana-mostrada\n");
            std::fflush(stdout);
            QApplication::exit(0);
        });
    return app.exec();
}
