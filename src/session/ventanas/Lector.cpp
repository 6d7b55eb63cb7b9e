#include "session/ventanas/Lector.h"

#include "app/Claves.h"
#include "session/ventanas/LectorSimulado.h"
#include "session/ventanas/LectorVoz.h"

std::unique_ptr<Lector> crearLector() {
    if (LeerIni(claves::kVoz).trimmed().compare(QStringLiteral("Simulada"), Qt::CaseInsensitive) ==
        0)
        return std::make_unique<LectorSimulado>();
    return std::make_unique<LectorVoz>();
}

QString motivoVozNoDisponible() {
    return crearLector()->motivoNoDisponible();
}
