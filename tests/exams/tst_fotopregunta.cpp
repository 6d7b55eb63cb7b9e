// Stored question pictures: a bitmap must hold together before it is decoded.
#include "EntornoPrueba.h"
#include "exams/FotoPregunta.h"
#include "exams/RepositorioExamenes.h"

#include <QBuffer>
#include <QDir>
#include <QPainter>
#include <QtTest>

namespace {
QByteArray guardada(const QImage& img, const char* formato) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    img.save(&buffer, formato);
    return bytes;
}

QImage muestra() {
    QImage img(40, 30, QImage::Format_RGB32);
    img.fill(Qt::white);
    QPainter(&img).fillRect(5, 5, 10, 10, Qt::red);
    return img;
}

void poner32(QByteArray& b, int i, quint32 v) {
    for (int k = 0; k < 4; ++k)
        b[i + k] = char(v >> (8 * k));
}

// A 4 x 2 bitmap of 8 bits per pixel, run-length coded.
QByteArray rle8(const QByteArray& pixeles) {
    QByteArray b(14 + 40 + 256 * 4, '\0');
    b[0] = 'B';
    b[1] = 'M';
    poner32(b, 2, quint32(b.size() + pixeles.size()));
    poner32(b, 10, quint32(b.size()));
    poner32(b, 14, 40);
    poner32(b, 18, 4);
    poner32(b, 22, 2);
    b[26] = 1;
    b[28] = 8;
    b[30] = 1;
    return b + pixeles;
}
} // namespace

class TestFotoPregunta : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void mapasDeBits() {
        const QByteArray bmp = RepositorioExamenes::bytesFoto(muestra());
        QVERIFY(fotopregunta::completa(bmp));
        QCOMPARE(fotopregunta::decodificar(bmp).size(), QSize(177, 177));
        // Cut short, by one byte or in its header.
        for (const qsizetype largo :
             {bmp.size() - 1, bmp.size() / 2, qsizetype(60), qsizetype(20)}) {
            QVERIFY2(!fotopregunta::completa(bmp.left(largo)), qPrintable(QString::number(largo)));
            QVERIFY(fotopregunta::decodificar(bmp.left(largo)).isNull());
        }
        // Taller than its bytes can be.
        QByteArray alto = bmp;
        poner32(alto, 22, 100000);
        QVERIFY(!fotopregunta::completa(alto));
        // Bitmaps of one bit and of a colour table.
        for (const auto formato : {QImage::Format_Mono, QImage::Format_Indexed8}) {
            const QByteArray b = guardada(muestra().convertToFormat(formato), "BMP");
            QVERIFY(fotopregunta::completa(b));
            QVERIFY(!fotopregunta::completa(b.left(b.size() - 1)));
        }
    }

    // Run-length coded pixels must paint the whole picture.
    void comprimidos() {
        const QByteArray fila("\x04\x07\x00\x00", 4);
        QVERIFY(fotopregunta::completa(rle8(fila + fila + QByteArray("\x00\x01", 2))));
        QCOMPARE(fotopregunta::decodificar(rle8(fila + fila)).size(), QSize(4, 2));
        QVERIFY(!fotopregunta::completa(rle8(fila)));                                     // one row
        QVERIFY(!fotopregunta::completa(rle8(QByteArray("\x02\x07\x00\x00", 4) + fila))); // short
        QVERIFY(!fotopregunta::completa(rle8(QByteArray("\x00\x02\x00\x01", 4) + fila))); // jump
        QVERIFY(!fotopregunta::completa(rle8(QByteArray("\x00\x04\x07", 3)))); // cut literal
        QVERIFY(
            fotopregunta::completa(rle8(QByteArray("\x00\x04\x01\x02\x03\x04\x00\x00", 8) + fila)));
    }

    // Pictures other programs store still show; what does not hold together
    // shows the default question picture.
    void otrosFormatosYPredeterminada() {
        EntornoPrueba e(false);
        for (const char* formato : {"JPEG", "PNG"}) {
            const QByteArray b = guardada(muestra(), formato);
            QVERIFY(fotopregunta::completa(b));
            QCOMPARE(fotopregunta::paraMostrar(b).size(), QSize(40, 30));
        }
        const QImage predeterminada(QDir(e.carpetaPrograma()).filePath("Pregunta.jpg"));
        QVERIFY(!predeterminada.isNull());
        const QByteArray bmp = RepositorioExamenes::bytesFoto(muestra());
        QCOMPARE(fotopregunta::paraMostrar(bmp.left(bmp.size() - 10)), predeterminada);
        QCOMPARE(fotopregunta::paraMostrar(QByteArray("no es imagen")), predeterminada);
        QCOMPARE(fotopregunta::paraMostrar(QByteArray()), predeterminada);
    }
};

QTEST_GUILESS_MAIN(TestFotoPregunta)
#include "tst_fotopregunta.moc"
