// Entry point: start-up, then the main window; the program lives on in it.
#include "app/Arranque.h"
#include "app/Globales.h"
#include "app/LineaComandos.h"
#include "app/ventanas/Dialogos.h"
#include "app/ventanas/Inicio.h"
#include "groups/ventanas/MenuPrincipal.h"
#include "keypads/ventanas/PanelSimulado.h"

#include <QApplication>
#include <QStringList>
#include <QTimer>
#include <cstdio>

int main(int argc, char** argv) {
    // Help, version and a wrong option are answered before a display is needed.
    const lineacomandos::Resultado linea =
        lineacomandos::interpretar(lineacomandos::argumentos(argc, argv));
    if (linea.accion != lineacomandos::Accion::Iniciar)
        return lineacomandos::responder(linea);

    QApplication app(argc, argv);
    QApplication::setApplicationName(kTituloAplicacion);
    inicio::identificarAplicacion();

    acompanarReceptorSimuladoConPanel();
    static De1 de1;
    De1::fijarCompartida(&de1);
    const inicio::Decision antes = inicio::antesDeArrancar(linea, Dialogos::actual());
    if (!antes.seguir)
        return antes.estado;
    ConfigConexion config;
    try {
        arranque::ejecutar(de1, antes.codigo, &config);
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
