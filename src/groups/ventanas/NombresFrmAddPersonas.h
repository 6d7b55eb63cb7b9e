#pragma once
// The roster editor's controls by role, and the names the office knows them by.

#include <QString>

namespace nombres::frmAddPersonas {
inline const QString kVentana = QStringLiteral("FrmAddPersonas");
inline const QString kGrupo = QStringLiteral("LblGrupo");
inline const QString kFiltro = QStringLiteral("TxtFiltro");
inline const QString kCampoFiltro = QStringLiteral("ComboFiltro");
inline const QString kPersonas = QStringLiteral("LvPersonas");
inline const QString kCuentaPersonas = QStringLiteral("LblCuentaPersonas");
inline const QString kEvaluados = QStringLiteral("LvEvaluados");
inline const QString kFoto = QStringLiteral("ImgFoto");
inline const QString kAgregar = QStringLiteral("CmdAgregar");
inline const QString kQuitar = QStringLiteral("CmdQuitar");
inline const QString kNuevaPersona = QStringLiteral("LblNuevaPersona");
inline const QString kImportar = QStringLiteral("CmdImportar");
inline const QString kAceptar = QStringLiteral("CmdAceptar");
inline const QString kCancelar = QStringLiteral("CmdCancelar");
inline const QString kSalir = QStringLiteral("ImgSalir");
inline const QString kFondo = QStringLiteral("PicFondo");
} // namespace nombres::frmAddPersonas
