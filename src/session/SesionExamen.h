#pragma once
// One exam session without its window: the questions of the selected test run
// one after another, each with its wait; the receiver's answer reports fill the
// answer matrix for the question on screen.

#include "session/EsperaPregunta.h"
#include "session/MatrizRespuestas.h"
#include "session/PreguntasExamen.h"

#include <QList>
#include <QObject>

class De1;
class DiarioSesion;
class Reloj;
struct LecturaDiario;

class SesionExamen : public QObject {
    Q_OBJECT
public:
    enum class Estado { Lista, EnPregunta, Terminada, Cancelada };

    SesionExamen(De1& de1, Reloj& reloj, QObject* padre = nullptr);

    // Starts the exam for the roster (CodigoPersona in roster order): reads the
    // questions and their answers once, empties the matrix and shows the first
    // question. On a refusal returns the message to show and stays ready.
    // Throws ErrorBD when the questions cannot be read.
    QString iniciar(qint32 examen, const QList<qint32>& personas);

    // Goes on with a session a journal recorded: the same exam and roster, the
    // matrix rebuilt from its reports (decoded as they were when received), at the
    // question that was running with its countdown started again, or at the next
    // one when it had ended (storing straight away after the last). Reports for
    // questions the exam no longer has are left out. Throws ErrorBD.
    QString reanudar(const LecturaDiario& lectura);
    // Every report accepted is appended to the journal before it is applied, and
    // each question shown and ended is recorded; null for none. Not owned.
    void usarDiario(DiarioSesion* diario) { diario_ = diario; }

    // Space: ends the wait on the question on screen (see EsperaPregunta).
    void espacio();
    // "Siguiente pregunta": ends the question on screen at once, as its time
    // running out does. The caller decides whether the office allows it.
    void terminarPregunta();
    // One answer report (56 bytes, byte 0 the report ID). Ignored unless a
    // question is on screen.
    void recibirReporte(const QByteArray& reporte);
    // Abandons the session: nothing more is shown, nothing is to be stored.
    void cancelar();

    Estado estado() const { return estado_; }
    qint32 examen() const { return examen_; }
    const QList<qint32>& personas() const { return personas_; }
    const QList<PreguntaExamen>& preguntas() const { return preguntas_; }
    const MatrizRespuestas& matriz() const { return matriz_; }
    // 0-based question on screen; -1 before the first one.
    int preguntaActual() const { return actual_; }
    // Keys written into the matrix during this session.
    qint64 teclasRecibidas() const { return teclas_; }
    EsperaPregunta& espera() { return espera_; }

Q_SIGNALS:
    void preguntaMostrada(int pregunta);
    void preguntaTerminada(int pregunta);
    // Each key of a report, in keypad order: examinee and question 0-based.
    void teclaRecibida(int evaluado, int pregunta, QChar tecla);
    // The last question is over (or the exam has none): time to score and store.
    void examenTerminado();

public:
    // The matrix a journal's reports give for an exam of `preguntas` questions.
    // `teclas`, when given, counts the keys written.
    static MatrizRespuestas matrizDelDiario(const LecturaDiario& lectura, int preguntas,
                                            qint64* teclas = nullptr);

private:
    // Writes a report's keys into the matrix for that question; returns them.
    static QList<std::pair<int, char>> aplicar(MatrizRespuestas& matriz, int evaluados,
                                               int pregunta, const QByteArray& reporte,
                                               qint64* teclas);
    void mostrar(int pregunta);
    void alTerminarEspera();

    De1& de1_;
    EsperaPregunta espera_;
    Estado estado_ = Estado::Lista;
    qint32 examen_ = 0;
    QList<qint32> personas_;
    QList<PreguntaExamen> preguntas_;
    MatrizRespuestas matriz_;
    int actual_ = -1;
    qint64 teclas_ = 0;
    DiarioSesion* diario_ = nullptr;
};
