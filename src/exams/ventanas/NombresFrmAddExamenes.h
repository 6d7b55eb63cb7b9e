#pragma once
// The exam editor's controls by role, and the names the office knows them by.

#include <QString>

namespace nombres::frmAddExamenes {
inline const QString kVentana = QStringLiteral("FrmAddExamenes");
inline const QString kDescripcion = QStringLiteral("TxtDescripcion");
inline const QString kPreguntas = QStringLiteral("LvPreguntas");
inline const QString kPregunta = QStringLiteral("txtPregunta");
inline const QString kAgregarPregunta = QStringLiteral("Command1");
inline const QString kCorregirPregunta = QStringLiteral("Command2");
inline const QString kQuitarPregunta = QStringLiteral("Command3");
inline const QString kImagen = QStringLiteral("picFoto");
inline const QString kElegirImagen = QStringLiteral("Command7");
inline const QString kRespuestas = QStringLiteral("LvRespuestas");
inline const QString kRespuesta = QStringLiteral("txtRespuesta");
inline const QString kCorrecta = QStringLiteral("Check1");
inline const QString kAgregarRespuesta = QStringLiteral("Command6");
inline const QString kCorregirRespuesta = QStringLiteral("Command5");
inline const QString kQuitarRespuesta = QStringLiteral("Command4");
inline const QString kAceptar = QStringLiteral("CmdAceptar");
inline const QString kCancelar = QStringLiteral("CmdCancelar");
} // namespace nombres::frmAddExamenes
