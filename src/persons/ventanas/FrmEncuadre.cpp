#include "persons/ventanas/FrmEncuadre.h"

#include "app/Texto.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QScrollBar>
#include <QStyle>
#include <QVBoxLayout>

namespace {

const QColor kFondo(0xE0, 0xE0, 0xE0);
constexpr int kIntervaloTamano = 2; // ms between grow or shrink steps
constexpr int kIntervaloMover = 1;  // ms between move steps

int px(double twips) {
    return static_cast<int>(texto::RedondearPar(Encuadre::aPixeles(twips)));
}

QRect enPixeles(const QRectF& twips) {
    return QRect(px(twips.left()), px(twips.top()), px(twips.width()), px(twips.height()));
}

} // namespace

// picMap: the picture at its own size with the frame over it; drags the frame.
class MapaEncuadre : public QWidget {
public:
    MapaEncuadre(FrmEncuadre& ventana, QWidget* padre) : QWidget(padre), v_(ventana) {
        setObjectName(QStringLiteral("picMap"));
        setMouseTracking(true);
        setFixedSize(v_.fuente_.size());
    }
    bool arrastrando() const { return arrastrando_; }

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter p(this);
        p.drawImage(0, 0, v_.fuente_);
        // ShC: a dark line under a light dashed one shows on any picture.
        const QRectF m = v_.encuadre_.marco();
        const QRectF r(Encuadre::aPixeles(m.left()), Encuadre::aPixeles(m.top()),
                       Encuadre::aPixeles(m.width()), Encuadre::aPixeles(m.height()));
        const int borde = arrastrando_ ? 1 : 2;
        p.setPen(QPen(Qt::black, borde));
        p.drawRect(r);
        p.setPen(QPen(Qt::white, borde, Qt::DashLine));
        p.drawRect(r);
    }
    void mousePressEvent(QMouseEvent* e) override {
        const QPointF t = aTwips(e->position());
        if (e->button() != Qt::LeftButton || !v_.encuadre_.contiene(t))
            return;
        v_.mostrarManijas(false);
        arrastrando_ = true;
        desfase_ = t - v_.encuadre_.marco().topLeft();
        update();
    }
    void mouseMoveEvent(QMouseEvent* e) override {
        const QPointF t = aTwips(e->position());
        if (arrastrando_ && (e->buttons() & Qt::LeftButton)) {
            v_.encuadre_.llevarEsquinaA(t - desfase_);
            update();
        }
        setCursor(arrastrando_ || v_.encuadre_.contiene(t) ? Qt::SizeAllCursor : Qt::ArrowCursor);
    }
    void mouseReleaseEvent(QMouseEvent* e) override {
        if (!arrastrando_ || e->button() != Qt::LeftButton)
            return;
        arrastrando_ = false;
        v_.marcoCambiado();
        v_.mostrarManijas(true);
        update();
    }

private:
    static QPointF aTwips(QPointF p) { return {Encuadre::aTwips(p.x()), Encuadre::aTwips(p.y())}; }

    FrmEncuadre& v_;
    bool arrastrando_ = false;
    QPointF desfase_;
};

std::optional<QImage> FrmEncuadre::encuadrar(QWidget* padre, const QImage& foto) {
    FrmEncuadre f(foto, Encuadre::Tipo::Foto, padre);
    f.exec();
    return f.resultado();
}

std::optional<QImage> FrmEncuadreF::encuadrar(QWidget* padre, const QImage& firma) {
    FrmEncuadreF f(firma, padre);
    f.exec();
    return f.resultado();
}

FrmEncuadreF::FrmEncuadreF(const QImage& firma, QWidget* padre)
    : FrmEncuadre(firma, Encuadre::Tipo::Firma, padre) {}

