#include "persons/ventanas/FrmWebcam.h"

#include "app/Rutas.h"
#include "app/Rutinas.h"
#include "app/ventanas/Dialogos.h"
#include "app/ventanas/RutinasVentana.h"
#include "persons/ArchivoTrabajo.h"
#include "persons/Camara.h"
#include "persons/ventanas/CamaraQt.h"
#include "persons/ventanas/FrmSelectCam.h"
#include "persons/ventanas/VistaCamara.h"

#include <QClipboard>
#include <QDir>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QMenuBar>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

const QString kSinCamaras = QStringLiteral("No hay cámaras instaladas.");

} // namespace

QString FrmWebcam::rutaInstantanea() {
    QString carpeta = qEnvironmentVariable("Tmp");
    if (carpeta.isEmpty())
        carpeta = qEnvironmentVariable("TMP");
    if (carpeta.isEmpty())
        carpeta = QDir::tempPath();
    return QDir(carpeta).filePath(QStringLiteral("Foto.jpg"));
}

FrmWebcam::FrmWebcam(QWidget* padre) : QDialog(padre) {
    setObjectName(QStringLiteral("FrmWebcam"));
    setWindowTitle(QStringLiteral("Obtener Fotografía"));
    setModal(true);
    camara_ = crearCamara(this);
    construir();

    connect(camara_, &Camara::cuadro, this, [this](const QImage& img) {
        const bool primero = vista_->cuadro().size() != img.size();
        vista_->mostrar(img);
        if (primero)
            ajustarAlVideo();
    });
    connect(camara_, &Camara::capturada, this, [this](const QImage& img) {
        if (!esperandoCaptura_)
            return;
        esperandoCaptura_ = false;
        // A picture that arrives after the camera went away is not taken.
        if (camara_->actual().isEmpty())
            return;
        guardarCaptura(img);
    });
    connect(camara_, &Camara::error, this, [this](const QString& texto) {
        esperandoCaptura_ = false;
        start_->setChecked(camara_->grabando());
        // A camera that went away was already reported; what fails after is no news.
        if (camara_->actual().isEmpty())
            return;
        capturar_->setEnabled(true);
        Dialogos::actual().mensaje(this, texto, Dialogos::Icono::Critico, QStringLiteral("Error"));
    });
    connect(camara_, &Camara::desconectada, this, &FrmWebcam::desconectada);
    connect(camara_, &Camara::grabacionTerminada, this,
            [this](const QString&) { start_->setChecked(false); });

    const QList<DispositivoCamara> dispositivos = camara_->dispositivos();
    if (!dispositivos.isEmpty() && camara_->conectar(dispositivos.first().id))
        conectada();
    else
        vista_->sinImagen(kSinCamaras);
    capturar_->setEnabled(!camara_->actual().isEmpty());
}

FrmWebcam::~FrmWebcam() {
    if (camara_->grabando())
        camara_->detenerGrabacion();
}

void FrmWebcam::construir() {
    auto* v = new QVBoxLayout(this);
    auto* menu = new QMenuBar(this);
    v->setMenuBar(menu);
    const auto accion = [](QMenu* m, const QString& texto, const char* nombre) {
        QAction* a = m->addAction(texto);
        a->setObjectName(QString::fromLatin1(nombre));
        return a;
    };

    QMenu* archivo = menu->addMenu(QStringLiteral("&Archivo"));
    // Preallocating a video file is something the platform's recorder does itself.
    allocate_ = accion(archivo, QStringLiteral("&Allocate"), "mnuAllocate");
    allocate_->setEnabled(false);
    start_ = accion(archivo, QStringLiteral("&Start"), "mnuStart");
    start_->setCheckable(true);
    archivo->addSeparator();
    QAction* salir = accion(archivo, QStringLiteral("E&xit"), "mnuExit");

    QMenu* edicion = menu->addMenu(QStringLiteral("&Edición"));
    QAction* copiar = accion(edicion, QStringLiteral("&Copy"), "mnuCopy");

    QMenu* opciones = menu->addMenu(QStringLiteral("&Opciones"));
    QAction* preview = accion(opciones, QStringLiteral("&Preview"), "mnuPreview");
    preview->setCheckable(true);
    preview->setChecked(true);
    QAction* escala = accion(opciones, QStringLiteral("Esc&ala"), "mnuEscala");
    escala->setCheckable(true);
    escala->setChecked(true);
    QAction* encima = accion(opciones, QStringLiteral("Al&ways Visible"), "mnuAlways");
    encima->setCheckable(true);
    opciones->addSeparator();
    formato_ = accion(opciones, QStringLiteral("&Formato"), "mnuFormato");
    // The platform's cameras have no driver dialogs of their own.
    for (auto [texto, nombre] : {std::pair{"Pr&opiedades", "mnuPropiedades"},
                                 {"&Display", "mnuDisplay"},
                                 {"Co&mpresion", "mnuCompresion"}})
        accion(opciones, QString::fromUtf8(texto), nombre)->setEnabled(false);
    opciones->addSeparator();
    QAction* seleccionar =
        accion(opciones, QStringLiteral("&Seleccionar webcam"), "mnuSeleccionar");

    dispositivo_ = new QLabel(this);
    dispositivo_->setObjectName(QStringLiteral("LblDispositivo"));
    vista_ = new VistaCamara(this);
    v->addWidget(dispositivo_);
    v->addWidget(vista_, 1);

    auto* botones = new QHBoxLayout;
    capturar_ = new QPushButton(QStringLiteral("Capturar"), this);
    capturar_->setObjectName(QStringLiteral("Command1"));
    capturar_->setDefault(true);
    auto* cancelar = new QPushButton(QStringLiteral("Cancelar"), this);
    cancelar->setObjectName(QStringLiteral("Command2"));
    botones->addStretch();
    botones->addWidget(capturar_);
    botones->addWidget(cancelar);
    v->addLayout(botones);

    connect(capturar_, &QPushButton::clicked, this, &FrmWebcam::capturar);
    connect(cancelar, &QPushButton::clicked, this, &FrmWebcam::reject);
    connect(salir, &QAction::triggered, this, &FrmWebcam::reject);
    connect(copiar, &QAction::triggered, this, [this] {
        if (!vista_->cuadro().isNull())
            QGuiApplication::clipboard()->setImage(vista_->cuadro());
    });
    connect(preview, &QAction::toggled, this, [this](bool activa) { vista_->fijarActiva(activa); });
    connect(escala, &QAction::toggled, this, [this](bool activa) {
        vista_->fijarEscala(activa);
        ajustarAlVideo();
    });
    connect(encima, &QAction::toggled, this, [this](bool activa) { MantenerEncima(this, activa); });
    connect(formato_, &QAction::triggered, this, &FrmWebcam::formato);
    connect(start_, &QAction::triggered, this, &FrmWebcam::grabar);
    connect(seleccionar, &QAction::triggered, this, &FrmWebcam::seleccionarCamara);
}

