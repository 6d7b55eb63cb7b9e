// The signature pad driven by synthetic mouse, pen and touch input.
#include "EntornoPrueba.h"
#include "Ventanas.h"
#include "app/Ini.h"
#include "persons/AlmacenImagenes.h"
#include "persons/ventanas/FrmPad.h"

#include <QImageReader>
#include <QPointingDevice>
#include <QRadioButton>
#include <QTabletEvent>
#include <QtTest>
#include <memory>

namespace {

bool tinta(const QImage& img, int x, int y) {
    return qGray(img.pixel(x, y)) < 128;
}

// Height of the ink across column x (pixels darker than half grey).
int grosor(const QImage& img, int x) {
    int n = 0;
    for (int y = 0; y < img.height(); ++y)
        n += tinta(img, x, y) ? 1 : 0;
    return n;
}

bool enBlanco(const QImage& img) {
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x)
            if (img.pixel(x, y) != qRgb(255, 255, 255))
                return false;
    return true;
}

// A pen that reports pressure, as a graphics tablet does.
const QPointingDevice* lapiz() {
    static QPointingDevice dispositivo(
        QStringLiteral("lápiz de prueba"), 4711, QInputDevice::DeviceType::Stylus,
        QPointingDevice::PointerType::Pen,
        QInputDevice::Capability::Position | QInputDevice::Capability::Pressure, 1, 3);
    return &dispositivo;
}

void lapizEvento(QWidget* w, QEvent::Type tipo, QPointF p, qreal presion) {
    const Qt::MouseButtons botones =
        tipo == QEvent::TabletRelease ? Qt::NoButton : Qt::MouseButtons(Qt::LeftButton);
    QTabletEvent e(tipo, lapiz(), p, w->mapToGlobal(p), presion, 0, 0, 0, 0, 0, Qt::NoModifier,
                   Qt::LeftButton, botones);
    QApplication::sendEvent(w, &e);
}

void trazoLapiz(QWidget* w, int y, qreal presion) {
    lapizEvento(w, QEvent::TabletPress, QPointF(40, y), presion);
    for (int x = 50; x <= 300; x += 10)
        lapizEvento(w, QEvent::TabletMove, QPointF(x, y), presion);
    lapizEvento(w, QEvent::TabletRelease, QPointF(300, y), 0);
}

// A mouse stroke through `puntos`; one point is a tap.
void raton(QWidget* caja, const QList<QPoint>& puntos) {
    QTest::mousePress(caja, Qt::LeftButton, {}, puntos.first());
    for (const QPoint& p : puntos.mid(1))
        QTest::mouseMove(caja, p);
    QTest::mouseRelease(caja, Qt::LeftButton, {}, puntos.last());
}

struct Pad {
    EntornoPrueba e{false};
    std::unique_ptr<FrmPad> f;

    void abrir() {
        f = std::make_unique<FrmPad>();
        f->show();
        QVERIFY(QTest::qWaitForWindowExposed(f.get()));
    }
    CajaFirma* caja() { return &f->caja(); }
    QImage imagen() { return f->caja().lienzo().imagen(); }
    template <typename T = QWidget> T* c(const QString& nombre) { return hijo<T>(f.get(), nombre); }
    void raton(const QList<QPoint>& puntos) { ::raton(caja(), puntos); }
    // The option `boton` marked and the stroke `ancho` pixels wide.
    void anchoElegido(const char* boton, int ancho) {
        QVERIFY(c<QRadioButton>(QString::fromLatin1(boton))->isChecked());
        QCOMPARE(caja()->lienzo().ancho(), ancho);
    }
};

} // namespace

class TestFrmPad : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void dibujaConRatonLapizYToque() {
        Pad pad;
        pad.abrir();
        QCOMPARE(pad.imagen().size(), pad.caja()->size());
        QVERIFY(enBlanco(pad.imagen()));

        // Mouse: a straight stroke at the default width of 11 pixels.
        pad.raton({{40, 60}, {120, 60}, {200, 60}, {280, 60}});
        QVERIFY(tinta(pad.imagen(), 160, 60));
        QVERIFY(qAbs(grosor(pad.imagen(), 160) - 11) <= 1);

        // A fast zig-zag of three samples is drawn as a curve, not through its corner.
        pad.raton({{300, 150}, {400, 40}, {500, 150}});
        QVERIFY(!tinta(pad.imagen(), 400, 45));
        QVERIFY(tinta(pad.imagen(), 400, 67));