FrmEncuadre::FrmEncuadre(const QImage& fuente, Encuadre::Tipo tipo, QWidget* padre)
    : QDialog(padre), fuente_(fuente.convertToFormat(QImage::Format_RGB32)),
      encuadre_(tipo, fuente.size()) {
    const bool firma = tipo == Encuadre::Tipo::Firma;
    setObjectName(firma ? QStringLiteral("FrmEncuadreF") : QStringLiteral("FrmEncuadre"));
    setWindowTitle(firma ? QStringLiteral("Firma") : QStringLiteral("Fotografía"));
    setModal(true);
    reloj_.setTimerType(Qt::PreciseTimer);
    connect(&reloj_, &QTimer::timeout, this, &FrmEncuadre::pasosDebidos);
    construir();
    mostrarManijas(true);
    resize(820, 620);
}

void FrmEncuadre::construir() {
    auto* principal = new QHBoxLayout(this);

    auto* izquierda = new QGridLayout;
    contenedor_ = new QWidget(this);
    contenedor_->setObjectName(QStringLiteral("PicContenedor"));
    contenedor_->setAutoFillBackground(true);
    QPalette paleta = contenedor_->palette();
    paleta.setColor(QPalette::Window, kFondo);
    contenedor_->setPalette(paleta);
    contenedor_->setMinimumSize(200, 150);
    mapa_ = new MapaEncuadre(*this, contenedor_);
    const bool firma = encuadre_.tipo() == Encuadre::Tipo::Firma;
    for (int i = 0; i < 8; ++i) {
        auto* s = new QFrame(mapa_);
        s->setObjectName(firma ? QStringLiteral("S%1").arg(i + 1) : QStringLiteral("S_%1").arg(i));
        s->setAutoFillBackground(true);
        QPalette ps = s->palette();
        ps.setColor(QPalette::Window, Qt::black);
        s->setPalette(ps);
        s->setAttribute(Qt::WA_TransparentForMouseEvents);
        manijas_[static_cast<size_t>(i)] = s;
    }
    // The keys move the frame; the bars shift the picture with the mouse.
    vs1_ = new QScrollBar(Qt::Vertical, this);
    vs1_->setObjectName(QStringLiteral("Vs1"));
    vs1_->setAccessibleName(QStringLiteral("Desplazamiento vertical"));
    vs2_ = new QScrollBar(Qt::Horizontal, this);
    vs2_->setObjectName(QStringLiteral("Vs2"));
    vs2_->setAccessibleName(QStringLiteral("Desplazamiento horizontal"));
    for (QScrollBar* b : {vs1_, vs2_}) {
        b->setFocusPolicy(Qt::NoFocus);
        b->setRange(0, 0);
        connect(b, &QScrollBar::valueChanged, this, &FrmEncuadre::moverImagen);
    }
    izquierda->addWidget(contenedor_, 0, 0);
    izquierda->addWidget(vs1_, 0, 1);
    izquierda->addWidget(vs2_, 1, 0);
    principal->addLayout(izquierda, 1);

    auto* derecha = new QVBoxLayout;
    const auto boton = [this](const QString& texto, const QString& accesible,
                              const QString& nombre) {
        auto* b = new QPushButton(texto, this);
        b->setObjectName(nombre);
        b->setAccessibleName(accesible);
        b->setAutoDefault(false);
        return b;
    };
    auto* crecer =
        boton(QStringLiteral("+"), QStringLiteral("Agrandar el marco"), QStringLiteral("CExp_0"));
    auto* achicar =
        boton(QStringLiteral("−"), QStringLiteral("Achicar el marco"), QStringLiteral("CExp_1"));
    connect(crecer, &QPushButton::pressed, this, [this] { sostener(Accion::Crecer); });
    connect(achicar, &QPushButton::pressed, this, [this] { sostener(Accion::Achicar); });
    auto* tamano = new QHBoxLayout;
    tamano->addWidget(crecer);
    tamano->addWidget(achicar);
    derecha->addLayout(tamano);

    auto* cruz = new QGridLayout;
    const struct {
        const char* texto;
        const char* accesible;
        int fila, columna;
    } mover[4] = {{"←", "Mover el marco a la izquierda", 1, 0},
                  {"↑", "Mover el marco hacia arriba", 0, 1},
                  {"→", "Mover el marco a la derecha", 1, 2},
                  {"↓", "Mover el marco hacia abajo", 2, 1}};
    for (int i = 0; i < 4; ++i) {
        auto* b = boton(QString::fromUtf8(mover[i].texto), QString::fromUtf8(mover[i].accesible),
                        QStringLiteral("MCasa_%1").arg(i));
        const auto d = static_cast<Encuadre::Direccion>(i);
        connect(b, &QPushButton::pressed, this, [this, d] { sostener(Accion::Mover, d); });
        cruz->addWidget(b, mover[i].fila, mover[i].columna);
    }
    derecha->addLayout(cruz);
    rapido_ = new QCheckBox(QStringLiteral("Movimiento rápido"), this);
    rapido_->setObjectName(QStringLiteral("Check1"));
    derecha->addWidget(rapido_);

    auto* titulo = new QLabel(QStringLiteral("Tamaño"), this);
    titulo->setObjectName(QStringLiteral("Label1"));
    derecha->addWidget(titulo);
    for (int i = 0; i < 4; ++i) {
        auto* l = new QLabel(this);
        l->setObjectName(QStringLiteral("L%1").arg(i + 1));
        lecturas_[static_cast<size_t>(i)] = l;
        derecha->addWidget(l);
    }
    // Bare captions until the frame first changes.
    lecturas_[0]->setText(QStringLiteral(" Coord. X: "));
    lecturas_[1]->setText(QStringLiteral(" Coord. Y: "));
    lecturas_[2]->setText(QStringLiteral(" Ancho: "));
    lecturas_[3]->setText(QStringLiteral(" Alto: "));
    derecha->addStretch();

    auto* aceptar =
        boton(QStringLiteral("Aceptar"), QStringLiteral("Aceptar"), QStringLiteral("Command1"));
    auto* cancelar =
        boton(QStringLiteral("Cancelar"), QStringLiteral("Cancelar"), QStringLiteral("Command2"));
    connect(aceptar, &QPushButton::clicked, this, &FrmEncuadre::aceptar);
    connect(cancelar, &QPushButton::clicked, this, &QDialog::reject);
    derecha->addWidget(aceptar);
    derecha->addWidget(cancelar);
    principal->addLayout(derecha);

    // Releasing any held button ends its action, wherever the mouse went.
    for (QPushButton* b : findChildren<QPushButton*>())
        if (b->objectName().startsWith(QStringLiteral("CExp")) ||
            b->objectName().startsWith(QStringLiteral("MCasa")))
            connect(b, &QPushButton::released, this, &FrmEncuadre::soltar);

    // The frame keys act whichever control has the focus.
    installEventFilter(this);
    for (QWidget* w : findChildren<QWidget*>())
        w->installEventFilter(this);
}

