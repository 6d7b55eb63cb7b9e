#pragma once
// The examinee card's parts by role.

#include <QString>

namespace nombres::fichaEvaluado {
inline const QString kFicha = QStringLiteral("FichaEvaluado");
inline const QString kFoto = QStringLiteral("ImgFoto");
inline const QString kNombre = QStringLiteral("LblNombre");
inline const QString kDocumento = QStringLiteral("LblDocumento");
} // namespace nombres::fichaEvaluado
