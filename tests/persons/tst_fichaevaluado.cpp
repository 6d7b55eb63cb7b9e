// The examinee card: the stored photograph large, or a placeholder whatever the
// file holds.
#include "EntornoPrueba.h"
#include "Ventanas.h"
#include "persons/AlmacenImagenes.h"
#include "persons/ventanas/FichaEvaluado.h"
#include "persons/ventanas/NombresFichaEvaluado.h"

#include <QBuffer>
#include <QFile>
#include <QImage>
#include <QLabel>
#include <QtTest>

namespace n = nombres::fichaEvaluado;

namespace {

QString rutaFoto(qint64 persona) {
    return almacen::rutaGuardada(almacen::TipoImagen::Foto, persona);
}

void escribir(qint64 persona, const QByteArray& bytes) {
    QFile f(almacen::hacerEscribible(rutaFoto(persona)));
    QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    f.write(bytes);
}

QByteArray jpeg(QSize tamano, QColor color) {
    QImage img(tamano, QImage::Format_RGB32);
    img.fill(color);
    QByteArray bytes;
    QBuffer b(&bytes);
    b.open(QIODevice::WriteOnly);
    img.save(&b, "JPG");
    return bytes;
}

QColor centro(const QLabel& foto) {
    const QImage img = foto.pixmap().toImage();
    return img.pixelColor(img.width() / 2, img.height() / 2);
}

} // namespace

class TestFichaEvaluado : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void fotoGuardadaOMarcador_data() {
        QTest::addColumn<QByteArray>("archivo");
        QTest::addColumn<QSize>("mostrada"); // empty: the placeholder
        const QSize caja = FichaEvaluado::kTamanoFoto;
        QTest::newRow("grande: reducida a la caja") << jpeg({1200, 1500}, Qt::red) << caja;
        QTest::newRow("pequeña: agrandada") << jpeg({120, 150}, Qt::red) << caja;
        QTest::newRow("apaisada: a lo ancho") << jpeg({480, 240}, Qt::red) << QSize(240, 120);
        QTest::newRow("sin archivo") << QByteArray() << QSize();
        QTest::newRow("vacío") << QByteArray("") << QSize();
        QTest::newRow("basura") << QByteArray(3000, '\x5a') << QSize();
        // A PNG header promising 60000 x 60000 pixels and nothing after it.
        QTest::newRow("cabecera enorme") << QByteArray::fromHex("89504e470d0a1a0a0000000d49484452"
                                                                "0000ea600000ea600806000000")
                                         << QSize();
        QTest::newRow("jpeg sin datos") << jpeg({200, 250}, Qt::red).left(300) << QSize();
    }
    void fotoGuardadaOMarcador() {
        QFETCH(QByteArray, archivo);
        QFETCH(QSize, mostrada);
        EntornoPrueba e(false);
        if (!archivo.isNull())
            escribir(7, archivo);
        FichaEvaluado ficha;
        ficha.mostrar(7, QStringLiteral("Ana Ruiz"), QStringLiteral("12345678"));
        auto* foto = hijo<QLabel>(ficha, n::kFoto);
        QCOMPARE(ficha.persona(), std::optional<qint64>(7));
        QCOMPARE(hijo<QLabel>(ficha, n::kNombre)->text(), QStringLiteral("Ana Ruiz"));
        QCOMPARE(hijo<QLabel>(ficha, n::kDocumento)->text(), QStringLiteral("Documento: 12345678"));
        QCOMPARE(ficha.conFoto(), mostrada.isValid());
        if (mostrada.isValid()) {
            QCOMPARE(foto->pixmap().deviceIndependentSize().toSize(), mostrada);
            QVERIFY(centro(*foto).red() > 200);
            QVERIFY(foto->text().isEmpty());
        } else {
            QCOMPARE(foto->text(), FichaEvaluado::kSinFoto);
            QCOMPARE(foto->accessibleName(), FichaEvaluado::kSinFoto);
        }
    }

    void fotoRetomadaSeLeeDeNuevo() {
        EntornoPrueba e(false);
        escribir(7, jpeg({200, 250}, Qt::red));
        escribir(8, jpeg({200, 250}, Qt::blue));
        FichaEvaluado ficha;
        auto* foto = hijo<QLabel>(ficha, n::kFoto);
        ficha.mostrar(7, QStringLiteral("Ana"), QStringLiteral("1"));
        ficha.mostrar(8, QStringLiteral("Luis"), QStringLiteral("2"));
        QVERIFY(centro(*foto).blue() > 200);
        // Retaken on another workstation while the window is open, then removed.
        escribir(7, jpeg({300, 250}, Qt::green));
        ficha.mostrar(7, QStringLiteral("Ana"), QStringLiteral("1"));
        QVERIFY(centro(*foto).green() > 200);
        QVERIFY(QFile::remove(almacen::hacerEscribible(rutaFoto(7))));
        ficha.mostrar(7, QStringLiteral("Ana"), QStringLiteral("1"));
        QCOMPARE(foto->text(), FichaEvaluado::kSinFoto);
        ficha.limpiar();
        QVERIFY(!ficha.persona());
        QVERIFY(hijo<QLabel>(ficha, n::kNombre)->text().isEmpty());
    }
};

QTEST_MAIN(TestFichaEvaluado)
#include "tst_fichaevaluado.moc"
