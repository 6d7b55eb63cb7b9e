#include "keypads/ventanas/PanelControles.h"

#include "app/ventanas/Accesibles.h"
#include "keypads/ReceptorSimulado.h"
#include "keypads/ventanas/NombresPanelControles.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QScrollArea>
#include <QSpinBox>
#include <QVBoxLayout>
#include <algorithm>

namespace n = nombres::panelControles;

namespace {
constexpr int kColumnas = 4;
}

PanelControles::PanelControles(ReceptorSimulado& receptor, int cantidad, QWidget* parent)
    : QWidget(parent, Qt::Tool), receptor_(&receptor), cantidad_(cantidad) {
    setObjectName(n::kVentana);
    setWindowTitle(QStringLiteral("Controles remotos simulados"));
    setAttribute(Qt::WA_ShowWithoutActivating);

    auto* raiz = new QVBoxLayout(this);
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
    cabecera->addWidget(estado_, 1);
    cabecera->addWidget(etiquetaCantidad);
    cabecera->addWidget(cantidadCtl);
    cabecera->addWidget(enchufado_);
    raiz->addLayout(cabecera);

    auto* desplazable = new QScrollArea(this);
    desplazable->setWidgetResizable(true);
    controles_ = new QWidget(desplazable);
    rejilla_ = new QGridLayout(controles_);
    rejilla_->setAlignment(Qt::AlignTop | Qt::AlignLeft);
    desplazable->setWidget(controles_);
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
    resize(720, 480);
}

void PanelControles::fijarCantidad(int cantidad) {
    cantidad_ = std::clamp(cantidad, 0, int(Receptor::kPosiciones));
    if (cantidadCtl_->value() != cantidad_) {
        const QSignalBlocker bloqueo(cantidadCtl_);
        cantidadCtl_->setValue(cantidad_);
    }
    reconstruir();
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
        for (int n : receptor_->programados()) {
            const int p = ReceptorSimulado::posicionDeControl(n);
            if (p >= 0 && !posiciones_.contains(p))
                posiciones_.append(p);
        }
        std::sort(posiciones_.begin(), posiciones_.end());
    }

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
            b->setFixedWidth(36);
            const char tecla = char('0' + digito);
            connect(b, &QPushButton::clicked, this, [this, p, tecla] {
                if (receptor_)
                    receptor_->pulsarTecla(p, tecla);
            });
            teclas->addWidget(b, k / 3, k % 3 + (k == 9 ? 1 : 0));
        }
        rejilla_->addWidget(caja, i / kColumnas, i % kColumnas);
        caja->show(); // made after the panel may already be on screen
        ++i;
    }
}
