#pragma once
// The main window's controls by role, and the names the office knows them by.

#include <QString>

namespace nombres::menuPrincipal {
inline const QString kVentana = QStringLiteral("MenuPrincipal");
inline const QString kGrupos = QStringLiteral("LvGrupos");
inline const QString kCuentaGrupos = QStringLiteral("LblCuentaGrupos");
inline const QString kEvaluados = QStringLiteral("LvEvaluados");
inline const QString kExamenes = QStringLiteral("LvTiposExamenes");
inline const QString kTextoBuscar = QStringLiteral("TxtBuscarGrupo");
inline const QString kBuscarEn = QStringLiteral("ComboBuscarGrupo");
inline const QString kBuscar = QStringLiteral("CmdBuscarGrupo");
inline const QString kNuevoGrupo = QStringLiteral("LblNGrupo");
inline const QString kModificarGrupo = QStringLiteral("LblModificarGrupo");
inline const QString kEliminarGrupo = QStringLiteral("LblEliminarGrupo");
inline const QString kAgregarPersonas = QStringLiteral("LblAgregarPersonas");
inline const QString kNuevoExamen = QStringLiteral("Label7");
inline const QString kModificarExamen = QStringLiteral("Label6");
inline const QString kAsignarControles = QStringLiteral("Image4");
inline const QString kIniciarExamen = QStringLiteral("Image6");
inline const QString kResultados = QStringLiteral("CmdResultados");
inline const QString kSalir = QStringLiteral("ImgSalir");
inline const QString kFondo = QStringLiteral("PicFondo");
} // namespace nombres::menuPrincipal
