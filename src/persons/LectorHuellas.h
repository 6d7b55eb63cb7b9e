#pragma once
// The fingerprint reader: one small interface, a real reader on libfprint and a
// simulated one for the demo and the window tests.
//
// A session runs from `iniciar` until it reports a finger (`capturada`) or a
// failure (`fallo`), or until `detener`. Everything is reported on the interface
// thread, never from inside `iniciar` or `detener`.

#include <QImage>
#include <QObject>
#include <QString>

class LectorHuellas : public QObject {
    Q_OBJECT
public:
    using QObject::QObject;
    ~LectorHuellas() override = default;

    // Opens the first reader that can capture images and waits for a finger.
    virtual void iniciar() = 0;
    // Ends the session at once: nothing more is reported for it. The reader is
    // released in the background; a new session may start right away.
    virtual void detener() = 0;

Q_SIGNALS:
    // The reader is open and waiting for a finger.
    void esperandoDedo();
    // The finger as the reader saw it (8-bit grey). Ends the session.
    void capturada(const QImage& dedo);
    // No reader, a reader that cannot be opened or cannot capture, or one that
    // failed while capturing: the driver's own message. Ends the session.
    void fallo(const QString& mensaje);
};

// The reader the program uses: the simulated one when "Huellero" of "Control"
// reads "Simulado", else the real one. Made on first use, it lives as long as
// the application, so a reader still closing outlives the window that used it.
LectorHuellas& lectorHuellasCompartido();
// Tests install their own reader (nullptr goes back to the configured one).
void fijarLectorHuellasCompartido(LectorHuellas* lector);
