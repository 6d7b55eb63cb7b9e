#include "persons/ventanas/ObtenerFirma.h"

#include "app/Ini.h"
#include "app/Rutas.h"
#include "app/Rutinas.h"
#include "app/ventanas/Dialogos.h"
#include "persons/AlmacenImagenes.h"
#include "persons/ventanas/FrmEncuadre.h"
#include "persons/ventanas/FrmNMPersona.h"
#include "persons/ventanas/FrmPad.h"
#include "persons/ventanas/PanelEscaner.h"

#include <QDir>
#include <QFile>
#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPixmap>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>

ObtenerFirma::ObtenerFirma(QWidget* padre) : QDialog(padre) {
    setObjectName(QStringLiteral("ObtenerFirma"));
    setWindowTitle(QStringLiteral("Obtener firma"));
    setModal(true);
    construir();
    mostrar();
}

void ObtenerFirma::construir() {
    auto* principal = new QVBoxLayout(this);
    auto* cuerpo = new QHBoxLayout;
    principal->addLayout(cuerpo);

    auto* p1 = new QFrame(this);
    p1->setObjectName(QStringLiteral("P1"));
    p1->setFixedSize(EdicionFirma::kCaja);
    im1_ = new QLabel(p1);
    im1_->setObjectName(QStringLiteral("Im1"));
    im1_->setAccessibleName(QStringLiteral("Firma"));
    im1_->setFixedSize(EdicionFirma::kCaja);
    im1_->setAutoFillBackground(true);
    cuerpo->addWidget(p1, 0, Qt::AlignTop);

    auto* lado = new QVBoxLayout;
    cuerpo->addLayout(lado);
    const auto boton = [this](const QString& texto, const char* nombre) {
        auto* b = new QPushButton(texto, this);
        b->setObjectName(QString::fromLatin1(nombre));
        b->setAutoDefault(false);
        acciones_.append(b);
        return b;
    };
    auto* pad = boton(QStringLiteral("Obtener firma desde pad"), "Command6");
    auto* archivo = boton(QStringLiteral("Obtener desde archivo"), "Command1");
    auto* twain = boton(QStringLiteral("Dispositivo TWAIN"), "Command2");
    auto* encuadrar = boton(QStringLiteral("Encuadrar firma"), "Command3");
    for (QPushButton* b : {pad, archivo, twain, encuadrar})
        lado->addWidget(b);
    lado->addStretch();

    text1_ = new QLineEdit(this);
    text1_->setObjectName(QStringLiteral("Text1"));
    text1_->setReadOnly(true);
    text1_->setAccessibleName(QStringLiteral("Origen de la firma"));
    principal->addWidget(text1_);
    escaner_ = new PanelEscaner(this);
    principal->addWidget(escaner_);

    auto* pie = new QHBoxLayout;
    auto* aceptar = boton(QStringLiteral("Aceptar"), "Command4");
    auto* cancelar = new QPushButton(QStringLiteral("Cancelar"), this);
    cancelar->setObjectName(QStringLiteral("Command5"));
    cancelar->setAutoDefault(false);
    pie->addStretch();
    pie->addWidget(aceptar);
    pie->addWidget(cancelar);
    principal->addLayout(pie);

    connect(pad, &QPushButton::clicked, this, &ObtenerFirma::desdePad);
    connect(archivo, &QPushButton::clicked, this, &ObtenerFirma::desdeArchivo);
    connect(twain, &QPushButton::clicked, this, &ObtenerFirma::escanear);
    connect(encuadrar, &QPushButton::clicked, this, &ObtenerFirma::encuadrar);
    connect(aceptar, &QPushButton::clicked, this, &ObtenerFirma::aceptar);
    connect(cancelar, &QPushButton::clicked, this, &QDialog::reject);
    connect(escaner_, &PanelEscaner::adquirida, this, &ObtenerFirma::escaneada);
    connect(escaner_, &PanelEscaner::terminado, this, [this] { habilitar(true); });
}

