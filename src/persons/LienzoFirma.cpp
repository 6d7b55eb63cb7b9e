#include "persons/LienzoFirma.h"

#include <QLineF>
#include <QPainter>
#include <QtMath>
#include <algorithm>

namespace {

QPen pluma(qreal ancho) {
    return QPen(Qt::black, ancho, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
}

QRect cubrir(const QPointF& a, const QPointF& b, const QPointF& c, qreal ancho) {
    const qreal margen = ancho / 2 + 2;
    const qreal izq = std::min({a.x(), b.x(), c.x()}) - margen;
    const qreal der = std::max({a.x(), b.x(), c.x()}) + margen;
    const qreal arr = std::min({a.y(), b.y(), c.y()}) - margen;
    const qreal aba = std::max({a.y(), b.y(), c.y()}) + margen;
    return QRectF(QPointF(izq, arr), QPointF(der, aba)).toAlignedRect();
}

} // namespace

LienzoFirma::LienzoFirma(QSize tamano) {
    redimensionar(tamano);
}

void LienzoFirma::redimensionar(QSize tamano) {
    if (tamano == imagen_.size())
        return;
    QImage nueva(tamano.expandedTo(QSize(1, 1)), QImage::Format_RGB32);
    nueva.fill(Qt::white);
    if (!imagen_.isNull()) {
        QPainter p(&nueva);
        p.drawImage(0, 0, imagen_);
    }
    imagen_ = nueva;
}

void LienzoFirma::limpiar() {
    imagen_.fill(Qt::white);
    trazando_ = false;
    muestras_ = 0;
}

qreal LienzoFirma::anchoPara(qreal presion) const {
    if (presion < 0)
        return ancho_;
    return std::max<qreal>(1, ancho_ * (0.5 + std::clamp<qreal>(presion, 0, 1)));
}

QRect LienzoFirma::empezar(QPointF p, qreal presion) {
    ++muestras_;
    trazando_ = true;
    movido_ = false;
    ancla_ = anterior_ = Muestra{p, anchoPara(presion)};
    return QRect();
}

QRect LienzoFirma::mover(QPointF p, qreal presion) {
    if (!trazando_)
        return QRect();
    ++muestras_;
    const Muestra nueva{p, anchoPara(presion)};
    // Samples closer than a pixel only refine the width.
    if (QLineF(anterior_.punto, p).length() < 1.0) {
        anterior_.ancho = nueva.ancho;
        return QRect();
    }
    movido_ = true;
    const Muestra medio{(anterior_.punto + p) / 2, (anterior_.ancho + nueva.ancho) / 2};
    const QRect area = curva(ancla_, anterior_.punto, medio);
    ancla_ = medio;
    anterior_ = nueva;
    return area;
}

QRect LienzoFirma::terminar() {
    if (!trazando_)
        return QRect();
    trazando_ = false;
    // A touch without movement leaves a dot, as a pen does.
    if (!movido_)
        return punto(anterior_);
    return curva(ancla_, (ancla_.punto + anterior_.punto) / 2, anterior_);
}

void LienzoFirma::dibujarPendiente(QPainter& p) const {
    if (!trazando_)
        return;
    p.setRenderHint(QPainter::Antialiasing);
    if (!movido_) {
        p.setPen(Qt::NoPen);
        p.setBrush(Qt::black);
        p.drawEllipse(anterior_.punto, anterior_.ancho / 2, anterior_.ancho / 2);
        return;
    }
    p.setPen(pluma((ancla_.ancho + anterior_.ancho) / 2));
    p.drawLine(ancla_.punto, anterior_.punto);
}

QRect LienzoFirma::areaPendiente() const {
    if (!trazando_)
        return QRect();
    return cubrir(ancla_.punto, anterior_.punto, anterior_.punto,
                  std::max(ancla_.ancho, anterior_.ancho));
}

// The curve is cut into pieces of about a pixel and a half, each drawn with the
// width interpolated along it, so pressure changes show as a smooth swelling.
QRect LienzoFirma::curva(const Muestra& desde, const QPointF& control, const Muestra& hasta) {
    const qreal largo =
        QLineF(desde.punto, control).length() + QLineF(control, hasta.punto).length();
    const int piezas = std::max(1, qCeil(largo / 1.5));
    QPainter p(&imagen_);
    p.setRenderHint(QPainter::Antialiasing);
    QPointF previo = desde.punto;
    for (int i = 1; i <= piezas; ++i) {
        const qreal t = qreal(i) / piezas;
        const qreal u = 1 - t;
        const QPointF actual = u * u * desde.punto + 2 * u * t * control + t * t * hasta.punto;
        const qreal tm = (qreal(i) - 0.5) / piezas;
        p.setPen(pluma(desde.ancho + (hasta.ancho - desde.ancho) * tm));
        p.drawLine(previo, actual);
        previo = actual;
    }
    return cubrir(desde.punto, control, hasta.punto, std::max(desde.ancho, hasta.ancho));
}

QRect LienzoFirma::punto(const Muestra& m) {
    QPainter p(&imagen_);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(Qt::NoPen);
    p.setBrush(Qt::black);
    p.drawEllipse(m.punto, m.ancho / 2, m.ancho / 2);
    return cubrir(m.punto, m.punto, m.punto, m.ancho);
}
