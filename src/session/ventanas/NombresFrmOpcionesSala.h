#pragma once
// The room options window's controls by role.

#include <QString>

namespace nombres::frmOpcionesSala {
inline const QString kVentana = QStringLiteral("FrmOpcionesSala");
inline const QString kPantalla = QStringLiteral("ComboPantalla");
inline const QString kSiguiente = QStringLiteral("ChkSiguientePregunta");
inline const QString kLeer = QStringLiteral("ChkLeerPreguntas");
inline const QString kSinVoz = QStringLiteral("LblSinVoz");
inline const QString kAceptar = QStringLiteral("CmdAceptar");
inline const QString kCancelar = QStringLiteral("CmdCancelar");
} // namespace nombres::frmOpcionesSala
