#pragma once
// The exam editor: mode 1 creates an exam, mode 2 modifies the given one.

#include <QDialog>
#include <optional>

class De1;

class FrmAddExamenes : public QDialog {
    Q_OBJECT
public:
    FrmAddExamenes(De1& de1, int modo, std::optional<qint32> codigoExamen,
                   QWidget* parent = nullptr);

private:
    De1& de1_;
    int modo_;
    std::optional<qint32> codigoExamen_;
};
