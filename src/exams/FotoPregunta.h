#pragma once
// A question's stored picture: the bytes of a picture file, written by the exam
// editor (Windows bitmaps) or by the office's other programs (JPEG, PNG, GIF).
// A bitmap is checked against its own header before it is decoded, because the
// decoder paints the pixels a short or damaged bitmap lacks from whatever memory
// it was given.

#include <QByteArray>
#include <QImage>

namespace fotopregunta {

// False for a Windows bitmap whose header does not agree with its length, or
// whose compressed pixels do not cover the whole picture. Other formats are left
// to their own decoders, which reject what they cannot read.
bool completa(const QByteArray& bytes);

// The stored picture decoded; null when there is none or it does not hold together.
QImage decodificar(const QByteArray& bytes);

// What a session shows: the stored picture, else the program's own "Pregunta.jpg".
QImage paraMostrar(const QByteArray& bytes);

} // namespace fotopregunta
