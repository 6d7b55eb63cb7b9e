#pragma once
// The roster import preview's controls by role.

#include <QString>

namespace nombres::frmImportarPadron {
inline const QString kVentana = QStringLiteral("FrmImportarPadron");
inline const QString kArchivo = QStringLiteral("LblArchivo");
inline const QString kTipoDocumento = QStringLiteral("ComboTipoDocumento");
inline const QString kFilas = QStringLiteral("LvImportacion");
inline const QString kResumen = QStringLiteral("LblResumen");
inline const QString kImportar = QStringLiteral("CmdImportar");
inline const QString kCancelar = QStringLiteral("CmdCancelar");
} // namespace nombres::frmImportarPadron
