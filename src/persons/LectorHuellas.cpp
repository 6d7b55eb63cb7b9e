#include "persons/LectorHuellas.h"

#include "app/Claves.h"
#include "app/Ini.h"
#include "persons/LectorFprint.h"
#include "persons/LectorHuellasSimulado.h"

#include <QCoreApplication>
#include <QPointer>

namespace {

LectorHuellas* gInstalado = nullptr;
QPointer<LectorHuellas> gCreado;

// The simulated reader of the demo puts a finger on it shortly after each start,
// on the third attempt or so.
constexpr int kDedoSimuladoMs = 1500;

bool simulado() {
    return LeerIni(claves::kHuellero)
               .trimmed()
               .compare(QStringLiteral("Simulado"), Qt::CaseInsensitive) == 0;
}

} // namespace

LectorHuellas& lectorHuellasCompartido() {
    if (gInstalado)
        return *gInstalado;
    if (!gCreado) {
        QObject* dueno = QCoreApplication::instance();
        if (simulado())
            gCreado = new LectorHuellasSimulado(kDedoSimuladoMs, dueno);
        else
            gCreado = new LectorFprint(dueno);
    }
    return *gCreado;
}

void fijarLectorHuellasCompartido(LectorHuellas* lector) {
    gInstalado = lector;
}
