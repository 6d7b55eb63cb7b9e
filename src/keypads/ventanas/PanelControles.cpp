#include "keypads/ventanas/PanelControles.h"

#include "app/Colocacion.h"
#include "app/ventanas/Accesibles.h"
#include "keypads/ReceptorSimulado.h"
#include "keypads/ventanas/NombresPanelControles.h"

#include <QCheckBox>
#include <QEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QScrollArea>
#include <QSpinBox>
#include <QVBoxLayout>
#include <QWindow>
#include <algorithm>

namespace n = nombres::panelControles;

namespace {
constexpr int kColumnasMaximas = 4;
constexpr int kAnchoTecla = 36;
const QSize kTamano(720, 480);
} // namespace

PanelControles::PanelControles(ReceptorSimulado& receptor, int cantidad, QWidget* parent)
    : QWidget(parent, Qt::Tool), receptor_(&receptor), cantidad_(cantidad) {
    setObjectName(n::kVentana);
    setWindowTitle(QStringLiteral("Controles remotos simulados"));
    setAttribute(Qt::WA_ShowWithoutActivating);

    auto* raiz = new QVBoxLayout(this);
    // Beside a window that leaves little room the panel takes what there is, even
    // below what its rows would like, rather than cover that window.
    raiz->setSizeConstraint(QLayout::SetNoConstraint);
    auto* cabecera = new QHBoxLayout;
    estado_ = new QLabel(this);
    estado_->setObjectName(n::kEstado);
    enchufado_ = new QCheckBox(QStringLiteral("Receptor enchufado"), this);
    enchufado_->setObjectName(n::kEnchufado);
    enchufado_->setAccessibleName(enchufado_->text());
    auto* etiquetaCantidad = new QLabel(QStringLiteral("Controles:"), this);
    auto* cantidadCtl = cantidadCtl_ = new QSpinBox(this);
    cantidadCtl->setObjectName(n::kCantidad);
    cantidadCtl->setRange(0, Receptor::kPosiciones);
    cantidadCtl->setSpecialValueText(QStringLiteral("Asignados"));
    cantidadCtl->setValue(cantidad_);
    rotular(etiquetaCantidad, cantidadCtl);
    connect(cantidadCtl, &QSpinBox::valueChanged, this, &PanelControles::fijarCantidad);
    // Two short rows, so the panel fits narrow beside the window it serves.
    cabecera->addWidget(estado_, 1);
    cabecera->addWidget(enchufado_);
    raiz->addLayout(cabecera);
    auto* filaCantidad = new QHBoxLayout;
    filaCantidad->addWidget(etiquetaCantidad);
    filaCantidad->addWidget(cantidadCtl);
    filaCantidad->addStretch(1);
    raiz->addLayout(filaCantidad);

    auto* desplazable = desplazable_ = new QScrollArea(this);
    desplazable->setWidgetResizable(true);
    controles_ = new QWidget(desplazable);
    rejilla_ = new QGridLayout(controles_);
    rejilla_->setAlignment(Qt::AlignTop | Qt::AlignLeft);
    desplazable->setWidget(controles_);
    // Room for one row of keypads at least.
    desplazable->setMinimumHeight(160);
    raiz->addWidget(desplazable, 1);

    connect(enchufado_, &QCheckBox::toggled, this, [this](bool si) {
        if (!receptor_)
            return;
        si ? receptor_->enchufar() : receptor_->desenchufar();
        actualizarEstado();
    });
    connect(&receptor, &ReceptorSimulado::programadosCambiados, this, [this] {
        if (cantidad_ == 0)
            reconstruir();
    });
    connect(&receptor, &ReceptorSimulado::abiertoCambiado, this, &PanelControles::actualizarEstado);
    connect(&receptor, &Receptor::enchufado, this, &PanelControles::actualizarEstado);
    connect(&receptor, &Receptor::desenchufado, this, &PanelControles::actualizarEstado);

    reconstruir();
    actualizarEstado();
    resize(kTamano);
}

void PanelControles::fijarCantidad(int cantidad) {
    cantidad_ = std::clamp(cantidad, 0, int(Receptor::kPosiciones));
    if (cantidadCtl_->value() != cantidad_) {
        const QSignalBlocker bloqueo(cantidadCtl_);
        cantidadCtl_->setValue(cantidad_);
    }
    reconstruir();
}

void PanelControles::fijarControlesDelGrupo(const QList<int>& numeros) {
    if (numeros == delGrupo_)
        return;
    delGrupo_ = numeros;
    if (cantidad_ == 0)
        reconstruir();
}

int PanelControles::columnasQueCaben() const {
    // A keypad is three keys wide plus its frame; as many per row as the width
    // holds, so a narrow panel beside a window scrolls down, never sideways.
    const int anchoCaja = 3 * kAnchoTecla + 4 * rejilla_->spacing() + 30;
    const int ancho = desplazable_->viewport()->width() - 2 * rejilla_->contentsMargins().left();
    return std::clamp(ancho / std::max(1, anchoCaja), 1, kColumnasMaximas);
}

