#pragma once
// The live answer grid without its window: which examinees have sent a key for
// the question on screen. It never holds the key itself, so nothing fed from it
// can show the room an answer.

#include <QList>
#include <QObject>

class TableroRespuestas : public QObject {
    Q_OBJECT
public:
    explicit TableroRespuestas(int evaluados = 0, QObject* padre = nullptr);

    // A new roster: nobody has answered, no question is on screen.
    void fijarEvaluados(int evaluados);
    // The question on screen changed: every cell goes dark.
    void nuevaPregunta(int pregunta);
    // A key of the examinee arrived for `pregunta`; keys for any other question
    // than the one on screen change nothing.
    void registrarTecla(int evaluado, int pregunta);
    // The office allows ending a question once everyone has answered.
    void permitirSiguiente(bool si);

    int total() const { return int(respondio_.size()); }
    int respondidos() const { return respondidos_; }
    bool respondio(int evaluado) const;
    int pregunta() const { return pregunta_; }
    bool todosRespondieron() const { return total() > 0 && respondidos_ == total(); }
    // "Siguiente pregunta" may end the question on screen.
    bool siguienteDisponible() const { return permitido_ && pregunta_ >= 0 && todosRespondieron(); }

Q_SIGNALS:
    void encendido(int evaluado);
    void reiniciado();
    // After every change of the counts or of what "Siguiente pregunta" may do.
    void cambiado();

private:
    QList<bool> respondio_;
    int respondidos_ = 0;
    int pregunta_ = -1;
    bool permitido_ = false;
};
