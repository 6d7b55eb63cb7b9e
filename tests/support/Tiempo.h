#pragma once
// Time the test moves by hand: a clock for the session's waits and a timer for
// the receiver protocol's polls and pauses.

#include "keypads/Temporizador.h"
#include "session/Reloj.h"

#include <QSet>
#include <functional>
#include <utility>

class RelojDePrueba : public Reloj {
public:
    qint64 milisegundos() const override { return ms; }
    void avanzar(qint64 d) { ms += d; }
    qint64 ms = 1000;
};

// Each step runs the one pending call; the waits asked for are recorded.
class TemporizadorManual : public Temporizador {
public:
    void programar(int ms, std::function<void()> a) override {
        esperas.insert(ms);
        accion = std::move(a);
    }
    void cancelar() override { accion = nullptr; }
    bool pendiente() const override { return static_cast<bool>(accion); }
    void avanzar(int pasos = 1) {
        for (int i = 0; i < pasos && accion; ++i)
            std::exchange(accion, nullptr)();
    }
    QSet<int> esperas;
    std::function<void()> accion;
};
