#include "persons/ventanas/FrmSelectCam.h"

#include "app/ventanas/Accesibles.h"
#include "app/ventanas/Dialogos.h"
#include "persons/Camara.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

FrmSelectCam::FrmSelectCam(Camara& camara, QWidget* padre) : QDialog(padre), camara_(camara) {
    setObjectName(QStringLiteral("FrmSelectCam"));
    setWindowTitle(QStringLiteral("Video Source"));
    setModal(true);
    auto* v = new QVBoxLayout(this);
    auto* etiqueta = new QLabel(QStringLiteral("Installed Drivers:"), this);
    lista_ = new QComboBox(this);
    lista_->setObjectName(QStringLiteral("cmboSource"));
    rotular(etiqueta, lista_);
    for (const DispositivoCamara& d : camara_.dispositivos()) {
        lista_->addItem(d.descripcion, d.id);
        if (d.id == camara_.actual())
            lista_->setCurrentIndex(lista_->count() - 1);
    }
    v->addWidget(etiqueta);
    v->addWidget(lista_);
    auto* botones = new QHBoxLayout;
    auto* select = new QPushButton(QStringLiteral("Select"), this);
    select->setObjectName(QStringLiteral("cmdSelect"));
    select->setDefault(true);
    select->setEnabled(lista_->count() > 0);
    auto* cancel = new QPushButton(QStringLiteral("Cancel"), this);
    cancel->setObjectName(QStringLiteral("cmdCancel"));
    botones->addStretch();
    botones->addWidget(select);
    botones->addWidget(cancel);
    v->addLayout(botones);
    connect(select, &QPushButton::clicked, this, &FrmSelectCam::seleccionar);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
}

void FrmSelectCam::seleccionar() {
    const QByteArray id = lista_->currentData().toByteArray();
    if (id.isEmpty())
        return;
    if (!camara_.conectar(id)) {
        // Unplugged while the list was open.
        Dialogos::actual().mensaje(
            this,
            QStringLiteral("No se pudo conectar la cámara \"%1\".").arg(lista_->currentText()),
            Dialogos::Icono::Exclamacion);
        return;
    }
    accept();
}
