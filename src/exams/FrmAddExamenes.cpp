#include "exams/FrmAddExamenes.h"

FrmAddExamenes::FrmAddExamenes(De1& de1, int modo, std::optional<qint32> codigoExamen,
                               QWidget* parent)
    : QDialog(parent), de1_(de1), modo_(modo), codigoExamen_(codigoExamen) {
    setObjectName(QStringLiteral("FrmAddExamenes"));
    setWindowTitle(QStringLiteral("Agregar examenes"));
}
