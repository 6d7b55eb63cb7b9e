// Stored question pictures: the check of a bitmap against its header, then the
// decoding. A bitmap that passes the check decodes to the size its header
// gives, and every pixel decoded is read, so that a run under valgrind tells
// when the decoder left any of them unwritten.
#include "../Comun.h"
#include "exams/FotoPregunta.h"

#include <QCoreApplication>

namespace {
volatile unsigned gSumidero = 0;

qint32 entero(const QByteArray& b, int i) {
    return qint32(quint32(uchar(b[i])) | quint32(uchar(b[i + 1])) << 8 |
                  quint32(uchar(b[i + 2])) << 16 | quint32(uchar(b[i + 3])) << 24);
}
} // namespace

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
    static QCoreApplication app(*argc, *argv);
    // The decoders' complaints about damaged input would drown the fuzzer's output.
    qInstallMessageHandler([](QtMsgType, const QMessageLogContext&, const QString&) {});
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* datos, size_t largo) {
    const QByteArray bytes(reinterpret_cast<const char*>(datos), qsizetype(largo));
    const bool completa = fotopregunta::completa(bytes);
    const QImage img = fotopregunta::decodificar(bytes);
    if (!completa)
        EXIGIR(img.isNull());
    if (img.isNull())
        return 0;
    if (bytes.startsWith("BM") && bytes.size() >= 26 && entero(bytes, 14) >= 40)
        EXIGIR(img.width() == entero(bytes, 18) && img.height() == qAbs(entero(bytes, 22)));
    const QImage argb = img.convertToFormat(QImage::Format_ARGB32);
    unsigned suma = 0;
    for (int y = 0; y < argb.height(); ++y) {
        const auto* linea = reinterpret_cast<const quint32*>(argb.constScanLine(y));
        for (int x = 0; x < argb.width(); ++x)
            suma += linea[x];
    }
    if (suma == 0x5A5A5A5Au) // a branch on every pixel, where valgrind looks
        gSumidero = gSumidero + 1;
    return 0;
}
