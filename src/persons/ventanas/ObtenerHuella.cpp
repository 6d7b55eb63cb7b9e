#include "persons/ventanas/ObtenerHuella.h"

#include "app/ventanas/Dialogos.h"
#include "app/ventanas/RutinasVentana.h"
#include "persons/AlmacenImagenes.h"
#include "persons/CapturaHuella.h"
#include "persons/LectorHuellas.h"
#include "persons/ventanas/FrmNMPersona.h"

#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QScreen>
#include <QStyle>
#include <QVBoxLayout>

namespace {

// The status lamp: a filled circle in the capture's colour.
class Lampara : public QWidget {
public:
    explicit Lampara(QWidget* padre) : QWidget(padre) {
        setFixedSize(22, 22);
        setAccessibleName(QStringLiteral("Estado del lector"));
    }
    void fijarColor(const QColor& color) {
        color_ = color;
        update();
    }

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter p(this);
        p.setRenderHint(QPainter::Antialiasing);
        p.setPen(QPen(Qt::black, 1));
        p.setBrush(color_);
        p.drawEllipse(rect().adjusted(1, 1, -1, -1));
    }

private:
    QColor color_;
};

} // namespace

ObtenerHuella::ObtenerHuella(LectorHuellas& lector, QWidget* parent)
    : QDialog(parent), captura_(new CapturaHuella(lector, kCaja, this)) {
    setObjectName(QStringLiteral("ObtenerHuella"));
    setWindowTitle(QStringLiteral("Obtener huella"));
    setModal(true);
    MantenerEncima(this, true);

    lblTitulo_ = new QLabel(QStringLiteral("Leyendo huella dactilar..."), this);
    lblTitulo_->setObjectName(QStringLiteral("LblTitulo"));
    QFont grande = lblTitulo_->font();
    grande.setPointSizeF(grande.pointSizeF() * 1.4);
    grande.setBold(true);
    lblTitulo_->setFont(grande);
    lblDescripcion_ = new QLabel(
        QStringLiteral("Por favor coloque su dedo pulgar derecho sobre el lector de huellas, no "
                       "olvide que para desencriptar el archivo debe poner el mismo dedo que "
                       "utilizó para encriptarlo."),
        this);
    lblDescripcion_->setObjectName(QStringLiteral("LblDescripcion"));
    lblDescripcion_->setWordWrap(true);

    picHuella_ = new QLabel(this);
    picHuella_->setObjectName(QStringLiteral("PicHuella"));
    picHuella_->setFixedSize(kCaja);
    picHuella_->setAutoFillBackground(true);
    QPalette blanco = picHuella_->palette();
    blanco.setColor(QPalette::Window, Qt::white);
    picHuella_->setPalette(blanco);
    picHuella_->setAccessibleName(QStringLiteral("Huella"));

    image1_ = new QLabel(this);
    image1_->setObjectName(QStringLiteral("Image1"));
    image1_->setPixmap(style()->standardIcon(QStyle::SP_MessageBoxCritical).pixmap(64, 64));
    image1_->setFixedSize(kCaja);
    image1_->setAlignment(Qt::AlignCenter);
    image1_->setAccessibleName(QStringLiteral("Error del lector"));
    image1_->hide();

    auto* lampara = new Lampara(this);
    lampara->setObjectName(QStringLiteral("ShpEstado"));
    lampara->fijarColor(captura_->colorLampara());
    lampara_ = lampara;

    command1_ = new QPushButton(QStringLiteral("Cancelar"), this);
    command1_->setObjectName(QStringLiteral("Command1"));

    auto* principal = new QVBoxLayout(this);
    principal->addWidget(lblTitulo_);
    principal->addWidget(lblDescripcion_);
    auto* centro = new QHBoxLayout;
    centro->addStretch();
    centro->addWidget(picHuella_);
    centro->addWidget(image1_);
    centro->addStretch();
    principal->addLayout(centro);
    auto* pie = new QHBoxLayout;
    pie->addWidget(lampara);
    pie->addStretch();
    pie->addWidget(command1_);
    principal->addLayout(pie);
    setFixedWidth(420);

    connect(command1_, &QPushButton::clicked, this, &ObtenerHuella::reject);
    connect(captura_, &CapturaHuella::lampara, this,
            [lampara](const QColor& c) { lampara->fijarColor(c); });
    connect(captura_, &CapturaHuella::errorLector, this, &ObtenerHuella::mostrarError);
    connect(captura_, &CapturaHuella::huellaDibujada, this, [this](const QImage& dibujo) {
        picHuella_->setPixmap(QPixmap::fromImage(dibujo));
        lblTitulo_->setText(QStringLiteral("Procesando huella"));
        command1_->setEnabled(false);
    });
    connect(captura_, &CapturaHuella::errorArchivo, this, [this](const QString& mensaje) {
        Dialogos::actual().mensaje(this, mensaje, Dialogos::Icono::Critico);
    });
    connect(captura_, &CapturaHuella::terminada, this, [this](bool conArchivo) {
        if (conArchivo)
            accept();
        else
            QDialog::reject();
    });
}

void ObtenerHuella::showEvent(QShowEvent* e) {
    QDialog::showEvent(e);
    if (iniciada_)
        return;
    iniciada_ = true;
    if (const QScreen* pantalla = screen())
        move(pantalla->availableGeometry().center() - rect().center());
    captura_->iniciar();
}

void ObtenerHuella::reject() {
    switch (captura_->estado()) {
    case CapturaHuella::Estado::Procesando:
        return;
    case CapturaHuella::Estado::Terminada:
        QDialog::reject();
        return;
    case CapturaHuella::Estado::Inactiva:
    case CapturaHuella::Estado::Esperando:
        captura_->cancelar();
        return;
    }
}

void ObtenerHuella::mostrarError() {
    picHuella_->hide();
    image1_->show();
    QPalette rojo = lblTitulo_->palette();
    rojo.setColor(QPalette::WindowText, CapturaHuella::kRojo);
    lblTitulo_->setPalette(rojo);
    lblTitulo_->setText(QStringLiteral("Error al inicilalizar el lector."));
    lblDescripcion_->setText(
        QStringLiteral("Asegúrese de que el lector se encuentra correctamente instalado en alguno "
                       "de los puertos USB de su pc y que los drivers se encuentran instalados."));
}

void instalarCapturaHuella() {
    FrmNMPersona::instalarCaptura(almacen::TipoImagen::Huella, [](QWidget* editor) {
        ObtenerHuella ventana(lectorHuellasCompartido(), editor);
        ventana.exec();
    });
}
