#pragma once
// The exam session window's controls by role, and the names the office knows
// them by.

#include <QString>

namespace nombres::frmInteligencia {
inline const QString kVentana = QStringLiteral("FrmInteligencia");
inline const QString kFabricante = QStringLiteral("Label2");
inline const QString kCuestionario = QStringLiteral("Label3");
inline const QString kEnlace = QStringLiteral("lblEstado");
inline const QString kTitulo = QStringLiteral("LblTitulo");
inline const QString kPregunta = QStringLiteral("LblPregunta");
inline const QString kRespuestas = QStringLiteral("AreaRespuestas");
inline const QString kNumeroRespuesta = QStringLiteral("LblNumeroRespuesta");
inline const QString kRespuesta = QStringLiteral("LblRespuesta");
inline const QString kImagen = QStringLiteral("ImgPregunta");
inline const QString kBarraTiempo = QStringLiteral("ShpTiempo");
inline const QString kTiempo = QStringLiteral("LblTiempo");
inline const QString kVolver = QStringLiteral("Command4");
} // namespace nombres::frmInteligencia
