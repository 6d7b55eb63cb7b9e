#include "persons/ventanas/FrmPad.h"

#include "app/Claves.h"
#include "app/Ini.h"
#include "app/ventanas/Dialogos.h"
#include "persons/AlmacenImagenes.h"
#include "persons/ArchivoTrabajo.h"

#include <QHBoxLayout>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QPointingDevice>
#include <QPushButton>
#include <QRadioButton>
#include <QTabletEvent>
#include <QTouchEvent>
#include <QVBoxLayout>

namespace {

// A pen width's own picture: a black dot of that width ringed in white, so it
// shows on the white box and on the ink alike. Option buttons and pointer share it.
QPixmap puntoDeTrazo(int ancho) {
    const int lado = ancho + 4;
    QPixmap pixmap(lado, lado);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(Qt::white, 1.5));
    p.setBrush(Qt::black);
    p.drawEllipse(QRectF(1, 1, lado - 2, lado - 2));
    return pixmap;
}

bool conPresion(const QPointingDevice* dispositivo) {
    return dispositivo && dispositivo->capabilities().testFlag(QInputDevice::Capability::Pressure);
}

} // namespace

CajaFirma::CajaFirma(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("P1"));
    setAccessibleName(QStringLiteral("Firma"));
    setAttribute(Qt::WA_AcceptTouchEvents);
    setAttribute(Qt::WA_OpaquePaintEvent);
    setMinimumSize(240, 120);
}

void CajaFirma::limpiar() {
    lienzo_.limpiar();
    pendiente_ = QRect();
    update();
}

void CajaFirma::actualizar(const QRect& cambiada) {
    const QRect nueva = lienzo_.areaPendiente();
    QRegion region(cambiada);
    region += pendiente_;
    region += nueva;
    pendiente_ = nueva;
    update(region);
}

void CajaFirma::paintEvent(QPaintEvent* e) {
    QPainter p(this);
    p.drawImage(e->rect(), lienzo_.imagen(), e->rect());
    lienzo_.dibujarPendiente(p);
}

void CajaFirma::resizeEvent(QResizeEvent* e) {
    QWidget::resizeEvent(e);
    lienzo_.redimensionar(size());
}

void CajaFirma::mousePressEvent(QMouseEvent* e) {
    if (lienzo_.trazando())
        return;
    actualizar(lienzo_.empezar(e->position()));
}

void CajaFirma::mouseMoveEvent(QMouseEvent* e) {
    if (e->buttons() != Qt::NoButton)
        actualizar(lienzo_.mover(e->position()));
}

void CajaFirma::mouseReleaseEvent(QMouseEvent* e) {
    if (e->buttons() == Qt::NoButton)
        actualizar(lienzo_.terminar());
}

// Taking the pen's events keeps Qt from turning them into mouse events as well.
void CajaFirma::tabletEvent(QTabletEvent* e) {
    const qreal presion =
        conPresion(e->pointingDevice()) ? e->pressure() : LienzoFirma::kSinPresion;
    switch (e->type()) {
    case QEvent::TabletPress:
        actualizar(lienzo_.empezar(e->position(), presion));
        break;
    case QEvent::TabletMove:
        if (lienzo_.trazando())
            actualizar(lienzo_.mover(e->position(), presion));
        break;
    case QEvent::TabletRelease:
        actualizar(lienzo_.terminar());
        break;
    default:
        break;
    }
    e->accept();
}

// Touch screens draw with the first finger; their pressure readings are seldom
// real, so touch draws at the chosen width.
bool CajaFirma::event(QEvent* e) {
    switch (e->type()) {
    case QEvent::TouchBegin:
    case QEvent::TouchUpdate:
    case QEvent::TouchEnd:
    case QEvent::TouchCancel: {
        const auto* toque = static_cast<QTouchEvent*>(e);
        if (toque->points().isEmpty()) {
            actualizar(lienzo_.terminar());
        } else {
            const QEventPoint& punto = toque->points().constFirst();
            if (e->type() == QEvent::TouchBegin)
                actualizar(lienzo_.empezar(punto.position()));
            else if (e->type() == QEvent::TouchUpdate)
                actualizar(lienzo_.mover(punto.position()));
            else
                actualizar(lienzo_.terminar());
        }
        e->accept();
        return true;
    }
    default:
        return QWidget::event(e);
    }
}