bool FrmEncuadre::eventFilter(QObject* objeto, QEvent* evento) {
    if (evento->type() != QEvent::KeyPress && evento->type() != QEvent::KeyRelease)
        return QDialog::eventFilter(objeto, evento);
    auto* e = static_cast<QKeyEvent*>(evento);
    Accion accion = Accion::Mover;
    auto direccion = Encuadre::Direccion::Izquierda;
    switch (e->key()) {
    case Qt::Key_PageUp:
        accion = Accion::Crecer;
        break;
    case Qt::Key_PageDown:
        accion = Accion::Achicar;
        break;
    case Qt::Key_Left:
        direccion = Encuadre::Direccion::Izquierda;
        break;
    case Qt::Key_Up:
        direccion = Encuadre::Direccion::Arriba;
        break;
    case Qt::Key_Right:
        direccion = Encuadre::Direccion::Derecha;
        break;
    case Qt::Key_Down:
        direccion = Encuadre::Direccion::Abajo;
        break;
    default:
        return QDialog::eventFilter(objeto, evento);
    }
    // Auto-repeat neither restarts the held action nor ends it.
    if (!e->isAutoRepeat()) {
        if (evento->type() == QEvent::KeyPress)
            sostener(accion, direccion);
        else
            soltar();
    }
    return true;
}

