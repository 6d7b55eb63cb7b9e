#include "persons/ventanas/ObtenerFirma.h"

#include "app/Ini.h"
#include "app/Rutas.h"
#include "app/Rutinas.h"
#include "app/ventanas/Dialogos.h"
#include "persons/AlmacenImagenes.h"
#include "persons/ventanas/FrmEncuadre.h"
#include "persons/ventanas/FrmNMPersona.h"
#include "persons/ventanas/FrmPad.h"

#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>

ObtenerFirma::ObtenerFirma(QWidget* padre)
    : VentanaCaptura(padre, QStringLiteral("ObtenerFirma"), QStringLiteral("Obtener firma")) {
    construir();
    mostrar();
}

void ObtenerFirma::construir() {
    QVBoxLayout* lado = construirCaja(EdicionFirma::kCaja, QStringLiteral("Firma"));
    auto* pad = boton(QStringLiteral("Obtener firma desde pad"), "Command6");
    auto* archivo = boton(QStringLiteral("Obtener desde archivo"), "Command1");
    auto* twain = boton(QStringLiteral("Dispositivo TWAIN"), "Command2");
    auto* encuadrar = boton(QStringLiteral("Encuadrar firma"), "Command3");
    for (QPushButton* b : {pad, archivo, twain, encuadrar})
        lado->addWidget(b);
    construirPie(QStringLiteral("Origen de la firma"));

    connect(pad, &QPushButton::clicked, this, &ObtenerFirma::desdePad);
    connect(archivo, &QPushButton::clicked, this, &ObtenerFirma::desdeArchivo);
    connect(twain, &QPushButton::clicked, this, &ObtenerFirma::escanear);
    connect(encuadrar, &QPushButton::clicked, this, &ObtenerFirma::encuadrar);
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
    mostrarEnCaja(edicion_.paraCaja());
}

void ObtenerFirma::aceptar() {
    if (!entregar(edicion_.tieneFirma(), [this] {
            return edicion_.guardar(almacen::archivoTrabajo(almacen::TipoImagen::Firma));
        }))
        return;
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
