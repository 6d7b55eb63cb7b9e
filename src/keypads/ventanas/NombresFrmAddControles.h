#pragma once
// The keypad assignment window's controls by role, and the names the office
// knows them by.

#include <QString>

namespace nombres::frmAddControles {
inline const QString kVentana = QStringLiteral("FrmAddControles");
inline const QString kTitulo = QStringLiteral("LblTitulo");
inline const QString kGrupo = QStringLiteral("LblGrupo");
inline const QString kEvaluados = QStringLiteral("LvEvaluados");
// The card of the member selected, the office's photograph "ImgFoto" in it.
inline const QString kFicha = QStringLiteral("FichaEvaluado");
inline const QString kCampoFiltro = QStringLiteral("ComboFiltro");
inline const QString kFiltro = QStringLiteral("TxtFiltro");
inline const QString kBuscarControl = QStringLiteral("CmdAgregar");
inline const QString kLimpiar = QStringLiteral("Command2");
inline const QString kAceptar = QStringLiteral("Command1");
inline const QString kCancelar = QStringLiteral("CmdCancelar");
inline const QString kSalir = QStringLiteral("ImgSalir");
// The receiver link, and the search's status.
inline const QString kEnlace = QStringLiteral("lblEstado");
inline const QString kEstadoBusqueda = QStringLiteral("lblEstado2");
} // namespace nombres::frmAddControles