        // A tap leaves a dot.
        pad.raton({{600, 200}});
        QVERIFY(tinta(pad.imagen(), 600, 200));

        // Pen: every sample is taken; light pressure draws thinner than the chosen
        // width, firm pressure thicker.
        pad.caja()->limpiar();
        trazoLapiz(pad.caja(), 80, 0.1);
        QCOMPARE(pad.caja()->lienzo().muestras(), qint64(27));
        trazoLapiz(pad.caja(), 200, 0.95);
        const int fino = grosor(pad.imagen().copy(0, 0, 400, 140), 170);
        const int grueso = grosor(pad.imagen().copy(0, 140, 400, 140), 170);
        QVERIFY2(fino < 9 && grueso > 13,
                 qPrintable(QStringLiteral("%1 %2").arg(fino).arg(grueso)));

        // Touch: one finger draws.
        pad.caja()->limpiar();
        QPointingDevice* pantalla = QTest::createTouchDevice();
        QTest::touchEvent(pad.caja(), pantalla).press(0, QPoint(100, 250));
        QTest::touchEvent(pad.caja(), pantalla).move(0, QPoint(200, 250));
        QTest::touchEvent(pad.caja(), pantalla).move(0, QPoint(300, 250));
        QTest::touchEvent(pad.caja(), pantalla).release(0, QPoint(300, 250));
        QVERIFY(tinta(pad.imagen(), 200, 250));

        // A larger window gives a larger box and keeps the drawing.
        pad.f->resize(pad.f->width() + 100, pad.f->height() + 50);
        QTRY_COMPARE(pad.imagen().size(), pad.caja()->size());
        QVERIFY(tinta(pad.imagen(), 200, 250));
    }

    void anchoElegidoGuardadoYLimpiar() {
        Pad pad;
        // No stored width, or one that is no option: the third, 11 pixels.
        for (const char* guardado : {"", "7", "x"}) {
            if (*guardado)
                EscribirIni(QStringLiteral("Configuracion"), QStringLiteral("Trazo"),
                            QString::fromLatin1(guardado));
            pad.abrir();
            pad.anchoElegido("Op_2", 11);
        }
        QCOMPARE(pad.caja()->cursor().shape(), Qt::BitmapCursor);

        QTest::mouseClick(pad.c(QStringLiteral("Op_4")), Qt::LeftButton);
        QCOMPARE(pad.caja()->lienzo().ancho(), 13);
        QCOMPARE(LeerIni(QStringLiteral("Configuracion"), QStringLiteral("Trazo")),
                 QStringLiteral("4"));
        pad.raton({{40, 60}, {200, 60}, {300, 60}});
        QVERIFY(qAbs(grosor(pad.imagen(), 150) - 13) <= 1);

        QTest::mouseClick(pad.c(QStringLiteral("Command1")), Qt::LeftButton);
        QVERIFY(enBlanco(pad.imagen()));
        pad.anchoElegido("Op_4", 13);

        // The next session starts with it.
        pad.abrir();
        pad.anchoElegido("Op_4", 13);
    }

    void aceptarGuardaFirmaBmpYCancelarNo() {
        EntornoPrueba e(false);
        const QString ruta = almacen::fuenteFirma();

        // The examinee signs and accepts.
        QImage aceptada;
        alAbrirModal<FrmPad>([&aceptada](FrmPad* pad) {
            QVERIFY(QTest::qWaitForWindowExposed(pad));
            raton(&pad->caja(), {{30, 40}, {150, 90}, {260, 50}});
            aceptada = pad->caja().lienzo().imagen();
            QTest::mouseClick(hijo(pad, QStringLiteral("Command3")), Qt::LeftButton);
        });
        const std::optional<QImage> firma = dibujarFirma(nullptr);
        QVERIFY(firma && !enBlanco(*firma));
        QCOMPARE(*firma, aceptada);
        QImageReader lector(ruta);
        QCOMPARE(lector.format(), QByteArray("bmp"));
        QCOMPARE(lector.read(), aceptada);

        // Cancelled: nothing is returned and the earlier file stays.
        const QByteArray antes = leerArchivo(ruta);
        alAbrirModal<FrmPad>([](FrmPad* pad) {
            raton(&pad->caja(), {{30, 40}});
            QTest::mouseClick(hijo(pad, QStringLiteral("Command2")), Qt::LeftButton);
        });
        QVERIFY(!dibujarFirma(nullptr));
        QCOMPARE(leerArchivo(ruta), antes);
    }
};

QTEST_MAIN(TestFrmPad)
#include "tst_frmpad.moc"
