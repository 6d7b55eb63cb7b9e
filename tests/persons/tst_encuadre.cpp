// Framing: the frame's arithmetic, and both framing windows driven by held keys,
// held buttons and the mouse.
#include "Ventanas.h"
#include "persons/Encuadre.h"
#include "persons/ventanas/FrmEncuadre.h"

#include <QCheckBox>
#include <QFrame>
#include <QLabel>
#include <QPushButton>
#include <QScrollBar>
#include <QtTest>

namespace {

// Every pixel different, so a copy one pixel off shows.
QImage patron(int ancho, int alto) {
    QImage img(ancho, alto, QImage::Format_RGB32);
    for (int y = 0; y < alto; ++y)
        for (int x = 0; x < ancho; ++x)
            img.setPixel(x, y, qRgb(x % 256, y % 256, (x / 256) * 16 + (y / 256)));
    return img;
}

void tecla(QWidget* w, QEvent::Type tipo, Qt::Key k, bool repeticion = false) {
    QKeyEvent e(tipo, k, Qt::NoModifier, QString(), repeticion);
    QApplication::sendEvent(w, &e);
}

} // namespace

class TestEncuadre : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void aritmeticaDelMarco() {
        // The photograph frame shrinks by 8 twips while at least 50 wide: 4000 -> 48.
        Encuadre foto(Encuadre::Tipo::Foto, {600, 450});
        QCOMPARE(foto.marco(), QRectF(0, 0, 4000, 4000));
        QVERIFY(!foto.crecer()); // at the picture's corner
        int pasos = 0;
        while (foto.achicar())
            ++pasos;
        QCOMPARE(pasos, 494);
        QCOMPARE(foto.marco(), QRectF(1976, 1976, 48, 48));

        // Fast move: 10 twips a step, never past the picture's width less 1 twip.
        foto.fijarMarco({100, 100, 3000, 3000});
        while (foto.mover(Encuadre::Direccion::Derecha, true))
            ;
        QCOMPARE(foto.marco().left(), 5990.0); // 600 px = 9000 twips; 8990 + 10 > 8999
        QVERIFY(foto.mover(Encuadre::Direccion::Derecha, false)); // slow still fits
        QCOMPARE(foto.marco().left(), 5992.0);
        // Dragged past the left side, the keys still bring it back.
        foto.llevarEsquinaA({-500, 100});
        QVERIFY(!foto.mover(Encuadre::Direccion::Izquierda, false));
        QVERIFY(foto.mover(Encuadre::Direccion::Derecha, false));
        QVERIFY(foto.contiene({-498, 100}) && !foto.contiene({-499, 100}));

        // The signature frame grows by 1 % around its centre.
        Encuadre firma(Encuadre::Tipo::Firma, {400, 200});
        QCOMPARE(firma.marco().size(), QSizeF(3500, 2000));
        firma.fijarMarco({1000, 500, 3000, 1000});
        const QPointF centro = firma.marco().center();
        QVERIFY(firma.crecer());
        QCOMPARE(firma.marco().size(), QSizeF(3030, 1010));
        QCOMPARE(firma.marco().center(), centro);
        QVERIFY(firma.achicar());
        QCOMPARE(firma.marco().width(), 3030 * 0.99);

