#pragma once
// The results of an examination: per examinee the keypad, name, document,
// correct and incorrect answers, percentage, verdict and folder number, sorted
// and filtered at will, with the count and share of passes. From here the item
// statistics, the PDF reports and the exports. Shown after a session, and from
// the main window for any stored examination of the selected group.

#include "session/InformesExamen.h"
#include "session/ResultadosExamen.h"

#include <QDialog>
#include <functional>
#include <memory>
#include <optional>

class De1;
class ModeloResultados;
class FiltroResultados;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QTableView;

class FrmResultados : public QDialog {
    Q_OBJECT
public:
    // The group's examinations are offered; `sesion` (else the newest) is shown.
    FrmResultados(De1& de1, qint32 grupo, std::optional<qint64> sesion = std::nullopt,
                  QWidget* parent = nullptr);
    ~FrmResultados() override;

    // Opens a child window modally (preview, statistics); tests replace it.
    std::function<void(QDialog&)> abrirModal;

    const std::optional<Examinacion>& examinacion() const { return examinacion_; }
    const QList<ExaminacionListada>& examinaciones() const { return examinaciones_; }
    void mostrar(qint64 sesion);

private:
    void construir();
    void elegirExaminacion(int indice);
    void actualizarResumen();
    // The examinee on the selected row, as an index into the examination's list.
    std::optional<int> evaluadoSeleccionado() const;
    // The examination read again from the catalog; none (after a message) on failure.
    std::optional<Examinacion> releer();
    void estadisticas();
    void informeGrupo();
    void informeEvaluado();
    void informesTodos();
    void exportarCsv();
    void exportarXlsx();
    void vistaPrevia(std::function<std::unique_ptr<informes::Informe>()> generar,
                     const QString& titulo, const QString& archivo);
    QString nombreBase() const;

    De1& de1_;
    qint32 grupo_ = 0;
    QList<ExaminacionListada> examinaciones_;
    std::optional<Examinacion> examinacion_;
    ModeloResultados* modelo_ = nullptr;
    FiltroResultados* filtro_ = nullptr;
    QComboBox* comboExaminaciones_ = nullptr;
    QLabel* lblExaminacion_ = nullptr;
    QLineEdit* txtFiltro_ = nullptr;
    QComboBox* comboVeredicto_ = nullptr;
    QTableView* lvResultados_ = nullptr;
    QLabel* lblResumen_ = nullptr;
    QList<QPushButton*> acciones_;
};
