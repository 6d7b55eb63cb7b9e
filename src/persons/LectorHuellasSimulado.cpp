#include "persons/LectorHuellasSimulado.h"

#include <QtMath>
#include <cmath>

namespace {
constexpr int kAperturaMs = 100;
}

LectorHuellasSimulado::LectorHuellasSimulado(int dedoTrasMs, QObject* parent)
    : LectorHuellas(parent), dedoTrasMs_(dedoTrasMs) {
    apertura_.setSingleShot(true);
    dedo_.setSingleShot(true);
    connect(&apertura_, &QTimer::timeout, this, &LectorHuellasSimulado::abierto);
    connect(&dedo_, &QTimer::timeout, this, qOverload<>(&LectorHuellasSimulado::ponerDedo));
}

void LectorHuellasSimulado::iniciar() {
    activa_ = true;
    esperando_ = false;
    dedo_.stop();
    apertura_.start(kAperturaMs);
}

void LectorHuellasSimulado::detener() {
    activa_ = false;
    esperando_ = false;
    apertura_.stop();
    dedo_.stop();
}

void LectorHuellasSimulado::abierto() {
    if (!activa_)
        return;
    if (!falla_.isEmpty()) {
        activa_ = false;
        Q_EMIT fallo(falla_);
        return;
    }
    esperando_ = true;
    if (dedoTrasMs_ >= 0)
        dedo_.start(dedoTrasMs_);
    Q_EMIT esperandoDedo();
}

void LectorHuellasSimulado::ponerDedo() {
    ponerDedo(huellaSintetica());
}

void LectorHuellasSimulado::ponerDedo(const QImage& dedo) {
    if (!esperando_)
        return;
    activa_ = false;
    esperando_ = false;
    dedo_.stop();
    Q_EMIT capturada(dedo);
}

QImage huellaSintetica(QSize tamano) {
    QImage img(tamano, QImage::Format_Grayscale8);
    const double cx = tamano.width() / 2.0;
    const double cy = tamano.height() / 2.0;
    const double rx = tamano.width() * 0.42;
    const double ry = tamano.height() * 0.45;
    constexpr double kPeriodo = 9.0;
    for (int y = 0; y < tamano.height(); ++y) {
        uchar* fila = img.scanLine(y);
        for (int x = 0; x < tamano.width(); ++x) {
            const double dx = x - cx;
            const double dy = y - cy;
            if ((dx * dx) / (rx * rx) + (dy * dy) / (ry * ry) > 1.0) {
                fila[x] = 230;
                continue;
            }
            // A spiral: the ridge phase grows with the radius and turns once around the core.
            const double fase = std::hypot(dx, dy) / kPeriodo + std::atan2(dy, dx) / (2 * M_PI);
            fila[x] = std::sin(2 * M_PI * fase) > 0 ? 40 : 220;
        }
    }
    return img;
}
