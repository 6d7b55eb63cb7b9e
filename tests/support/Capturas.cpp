#include "Capturas.h"

#include "persons/ventanas/FrmPad.h"
#include "persons/ventanas/FrmWebcam.h"
#include "persons/ventanas/VistaCamara.h"

#include <QFile>
#include <QTemporaryDir>

bool configurarSane(const QTemporaryDir& dir, const QByteArray& ajustes) {
    QFile dll(dir.filePath(QStringLiteral("dll.conf")));
    QFile test(dir.filePath(QStringLiteral("test.conf")));
    if (!dll.open(QIODevice::WriteOnly) || !test.open(QIODevice::WriteOnly))
        return false;
    dll.write("test\n");
    test.write(ajustes);
    qputenv("SANE_CONFIG_DIR", QFile::encodeName(dir.path()));
    return true;
}

void tomarDeWebcam(QWidget* foto, const std::function<void(FrmWebcam*)>& antes) {
    alAbrirModal<FrmWebcam>([antes](FrmWebcam* w) {
        QTRY_VERIFY(w->vista()->cuadrosPintados() >= 2);
        if (antes)
            antes(w);
        if (w->isVisible())
            hijo<QPushButton>(w, QStringLiteral("Command1"))->click();
        QTRY_VERIFY(!w->isVisible());
    });
    hijo<QPushButton>(foto, QStringLiteral("Command8"))->click();
}

void firmarEnPad(FrmPad* pad, int y, int ancho, QSize* tamano) {
    QVERIFY(QTest::qWaitForWindowExposed(pad));
    CajaFirma* caja = &pad->caja();
    if (ancho > 0) {
        pad->resize(pad->width() + ancho - caja->width(), pad->height());
        QTRY_COMPARE(caja->lienzo().imagen().width(), ancho);
    }
    if (tamano)
        *tamano = caja->lienzo().imagen().size();
    QTest::mousePress(caja, Qt::LeftButton, {}, QPoint(20, y));
    for (int x = 60; x < caja->width() - 20; x += 40)
        QTest::mouseMove(caja, QPoint(x, y + (x / 40 % 2) * 30));
    QTest::mouseRelease(caja, Qt::LeftButton, {}, QPoint(caja->width() - 20, y));
    QTest::mouseClick(hijo(pad, QStringLiteral("Command3")), Qt::LeftButton);
}
