#include "app/Colocacion.h"

#include <algorithm>
#include <optional>

namespace {

enum class Lado { Derecha, Izquierda, Abajo, Arriba };

int acotar(int valor, int desde, int hasta) {
    return std::max(desde, std::min(valor, hasta));
}

// The companion on one side of `v`, as large as the room there allows.
std::optional<QRect> enLado(Lado lado, const QRect& v, const QSize& deseado, const QSize& minimo,
                            const QRect& area) {
    const int finX = area.x() + area.width();
    const int finY = area.y() + area.height();
    if (lado == Lado::Derecha || lado == Lado::Izquierda) {
        const int espacio = lado == Lado::Derecha ? finX - (v.x() + v.width()) : v.x() - area.x();
        const int alto = std::min(deseado.height(), area.height());
        if (espacio < minimo.width() || alto < minimo.height())
            return std::nullopt;
        const int ancho = std::min(deseado.width(), espacio);
        const int x = lado == Lado::Derecha ? v.x() + v.width() : v.x() - ancho;
        return QRect(x, acotar(v.y(), area.y(), finY - alto), ancho, alto);
    }
    const int espacio = lado == Lado::Abajo ? finY - (v.y() + v.height()) : v.y() - area.y();
    const int ancho = std::min(deseado.width(), area.width());
    if (espacio < minimo.height() || ancho < minimo.width())
        return std::nullopt;
    const int alto = std::min(deseado.height(), espacio);
    const int y = lado == Lado::Abajo ? v.y() + v.height() : v.y() - alto;
    return QRect(acotar(v.x(), area.x(), finX - ancho), y, ancho, alto);
}

qint64 superficie(const QRect& r) {
    return qint64(r.width()) * r.height();
}

} // namespace

Colocacion colocarAlLado(const QRect& ventana, const QSize& deseado, const QSize& minimo,
                         const QRect& area) {
    constexpr Lado kLados[] = {Lado::Derecha, Lado::Izquierda, Lado::Abajo, Lado::Arriba};
    std::optional<Colocacion> mejor;
    int mejorDesplazamiento = 0;
    auto considerar = [&](const QRect& v, Lado lado, const QSize& menor) {
        const std::optional<QRect> r = enLado(lado, v, deseado, menor, area);
        if (!r)
            return;
        const int desplazamiento = (v.topLeft() - ventana.topLeft()).manhattanLength();
        // Larger first; at equal size, the window moved least.
        if (!mejor || superficie(*r) > superficie(mejor->acompanante) ||
            (superficie(*r) == superficie(mejor->acompanante) &&
             desplazamiento < mejorDesplazamiento)) {
            mejor = Colocacion{*r, v};
            mejorDesplazamiento = desplazamiento;
        }
    };
    for (Lado lado : kLados)
        considerar(ventana, lado, minimo);
    if (mejor)
        return *mejor;

    // No room beside it where it stands: move it towards the opposite edge.
    const int finX = area.x() + area.width();
    const int finY = area.y() + area.height();
    const int y = acotar(ventana.y(), area.y(), finY - ventana.height());
    const int x = acotar(ventana.x(), area.x(), finX - ventana.width());
    const auto alBorde = [&](const QSize& menor) {
        considerar(ventana.translated(area.x() - ventana.x(), y - ventana.y()), Lado::Derecha,
                   menor);
        considerar(ventana.translated(finX - ventana.width() - ventana.x(), y - ventana.y()),
                   Lado::Izquierda, menor);
        considerar(ventana.translated(x - ventana.x(), area.y() - ventana.y()), Lado::Abajo, menor);
        considerar(ventana.translated(x - ventana.x(), finY - ventana.height() - ventana.y()),
                   Lado::Arriba, menor);
    };
    alBorde(minimo);
    if (mejor)
        return *mejor;
    // A window that fills most of the area: the companion takes what room is left
    // beside it, smaller than it would like, rather than cover the window.
    alBorde(QSize(1, 1));
    if (mejor)
        return *mejor;

    // The window fills the area: the companion at its right edge, whole on screen.
    const QSize tam = deseado.boundedTo(area.size());
    return Colocacion{QRect(QPoint(finX - tam.width(), area.y()), tam), ventana};
}
