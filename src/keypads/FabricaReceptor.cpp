#include "keypads/FabricaReceptor.h"

#include "app/Claves.h"
#include "keypads/ReceptorHid.h"
#include "keypads/ReceptorSimulado.h"

#include <QCoreApplication>
#include <QPointer>

namespace {

Receptor* gInstalado = nullptr;
QPointer<Receptor> gCreado;
std::function<void(ReceptorSimulado&)> gAlCrearSimulado;

bool simulado() {
    return LeerIni(claves::kReceptor)
               .trimmed()
               .compare(QStringLiteral("Simulado"), Qt::CaseInsensitive) == 0;
}

Receptor* crear() {
    // Owned by the application so the device thread ends before Qt does.
    QObject* dueno = QCoreApplication::instance();
    if (simulado()) {
        auto* r = new ReceptorSimulado(dueno);
        if (gAlCrearSimulado)
            gAlCrearSimulado(*r);
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

void alCrearReceptorSimulado(std::function<void(ReceptorSimulado&)> accion) {
    gAlCrearSimulado = std::move(accion);
}
