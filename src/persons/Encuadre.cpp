#include "persons/Encuadre.h"

#include "app/Texto.h"

#include <QPainter>

namespace {

int entero(double v) {
    return static_cast<int>(texto::RedondearPar(v));
}

} // namespace

QSizeF Encuadre::marcoInicial(Tipo tipo) {
    return tipo == Tipo::Foto ? QSizeF(4000, 4000) : QSizeF(3500, 2000);
}

Encuadre::Encuadre(Tipo tipo, QSize imagenPixeles)
    : tipo_(tipo), imagen_(aTwips(imagenPixeles.width()), aTwips(imagenPixeles.height())),
      marco_(QPointF(0, 0), marcoInicial(tipo)) {}

bool Encuadre::dentro(const QRectF& r) const {
    return r.left() >= kMargen && r.top() >= kMargen &&
           r.left() + r.width() <= imagen_.width() - kMargen &&
           r.top() + r.height() <= imagen_.height() - kMargen;
}

bool Encuadre::crecer() {
    QRectF nuevo = marco_;
    if (tipo_ == Tipo::Foto) {
        nuevo.setRect(marco_.left() - 4, marco_.top() - 4, marco_.width() + 8, marco_.height() + 8);
    } else {
        nuevo.setRect(marco_.left() - marco_.width() * 0.01 / 2,
                      marco_.top() - marco_.height() * 0.01 / 2, marco_.width() * 1.01,
                      marco_.height() * 1.01);
    }
    if (!dentro(nuevo))
        return false;
    marco_ = nuevo;
    return true;
}

bool Encuadre::achicar() {
    if (marco_.width() < kAnchoMinimo)
        return false;
    QRectF nuevo;
    if (tipo_ == Tipo::Foto) {
        nuevo.setRect(marco_.left() + 4, marco_.top() + 4, marco_.width() - 8, marco_.height() - 8);
    } else {
        nuevo.setRect(marco_.left() + marco_.width() * 0.01 / 2,
                      marco_.top() + marco_.height() * 0.01 / 2, marco_.width() * 0.99,
                      marco_.height() * 0.99);
    }
    if (nuevo.width() <= 0 || nuevo.height() <= 0)
        return false;
    marco_ = nuevo;
    return true;
}

bool Encuadre::mover(Direccion direccion, bool rapido) {
    const double paso = rapido ? kPasoRapido : kPasoLento;
    QRectF nuevo = marco_;
    bool valido = false;
    // Only the edge that moves is held back, so a frame dragged past one side
    // can still be brought back by the keys.
    switch (direccion) {
    case Direccion::Izquierda:
        nuevo.translate(-paso, 0);
        valido = nuevo.left() >= kMargen;
        break;
    case Direccion::Arriba:
        nuevo.translate(0, -paso);
        valido = nuevo.top() >= kMargen;
        break;
    case Direccion::Derecha:
        nuevo.translate(paso, 0);
        valido = nuevo.left() + nuevo.width() <= imagen_.width() - kMargen;
        break;
    case Direccion::Abajo:
        nuevo.translate(0, paso);
        valido = nuevo.top() + nuevo.height() <= imagen_.height() - kMargen;
        break;
    }
    if (!valido)
        return false;
    marco_ = nuevo;
    return true;
}

bool Encuadre::contiene(QPointF p) const {
    return p.x() >= marco_.left() && p.x() <= marco_.left() + marco_.width() &&
           p.y() >= marco_.top() && p.y() <= marco_.top() + marco_.height();
}

std::array<QRectF, 8> Encuadre::manijas() const {
    const double l = marco_.left();
    const double t = marco_.top();
    const double r = l + marco_.width();
    const double b = t + marco_.height();
    const double cx = (l + r) / 2;
    const double cy = (t + b) / 2;
    const auto en = [](double x, double y) {
        return QRectF(x - kManija / 2, y - kManija / 2, kManija, kManija);
    };
    return {en(l, t), en(cx, t), en(r, t), en(r, cy), en(r, b), en(cx, b), en(l, b), en(l, cy)};
}

QRect Encuadre::rectPixeles() const {
    return QRect(entero(aPixeles(marco_.left())), entero(aPixeles(marco_.top())),
                 entero(aPixeles(marco_.width())), entero(aPixeles(marco_.height())));
}

QImage Encuadre::recortar(const QImage& fuente, const QColor& fondo) const {
    const QRect r = rectPixeles();
    if (r.width() <= 0 || r.height() <= 0)
        return QImage();
    QImage resultado(r.size(), QImage::Format_RGB32);
    resultado.fill(fondo);
    QPainter p(&resultado);
    p.setCompositionMode(QPainter::CompositionMode_Source);
    p.drawImage(QPoint(-r.left(), -r.top()), fuente);
    return resultado;
}

Encuadre::Rango Encuadre::rangoBarra(double extensionImagen, double extensionVista) {
    return {50, entero(-((extensionImagen - extensionVista + 1000) / 10))};
}
