#pragma once
// Writes a working image file whole or not at all: the picture goes to a file
// beside the target and takes its place only once complete, so the person editor
// never finds half a picture.

#include <QString>

class QImage;

// Returns an empty text when written, else a Spanish message naming the file.
QString escribirImagenTrabajo(const QImage& imagen, const QString& ruta, const char* formato);
