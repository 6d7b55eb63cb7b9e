#pragma once
// The exam session window: Space starts the selected test for the listed
// examinees; each question is shown with its picture, answers and countdown
// while the keypads' answers arrive; after the last one every examinee is
// scored and stored, and the window closes. It is the room's view, full screen
// on the projector, in type read from the back of the room; the operator
// follows the session on its console (FrmConsola) on the other screen.

#include "groups/Seleccion.h"
#include "session/RegistroRespuestas.h"

#include <QDialog>
#include <QImage>
#include <QList>
#include <functional>
#include <memory>
#include <optional>

class De1;
class LecturaEnVoz;
class FrmConsola;
class DiarioSesion;
class QLabel;
class QProgressBar;
class QPushButton;
class QScreen;
class QVBoxLayout;
class Receptor;
class Reloj;
class SesionExamen;
class TableroRespuestas;
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

    // The screens the room's windows go to (the system's by default); tests replace it.
    std::function<QList<QScreen*>()> pantallas;
    // Puts the view full screen on the projector and the console on the other
    // screen (see colocarSala); again whenever a screen comes or goes.
    void colocarEnSala();

    // Why questions cannot be read aloud on this workstation; empty when they can.

    // Tests run the questions on their own clock; call before the session starts.
    void usarReloj(Reloj& reloj);
    SesionExamen& sesion() { return *sesion_; }
    // The questions read aloud; tests give it a simulated reader.
    LecturaEnVoz& voz() { return *voz_; }
    FrmConsola& consola() { return *consola_; }
    TableroRespuestas& tablero() { return *tablero_; }

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
    void resizeEvent(QResizeEvent* e) override;
    bool eventFilter(QObject* objeto, QEvent* evento) override;

private:
    void construir();
    void ajustarTipografia();
    void escalarImagen();
    void pulsarEspacio();
    void siguientePregunta();
    void abrirOpciones();
    void leerOpciones();
    QWidget* operador();
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
    LecturaEnVoz* voz_ = nullptr;
    std::unique_ptr<TableroRespuestas> tablero_;
    FrmConsola* consola_ = nullptr;
    QImage imagen_;
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
