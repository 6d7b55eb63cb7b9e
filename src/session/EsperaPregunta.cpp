#include "session/EsperaPregunta.h"

#include "session/Reloj.h"

#include <cmath>

EsperaPregunta::EsperaPregunta(Reloj& reloj, QObject* padre) : QObject(padre), reloj_(&reloj) {
    timer_.setSingleShot(true);
    timer_.setTimerType(Qt::PreciseTimer);
    connect(&timer_, &QTimer::timeout, this, &EsperaPregunta::actualizar);
}

double EsperaPregunta::limiteEfectivo(double limite) {
    // Such a limit would never let the question end.
    if (!std::isfinite(limite) || limite <= 0)
        return kLimitePredeterminado;
    return limite;
}

void EsperaPregunta::iniciar(double limiteSegundos) {
    limite_ = limiteEfectivo(limiteSegundos);
    activa_ = true;
    reinicios_ = 0;
    inicioMs_ = reloj_->milisegundos();
    cuenta_ = 0;
    actualizar();
}

double EsperaPregunta::transcurrido() const {
    return double(reloj_->milisegundos() - inicioMs_) / 1000.0;
}

void EsperaPregunta::actualizar() {
    if (!activa_)
        return;
    const double t = transcurrido();
    if (limite_ < t) {
        // Running out of time always ends the question, whatever was last shown.
        terminar();
        return;
    }
    // At the very start the formula gives one more than the limit: show the limit.
    const double restante = limite_ - t;
    const qint64 cuenta =
        std::min<qint64>(qint64(std::floor(restante)) + 1, qint64(std::ceil(limite_)));
    if (cuenta != cuenta_) {
        cuenta_ = cuenta;
        Q_EMIT cuentaCambiada(cuenta_);
    }
    programar();
}

void EsperaPregunta::programar() {
    // Wake up just after the countdown changes or the limit passes, not before:
    // the wait costs a handful of timer events per second.
    const double restante = limite_ - transcurrido();
    double hastaCambio = restante - std::floor(restante);
    if (hastaCambio <= 0)
        hastaCambio = restante > 0 ? 1.0 : 0.0;
    const int ms = int(std::ceil(hastaCambio * 1000.0)) + 1;
    timer_.start(std::clamp(ms, 1, 1001));
}

void EsperaPregunta::pulsarEspacio() {
    if (!activa_)
        return;
    actualizar();
    if (!activa_)
        return;
    if (limite_ <= double(cuenta_)) {
        // Still within the first second: the question was just shown, start over.
        ++reinicios_;
        inicioMs_ = reloj_->milisegundos();
        actualizar();
        return;
    }
    terminar();
}

void EsperaPregunta::concluir() {
    if (activa_)
        terminar();
}

void EsperaPregunta::detener() {
    activa_ = false;
    timer_.stop();
}

void EsperaPregunta::terminar() {
    detener();
    Q_EMIT terminada();
}
