// Entry point: start-up, then the main window; the program lives on in it.
#include "app/Aplicacion.h"
#include "app/Arranque.h"
#include "app/Idioma.h"
#include "app/Ini.h"
#include "app/LineaComandos.h"
#include "app/Rutas.h"
#include "app/ventanas/Dialogos.h"
#include "app/ventanas/Inicio.h"
#include "app/ventanas/Traducciones.h"
#include "data/ventanas/ErroresBD.h"
#include "groups/ventanas/MenuPrincipal.h"
#include "keypads/ventanas/PanelSimulado.h"
#include "persons/ventanas/ObtenerFirma.h"
#include "persons/ventanas/ObtenerFoto.h"
#include "persons/ventanas/ObtenerHuella.h"

#include <QAbstractButton>
#include <QApplication>
#include <QProgressDialog>
#include <QStringList>
#include <QTimer>
#include <QWindow>
#include <cstdio>
#include <memory>

namespace {

// For the tests of the executable, which end it as an operator does: once the
// event loop runs, TAVELMO_PRUEBA_PULSAR names a button (object name or text) of
// a window on screen to press, and TAVELMO_PRUEBA_CERRAR a window to close as its
// title bar does.
void programarPrueba() {
    const QString pulsar = qEnvironmentVariable("TAVELMO_PRUEBA_PULSAR");
    const QString cerrar = qEnvironmentVariable("TAVELMO_PRUEBA_CERRAR");
    if (pulsar.isEmpty() && cerrar.isEmpty())
        return;
    QTimer::singleShot(0, qApp, [pulsar, cerrar] {
        for (QWidget* w : QApplication::topLevelWidgets()) {
            if (!w->isVisible())
                continue;
            if (!cerrar.isEmpty() && w->objectName() == cerrar && w->windowHandle()) {
                w->windowHandle()->close();
                return;
            }
            for (QAbstractButton* b : w->findChildren<QAbstractButton*>())
                if (!pulsar.isEmpty() && b->isVisible() &&
                    (b->objectName() == pulsar || b->text() == pulsar)) {
                    b->click();
                    return;
                }
        }
        std::fprintf(stderr, "prueba: nada que pulsar ni cerrar\n");
    });
}

} // namespace

int main(int argc, char** argv) {
    // Help, version and a wrong option are answered before a display is needed.
    const lineacomandos::Resultado linea =
        lineacomandos::interpretar(lineacomandos::argumentos(argc, argv));
    if (linea.accion != lineacomandos::Accion::Iniciar)
        return lineacomandos::responder(linea);

    QApplication app(argc, argv);
    QApplication::setApplicationName(kTituloAplicacion);
    inicio::identificarAplicacion();
    // Spanish from the first message on, whatever the workstation's language.
    ini::fijarRuta(rutas::archivoConfiguracion());
    idioma::fijarPredeterminado();
    traducciones::instalar();

    instalarCapturaFoto();
    instalarCapturaFirma();
    instalarCapturaHuella();
    // Local to main, so the connection closes while Qt's database layer still
    // stands; a static one outlived it and crashed every exit.
    De1 de1;
    const inicio::Decision antes = inicio::antesDeArrancar(linea, Dialogos::actual());
    if (!antes.seguir)
        return antes.estado;
    ConfigConexion config;
    arranque::Inicio arrancado;
    // Shown only when the upgrade has long work to do (the search indexes of a
    // large catalog, built once); a modal progress dialog repaints as it moves.
    std::unique_ptr<QProgressDialog> progreso;
    const auto avance = [&progreso](int porciento) {
        if (!progreso) {
            progreso = std::make_unique<QProgressDialog>(
                QStringLiteral("Preparando la búsqueda de personas y grupos…"), QString(), 0, 100);
            progreso->setWindowTitle(kTituloAplicacion);
            progreso->setWindowModality(Qt::ApplicationModal);
            progreso->setMinimumDuration(0);
            progreso->setAutoClose(true);
        }
        progreso->setValue(porciento);
    };
    try {
        arrancado = arranque::ejecutar(de1, antes.codigo, &config, avance);
        progreso.reset();
    } catch (const arranque::ErrorConfiguracion& e) {
        std::fprintf(stderr, "%s\n", qPrintable(e.texto));
        Dialogos::actual().mensaje(nullptr, e.texto, Dialogos::Icono::Critico, kTituloAplicacion);
        return 1;
    } catch (const ErrorBD& e) {
        const QString queFallo =
            QStringLiteral("No se pudo abrir la base de datos del servidor \"%1\".")
                .arg(config.descripcion());
        std::fprintf(stderr, "%s\n\n%s\n", qPrintable(queFallo), qPrintable(e.texto()));
        programarPrueba();
        avisarErrorBD(nullptr, queFallo, e, kTituloAplicacion);
        return 1;
    }
    // Set before the notice of a new catalog, so a test can answer it too.
    programarPrueba();
    if (!arrancado.aviso.isEmpty())
        Dialogos::actual().mensaje(nullptr, arrancado.aviso, Dialogos::Icono::Informacion,
                                   kTituloAplicacion);

    MenuPrincipal menu(de1, arrancado.responsable);
    acompanarReceptorSimuladoConPanel(&menu);
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
