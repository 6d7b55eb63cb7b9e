#include "app/ventanas/Globo.h"

#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QScreen>
#include <QVBoxLayout>

namespace {
QPointer<Globo> gGlobo;
constexpr int kDuracionMs = 5000;
} // namespace

Globo::Globo(QWidget* control, const QString& titulo, const QString& texto, const QIcon& icono,
             int milisegundos)
    : QFrame(control ? control->window() : nullptr, Qt::ToolTip | Qt::FramelessWindowHint),
      titulo_(titulo), texto_(texto) {
    setObjectName(QStringLiteral("Globo"));
    setAttribute(Qt::WA_DeleteOnClose);
    setAttribute(Qt::WA_ShowWithoutActivating);
    setFrameShape(QFrame::Box);
    setStyleSheet(QStringLiteral("Globo { background: #ffffe1; border: 1px solid #767676;"
                                 " border-radius: 6px; } QLabel { font-family: Arial; }"));
    auto* fila = new QHBoxLayout(this);
    if (!icono.isNull()) {
        auto* imagen = new QLabel(this);
        imagen->setPixmap(icono.pixmap(32, 32));
        fila->addWidget(imagen, 0, Qt::AlignTop);
    }
    auto* columna = new QVBoxLayout;
    auto* cabecera = new QLabel(titulo, this);
    QFont negrita = cabecera->font();
    negrita.setBold(true);
    cabecera->setFont(negrita);
    columna->addWidget(cabecera);
    columna->addWidget(new QLabel(texto, this));
    fila->addLayout(columna);
    setAccessibleName(titulo);
    setAccessibleDescription(texto);
    adjustSize();
    if (control)
        move(control->mapToGlobal(QPoint(control->width() / 2, control->height())));
    temporizador_.setSingleShot(true);
    temporizador_.setInterval(milisegundos);
    connect(&temporizador_, &QTimer::timeout, this, &QWidget::close);
    temporizador_.start();
}

Globo* MostrarGlobo(QWidget* control, const QString& titulo, const QString& texto,
                    const QIcon& icono) {
    if (gGlobo)
        gGlobo->close();
    gGlobo = new Globo(control, titulo, texto, icono, kDuracionMs);
    gGlobo->show();
    return gGlobo;
}

Globo* globoActual() {
    return gGlobo;
}

void CapturarPantalla(QLabel* imagen, bool ajustar) {
    if (!imagen)
        return;
    imagen->hide();
    QScreen* pantalla = QGuiApplication::primaryScreen();
    if (!pantalla)
        return;
    if (ajustar)
        imagen->resize(pantalla->size() + QSize(5, 5));
    imagen->setPixmap(pantalla->grabWindow(0));
    imagen->update();
}
