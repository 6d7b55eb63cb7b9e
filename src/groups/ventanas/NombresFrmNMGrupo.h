#pragma once
// The group editor's controls by role, and the names the office knows them by.

#include <QString>

namespace nombres::frmNMGrupo {
inline const QString kVentana = QStringLiteral("FrmNMGrupo");
inline const QString kFecha = QStringLiteral("DtFecha");
inline const QString kCurso = QStringLiteral("TxtCurso");
inline const QString kDescripcion = QStringLiteral("TxtDescripcion");
inline const QString kResponsable = QStringLiteral("ComboResponsable");
inline const QString kAceptar = QStringLiteral("CmdAceptar");
inline const QString kCancelar = QStringLiteral("CmdCancelar");
inline const QString kSalir = QStringLiteral("ImgSalir");
} // namespace nombres::frmNMGrupo
