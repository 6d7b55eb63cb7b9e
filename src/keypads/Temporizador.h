#pragma once
// One pending timed call at a time: the keypad search's poll ticks and the pauses
// of the assignment sequence. Injected so tests can step time by hand.

#include <QObject>
#include <functional>

class QTimer;

class Temporizador {
public:
    virtual ~Temporizador() = default;
    // Calls `accion` once after `ms`, replacing any call still pending.
    virtual void programar(int ms, std::function<void()> accion) = 0;
    virtual void cancelar() = 0;
    virtual bool pendiente() const = 0;
};

// The real one, on a single-shot timer of the interface thread.
class TemporizadorQt : public Temporizador {
public:
    TemporizadorQt();
    ~TemporizadorQt() override;
    void programar(int ms, std::function<void()> accion) override;
    void cancelar() override;
    bool pendiente() const override;

private:
    QTimer* timer_;
    std::function<void()> accion_;
};
