#pragma once
// Picture work of the capture windows: brightness and contrast, automatic
// levels, shrinking and rotating. Brightness/contrast and automatic levels follow
// the well-known definitions of ImageMagick's -brightness-contrast and
// -auto-level, applied as lookup tables over the red, green and blue channels.

#include <QImage>
#include <QSize>
#include <array>

namespace imagen {

using Tabla = std::array<quint8, 256>;

// Brightness and contrast, each -100..100: a straight line through the middle
// grey whose slope is tan(pi/4 * (contrast/100 + 1)), lifted by brightness/100.
Tabla tablaBrilloContraste(int brillo, int contraste);
// Stretches the picture's darkest..lightest value over the whole range; all
// channels alike, so the colours keep their balance.
Tabla tablaNivelesAutomaticos(const QImage& imagen);
// The picture (as 32-bit RGB) with each channel passed through the table.
QImage aplicarTabla(const QImage& imagen, const Tabla& tabla);

inline QImage brilloContraste(const QImage& imagen, int brillo, int contraste) {
    return aplicarTabla(imagen, tablaBrilloContraste(brillo, contraste));
}
inline QImage nivelesAutomaticos(const QImage& imagen) {
    return aplicarTabla(imagen, tablaNivelesAutomaticos(imagen));
}

// Shrinks by 1 % at a time (each side rounded to the nearest whole number,
// halves to even) until the width is at most `anchoMaximo`; a size already
// narrow enough is kept.
QSize reducirHasta(QSize tamano, int anchoMaximo);
QImage reducir(const QImage& imagen, int anchoMaximo);

// A quarter turn clockwise.
QImage rotar90(const QImage& imagen);

} // namespace imagen
