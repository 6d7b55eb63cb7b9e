#include "persons/ventanas/VentanaCaptura.h"

#include "app/ventanas/Dialogos.h"
#include "persons/ventanas/PanelEscaner.h"

#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPixmap>
#include <QPushButton>
#include <QVBoxLayout>

VentanaCaptura::VentanaCaptura(QWidget* padre, const QString& nombre, const QString& titulo)
    : QDialog(padre) {
    setObjectName(nombre);
    setWindowTitle(titulo);
    setModal(true);
}

QVBoxLayout* VentanaCaptura::construirCaja(QSize caja, const QString& nombreCaja) {
    principal_ = new QVBoxLayout(this);
    auto* cuerpo = new QHBoxLayout;
    principal_->addLayout(cuerpo);

    auto* p1 = new QFrame(this);
    p1->setObjectName(QStringLiteral("P1"));
    p1->setFixedSize(caja);
    im1_ = new QLabel(p1);
    im1_->setObjectName(QStringLiteral("Im1"));
    im1_->setAccessibleName(nombreCaja);
    im1_->setFixedSize(caja);
    im1_->setAutoFillBackground(true);
    cuerpo->addWidget(p1, 0, Qt::AlignTop);

    lado_ = new QVBoxLayout;
    cuerpo->addLayout(lado_);
    return lado_;
}

void VentanaCaptura::construirPie(const QString& nombreOrigen, QWidget* nota) {
    lado_->addStretch();
    text1_ = new QLineEdit(this);
    text1_->setObjectName(QStringLiteral("Text1"));
    text1_->setReadOnly(true);
    text1_->setAccessibleName(nombreOrigen);
    principal_->addWidget(text1_);
    if (nota)
        principal_->addWidget(nota);
    escaner_ = new PanelEscaner(this);
    principal_->addWidget(escaner_);

    auto* pie = new QHBoxLayout;
    auto* aceptar = boton(QStringLiteral("Aceptar"), "Command4");
    auto* cancelar = new QPushButton(QStringLiteral("Cancelar"), this);
    cancelar->setObjectName(QStringLiteral("Command5"));
    cancelar->setAutoDefault(false);
    pie->addStretch();
    pie->addWidget(aceptar);
    pie->addWidget(cancelar);
    principal_->addLayout(pie);

    connect(aceptar, &QPushButton::clicked, this, &VentanaCaptura::aceptar);
    connect(cancelar, &QPushButton::clicked, this, &QDialog::reject);
    connect(escaner_, &PanelEscaner::adquirida, this, &VentanaCaptura::escaneada);
    connect(escaner_, &PanelEscaner::terminado, this, [this] { habilitar(true); });
}

QPushButton* VentanaCaptura::boton(const QString& texto, const char* nombre) {
    auto* b = new QPushButton(texto, this);
    b->setObjectName(QString::fromLatin1(nombre));
    b->setAutoDefault(false);
    acciones_.append(b);
    return b;
}

void VentanaCaptura::habilitar(bool habilitado) {
    for (QWidget* w : std::as_const(acciones_))
        w->setEnabled(habilitado);
}

void VentanaCaptura::mostrarEnCaja(const QImage& imagen) {
    if (imagen.isNull())
        im1_->clear();
    else
        im1_->setPixmap(QPixmap::fromImage(imagen));
}

void VentanaCaptura::escanear() {
    habilitar(false);
    escaner_->iniciar();
}

bool VentanaCaptura::entregar(bool hayImagen, const std::function<QString()>& guardar) {
    if (!hayImagen) {
        reject();
        return false;
    }
    const QString error = guardar();
    if (!error.isEmpty()) {
        Dialogos::actual().mensaje(this, error, Dialogos::Icono::Critico);
        return false;
    }
    return true;
}
