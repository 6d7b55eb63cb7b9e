#include "persons/ventanas/VistaCamara.h"

#include <QPainter>

VistaCamara::VistaCamara(QWidget* padre) : QWidget(padre) {
    setObjectName(QStringLiteral("Picture1"));
    setAccessibleName(QStringLiteral("Imagen de la cámara"));
    setAttribute(Qt::WA_OpaquePaintEvent);
    setMinimumSize(160, 120);
}

void VistaCamara::mostrar(const QImage& cuadro) {
    if (!activa_)
        return;
    const bool otroTamano = cuadro.size() != cuadro_.size();
    cuadro_ = cuadro;
    texto_.clear();
    nuevo_ = true;
    if (otroTamano)
        updateGeometry();
    update();
}

void VistaCamara::sinImagen(const QString& texto) {
    cuadro_ = QImage();
    texto_ = texto;
    update();
}

void VistaCamara::fijarEscala(bool escala) {
    escala_ = escala;
    update();
}

QSize VistaCamara::sizeHint() const {
    return cuadro_.isNull() ? QSize(320, 240) : cuadro_.size();
}

void VistaCamara::reiniciarCuenta() {
    pintados_ = 0;
    mayorIntervalo_ = 0;
    desdeUltimo_.invalidate();
}

void VistaCamara::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.fillRect(rect(), Qt::black);
    if (cuadro_.isNull()) {
        p.setPen(Qt::white);
        p.drawText(rect().adjusted(8, 8, -8, -8), Qt::AlignCenter | Qt::TextWordWrap, texto_);
        return;
    }
    if (escala_) {
        const QSize s = cuadro_.size().scaled(size(), Qt::KeepAspectRatio);
        const QRect destino(QPoint((width() - s.width()) / 2, (height() - s.height()) / 2), s);
        p.drawImage(destino, cuadro_);
    } else {
        p.drawImage(0, 0, cuadro_);
    }
    if (nuevo_) {
        nuevo_ = false;
        ++pintados_;
        if (desdeUltimo_.isValid())
            mayorIntervalo_ = std::max(mayorIntervalo_, desdeUltimo_.elapsed());
        desdeUltimo_.start();
    }
}
