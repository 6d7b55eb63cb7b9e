#pragma once
// A monotonic clock read as milliseconds since it was started; the session's
// waits take one so tests can run a whole question without waiting for it.

#include <QElapsedTimer>
#include <QtGlobal>

class Reloj {
public:
    virtual ~Reloj() = default;
    virtual qint64 milisegundos() const = 0;
};

// The real clock: immune to changes of the wall clock and to midnight.
class RelojMonotono : public Reloj {
public:
    RelojMonotono() { inicio_.start(); }
    qint64 milisegundos() const override { return inicio_.elapsed(); }

private:
    QElapsedTimer inicio_;
};
