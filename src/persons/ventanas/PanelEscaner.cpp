#include "persons/ventanas/PanelEscaner.h"

#include "app/ventanas/Dialogos.h"
#include "persons/Escaner.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>

PanelEscaner::PanelEscaner(QWidget* padre) : QWidget(padre), escaner_(escanerCompartido()) {
    setObjectName(QStringLiteral("PanelEscaner"));
    auto* v = new QVBoxLayout(this);
    v->setContentsMargins(0, 0, 0, 0);
    texto_ = new QLabel(this);
    texto_->setObjectName(QStringLiteral("LblEscaner"));
    auto* h = new QHBoxLayout;
    barra_ = new QProgressBar(this);
    barra_->setObjectName(QStringLiteral("BarraEscaner"));
    barra_->setAccessibleName(QStringLiteral("Progreso del escáner"));
    cancelar_ = new QPushButton(QStringLiteral("Cancelar"), this);
    cancelar_->setObjectName(QStringLiteral("CmdCancelarEscaner"));
    cancelar_->setAccessibleName(QStringLiteral("Cancelar el escaneo"));
    h->addWidget(barra_, 1);
    h->addWidget(cancelar_);
    v->addWidget(texto_);
    v->addLayout(h);
    hide();

    connect(cancelar_, &QPushButton::clicked, this, &PanelEscaner::cancelar);
    connect(&escaner_, &Escaner::listados, this, &PanelEscaner::listados);
    connect(&escaner_, &Escaner::progreso, this, [this](int pedido, int pct) {
        if (pedido != pedido_ || estado_ != Estado::Adquiriendo)
            return;
        if (pct < 0) {
            barra_->setRange(0, 0);
        } else {
            barra_->setRange(0, 100);
            barra_->setValue(pct);
        }
    });
    connect(&escaner_, &Escaner::adquirida, this, [this](int pedido, const QImage& img) {
        if (pedido != pedido_ || estado_ == Estado::Libre)
            return;
        const bool cancelado = estado_ == Estado::Cancelando;
        terminar();
        if (!cancelado)
            Q_EMIT adquirida(img);
        Q_EMIT terminado();
    });
    connect(&escaner_, &Escaner::fallo, this, [this](int pedido, const QString& texto) {
        if (pedido != pedido_ || estado_ == Estado::Libre)
            return;
        const bool cancelado = estado_ == Estado::Cancelando;
        terminar();
        if (!cancelado)
            Dialogos::actual().mensaje(window(), texto, Dialogos::Icono::Critico);
        Q_EMIT terminado();
    });
    connect(&escaner_, &Escaner::cancelada, this, [this](int pedido) {
        if (pedido != pedido_ || estado_ == Estado::Libre)
            return;
        terminar();
        Q_EMIT terminado();
    });
}

PanelEscaner::~PanelEscaner() {
    if (estado_ == Estado::Adquiriendo)
        escaner_.cancelar();
}

void PanelEscaner::iniciar() {
    if (ocupado())
        return;
    estado_ = Estado::Buscando;
    texto_->setText(QStringLiteral("Buscando escáneres..."));
    barra_->setRange(0, 0);
    cancelar_->setEnabled(true);
    show();
    cancelar_->setFocus();
    escaner_.listar();
}

void PanelEscaner::listados(const QList<DispositivoEscaner>& dispositivos, const QString& error) {
    if (estado_ != Estado::Buscando)
        return;
    if (!error.isEmpty() || dispositivos.isEmpty()) {
        terminar();
        Dialogos::actual().mensaje(
            window(), error.isEmpty() ? QStringLiteral("No se encontró ningún escáner.") : error,
            error.isEmpty() ? Dialogos::Icono::Informacion : Dialogos::Icono::Critico);
        Q_EMIT terminado();
        return;
    }
    int elegido = 0;
    if (dispositivos.size() > 1) {
        QStringList nombres;
        for (const DispositivoEscaner& d : dispositivos)
            nombres << d.descripcion;
        const std::optional<int> i = Dialogos::actual().elegir(
            window(), QStringLiteral("Elija el escáner:"), QStringLiteral("Escáner"), nombres, 0);
        if (!i || estado_ != Estado::Buscando) {
            terminar();
            Q_EMIT terminado();
            return;
        }
        elegido = *i;
    }
    adquirir(dispositivos.at(elegido));
}

void PanelEscaner::adquirir(const DispositivoEscaner& dispositivo) {
    estado_ = Estado::Adquiriendo;
    texto_->setText(QStringLiteral("Obteniendo la imagen de %1...").arg(dispositivo.descripcion));
    barra_->setRange(0, 100);
    barra_->setValue(0);
    pedido_ = escaner_.adquirir(dispositivo.nombre);
}

void PanelEscaner::cancelar() {
    switch (estado_) {
    case Estado::Buscando:
        terminar();
        Q_EMIT terminado();
        break;
    case Estado::Adquiriendo:
        // The scan ends with `cancelada` once the device has stopped.
        estado_ = Estado::Cancelando;
        texto_->setText(QStringLiteral("Cancelando..."));
        cancelar_->setEnabled(false);
        escaner_.cancelar();
        break;
    case Estado::Libre:
    case Estado::Cancelando:
        break;
    }
}

void PanelEscaner::terminar() {
    estado_ = Estado::Libre;
    hide();
}
