#include "app/Claves.h"

#include "app/Ini.h"
#include "app/Texto.h"

namespace claves {

int campoFiltro() {
    return texto::ValEntero(LeerIni(kFiltro)) == 0 ? 0 : 1;
}

ClaveIni respuestaRegistrada(int evaluado, int pregunta) {
    return {QStringLiteral("Evaluado") + QString::number(evaluado),
            QStringLiteral("Pregunta") + QString::number(pregunta), QString()};
}

} // namespace claves

QString LeerIni(const ClaveIni& clave) {
    const QString valor = LeerIni(clave.seccion, clave.clave);
    return valor == QLatin1String("ERROR") ? clave.predeterminado : valor;
}

bool EscribirIni(const ClaveIni& clave, const QString& valor) {
    return EscribirIni(clave.seccion, clave.clave, valor);
}
