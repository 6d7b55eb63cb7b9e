#pragma once
// The exam editor: mode 1 creates an exam, mode 2 modifies the given one. All
// editing happens in memory (EdicionExamen); "Aceptar" stores it in one go.

#include "exams/EdicionExamen.h"

#include <QDialog>
#include <optional>

class De1;
class QCheckBox;
class QLabel;
class QLineEdit;
class QModelIndex;
class QPushButton;
class QTreeView;
class ModeloPreguntas;
class ModeloRespuestas;

class FrmAddExamenes : public QDialog {
    Q_OBJECT
public:
    FrmAddExamenes(De1& de1, int modo, std::optional<qint32> codigoExamen,
                   QWidget* parent = nullptr);
    ~FrmAddExamenes() override;

    // The code of the exam stored by "Aceptar" (empty until then).
    std::optional<qint32> codigoGuardado() const { return codigoGuardado_; }
    const EdicionExamen& edicion() const { return edicion_; }

private:
    void construir();
    void cargar();

    void preguntaElegida(const QModelIndex& actual);
    void respuestaElegida(const QModelIndex& actual);
    // Shows the selected question as on a click: text, picture and its answers.
    void mostrarPregunta();
    // Refill a list from the state and select there what the state selects.
    void refrescarPreguntas();
    void refrescarRespuestas();

    void agregarPregunta();
    void corregirPregunta();
    void quitarPregunta();
    void agregarRespuesta();
    void corregirRespuesta();
    void quitarRespuesta();
    void elegirFoto();
    void aceptar();

    // The message of an edit that was refused; false when there was none.
    bool avisar(EdicionExamen::Resultado r, const QString& titulo, bool esPregunta, bool quitar,
                QWidget* campo);

    De1& de1_;
    int modo_;
    std::optional<qint32> codigoExamen_;
    std::optional<qint32> codigoGuardado_;
    EdicionExamen edicion_;
    bool sincronizando_ = false;

    ModeloPreguntas* modeloPreguntas_ = nullptr;
    ModeloRespuestas* modeloRespuestas_ = nullptr;
    QLineEdit* txtDescripcion_ = nullptr;
    QTreeView* lvPreguntas_ = nullptr;
    QLineEdit* txtPregunta_ = nullptr;
    QLabel* picFoto_ = nullptr;
    QPushButton* command7_ = nullptr;
    QTreeView* lvRespuestas_ = nullptr;
    QLineEdit* txtRespuesta_ = nullptr;
    QCheckBox* check1_ = nullptr;
    QPushButton* cmdAceptar_ = nullptr;
};