void PanelControles::resizeEvent(QResizeEvent* evento) {
    QWidget::resizeEvent(evento);
    if (columnasQueCaben() != columnas_)
        reconstruir();
}

void PanelControles::acompanar(QWidget* ventana) {
    if (acompanada_)
        acompanada_->removeEventFilter(this);
    acompanada_ = ventana;
    pertenecerA(ventana);
    if (!ventana)
        return;
    ventana->installEventFilter(this);
    colocar();
}

void PanelControles::pertenecerA(QWidget* ventana) {
    // A window manager stacks a window above the one it belongs to, and that one's
    // opener: the main window behind a modal window never covers the panel.
    QWindow* propia = windowHandle();
    QWindow* duena = ventana ? ventana->window()->windowHandle() : nullptr;
    if (!propia || propia->transientParent() == duena)
        return;
    // The platform reads it when the window is shown.
    const bool mostrar = duena && isVisible();
    if (mostrar)
        hide();
    propia->setTransientParent(duena);
    if (mostrar)
        show();
}

bool PanelControles::eventFilter(QObject* objeto, QEvent* evento) {
    if (objeto == acompanada_ && !colocando_ &&
        (evento->type() == QEvent::Show || evento->type() == QEvent::Move ||
         evento->type() == QEvent::Resize))
        colocar();
    return QWidget::eventFilter(objeto, evento);
}

void PanelControles::colocar() {
    if (!acompanada_ || !acompanada_->isVisible() || !isVisible())
        return;
    QScreen* pantalla = acompanada_->screen();
    if (!pantalla)
        return;
    colocando_ = true;
    // Frames include the window manager's decorations; sizes are set without them.
    const QSize marco = frameGeometry().size() - size();
    const Colocacion c = colocarAlLado(acompanada_->frameGeometry(), kTamano + marco,
                                       minimumSizeHint() + marco, pantalla->availableGeometry());
    if (c.ventana.topLeft() != acompanada_->frameGeometry().topLeft())
        acompanada_->move(c.ventana.topLeft());
    resize((c.acompanante.size() - marco).expandedTo(QSize(1, 1)));
    move(c.acompanante.topLeft());
    raise();
    colocando_ = false;
}

void PanelControles::actualizarEstado() {
    if (!receptor_)
        return;
    const QSignalBlocker bloqueo(enchufado_);
    enchufado_->setChecked(receptor_->enchufadoFisico());
    estado_->setText(receptor_->conectado() ? QStringLiteral("Receptor simulado conectado")
                                            : QStringLiteral("Receptor simulado desconectado"));
}

void PanelControles::reconstruir() {
    if (!receptor_)
        return;
    posiciones_.clear();
    if (cantidad_ > 0) {
        for (int p = 0; p < std::min(cantidad_, int(Receptor::kPosiciones)); ++p)
            posiciones_.append(p);
    } else {
        for (int n : delGrupo_ + receptor_->programados()) {
            const int p = ReceptorSimulado::posicionDeControl(n);
            if (p >= 0 && !posiciones_.contains(p))
                posiciones_.append(p);
        }
        std::sort(posiciones_.begin(), posiciones_.end());
    }
    columnas_ = columnasQueCaben();

    while (QLayoutItem* item = rejilla_->takeAt(0)) {
        delete item->widget();
        delete item;
    }
    if (posiciones_.isEmpty()) {
        auto* vacio =
            new QLabel(QStringLiteral("Ningún control remoto asignado todavía"), controles_);
        vacio->setObjectName(n::kSinControles);
        rejilla_->addWidget(vacio, 0, 0);
        vacio->show(); // made after the panel may already be on screen
        return;
    }

    int i = 0;
    for (int p : posiciones_) {
        const int numero = ReceptorSimulado::controlDePosicion(p);
        auto* caja = new QGroupBox(
            QStringLiteral("Evaluado %1 (control %2)").arg(p + 1).arg(numero), controles_);
        caja->setObjectName(n::control(p));
        auto* teclas = new QGridLayout(caja);
        teclas->setSpacing(2);
        for (int k = 0; k < 10; ++k) {
            const int digito = (k + 1) % 10; // 1..9 then 0, as on the keypad
            auto* b = new QPushButton(QString::number(digito), caja);
            b->setObjectName(n::tecla(p, digito));
            b->setAccessibleName(QStringLiteral("Evaluado %1, tecla %2").arg(p + 1).arg(digito));
            b->setFocusPolicy(Qt::TabFocus);
            b->setFixedWidth(kAnchoTecla);
            const char tecla = char('0' + digito);
            connect(b, &QPushButton::clicked, this, [this, p, tecla] {
                if (receptor_)
                    receptor_->pulsarTecla(p, tecla);
            });
            teclas->addWidget(b, k / 3, k % 3 + (k == 9 ? 1 : 0));
        }
        rejilla_->addWidget(caja, i / columnas_, i % columnas_);
        caja->show(); // made after the panel may already be on screen
        ++i;
    }
}
