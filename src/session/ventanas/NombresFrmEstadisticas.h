#pragma once
// The item statistics window's controls by role.

#include <QString>

namespace nombres::frmEstadisticas {
inline const QString kVentana = QStringLiteral("FrmEstadisticas");
inline const QString kEstaExaminacion = QStringLiteral("OptEstaExaminacion");
inline const QString kPeriodo = QStringLiteral("OptPeriodo");
inline const QString kDesde = QStringLiteral("DtDesde");
inline const QString kHasta = QStringLiteral("DtHasta");
inline const QString kCalcular = QStringLiteral("CmdCalcular");
inline const QString kResumen = QStringLiteral("LblResumen");
inline const QString kPreguntas = QStringLiteral("LvPreguntas");
inline const QString kGrafico = QStringLiteral("GraficoTeclas");
inline const QString kCerrar = QStringLiteral("CmdCerrar");
} // namespace nombres::frmEstadisticas
