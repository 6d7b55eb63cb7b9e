#pragma once
// A fingerprint reader without hardware, for the demo and the window tests: it
// opens after a short pause like a real one, and a finger is put on it by hand
// (`ponerDedo`) or by itself a while after each start.

#include "persons/LectorHuellas.h"

#include <QTimer>

class LectorHuellasSimulado : public LectorHuellas {
    Q_OBJECT
public:
    // With `dedoTrasMs` >= 0 a finger is put on the reader that long after it
    // starts waiting.
    explicit LectorHuellasSimulado(int dedoTrasMs = -1, QObject* parent = nullptr);

    void iniciar() override;
    void detener() override;

    // True while a session waits for a finger.
    bool esperando() const { return esperando_; }
    // Puts a finger on the reader: reported when a session is waiting.
    void ponerDedo(const QImage& dedo);
    void ponerDedo();
    // The next sessions fail with the driver message (empty text: they work again).
    void fallarCon(const QString& mensaje) { falla_ = mensaje; }

private:
    void abierto();

    QTimer apertura_;
    QTimer dedo_;
    int dedoTrasMs_;
    bool activa_ = false;
    bool esperando_ = false;
    QString falla_;
};

// A synthetic finger: a whorl of dark ridges about 9 pixels apart on a light
// oval, which the readers' minutiae step accepts.
QImage huellaSintetica(QSize tamano = QSize(256, 360));
