#include "persons/CapturaHuella.h"

#include "persons/AlmacenImagenes.h"
#include "persons/ArchivoTrabajo.h"
#include "persons/LectorHuellas.h"

#include <QPainter>

QImage dibujarHuella(const QImage& dedo, QSize caja) {
    QImage dibujo(caja, QImage::Format_RGB32);
    dibujo.fill(Qt::white);
    if (dedo.isNull() || caja.isEmpty())
        return dibujo;
    const QSize tamano = dedo.size().scaled(caja, Qt::KeepAspectRatio);
    const QRect destino(
        QPoint((caja.width() - tamano.width()) / 2, (caja.height() - tamano.height()) / 2), tamano);
    QPainter p(&dibujo);
    p.setRenderHint(QPainter::SmoothPixmapTransform);
    p.drawImage(destino, dedo);
    return dibujo;
}

CapturaHuella::CapturaHuella(LectorHuellas& lector, QSize caja, QObject* parent)
    : QObject(parent), lector_(lector), caja_(caja) {
    reloj_.setSingleShot(true);
    reloj_.setTimerType(Qt::PreciseTimer);
    connect(&lector_, &LectorHuellas::capturada, this, &CapturaHuella::alCapturar);
    connect(&lector_, &LectorHuellas::fallo, this, &CapturaHuella::alFallar);
}

CapturaHuella::~CapturaHuella() {
    if (estado_ == Estado::Esperando)
        lector_.detener();
}

void CapturaHuella::iniciar() {
    if (estado_ != Estado::Inactiva)
        return;
    estado_ = Estado::Esperando;
    intento_ = 0;
    disconnect(&reloj_, nullptr, this, nullptr);
    connect(&reloj_, &QTimer::timeout, this, &CapturaHuella::siguienteIntento);
    lector_.iniciar();
    siguienteIntento();
}

// Each attempt: red at its start, dark red after the pause, red again after the
// waits, when the next attempt starts.
void CapturaHuella::siguienteIntento() {
    if (oscuroPendiente_) {
        oscuroPendiente_ = false;
        fijarLampara(kRojoOscuro);
        reloj_.start(tiempos_.esperaMs);
        return;
    }
    fijarLampara(kRojo);
    if (intento_ >= tiempos_.intentos) {
        // No finger in time.
        lector_.detener();
        terminar(false);
        return;
    }
    ++intento_;
    oscuroPendiente_ = true;
    reloj_.start(tiempos_.pausaMs);
}

void CapturaHuella::cancelar() {
    if (estado_ != Estado::Esperando && estado_ != Estado::Inactiva)
        return;
    reloj_.stop();
    lector_.detener();
    terminar(false);
}

void CapturaHuella::alFallar(const QString& mensaje) {
    if (estado_ != Estado::Esperando)
        return;
    qWarning("Lector de huellas: %s", qPrintable(mensaje));
    Q_EMIT errorLector();
}

void CapturaHuella::alCapturar(const QImage& dedo) {
    if (estado_ != Estado::Esperando)
        return;
    estado_ = Estado::Procesando;
    reloj_.stop();
    const QImage dibujo = dibujarHuella(dedo, caja_);
    Q_EMIT huellaDibujada(dibujo);
    // The file is written before the feedback, which only shows that it is done.
    const QString error =
        guardarArchivoTrabajo(dibujo, almacen::archivoTrabajo(almacen::TipoImagen::Huella), "BMP");
    if (!error.isEmpty()) {
        Q_EMIT errorArchivo(error);
        terminar(false);
        return;
    }
    parpadeos_ = 0;
    disconnect(&reloj_, nullptr, this, nullptr);
    connect(&reloj_, &QTimer::timeout, this, &CapturaHuella::parpadear);
    parpadear();
}

void CapturaHuella::parpadear() {
    const int total = tiempos_.parpadeosLentos + tiempos_.parpadeosRapidos;
    if (parpadeos_ >= total) {
        terminar(true);
        return;
    }
    fijarLampara(lampara_ == kRojo ? kRojoOscuro : kRojo);
    ++parpadeos_;
    reloj_.start(parpadeos_ <= tiempos_.parpadeosLentos ? tiempos_.parpadeoLentoMs
                                                        : tiempos_.parpadeoRapidoMs);
}

void CapturaHuella::terminar(bool conArchivo) {
    reloj_.stop();
    estado_ = Estado::Terminada;
    Q_EMIT terminada(conArchivo);
}

void CapturaHuella::fijarLampara(const QColor& color) {
    if (color == lampara_)
        return;
    lampara_ = color;
    Q_EMIT lampara(color);
}