void ObtenerFirma::showEvent(QShowEvent* evento) {
    QDialog::showEvent(evento);
    if (padAbierto_)
        return;
    padAbierto_ = true;
    // Once the window is up, so the pad opens over it.
    QTimer::singleShot(0, this, [this] {
        if (isVisible())
            desdePad();
    });
}

void ObtenerFirma::habilitar(bool habilitado) {
    for (QWidget* w : std::as_const(acciones_))
        w->setEnabled(habilitado);
}

bool ObtenerFirma::tomar(const QImage& imagen, EdicionFirma::Origen origen) {
    const QString error = edicion_.tomar(imagen, origen);
    if (!error.isEmpty()) {
        Dialogos::actual().mensaje(this, error, Dialogos::Icono::Critico);
        return false;
    }
    mostrar();
    return true;
}

void ObtenerFirma::desdePad() {
    const std::optional<QImage> dibujo = dibujarFirma(this);
    // A pad accepted without a stroke is no signature.
    if (dibujo && !EdicionFirma::enBlanco(*dibujo)) {
        if (tomar(*dibujo, EdicionFirma::Origen::Pad))
            text1_->clear();
        return;
    }
    // Nothing new drawn: what this person's capture left, if the window shows nothing yet.
    if (!edicion_.tieneFirma() && edicion_.recuperarFuente())
        mostrar();
}

void ObtenerFirma::desdeArchivo() {
    const QString ruta =
        Dialogos::actual().abrirArchivo(this, QStringLiteral("Obtener firma desde archivo"),
                                        rutas::local(UnidadTrabajo() + QStringLiteral("\\Firmas")),
                                        QStringLiteral("Archivos de imágenes (*.jpg *.gif *.bmp)"));
    if (ruta.isEmpty())
        return; // cancelled: the signature stays as it was
    QString error;
    const QImage imagen = EdicionFirma::leerArchivo(ruta, &error);
    if (imagen.isNull()) {
        Dialogos::actual().mensaje(this, error, Dialogos::Icono::Critico);
        return;
    }
    if (!tomar(imagen, EdicionFirma::Origen::Archivo))
        return;
    const QString nativa = QDir::toNativeSeparators(ruta);
    text1_->setText(nativa);
    EscribirIni(QStringLiteral("Imagenes"), QStringLiteral("Firma"), nativa);
}

void ObtenerFirma::escanear() {
    habilitar(false);
    escaner_->iniciar();
}

void ObtenerFirma::escaneada(const QImage& imagen) {
    if (tomar(imagen, EdicionFirma::Origen::Escaner))
        text1_->setText(QStringLiteral("(Obtenida desde dispositivo twain)"));
}

void ObtenerFirma::encuadrar() {
    if (!edicion_.tieneFirma())
        return;
    const std::optional<QImage> encuadrada = FrmEncuadreF::encuadrar(this, edicion_.fuente());
    if (!encuadrada)
        return;
    edicion_.encuadrada(*encuadrada);
    mostrar();
}

void ObtenerFirma::mostrar() {
    const QImage caja = edicion_.paraCaja();
    if (caja.isNull())
        im1_->clear();
    else
        im1_->setPixmap(QPixmap::fromImage(caja));
}

void ObtenerFirma::aceptar() {
    // Nothing taken: nothing to hand over, and an earlier signature stays.
    if (!edicion_.tieneFirma()) {
        reject();
        return;
    }
    const QString error = edicion_.guardar(almacen::archivoTrabajo(almacen::TipoImagen::Firma));
    if (!error.isEmpty()) {
        Dialogos::actual().mensaje(this, error, Dialogos::Icono::Critico);
        return;
    }
    // The source has served; the next capture starts from a new one.
    QFile::remove(almacen::hacerEscribible(almacen::fuenteFirma()));
    accept();
}

void instalarCapturaFirma() {
    FrmNMPersona::instalarCaptura(almacen::TipoImagen::Firma, [](QWidget* editor) {
        ObtenerFirma f(editor);
        f.exec();
    });
}
