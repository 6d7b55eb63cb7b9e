#pragma once
// The operator's console controls by role.

#include <QString>

namespace nombres::frmConsola {
inline const QString kVentana = QStringLiteral("FrmConsola");
// One per examinee, in roster order.
inline const QString kCelda = QStringLiteral("CmdEvaluado");
inline const QString kPregunta = QStringLiteral("LblPreguntaConsola");
inline const QString kRespondidos = QStringLiteral("LblRespondidos");
inline const QString kTiempo = QStringLiteral("LblTiempoConsola");
inline const QString kEstado = QStringLiteral("LblEstadoConsola");
inline const QString kSiguiente = QStringLiteral("CmdSiguientePregunta");
inline const QString kOpciones = QStringLiteral("CmdOpcionesSala");
inline const QString kVolver = QStringLiteral("CmdVolverConsola");
inline const QString kFicha = QStringLiteral("FraFicha");
inline const QString kFotoFicha = QStringLiteral("ImgFotoFicha");
inline const QString kNombreFicha = QStringLiteral("LblNombreFicha");
inline const QString kDocumentoFicha = QStringLiteral("LblDocumentoFicha");
inline const QString kControlFicha = QStringLiteral("LblControlFicha");
inline const QString kCerrarFicha = QStringLiteral("CmdCerrarFicha");
} // namespace nombres::frmConsola
