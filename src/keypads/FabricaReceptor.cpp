#include "keypads/FabricaReceptor.h"

#include "keypads/Receptor.h"

namespace {

// Placeholder until the real and simulated receivers exist: nothing is plugged in.
class ReceptorAusente : public Receptor {
public:
    void abrir(qint16) override {}
    void cerrar() override {}
    bool escribir(const QByteArray&) override { return false; }
    bool conectado() const override { return false; }
};

Receptor* gInstalado = nullptr;

} // namespace

Receptor& receptorCompartido() {
    static ReceptorAusente ausente;
    return gInstalado ? *gInstalado : ausente;
}

void fijarReceptorCompartido(Receptor* receptor) {
    gInstalado = receptor;
}
