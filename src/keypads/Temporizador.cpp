#include "keypads/Temporizador.h"

#include <QTimer>

TemporizadorQt::TemporizadorQt() : timer_(new QTimer) {
    timer_->setSingleShot(true);
    timer_->setTimerType(Qt::PreciseTimer);
    QObject::connect(timer_, &QTimer::timeout, [this] {
        // The action may schedule the next call, so it is moved out first.
        auto accion = std::move(accion_);
        accion_ = nullptr;
        if (accion)
            accion();
    });
}

TemporizadorQt::~TemporizadorQt() {
    delete timer_;
}

void TemporizadorQt::programar(int ms, std::function<void()> accion) {
    accion_ = std::move(accion);
    timer_->start(ms);
}

void TemporizadorQt::cancelar() {
    timer_->stop();
    accion_ = nullptr;
}

bool TemporizadorQt::pendiente() const {
    return timer_->isActive();
}
