#include "data/ActualizacionEsquema.h"

#include "app/Claves.h"
#include "app/Texto.h"
#include "data/Configuracion.h"
#include "data/De1.h"

int ActualizarEsquema(De1& de1) {
    const int version = texto::ValEntero16(LeerConfiguracion(de1, ajustes::kVersionEsquema));
    if (version >= kVersionEsquema)
        return 0;
    int ejecutadas = 0;
    Transaccion t(de1);
    for (const Dialecto::PasoEsquema& paso : de1.dialecto().pasosActualizacion(version)) {
        const bool hecho = paso.columna.isEmpty() ? de1.existeTabla(paso.tabla)
                                                  : de1.existeColumna(paso.tabla, paso.columna);
        if (hecho)
            continue;
        de1.ejecutar(paso.sentencia);
        ++ejecutadas;
    }
    GuardarConfiguracion(de1, ajustes::kVersionEsquema, QString::number(kVersionEsquema));
    t.confirmar();
    return ejecutadas;
}
