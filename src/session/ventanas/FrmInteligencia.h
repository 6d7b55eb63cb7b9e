#pragma once
// The exam session window: Space starts the selected test for the listed
// examinees; each question is shown with its picture, answers and countdown
// while the keypads' answers arrive; after the last one every examinee is
// scored and stored, and the window closes.

#include "groups/Seleccion.h"
#include "session/RegistroRespuestas.h"

#include <QDialog>
#include <QList>
#include <functional>
#include <memory>
#include <optional>

class De1;
class DiarioSesion;
class QLabel;
class QProgressBar;
class QPushButton;
class QVBoxLayout;
class Receptor;
class Reloj;
class SesionExamen;
struct LecturaDiario;

class FrmInteligencia : public QDialog {
    Q_OBJECT
public:
    static inline const QString kTituloListo =
        QStringLiteral("PRESIONE LA BARRA ESPACIADORA PARA COMENZAR");
    static inline const QString kTituloExamen = QStringLiteral("FASE DE EXAMEN");
    static inline const QString kTituloGuardando = QStringLiteral("GUARDANDO REGISTROS...");

    // `responsable` is the operator's code, stored with each examination.
    FrmInteligencia(De1& de1, const Seleccion& seleccion, Receptor& receptor, qint32 responsable,
                    QWidget* parent = nullptr);
    ~FrmInteligencia() override;

    // Shows the stored examination once the session has closed (by default the
    // results window, modal to the main window); tests replace it.
    std::function<void(qint32 grupo, qint64 sesion)> mostrarResultados;

    // Tests run the questions on their own clock; call before the session starts.
    void usarReloj(Reloj& reloj);
    SesionExamen& sesion() { return *sesion_; }

    void done(int r) override;
    void reject() override;

    // Instead of Space: goes on with the session the journal at `ruta` recorded
    // (the selection given holds its group, exam and roster), at the question that
    // was running with its countdown started again, appending to the same journal,
    // and stores its results under the operator who started it. False, with the
    // reason shown, when it cannot.
    bool reanudar(const LecturaDiario& lectura, const QString& ruta);

protected:
    void keyPressEvent(QKeyEvent* e) override;
    void showEvent(QShowEvent* e) override;

private:
    void construir();
    void comenzar();
    void solicitarSalida();
    void mostrarPregunta(int pregunta);
    void terminarPregunta();
    void mostrarCuenta(qint64 cuenta);
    void alTerminarExamen();
    void guardar(const std::optional<QList<int>>& lugares);
    void mostrarEstadoReceptor(bool conectado);
    void liberar();
    void abrirDiario(qint32 examen, const QList<qint32>& personas);
    void vigilarDiario();
    void avisarDiario(const QString& texto);
    void eliminarDiario();

    De1& de1_;
    const Seleccion& seleccion_;
    Receptor& receptor_;
    qint32 responsable_;
    std::unique_ptr<Reloj> relojPropio_;
    std::unique_ptr<SesionExamen> sesion_;
    QList<Evaluado> evaluados_;
    SesionRegistrada registrada_;
    std::unique_ptr<DiarioSesion> diario_;
    bool abierto_ = false;
    bool confirmando_ = false;
    bool guardarPendiente_ = false;
    bool guardando_ = false;

    QLabel* lblTitulo_ = nullptr;
    QLabel* lblPregunta_ = nullptr;
    QLabel* imgPregunta_ = nullptr;
    QWidget* areaRespuestas_ = nullptr;
    QVBoxLayout* filasRespuestas_ = nullptr;
    QLabel* lblTiempo_ = nullptr;
    QProgressBar* shpTiempo_ = nullptr;
    QLabel* lblEstado_ = nullptr;
    QLabel* lblFabricante_ = nullptr;
    QLabel* lblCuestionario_ = nullptr;
    QPushButton* cmdVolver_ = nullptr;
};
