#pragma once
// The simulated keypad panel's controls by role.

#include <QString>

namespace nombres::panelControles {
inline const QString kVentana = QStringLiteral("PanelControles");
inline const QString kEstado = QStringLiteral("LblEstadoReceptor");
inline const QString kEnchufado = QStringLiteral("ChkEnchufado");
inline const QString kCantidad = QStringLiteral("SpinCantidad");
inline const QString kSinControles = QStringLiteral("LblSinControles");
// The keypad of a position (0-based), and one of its digit keys.
inline QString control(int posicion) {
    return QStringLiteral("Control%1").arg(posicion);
}
inline QString tecla(int posicion, int digito) {
    return QStringLiteral("Control%1Tecla%2").arg(posicion).arg(digito);
}
} // namespace nombres::panelControles