FrmPad::FrmPad(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("FrmPad"));
    setWindowTitle(QStringLiteral("Editor de firmas"));
    setModal(true);

    auto* principal = new QVBoxLayout(this);
    auto* herramientas = new QHBoxLayout;
    for (int i = 0; i < kTrazos; ++i) {
        auto* op = new QRadioButton(this);
        op->setObjectName(QStringLiteral("Op_%1").arg(i));
        const QPixmap punto = puntoDeTrazo(anchoDeTrazo(i));
        op->setIcon(QIcon(punto));
        op->setIconSize(punto.size());
        const QString nombre = QStringLiteral("Trazo de %1 píxeles").arg(anchoDeTrazo(i));
        op->setAccessibleName(nombre);
        op->setToolTip(nombre);
        connect(op, &QRadioButton::toggled, this, [this, i](bool elegido) {
            if (elegido)
                elegirTrazo(i);
        });
        herramientas->addWidget(op);
        op_[static_cast<size_t>(i)] = op;
    }
    herramientas->addStretch();
    auto* limpiar = new QPushButton(QStringLiteral("Limpiar"), this);
    limpiar->setObjectName(QStringLiteral("Command1"));
    auto* aceptar = new QPushButton(QStringLiteral("Aceptar"), this);
    aceptar->setObjectName(QStringLiteral("Command3"));
    auto* cancelar = new QPushButton(QStringLiteral("Cancelar"), this);
    cancelar->setObjectName(QStringLiteral("Command2"));
    herramientas->addWidget(limpiar);
    herramientas->addWidget(aceptar);
    herramientas->addWidget(cancelar);
    principal->addLayout(herramientas);

    p1_ = new CajaFirma(this);
    principal->addWidget(p1_, 1);
    resize(760, 380);

    connect(limpiar, &QPushButton::clicked, p1_, &CajaFirma::limpiar);
    connect(aceptar, &QPushButton::clicked, this, &FrmPad::aceptar);
    connect(cancelar, &QPushButton::clicked, this, &QDialog::reject);

    // The width of the last session; the third when none was stored or it is no option.
    bool numero = false;
    const int leido = LeerIni(claves::kTrazo).trimmed().toInt(&numero);
    const int indice = numero && leido >= 0 && leido < kTrazos ? leido : kTrazoPredeterminado;
    op_[static_cast<size_t>(indice)]->setChecked(true);
}

void FrmPad::elegirTrazo(int indice) {
    const int ancho = anchoDeTrazo(indice);
    p1_->lienzo().fijarAncho(ancho);
    const QPixmap punto = puntoDeTrazo(ancho);
    p1_->setCursor(QCursor(punto, punto.width() / 2, punto.height() / 2));
    EscribirIni(claves::kTrazo, QString::number(indice));
}

void FrmPad::aceptar() {
    p1_->lienzo().terminar();
    const QImage dibujo = p1_->lienzo().imagen();
    const QString error = guardarArchivoTrabajo(dibujo, almacen::fuenteFirma(), "BMP");
    if (!error.isEmpty()) {
        Dialogos::actual().mensaje(this, error, Dialogos::Icono::Critico);
        return;
    }
    firma_ = dibujo;
    accept();
}

std::optional<QImage> dibujarFirma(QWidget* padre) {
    FrmPad pad(padre);
    if (pad.exec() != QDialog::Accepted)
        return std::nullopt;
    return pad.firma();
}
