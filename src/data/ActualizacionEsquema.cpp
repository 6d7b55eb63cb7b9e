#include "data/ActualizacionEsquema.h"

#include "app/Claves.h"
#include "app/Texto.h"
#include "data/Configuracion.h"
#include "data/De1.h"

namespace {
int versionGuardada(De1& de1) {
    return texto::ValEntero16(LeerConfiguracion(de1, ajustes::kVersionEsquema));
}
} // namespace

int ActualizarEsquema(De1& de1, const indices::Avance& avance) {
    if (versionGuardada(de1) >= kVersionEsquema)
        return 0;
    // Another workstation may be upgrading at this very moment: wait for it, then
    // read the version and the tables again.
    Transaccion t(de1, Transaccion::Modo::Exclusiva);
    const int version = versionGuardada(de1);
    if (version >= kVersionEsquema)
        return 0;
    int ejecutadas = 0;
    for (const Dialecto::PasoEsquema& paso : de1.dialecto().pasosActualizacion(version)) {
        const bool hecho = paso.columna.isEmpty() ? de1.existeTabla(paso.tabla)
                                                  : de1.existeColumna(paso.tabla, paso.columna);
        if (hecho)
            continue;
        de1.ejecutar(paso.sentencia);
        ++ejecutadas;
    }
    if (version < 4)
        ejecutadas += indices::crear(de1, avance);
    GuardarConfiguracion(de1, ajustes::kVersionEsquema, QString::number(kVersionEsquema));
    t.confirmar();
    return ejecutadas;
}
