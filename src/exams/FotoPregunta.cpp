#include "exams/FotoPregunta.h"

#include "app/Rutas.h"

namespace fotopregunta {

namespace {

quint32 u32(const QByteArray& b, qsizetype i) {
    return quint32(uchar(b[i])) | quint32(uchar(b[i + 1])) << 8 | quint32(uchar(b[i + 2])) << 16 |
           quint32(uchar(b[i + 3])) << 24;
}
quint16 u16(const QByteArray& b, qsizetype i) {
    return quint16(uchar(b[i]) | uchar(b[i + 1]) << 8);
}

constexpr quint32 kSinCompresion = 0;
constexpr quint32 kRle8 = 1;
constexpr quint32 kRle4 = 2;
constexpr quint32 kMascaras = 3;

// Walks run-length coded pixels. The decoder leaves untouched whatever the
// stream skips (a jump, a line or the picture ended early), so only a stream
// that paints every row from edge to edge holds together.
bool rleCompleto(const QByteArray& b, qsizetype desde, qint64 ancho, qint64 alto, bool cuatro) {
    qint64 x = 0;
    qint64 filas = 0;
    qsizetype i = desde;
    const qsizetype n = b.size();
    while (filas < alto) {
        if (i + 2 > n)
            break;
        const int cantidad = uchar(b[i]);
        const int segundo = uchar(b[i + 1]);
        i += 2;
        if (cantidad > 0) {
            x += cantidad;
        } else if (segundo == 0) { // end of line
            if (x < ancho)
                return false;
            ++filas;
            x = 0;
        } else if (segundo == 1) { // end of picture
            break;
        } else if (segundo == 2) { // jump
            return false;
        } else { // literal pixels, padded to a whole word
            const qsizetype bytes = cuatro ? (segundo + 1) / 2 : segundo;
            i += bytes + (bytes & 1);
            if (i > n)
                return false;
            x += segundo;
        }
    }
    if (filas < alto && x >= ancho)
        ++filas; // the last row needs no end of line
    return filas >= alto;
}

bool mapaDeBitsCompleto(const QByteArray& b) {
    const qsizetype n = b.size();
    if (n < 18)
        return false;
    const quint32 tamanoCabecera = u32(b, 14);
    if (tamanoCabecera < 12 || tamanoCabecera > quint32(n - 14))
        return false;
    qint64 ancho = 0;
    qint64 alto = 0;
    int bits = 0;
    quint32 compresion = kSinCompresion;
    quint32 colores = 0;
    if (tamanoCabecera == 12) { // the old OS/2 header
        ancho = u16(b, 18);
        alto = u16(b, 20);
        bits = u16(b, 24);
    } else {
        if (tamanoCabecera < 40)
            return false;
        ancho = qint32(u32(b, 18));
        alto = qint32(u32(b, 22));
        bits = u16(b, 28);
        compresion = u32(b, 30);
        colores = u32(b, 46);
    }
    const bool abajoArriba = alto > 0;
    alto = qAbs(alto);
    if (ancho <= 0 || alto <= 0)
        return false;
    if (bits != 1 && bits != 4 && bits != 8 && bits != 16 && bits != 24 && bits != 32)
        return false;

    qint64 fin = 14 + qint64(tamanoCabecera);
    if (compresion == kMascaras && tamanoCabecera == 40)
        fin += 12; // the three colour masks follow the header
    if (bits <= 8) {
        const qint64 entradas = colores ? qint64(colores) : (qint64(1) << bits);
        fin += entradas * (tamanoCabecera == 12 ? 3 : 4);
    }
    if (fin > n)
        return false;
    // The pixels start where the header says, and never before the colour table ends.
    const qint64 inicio = qMax<qint64>(fin, u32(b, 10));
    if (inicio > n)
        return false;

    switch (compresion) {
    case kSinCompresion:
    case kMascaras: {
        if (compresion == kMascaras && bits != 16 && bits != 32)
            return false;
        const qint64 fila = (ancho * bits + 31) / 32 * 4;
        return fila <= n && fila * alto <= n - inicio;
    }
    case kRle8:
        return bits == 8 && abajoArriba && rleCompleto(b, inicio, ancho, alto, false);
    case kRle4:
        return bits == 4 && abajoArriba && rleCompleto(b, inicio, ancho, alto, true);
    default:
        return false;
    }
}

} // namespace

bool completa(const QByteArray& bytes) {
    if (!bytes.startsWith("BM"))
        return true;
    return mapaDeBitsCompleto(bytes);
}

QImage decodificar(const QByteArray& bytes) {
    if (bytes.isEmpty() || !completa(bytes))
        return QImage();
    return QImage::fromData(bytes);
}

QImage paraMostrar(const QByteArray& bytes) {
    QImage img = decodificar(bytes);
    if (img.isNull())
        img.load(rutas::archivoPrograma(QStringLiteral("Pregunta.jpg")));
    return img;
}

} // namespace fotopregunta
