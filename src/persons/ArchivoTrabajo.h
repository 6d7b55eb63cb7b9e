#pragma once
// Writing a capture window's working image: the picture goes to a temporary
// file beside the target, which takes the target's place only once it is
// complete, so a crash or a full disk never leaves a half-written image for the
// person editor to store.

#include <QString>

class QImage;

// Writes the picture in the format ("JPG", "BMP", ...) with the quality (-1 for
// the format's default). Returns an empty text when done, else a Spanish message
// naming the file; the previous file, if any, is then left as it was.
QString guardarArchivoTrabajo(const QImage& imagen, const QString& ruta, const char* formato,
                              int calidad = -1);
