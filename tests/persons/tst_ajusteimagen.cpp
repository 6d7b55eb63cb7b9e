// Picture work of the photograph window: levels against ImageMagick's own
// output, shrinking, and the window's logic (presets, rotation, undo, accept).
#include "EntornoPrueba.h"
#include "app/Ini.h"
#include "persons/AjusteImagen.h"
#include "persons/AlmacenImagenes.h"
#include "persons/ArchivoTrabajo.h"
#include "persons/EdicionFoto.h"

#include <QFile>
#include <QProcess>
#include <QRandomGenerator>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtTest>

namespace {

// A picture with smooth ramps, flat patches and noise, inside [bajo, alto].
QImage muestra(int ancho, int alto, int bajo, int altoValor, quint32 semilla) {
    QImage img(ancho, alto, QImage::Format_RGB32);
    QRandomGenerator azar(semilla);
    const auto en = [&](int v) { return bajo + v * (altoValor - bajo) / 255; };
    for (int y = 0; y < alto; ++y)
        for (int x = 0; x < ancho; ++x) {
            const int r = en(x * 255 / (ancho - 1));
            const int g = en(y * 255 / (alto - 1));
            const int b = en(x < ancho / 2 ? 128 : azar.bounded(256));
            img.setPixel(x, y, qRgb(r, g, b));
        }
    return img;
}

// The channels over different ranges, so stretching them alike or apart differs.
QImage canalesDistintos(QImage img) {
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x) {
            const QRgb p = img.pixel(x, y);
            img.setPixel(
                x, y,
                qRgb(60 + qRed(p) * 120 / 255, qGreen(p) * 100 / 255, 30 + qBlue(p) * 220 / 255));
        }
    return img;
}

// Mean and largest channel difference; a size mismatch counts as the worst.
struct Diferencia {
    double media = 256;
    int mayor = 256;
};
Diferencia diferencia(const QImage& a, const QImage& b) {
    if (a.size() != b.size())
        return {};
    const QImage x = a.convertToFormat(QImage::Format_RGB32);
    const QImage y = b.convertToFormat(QImage::Format_RGB32);
    Diferencia d{0, 0};
    for (int j = 0; j < x.height(); ++j)
        for (int i = 0; i < x.width(); ++i) {
            const QRgb p = x.pixel(i, j);
            const QRgb q = y.pixel(i, j);
            for (const int c : {qRed(p) - qRed(q), qGreen(p) - qGreen(q), qBlue(p) - qBlue(q)}) {
                d.media += std::abs(c);
                d.mayor = std::max(d.mayor, std::abs(c));
            }
        }
    d.media /= 3.0 * x.width() * x.height();
    return d;
}

QString convert() {
    for (const char* n : {"convert-im6.q16", "convert"}) {
        QString r = QStandardPaths::findExecutable(QString::fromLatin1(n));
        if (!r.isEmpty())
            return r;
    }
    return QString();
}

// ImageMagick's result for the picture under the given options.
QImage magick(const QImage& entrada, const QStringList& opciones) {
    QTemporaryDir dir;
    const QString in = dir.filePath("in.png");
    const QString out = dir.filePath("out.png");
    if (!entrada.save(in))
        return QImage();
    QProcess p;
    p.start(convert(), QStringList{in} + opciones + QStringList{out});
    if (!p.waitForFinished(30000) || p.exitCode() != 0) {
        qWarning() << p.readAllStandardError();
        return QImage();
    }
    return QImage(out);
}

} // namespace

