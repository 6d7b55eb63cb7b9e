// The signature window driven as the operator does: the pad with synthetic
// strokes, picture files, SANE's test backend as the scanner, framing, accept
// and cancel.
#include "Capturas.h"
#include "app/Ini.h"
#include "app/Rutas.h"
#include "persons/AjusteImagen.h"
#include "persons/AlmacenImagenes.h"
#include "persons/ventanas/FrmEncuadre.h"
#include "persons/ventanas/FrmPad.h"
#include "persons/ventanas/ObtenerFirma.h"
#include "persons/ventanas/PanelEscaner.h"

#include <QImageReader>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QTemporaryDir>
#include <QtTest>
#include <memory>

namespace {

using Pad = std::function<void(FrmPad*)>;

// Signs across the pad at height y and accepts (see firmarEnPad).
Pad firmar(int y, int ancho = 0, QSize* tamano = nullptr) {
    return [=](FrmPad* pad) { firmarEnPad(pad, y, ancho, tamano); };
}

const Pad enBlanco = [](FrmPad* pad) { QTest::mouseClick(hijo(pad, "Command3"), Qt::LeftButton); };

struct Ventana : VentanaDePrueba<ObtenerFirma> {
    // Opens the window; the pad opening with it gets `enPad` (left open, it is cancelled).
    void abrir(const Pad& enPad = {}) {
        f = std::make_unique<ObtenerFirma>();
        conPad(enPad, [this] { f->show(); });
    }
    // "Obtener firma desde pad".
    void pad(const Pad& enPad) {
        conPad(enPad, [this] { QTest::mouseClick(c("Command6"), Qt::LeftButton); });
    }
    void conPad(const Pad& enPad, const std::function<void()>& abre) {
        auto visto = std::make_shared<bool>(false);
        alAbrirModal<FrmPad>([visto, enPad](FrmPad* p) {
            *visto = true;
            if (enPad)
                enPad(p);
        });
        abre();
        QTRY_VERIFY(*visto);
        QTRY_COMPARE(QApplication::activeModalWidget(), f.get());
    }
    const QImage& fuente() { return f->edicion().fuente(); }
    QString texto1() { return c<QLineEdit>("Text1")->text(); }
    void archivo(const QString& ruta) {
        dlg.siguienteArchivo(ruta);
        QTest::mouseClick(c("Command1"), Qt::LeftButton);
    }
};

} // namespace

