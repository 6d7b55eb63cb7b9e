#pragma once
// Item statistics: per question the share of correct answers, the
// discrimination index and how the keys were spread (a bar chart), questions
// nobody or everybody got right marked; of one examination, or of every
// examination of its exam within a period.

#include "session/ResultadosExamen.h"

#include <QDialog>

class De1;
class QBarSeries;
class QBarCategoryAxis;
class QChart;
class QChartView;
class QDateEdit;
class QLabel;
class QRadioButton;
class QStandardItemModel;
class QTableView;
class QValueAxis;

class FrmEstadisticas : public QDialog {
    Q_OBJECT
public:
    FrmEstadisticas(De1& de1, const Examinacion& examinacion, QWidget* parent = nullptr);

    const EstadisticasItems& estadisticas() const { return estadisticas_; }
    // Recomputes for the choice on screen; false (with a message) on a database error.
    bool calcular();
    // Shows the spread of keys of the row's question in the chart.
    void mostrarGrafico(int fila);

private:
    De1& de1_;
    Examinacion examinacion_;
    EstadisticasItems estadisticas_;
    QRadioButton* optEsta_ = nullptr;
    QRadioButton* optPeriodo_ = nullptr;
    QDateEdit* dtDesde_ = nullptr;
    QDateEdit* dtHasta_ = nullptr;
    QLabel* lblResumen_ = nullptr;
    QTableView* lvPreguntas_ = nullptr;
    QStandardItemModel* modelo_ = nullptr;
    QChart* grafico_ = nullptr;
    QChartView* vistaGrafico_ = nullptr;
};
