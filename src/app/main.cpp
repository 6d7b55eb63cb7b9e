// Entry point: start-up, then the main window; the program lives on in it.
#include "app/Arranque.h"
#include "app/Globales.h"
#include "app/ventanas/Dialogos.h"
#include "groups/ventanas/MenuPrincipal.h"
#include "keypads/ventanas/PanelSimulado.h"
#include "persons/ventanas/ObtenerFoto.h"

#include <QApplication>
#include <QStringList>
#include <QTimer>
#include <cstdio>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(kTituloAplicacion);

    acompanarReceptorSimuladoConPanel();
    instalarCapturaFoto();
    static De1 de1;
    De1::fijarCompartida(&de1);
    ConfigConexion config;
    try {
        arranque::ejecutar(de1, QApplication::arguments().mid(1).join(u' '), &config);
    } catch (const ErrorBD& e) {
        const QString texto =
            QStringLiteral("No se pudo abrir la base de datos del servidor \"%1\".\n\n%2")
                .arg(config.descripcion(), e.texto());
        std::fprintf(stderr, "%s\n", qPrintable(texto));
        Dialogos::actual().mensaje(nullptr, texto, Dialogos::Icono::Critico, kTituloAplicacion);
        return 1;
    }

    MenuPrincipal menu(de1);
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
