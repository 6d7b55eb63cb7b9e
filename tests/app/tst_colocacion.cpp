// Where the keypad panel goes beside the window it serves.
#include "app/Colocacion.h"

#include <QtTest>

namespace {
const QRect kPantalla(0, 0, 1366, 768);
const QSize kDeseado(720, 480);
const QSize kMinimo(360, 240);
} // namespace

class TestColocacion : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void ladoConMasEspacio_data() {
        QTest::addColumn<QRect>("ventana");
        QTest::addColumn<QRect>("panel");
        QTest::addColumn<QRect>("ventanaDespues");
        QTest::newRow("a la derecha")
            << QRect(100, 100, 600, 400) << QRect(700, 100, 666, 480) << QRect(100, 100, 600, 400);
        QTest::newRow("a la izquierda, sin salir de la pantalla")
            << QRect(700, 200, 600, 400) << QRect(0, 200, 700, 480) << QRect(700, 200, 600, 400);
        QTest::newRow("debajo de una ventana ancha y baja")
            << QRect(0, 0, 1366, 300) << QRect(0, 300, 720, 468) << QRect(0, 0, 1366, 300);
        QTest::newRow("arriba") << QRect(300, 400, 1066, 368) << QRect(300, 0, 720, 400)
                                << QRect(300, 400, 1066, 368);
        // The session window centred on a 1366 x 768 screen leaves 233 px each side:
        // it moves to the left edge and the panel takes the right.
        QTest::newRow("sin espacio: la ventana se corre")
            << QRect(233, 84, 900, 600) << QRect(900, 84, 466, 480) << QRect(0, 84, 900, 600);
        // The main window with its frame fills all but 176 px across: it moves to the
        // left edge and the panel takes that room rather than cover it.
        QTest::newRow("ventana que llena casi toda la pantalla")
            << QRect(88, 21, 1190, 725) << QRect(1190, 21, 176, 480) << QRect(0, 21, 1190, 725);
        QTest::newRow("ventana que llena la pantalla")
            << QRect(0, 0, 1366, 768) << QRect(646, 0, 720, 480) << QRect(0, 0, 1366, 768);
    }
    void ladoConMasEspacio() {
        QFETCH(QRect, ventana);
        QFETCH(QRect, panel);
        QFETCH(QRect, ventanaDespues);
        const Colocacion c = colocarAlLado(ventana, kDeseado, kMinimo, kPantalla);
        QCOMPARE(c.acompanante, panel);
        QCOMPARE(c.ventana, ventanaDespues);
    }

    void nuncaDebajoNiFueraDeLaPantalla() {
        // Every window that leaves room somewhere, wherever it stands; the panel
        // is smaller than it asks only when no side can have that.
        const QRect area(50, 30, 1366, 738); // a screen with a panel bar on top
        for (const QSize tam :
             {QSize(764, 484), QSize(904, 604), QSize(1000, 300), QSize(1190, 725)})
            for (int x = area.left() - 100; x <= area.right(); x += 97)
                for (int y = area.top() - 50; y <= area.bottom(); y += 89) {
                    const QRect v(QPoint(x, y), tam);
                    const Colocacion c = colocarAlLado(v, kDeseado, kMinimo, area);
                    const QString caso = QStringLiteral("%1,%2 %3x%4")
                                             .arg(x)
                                             .arg(y)
                                             .arg(tam.width())
                                             .arg(tam.height());
                    QVERIFY2(area.contains(c.acompanante), qPrintable(caso));
                    QVERIFY2(!c.acompanante.intersects(c.ventana), qPrintable(caso));
                    if (area.width() - tam.width() >= kMinimo.width())
                        QVERIFY2(c.acompanante.width() >= kMinimo.width() &&
                                     c.acompanante.height() >= kMinimo.height(),
                                 qPrintable(caso));
                    if (c.ventana != v) // moved only to make room, and onto the screen
                        QVERIFY2(area.contains(c.ventana), qPrintable(caso));
                }
    }
};

QTEST_APPLESS_MAIN(TestColocacion)
#include "tst_colocacion.moc"