void FrmEncuadre::sostener(Accion accion, Encuadre::Direccion direccion) {
    if (mapa_->arrastrando())
        return;
    accion_ = accion;
    direccion_ = direccion;
    mostrarManijas(false);
    pasosDados_ = 0;
    sostenido_.start();
    reloj_.start(accion == Accion::Mover ? kIntervaloMover : kIntervaloTamano);
    pasosDebidos();
}

void FrmEncuadre::soltar() {
    if (accion_ == Accion::Ninguna && !reloj_.isActive())
        return;
    reloj_.stop();
    accion_ = Accion::Ninguna;
    mostrarManijas(true);
}

void FrmEncuadre::pasosDebidos() {
    // One step at once, then one per interval; after a long stall at most a
    // short burst, so the frame never leaps.
    constexpr qint64 kRafagaMaxima = 25;
    const qint64 debidos = sostenido_.elapsed() / reloj_.interval() + 1;
    qint64 ahora = std::min(debidos - pasosDados_, kRafagaMaxima);
    bool cambio = false;
    for (; ahora > 0; --ahora) {
        ++pasosDados_;
        if (!paso()) {
            // At an edge or the smallest size nothing more happens until released.
            reloj_.stop();
            break;
        }
        cambio = true;
    }
    pasosDados_ = std::max(pasosDados_, debidos - kRafagaMaxima);
    if (cambio)
        marcoCambiado();
}

bool FrmEncuadre::paso() {
    bool hecho = false;
    switch (accion_) {
    case Accion::Crecer:
        hecho = encuadre_.crecer();
        break;
    case Accion::Achicar:
        hecho = encuadre_.achicar();
        break;
    case Accion::Mover:
        hecho = encuadre_.mover(direccion_, rapido_->isChecked());
        break;
    case Accion::Ninguna:
        break;
    }
    return hecho;
}

void FrmEncuadre::marcoCambiado() {
    const QRectF m = encuadre_.marco();
    const auto n = [](double v) { return QString::number(texto::RedondearPar(v), 'f', 0); };
    lecturas_[0]->setText(QStringLiteral(" Coord. X: ") + n(m.left()));
    lecturas_[1]->setText(QStringLiteral(" Coord. Y: ") + n(m.top()));
    lecturas_[2]->setText(QStringLiteral(" Ancho: ") + n(m.width()));
    lecturas_[3]->setText(QStringLiteral(" Alto: ") + n(m.height()));
    mapa_->update();
}

void FrmEncuadre::mostrarManijas(bool visibles) {
    const std::array<QRectF, 8> r = encuadre_.manijas();
    for (size_t i = 0; i < manijas_.size(); ++i) {
        if (visibles)
            manijas_[i]->setGeometry(enPixeles(r[i]));
        manijas_[i]->setVisible(visibles);
    }
}

void FrmEncuadre::resizeEvent(QResizeEvent* evento) {
    QDialog::resizeEvent(evento);
    ajustarBarras();
}

void FrmEncuadre::showEvent(QShowEvent* evento) {
    QDialog::showEvent(evento);
    ajustarBarras();
}

void FrmEncuadre::ajustarBarras() {
    const QSizeF imagen = encuadre_.imagenTwips();
    const auto ajustar = [](QScrollBar* b, double imagen, double vista) {
        const Encuadre::Rango r = Encuadre::rangoBarra(imagen, vista);
        const QSignalBlocker bloqueo(b);
        b->setRange(std::min(r.minimo, r.maximo), std::max(r.minimo, r.maximo));
        // The bar's start is 50 (picture shifted in); moving it on shows the far side.
        b->setInvertedAppearance(r.maximo < r.minimo);
        b->setInvertedControls(r.maximo < r.minimo);
    };
    ajustar(vs1_, imagen.height(), Encuadre::aTwips(contenedor_->height()));
    ajustar(vs2_, imagen.width(), Encuadre::aTwips(contenedor_->width()));
    moverImagen();
}

void FrmEncuadre::moverImagen() {
    mapa_->move(px(vs2_->value() * 10.0), px(vs1_->value() * 10.0));
}

void FrmEncuadre::aceptar() {
    resultado_ = encuadre_.recortar(fuente_, kFondo);
    accept();
}
