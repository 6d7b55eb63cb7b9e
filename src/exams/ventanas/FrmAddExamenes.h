#pragma once
// The exam editor: creates an exam or modifies the given one. All editing
// happens in memory (EdicionExamen); "Aceptar" stores it in one go.

#include "exams/EdicionExamen.h"

#include <QDialog>
#include <optional>

#include <memory>

class De1;
class QModelIndex;
class ModeloPreguntas;
class ModeloRespuestas;
namespace Ui {
class FrmAddExamenes;
}

// The office's exam editor modes 1 and 2.
enum class ModoExamen { Nuevo = 1, Modificar = 2 };

class FrmAddExamenes : public QDialog {
    Q_OBJECT
public:
    FrmAddExamenes(De1& de1, ModoExamen modo, std::optional<qint32> codigoExamen,
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

    std::unique_ptr<Ui::FrmAddExamenes> ui_; // the controls, laid out in FrmAddExamenes.ui
    De1& de1_;
    std::optional<qint32> codigoExamen_;
    std::optional<qint32> codigoGuardado_;
    EdicionExamen edicion_;
    bool sincronizando_ = false;

    ModeloPreguntas* modeloPreguntas_ = nullptr;
    ModeloRespuestas* modeloRespuestas_ = nullptr;
};
