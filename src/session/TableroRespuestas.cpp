#include "session/TableroRespuestas.h"

TableroRespuestas::TableroRespuestas(int evaluados, QObject* padre) : QObject(padre) {
    fijarEvaluados(evaluados);
}

void TableroRespuestas::fijarEvaluados(int evaluados) {
    respondio_ = QList<bool>(std::max(evaluados, 0), false);
    respondidos_ = 0;
    pregunta_ = -1;
    Q_EMIT reiniciado();
    Q_EMIT cambiado();
}

void TableroRespuestas::nuevaPregunta(int pregunta) {
    respondio_.fill(false);
    respondidos_ = 0;
    pregunta_ = pregunta;
    Q_EMIT reiniciado();
    Q_EMIT cambiado();
}

void TableroRespuestas::registrarTecla(int evaluado, int pregunta) {
    // Only the question on screen lights the grid.
    if (pregunta != pregunta_ || evaluado < 0 || evaluado >= respondio_.size() ||
        respondio_.at(evaluado))
        return;
    respondio_[evaluado] = true;
    ++respondidos_;
    Q_EMIT encendido(evaluado);
    Q_EMIT cambiado();
}

void TableroRespuestas::permitirSiguiente(bool si) {
    if (permitido_ == si)
        return;
    permitido_ = si;
    Q_EMIT cambiado();
}

bool TableroRespuestas::respondio(int evaluado) const {
    return evaluado >= 0 && evaluado < respondio_.size() && respondio_.at(evaluado);
}
