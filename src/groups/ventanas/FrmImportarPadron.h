#pragma once
// The preview of a roster import: every row of the file with what will become
// of it (a new person, a person already stored, already a member, or left out
// and why). "Importar" writes it all in one transaction.

#include "groups/Grupo.h"
#include "groups/ImportacionPadron.h"
#include "groups/Planilla.h"

#include <QDialog>

class De1;
class QComboBox;
class QLabel;
class QPushButton;
class QStandardItemModel;
class QTableView;

class FrmImportarPadron : public QDialog {
    Q_OBJECT
public:
    FrmImportarPadron(De1& de1, const Grupo& grupo, Planilla planilla, const QString& archivo,
                      QWidget* parent = nullptr);

    const PlanImportacion& plan() const { return plan_; }
    // What the import wrote (after "Importar" succeeded).
    const ResultadoImportacion& resultado() const { return resultado_; }
    // False (after a message) when the file cannot be imported at all.
    bool valido() const { return valido_; }

private:
    void preparar();
    void importar();

    De1& de1_;
    Grupo grupo_;
    Planilla planilla_;
    PlanImportacion plan_;
    ResultadoImportacion resultado_;
    bool valido_ = false;
    QComboBox* comboTipo_ = nullptr;
    QLabel* lblTipo_ = nullptr;
    QLabel* lblResumen_ = nullptr;
    QTableView* lvFilas_ = nullptr;
    QStandardItemModel* modelo_ = nullptr;
    QPushButton* cmdImportar_ = nullptr;
};
