#include "persons/AjusteImagen.h"

#include "app/Texto.h"

#include <QTransform>
#include <algorithm>
#include <cmath>
#include <numbers>

namespace imagen {

namespace {

quint8 acotar(double v) {
    return static_cast<quint8>(std::clamp(std::lround(v), 0L, 255L));
}

} // namespace

Tabla tablaBrilloContraste(int brillo, int contraste) {
    const double b = std::clamp(brillo, -100, 100);
    const double c = std::clamp(contraste, -100, 100);
    const double pendiente = std::max(0.0, std::tan(std::numbers::pi * (c / 100.0 + 1.0) / 4.0));
    const double corte = b / 100.0 + ((100.0 - b) / 200.0) * (1.0 - pendiente);
    Tabla t{};
    for (int i = 0; i < 256; ++i)
        t[static_cast<size_t>(i)] = acotar(255.0 * (pendiente * (i / 255.0) + corte));
    return t;
}

Tabla tablaNivelesAutomaticos(const QImage& imagen) {
    Tabla t{};
    for (int i = 0; i < 256; ++i)
        t[static_cast<size_t>(i)] = static_cast<quint8>(i);
    if (imagen.isNull())
        return t;
    const QImage rgb = imagen.convertToFormat(QImage::Format_RGB32);
    int minimo = 255;
    int maximo = 0;
    for (int y = 0; y < rgb.height(); ++y) {
        const auto* fila = reinterpret_cast<const QRgb*>(rgb.constScanLine(y));
        for (int x = 0; x < rgb.width(); ++x) {
            const QRgb p = fila[x];
            minimo = std::min({minimo, qRed(p), qGreen(p), qBlue(p)});
            maximo = std::max({maximo, qRed(p), qGreen(p), qBlue(p)});
        }
    }
    if (maximo <= minimo)
        return t;
    for (int i = 0; i < 256; ++i)
        t[static_cast<size_t>(i)] = acotar(255.0 * (i - minimo) / (maximo - minimo));
    return t;
}

QImage aplicarTabla(const QImage& imagen, const Tabla& tabla) {
    QImage r = imagen.convertToFormat(QImage::Format_RGB32);
    for (int y = 0; y < r.height(); ++y) {
        auto* fila = reinterpret_cast<QRgb*>(r.scanLine(y));
        for (int x = 0; x < r.width(); ++x) {
            const QRgb p = fila[x];
            fila[x] = qRgb(tabla[qRed(p)], tabla[qGreen(p)], tabla[qBlue(p)]);
        }
    }
    return r;
}

QSize reducirHasta(QSize tamano, int anchoMaximo) {
    double ancho = tamano.width();
    double alto = tamano.height();
    while (ancho > anchoMaximo && ancho > 1) {
        const double nuevo = texto::RedondearPar(ancho * 0.99);
        // Below 50 pixels 1 % rounds back to the same width.
        ancho = nuevo < ancho ? nuevo : ancho - 1;
        alto = std::max(1.0, texto::RedondearPar(alto * 0.99));
    }
    return QSize(static_cast<int>(ancho), static_cast<int>(alto));
}

QImage reducir(const QImage& imagen, int anchoMaximo) {
    const QSize nuevo = reducirHasta(imagen.size(), anchoMaximo);
    if (nuevo == imagen.size())
        return imagen;
    return imagen.scaled(nuevo, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
}

QImage rotar90(const QImage& imagen) {
    return imagen.transformed(QTransform().rotate(90));
}

} // namespace imagen