class TestObtenerFirma : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase() {
        // SANE reads this once per process: one test device, 787 pixels wide.
        QVERIFY(configurarSane(sane_, "number_of_devices 1\nmode Gray\ndepth 8\nresolution 100.0\n"
                                      "geometry_min 0.0\ngeometry_max 200.0\ntl_x 0.0\ntl_y 0.0\n"
                                      "br_x 200.0\nbr_y 60.0\n"));
    }

    void padAlAbrirReduceDibujosAnchos() {
        Ventana v;
        QSize dibujo;
        v.abrir(firmar(60, 800, &dibujo));
        const QImage fuente = v.fuente();
        const QSize esperado = imagen::reducirHasta(dibujo, 700);
        QCOMPARE(fuente.size(), esperado);
        QCOMPARE(QImageReader(almacen::fuenteFirma()).size(), esperado); // "Firma.bmp" too
        QCOMPARE(v.c<QLabel>("Im1")->pixmap().size(), QSize(233, 133));

        // Cancelled, or accepted without a stroke: the signature stays.
        v.pad({});
        v.pad(enBlanco);
        QCOMPARE(v.fuente(), fuente);
        QVERIFY(v.dlg.mensajes.isEmpty());
    }

    void archivosReducidosTransparentesEIlegibles() {
        Ventana v;
        v.abrir();
        const QString carpeta = rutas::local("C:\\Firmas");
        QVERIFY(QDir().mkpath(carpeta));

        QImage ancha(650, 240, QImage::Format_RGB32);
        ancha.fill(Qt::white);
        QPainter(&ancha).fillRect(100, 100, 400, 20, Qt::black);
        const QString jpg = QDir::toNativeSeparators(QDir(carpeta).filePath("ancha.jpg"));
        QVERIFY(ancha.save(jpg));
        v.archivo(jpg);
        QCOMPARE(v.dlg.carpetasArchivo.last(), carpeta);
        QCOMPARE(v.fuente().size(), imagen::reducirHasta(ancha.size(), 600));
        QCOMPARE(v.texto1(), jpg);
        QCOMPARE(LeerIni("Imagenes", "Firma"), jpg);

        // 600 wide is kept; a transparent background turns white, not black.
        QImage transparente(600, 200, QImage::Format_ARGB32);
        transparente.fill(Qt::transparent);
        QPainter(&transparente).fillRect(50, 98, 500, 5, Qt::black);
        const QString png = QDir::toNativeSeparators(QDir(carpeta).filePath("transparente.png"));
        QVERIFY(transparente.save(png));
        v.archivo(png);
        const QImage tomada = v.fuente();
        QCOMPARE(tomada.size(), QSize(600, 200));
        QCOMPARE(tomada.pixel(5, 5), qRgb(255, 255, 255));
        QCOMPARE(tomada.pixel(300, 100), qRgb(0, 0, 0));

        // Not a picture: the reason, and nothing changes; cancelled: nothing either.
        const QString falsa = QDir(carpeta).filePath("falsa.jpg");
        QVERIFY(escribirArchivo(falsa, "no es una imagen"));
        v.archivo(falsa);
        QVERIFY2(v.dlg.ultimo().contains("falsa.jpg"), qPrintable(v.dlg.ultimo()));
        v.archivo(QString());
        QCOMPARE(v.fuente(), tomada);
        QCOMPARE(v.texto1(), png);
        QCOMPARE(LeerIni("Imagenes", "Firma"), png);
        QCOMPARE(v.dlg.mensajes.size(), 1);
    }

    void escanerNuncaReduce() {
        Ventana v;
        v.abrir();
        QImage escaneada;
        connect(v.c<PanelEscaner>("PanelEscaner"), &PanelEscaner::adquirida, this,
                [&escaneada](const QImage& i) { escaneada = i; });
        QTest::mouseClick(v.c("Command2"), Qt::LeftButton);
        QTRY_COMPARE_WITH_TIMEOUT(v.texto1(), QStringLiteral("(Obtenida desde dispositivo twain)"),
                                  20000);
        QVERIFY2(escaneada.width() > 700, qPrintable(QString::number(escaneada.width())));
        QCOMPARE(v.fuente().size(), escaneada.size());
        QCOMPARE(QImageReader(almacen::fuenteFirma()).size(), escaneada.size());
        QVERIFY(v.dlg.mensajes.isEmpty());
    }

    void encuadrarAceptarDosVecesYCancelar() {
        Ventana v;
        v.abrir(firmar(40));
        const QImage fuente = v.fuente();
        alAbrirModal<FrmEncuadreF>(
            [](FrmEncuadreF* f) { hijo<QPushButton>(f, "Command1")->click(); });
        QTest::mouseClick(v.c("Command3"), Qt::LeftButton);
        QCOMPARE(v.f->edicion().mostrada(), fuente.copy(0, 0, 233, 133));

        // Accepted: the box's picture, drawn from the framed part, as "Firma.jpg".
        const QString firma = almacen::archivoTrabajo(almacen::TipoImagen::Firma);
        const QImage caja = v.f->edicion().paraCaja();
        QTest::mouseClick(v.c("Command4"), Qt::LeftButton);
        QCOMPARE(v.f->result(), int(QDialog::Accepted));
        const QImage jpg(firma);
        QCOMPARE(jpg.size(), QSize(233, 133));
        for (const QPoint p : {QPoint(116, 66), QPoint(40, 40), QPoint(200, 20)})
            QVERIFY(qAbs(qGray(jpg.pixel(p)) - qGray(caja.pixel(p))) < 24);
        QVERIFY(!QFile::exists(almacen::fuenteFirma()));
        const QByteArray primera = leerArchivo(firma);

        // A second signature replaces it.
        v.abrir(firmar(90));
        QTest::mouseClick(v.c("Command4"), Qt::LeftButton);
        const QByteArray segunda = leerArchivo(firma);
        QVERIFY(!segunda.isEmpty() && segunda != primera);

        // Cancelled after a new drawing: the accepted file stays, and that drawing
        // comes back when the next pad is left without one.
        v.abrir(firmar(120));
        const QImage dejada = v.fuente();
        QTest::mouseClick(v.c("Command5"), Qt::LeftButton);
        QCOMPARE(leerArchivo(firma), segunda);
        v.abrir();
        QCOMPARE(v.fuente(), dejada);

        // Nothing taken at all: "Aceptar" leaves the earlier signature alone.
        QVERIFY(QFile::remove(almacen::fuenteFirma()));
        v.abrir(enBlanco);
        QVERIFY(v.c<QLabel>("Im1")->pixmap().isNull());
        QTest::mouseClick(v.c("Command4"), Qt::LeftButton);
        QVERIFY(!v.f->isVisible());
        QCOMPARE(leerArchivo(firma), segunda);
        QVERIFY(v.dlg.mensajes.isEmpty());
    }

private:
    QTemporaryDir sane_;
};

QTEST_MAIN(TestObtenerFirma)
#include "tst_obtenerfirma.moc"