        // Scroll bars: from 50 to the value leaving 1000 twips past the far edge.
        QCOMPARE(Encuadre::rangoBarra(9000, 6000).maximo, -400);
        QCOMPARE(Encuadre::rangoBarra(9000, 6000).minimo, 50);
        QCOMPARE(Encuadre::rangoBarra(2000, 6000).maximo, 300);  // small picture
        QCOMPARE(Encuadre::rangoBarra(9055, 6000).maximo, -406); // -405.5 to even
    }

    void recortaExactamenteLoEncuadrado() {
        const QImage img = patron(300, 200);
        Encuadre e(Encuadre::Tipo::Foto, img.size());
        e.fijarMarco({150, 300, 1500, 750}); // 10, 20, 100 x 50 pixels
        QCOMPARE(e.rectPixeles(), QRect(10, 20, 100, 50));
        QCOMPARE(e.recortar(img, Qt::gray), img.copy(10, 20, 100, 50));
        // Off the picture the copy holds the background.
        e.fijarMarco({-150, 2700, 1500, 750});
        const QImage fuera = e.recortar(img, QColor(0xE0, 0xE0, 0xE0));
        QCOMPARE(fuera.size(), QSize(100, 50));
        QCOMPARE(fuera.pixel(9, 0), qRgb(0xE0, 0xE0, 0xE0));
        QCOMPARE(fuera.pixel(10, 0), img.pixel(0, 180));
        QCOMPARE(fuera.pixel(10, 19), img.pixel(0, 199));
        QCOMPARE(fuera.pixel(10, 20), qRgb(0xE0, 0xE0, 0xE0));
    }

    void teclasYBotonesSostenidos() {
        FrmEncuadre f(patron(600, 450), Encuadre::Tipo::Foto);
        f.show();
        QVERIFY(QTest::qWaitForWindowExposed(&f));
        auto* ancho = hijo<QLabel>(&f, QStringLiteral("L3"));
        QCOMPARE(ancho->text(), QStringLiteral(" Ancho: "));
        QVERIFY(hijo(&f, QStringLiteral("S_0"))->isVisible());

        // Page Down held shrinks until the frame is under 50 twips; the handles
        // hide meanwhile. Auto-repeat neither restarts nor stops it.
        QWidget* foco = hijo(&f, QStringLiteral("Command1"));
        foco->setFocus();
        tecla(foco, QEvent::KeyPress, Qt::Key_PageDown);
        QVERIFY(!hijo(&f, QStringLiteral("S_0"))->isVisible());
        tecla(foco, QEvent::KeyRelease, Qt::Key_PageDown, true);
        tecla(foco, QEvent::KeyPress, Qt::Key_PageDown, true);
        QTRY_COMPARE_WITH_TIMEOUT(f.encuadre().marco().width(), 48.0, 10000);
        QCOMPARE(ancho->text(), QStringLiteral(" Ancho: 48"));
        tecla(foco, QEvent::KeyRelease, Qt::Key_PageDown);
        QVERIFY(hijo(&f, QStringLiteral("S_0"))->isVisible());

        // Releasing the key stops the move wherever it is.
        hijo<QCheckBox>(&f, QStringLiteral("Check1"))->setChecked(true);
        tecla(foco, QEvent::KeyPress, Qt::Key_Down);
        QTRY_VERIFY(f.encuadre().marco().top() > 2100);
        tecla(foco, QEvent::KeyRelease, Qt::Key_Down);
        const double arriba = f.encuadre().marco().top();
        QTest::qWait(30);
        QCOMPARE(f.encuadre().marco().top(), arriba);

        // Grow button held with the mouse, until the picture's left side stops it.
        auto* crecer = hijo<QPushButton>(&f, QStringLiteral("CExp_0"));
        QTest::mousePress(crecer, Qt::LeftButton);
        QTRY_VERIFY_WITH_TIMEOUT(f.encuadre().marco().left() < 5, 10000);
        const QRectF tope = f.encuadre().marco();
        QTest::qWait(20);
        QCOMPARE(f.encuadre().marco(), tope);
        QTest::mouseRelease(crecer, Qt::LeftButton);
        QCOMPARE(tope.width(), tope.height()); // still square
    }

    void arrastreYAceptar() {
        const QImage img = patron(500, 400);
        FrmEncuadre f(img, Encuadre::Tipo::Foto);
        f.show();
        QVERIFY(QTest::qWaitForWindowExposed(&f));
        auto* mapa = hijo(&f, QStringLiteral("picMap"));
        // Pick the frame at (30, 30) px and drop its corner 40, 25 px further.
        QTest::mousePress(mapa, Qt::LeftButton, {}, QPoint(30, 30));
        QVERIFY(!hijo(&f, QStringLiteral("S_4"))->isVisible());
        QMouseEvent mover(QEvent::MouseMove, QPointF(70, 55), mapa->mapToGlobal(QPointF(70, 55)),
                          Qt::NoButton, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(mapa, &mover);
        QCOMPARE(mapa->cursor().shape(), Qt::SizeAllCursor);
        QTest::mouseRelease(mapa, Qt::LeftButton, {}, QPoint(70, 55));
        QCOMPARE(f.encuadre().marco(), QRectF(600, 375, 4000, 4000));
        QCOMPARE(hijo<QLabel>(&f, QStringLiteral("L1"))->text(), QStringLiteral(" Coord. X: 600"));
        QVERIFY(hijo(&f, QStringLiteral("S_4"))->isVisible());

        // The bars shift the picture in the viewport, ten twips a unit.
        auto* vs2 = hijo<QScrollBar>(&f, QStringLiteral("Vs2"));
        QVERIFY(vs2->minimum() < 0 && vs2->maximum() == 50);
        vs2->setValue(-30);
        QCOMPARE(mapa->pos().x(), -20);

        QTest::mouseClick(hijo(&f, QStringLiteral("Command1")), Qt::LeftButton);
        QVERIFY(f.resultado());
        QCOMPARE(*f.resultado(), img.copy(40, 25, 267, 267));
    }

    void encuadreDeFirma() {
        // Cancel gives nothing; the signature window has its own frame.
        FrmEncuadreF f(patron(400, 300));
        f.show();
        QVERIFY(hijo(&f, QStringLiteral("S8"))->isVisible());
        QCOMPARE(f.encuadre().marco(), QRectF(0, 0, 3500, 2000));
        QTest::keyPress(&f, Qt::Key_Right);
        QTRY_VERIFY(f.encuadre().marco().left() >= 20);
        QTest::keyRelease(&f, Qt::Key_Right);
        QTest::mouseClick(hijo(&f, QStringLiteral("Command2")), Qt::LeftButton);
        QVERIFY(!f.resultado());
        QVERIFY(!f.isVisible());
    }
};

QTEST_MAIN(TestEncuadre)
#include "tst_encuadre.moc"
