#pragma once
// The results window's controls by role.

#include <QString>

namespace nombres::frmResultados {
inline const QString kVentana = QStringLiteral("FrmResultados");
inline const QString kExaminaciones = QStringLiteral("ComboExaminaciones");
inline const QString kExaminacion = QStringLiteral("LblExaminacion");
inline const QString kFiltro = QStringLiteral("TxtFiltro");
inline const QString kVeredicto = QStringLiteral("ComboVeredicto");
inline const QString kResultados = QStringLiteral("LvResultados");
inline const QString kResumen = QStringLiteral("LblResumen");
inline const QString kEstadisticas = QStringLiteral("CmdEstadisticas");
inline const QString kInformeGrupo = QStringLiteral("CmdInformeGrupo");
inline const QString kInformeEvaluado = QStringLiteral("CmdInformeEvaluado");
inline const QString kInformesTodos = QStringLiteral("CmdInformesTodos");
inline const QString kExportarCsv = QStringLiteral("CmdExportarCsv");
inline const QString kExportarExcel = QStringLiteral("CmdExportarExcel");
inline const QString kCerrar = QStringLiteral("CmdCerrar");
} // namespace nombres::frmResultados
