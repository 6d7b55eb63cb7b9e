#include "keypads/ventanas/PanelSimulado.h"

#include "app/Claves.h"
#include "keypads/FabricaReceptor.h"
#include "keypads/ReceptorSimulado.h"
#include "keypads/ventanas/PanelControles.h"

#include <QPointer>

namespace {

QPointer<PanelControles> gPanel;

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
                gPanel->show();
            } else if (gPanel) {
                gPanel->hide();
            }
        });
}

} // namespace

void acompanarReceptorSimuladoConPanel() {
    alCrearReceptorSimulado(acompanar);
}

PanelControles* panelReceptorCompartido() {
    return gPanel;
}