void FrmWebcam::conectada() {
    QString descripcion;
    for (const DispositivoCamara& d : camara_->dispositivos())
        if (d.id == camara_->actual())
            descripcion = d.descripcion;
    dispositivo_->setText(descripcion);
    formato_->setEnabled(!camara_->formatos().isEmpty());
    start_->setEnabled(camara_->puedeGrabar());
    capturar_->setEnabled(true);
}

void FrmWebcam::capturar() {
    if (camara_->actual().isEmpty() || esperandoCaptura_)
        return;
    esperandoCaptura_ = true;
    capturar_->setEnabled(false);
    camara_->capturar();
}

void FrmWebcam::guardarCaptura(const QImage& imagen) {
    const QString ruta = rutaInstantanea();
    // Kept lossless: the photograph window adjusts it before the JPEG is made.
    const QString error = guardarArchivoTrabajo(imagen, ruta, "BMP");
    if (!error.isEmpty()) {
        capturar_->setEnabled(true);
        Dialogos::actual().mensaje(this, error, Dialogos::Icono::Critico, QStringLiteral("Error"));
        return;
    }
    rutaCaptura_ = ruta;
    accept();
}

void FrmWebcam::formato() {
    const QList<FormatoCamara> formatos = camara_->formatos();
    if (formatos.isEmpty())
        return;
    QStringList textos;
    for (const FormatoCamara& f : formatos)
        textos << f.texto();
    const std::optional<int> i =
        Dialogos::actual().elegir(this, QStringLiteral("Formato de video:"),
                                  QStringLiteral("Formato"), textos, camara_->formatoActual());
    if (i)
        camara_->fijarFormato(*i);
}

void FrmWebcam::grabar() {
    if (camara_->grabando()) {
        camara_->detenerGrabacion();
        return;
    }
    start_->setChecked(false);
    const QString base = rutas::local(UnidadTrabajo() + QStringLiteral("\\myvideo"));
    const Dialogos::Respuesta r = Dialogos::actual().mensaje(
        this,
        QStringLiteral("Se grabará video sin sonido en \"%1\".\n\nPresione Aceptar para "
                       "comenzar. Para terminar, elija \"Start\" otra vez.")
            .arg(QDir::toNativeSeparators(base)),
        Dialogos::Icono::Pregunta, QString(), Dialogos::Botones::AceptarCancelar);
    if (r != Dialogos::Respuesta::Aceptar)
        return;
    start_->setChecked(!camara_->grabar(base).isEmpty());
}

void FrmWebcam::seleccionarCamara() {
    FrmSelectCam f(*camara_, this);
    if (f.exec() == QDialog::Accepted)
        conectada();
}

void FrmWebcam::desconectada() {
    esperandoCaptura_ = false;
    capturar_->setEnabled(false);
    formato_->setEnabled(false);
    start_->setEnabled(false);
    start_->setChecked(false);
    vista_->sinImagen(QStringLiteral("La cámara se desconectó."));
    Dialogos::actual().mensaje(this,
                               QStringLiteral("La cámara \"%1\" se desconectó. Conéctela de nuevo "
                                              "y elíjala con \"Seleccionar webcam\".")
                                   .arg(dispositivo_->text()),
                               Dialogos::Icono::Exclamacion);
}

void FrmWebcam::ajustarAlVideo() {
    vista_->updateGeometry();
    adjustSize();
}

void FrmWebcam::reject() {
    if (camara_->grabando())
        camara_->detenerGrabacion();
    QDialog::reject();
}
