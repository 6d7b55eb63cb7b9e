#include "keypads/ventanas/PanelSimulado.h"

#include "app/Claves.h"
#include "groups/Seleccion.h"
#include "keypads/FabricaReceptor.h"
#include "keypads/ReceptorSimulado.h"
#include "keypads/ventanas/PanelControles.h"

#include <QApplication>
#include <QPointer>
#include <QTimer>

namespace {

QPointer<PanelControles> gPanel;
const Seleccion* gSeleccion = nullptr;

// The stored keypad numbers of the roster ("no asignado" has none).
QList<int> controlesDelGrupo() {
    QList<int> numeros;
    if (!gSeleccion)
        return numeros;
    for (const Evaluado& e : gSeleccion->evaluados())
        if (e.remoto > 0)
            numeros << e.remoto;
    return numeros;
}

// The window that opened the link: the modal one it runs in, once that is on screen.
QWidget* ventanaQueUsa() {
    if (QWidget* modal = QApplication::activeModalWidget())
        return modal;
    QWidget* activa = QApplication::activeWindow();
    return activa == gPanel ? nullptr : activa;
}

void acompanar(ReceptorSimulado& receptor) {
    QObject::connect(
        &receptor, &ReceptorSimulado::abiertoCambiado, &receptor, [r = &receptor](bool si) {
            if (LeerIni(claves::kPanelSimulado).trimmed() == QStringLiteral("0"))
                return;
            if (si) {
                if (!gPanel) {
                    gPanel = new PanelControles(*r);
                    QObject::connect(r, &QObject::destroyed, gPanel.data(), &QObject::deleteLater);
                }
                gPanel->fijarControlesDelGrupo(controlesDelGrupo());
                gPanel->show();
                // The link opens while its window is being made; that window is
                // on screen once the event loop turns.
                QTimer::singleShot(0, gPanel.data(), [] {
                    if (gPanel && gPanel->isVisible())
                        gPanel->acompanar(ventanaQueUsa());
                });
            } else if (gPanel) {
                gPanel->acompanar(nullptr);
                gPanel->hide();
            }
        });
}

} // namespace

void acompanarReceptorSimuladoConPanel(const Seleccion* seleccion) {
    gSeleccion = seleccion;
    alCrearReceptorSimulado(acompanar);
}

PanelControles* panelReceptorCompartido() {
    return gPanel;
}
