#include "groups/ventanas/FrmSecundario.h"

#include "app/Aplicacion.h"
#include "app/Rutas.h"

#include <QGuiApplication>
#include <QPainter>
#include <QScreen>

FrmSecundario::FrmSecundario(QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::FramelessWindowHint | Qt::WindowStaysOnBottomHint) {
    setObjectName(QStringLiteral("FrmSecundario"));
    setWindowTitle(kTituloAplicacion);
    setAttribute(Qt::WA_ShowWithoutActivating);
    // A missing or unreadable picture leaves a plain backdrop.
    fondo_.load(rutas::archivoPrograma(QStringLiteral("wap.bin")));
}

void FrmSecundario::cubrir(QWidget* ventana) {
    QScreen* pantalla =
        ventana && ventana->screen() ? ventana->screen() : QGuiApplication::primaryScreen();
    if (pantalla)
        setGeometry(pantalla->geometry());
}

void FrmSecundario::paintEvent(QPaintEvent*) {
    QPainter p(this);
    if (fondo_.isNull())
        p.fillRect(rect(), palette().window());
    else
        p.drawPixmap(rect(), fondo_);
}