class TestAjusteImagen : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void nivelesComoImageMagick() {
        QVERIFY2(!convert().isEmpty(), "ImageMagick (scripts/install-deps) is missing");
        const QList<QImage> imagenes = {muestra(64, 48, 0, 255, 1), muestra(80, 60, 60, 180, 2),
                                        muestra(33, 71, 5, 40, 3),
                                        canalesDistintos(muestra(50, 50, 0, 255, 6))};
        const QList<QPair<int, int>> ajustes = {{0, 0},       {20, -10},  {-45, 35},  {60, 80},
                                                {-100, -100}, {100, 100}, {-30, -70}, {0, 99}};
        for (const QImage& img : imagenes) {
            for (const auto& [b, c] : ajustes) {
                const QImage esperada =
                    magick(img, {"-brightness-contrast", QStringLiteral("%1x%2").arg(b).arg(c)});
                QVERIFY(!esperada.isNull());
                const int d = diferencia(imagen::brilloContraste(img, b, c), esperada).mayor;
                QVERIFY2(d <= 1, qPrintable(QStringLiteral("%1x%2: %3").arg(b).arg(c).arg(d)));
            }
            const QImage esperada = magick(img, {"-auto-level"});
            QVERIFY(!esperada.isNull());
            QVERIFY2(diferencia(imagen::nivelesAutomaticos(img), esperada).mayor <= 1,
                     "auto-level");
        }
        // A flat picture has no levels to stretch.
        QImage gris(10, 10, QImage::Format_RGB32);
        gris.fill(qRgb(90, 90, 90));
        QCOMPARE(imagen::nivelesAutomaticos(gris), gris);
    }

    void reduccionDeUnoPorCiento() {
        // Each side rounded at each step, halves to even (650 * 0.99 = 643.5 -> 644).
        QCOMPARE(imagen::reducirHasta({650, 250}, 600), QSize(596, 232));
        QCOMPARE(imagen::reducirHasta({1000, 750}, 600), QSize(600, 448));
        QCOMPARE(imagen::reducirHasta({601, 400}, 600), QSize(595, 396));
        QCOMPARE(imagen::reducirHasta({600, 900}, 600), QSize(600, 900));
        // A narrow limit still ends (1 % of a small width rounds to nothing).
        QCOMPARE(imagen::reducirHasta({60, 40}, 30).width(), 30);

        QImage img(4, 2, QImage::Format_RGB32);
        img.fill(Qt::red);
        img.setPixel(0, 0, qRgb(0, 0, 255));
        const QImage girada = imagen::rotar90(img);
        QCOMPARE(girada.size(), QSize(2, 4));
        QCOMPARE(girada.pixel(1, 0), qRgb(0, 0, 255)); // clockwise: top left goes top right
    }

    void edicionDeLaFotografia() {
        EntornoPrueba e(false);
        // No "Brillo": automatic levels. "Brillo" 20 and "Contraste" -10: those values.
        QCOMPARE(EdicionFoto::ajustesWebcam(), (EdicionFoto::Ajustes{0, 0, true}));
        QVERIFY(EscribirIni("Foto", "Brillo", "20"));
        QVERIFY(EscribirIni("Foto", "Contraste", "-10"));
        QCOMPARE(EdicionFoto::ajustesWebcam(), (EdicionFoto::Ajustes{20, -10, false}));
        QVERIFY(EscribirIni("Foto", "Brillo", "250"));
        QCOMPARE(EdicionFoto::ajustesWebcam().brillo, 100);

        EdicionFoto ed;
        const QImage escaneada = muestra(629, 787, 30, 200, 4);
        ed.desdeEscaner(escaneada);
        QCOMPARE(ed.original().size(), QSize(599, 747));
        QCOMPARE(ed.fuente().size(), QSize(599, 747));
        QCOMPARE(ed.ajustes(), EdicionFoto::Ajustes{});

        // Rotation turns the picture framing starts from as well; undo keeps it.
        ed.fijarAjustes({15, 5, false});
        ed.rotar();
        QCOMPARE(ed.original().size(), QSize(747, 599));
        QCOMPARE(ed.fuente().size(), QSize(747, 599));
        QCOMPARE(ed.ajustes(), (EdicionFoto::Ajustes{15, 5, false}));
        ed.deshacer();
        EdicionFoto sinAjuste;
        sinAjuste.desdeWebcam(ed.original(), {});
        QCOMPARE(ed.paraCaja(), sinAjuste.paraCaja());
        QCOMPARE(ed.paraCaja().size(), EdicionFoto::kCaja);

        // Framed pixels replace the unadjusted picture, the source stays whole.
        ed.encuadrada(ed.original().copy(10, 10, 300, 300));
        QCOMPARE(ed.original().size(), QSize(300, 300));
        QCOMPARE(ed.fuente().size(), QSize(747, 599));

        // What is accepted is what the box shows: 267 x 267, adjusted.
        ed.fijarAjustes({0, 0, true});
        const QString foto = almacen::archivoTrabajo(almacen::TipoImagen::Foto);
        QCOMPARE(ed.guardar(foto), QString());
        const QImage escrita(foto);
        QCOMPARE(escrita.size(), EdicionFoto::kCaja);
        QVERIFY(diferencia(escrita, ed.paraCaja()).media < 4); // JPEG, not bit-exact
        const QImage primera = ed.paraCaja();

        // Accepting again replaces the file.
        ed.desdeWebcam(muestra(320, 240, 0, 255, 5), {-40, 0, false});
        QCOMPARE(ed.guardar(foto), QString());
        QVERIFY(diferencia(QImage(foto), ed.paraCaja()).media < 8);
        QVERIFY(diferencia(QImage(foto), primera).media > 20);
        QCOMPARE(QDir(e.carpetaTrabajo()).entryList({"Foto*"}, QDir::Files),
                 QStringList{"Foto.jpg"}); // no temporary left beside it
    }

    void escrituraFallidaConservaElArchivo() {
        QTemporaryDir dir;
        const QString ruta = dir.filePath("Foto.jpg");
        QImage img(20, 20, QImage::Format_RGB32);
        img.fill(Qt::green);
        QCOMPARE(guardarArchivoTrabajo(img, ruta, "JPG"), QString());
        const QByteArray antes = leerArchivo(ruta);
        // A write that fails half-way (here: a format without writer) leaves the
        // old file and nothing beside it.
        img.fill(Qt::blue);
        const QString error = guardarArchivoTrabajo(img, ruta, "NINGUNO");
        QVERIFY2(error.contains("Foto.jpg"), qPrintable(error));
        QCOMPARE(leerArchivo(ruta), antes);
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files), QStringList{"Foto.jpg"});
        // A folder in the file's place cannot be written over.
        QVERIFY(QDir(dir.path()).mkdir("Firma.jpg"));
        QVERIFY(!guardarArchivoTrabajo(img, dir.filePath("Firma.jpg"), "JPG").isEmpty());
        QCOMPARE(guardarArchivoTrabajo(QImage(), ruta, "JPG").isEmpty(), false);
    }
};

QTEST_MAIN(TestAjusteImagen)
#include "tst_ajusteimagen.moc"
