#include "keypads/FabricaReceptor.h"

#include "app/Ini.h"
#include "keypads/PanelControles.h"
#include "keypads/ReceptorHid.h"
#include "keypads/ReceptorSimulado.h"

#include <QApplication>
#include <QPointer>

namespace {

Receptor* gInstalado = nullptr;
QPointer<Receptor> gCreado;
QPointer<PanelControles> gPanel;

bool simulado() {
    return LeerIni(QStringLiteral("Control"), QStringLiteral("Receptor"))
               .trimmed()
               .compare(QStringLiteral("Simulado"), Qt::CaseInsensitive) == 0;
}

// In a windowed program the simulated receiver brings its keypad panel along
// while the link is open, unless "PanelSimulado" of "Control" reads "0".
void acompanarConPanel(ReceptorSimulado* receptor) {
    if (!qobject_cast<QApplication*>(QCoreApplication::instance()))
        return;
    QObject::connect(receptor, &ReceptorSimulado::abiertoCambiado, receptor, [receptor](bool si) {
        if (LeerIni(QStringLiteral("Control"), QStringLiteral("PanelSimulado")).trimmed() ==
            QStringLiteral("0"))
            return;
        if (si) {
            if (!gPanel) {
                gPanel = new PanelControles(*receptor);
                QObject::connect(receptor, &QObject::destroyed, gPanel.data(),
                                 &QObject::deleteLater);
            }
            gPanel->show();
        } else if (gPanel) {
            gPanel->hide();
        }
    });
}

Receptor* crear() {
    // Owned by the application so the device thread ends before Qt does.
    QObject* dueno = QCoreApplication::instance();
    if (simulado()) {
        auto* r = new ReceptorSimulado(dueno);
        acompanarConPanel(r);
        return r;
    }
    return new ReceptorHid(dueno);
}

} // namespace

Receptor& receptorCompartido() {
    if (gInstalado)
        return *gInstalado;
    if (!gCreado)
        gCreado = crear();
    return *gCreado;
}

void fijarReceptorCompartido(Receptor* receptor) {
    gInstalado = receptor;
}

PanelControles* panelReceptorCompartido() {
    return gPanel;
}
