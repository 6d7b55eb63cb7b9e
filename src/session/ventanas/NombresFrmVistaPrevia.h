#pragma once
// The report preview's controls by role.

#include <QString>

namespace nombres::frmVistaPrevia {
inline const QString kVentana = QStringLiteral("FrmVistaPrevia");
inline const QString kVista = QStringLiteral("VistaPdf");
inline const QString kPapel = QStringLiteral("ComboPapel");
inline const QString kImprimir = QStringLiteral("CmdImprimir");
inline const QString kGuardarPdf = QStringLiteral("CmdGuardarPdf");
inline const QString kCerrar = QStringLiteral("CmdCerrar");
} // namespace nombres::frmVistaPrevia
