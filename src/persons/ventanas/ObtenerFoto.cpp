#include "persons/ventanas/ObtenerFoto.h"

#include "app/Rutas.h"
#include "app/Rutinas.h"
#include "app/ventanas/Accesibles.h"
#include "app/ventanas/Dialogos.h"
#include "app/ventanas/RutinasVentana.h"
#include "persons/AlmacenImagenes.h"
#include "persons/ventanas/FrmEncuadre.h"
#include "persons/ventanas/FrmNMPersona.h"
#include "persons/ventanas/FrmWebcam.h"
#include "persons/ventanas/PanelEscaner.h"

#include <QCheckBox>
#include <QDir>
#include <QGridLayout>
#include <QImageReader>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QVBoxLayout>

ObtenerFoto::ObtenerFoto(QWidget* padre)
    : VentanaCaptura(padre, QStringLiteral("ObtenerFoto"), QStringLiteral("Obtener fotografía")) {
    // The drive's photograph folder, which the office's other programs use.
    QDir().mkpath(rutas::local(UnidadTrabajo() + QStringLiteral("\\Fotos")));
    construir();
    mostrar(edicion_.ajustes());
}

void ObtenerFoto::construir() {
    QVBoxLayout* lado = construirCaja(EdicionFoto::kCaja, QStringLiteral("Fotografía"));
    auto* twain = boton(QStringLiteral("Obtener desde dispositivos TWAIN"), "Command2");
    auto* webcam = boton(QStringLiteral("Obtener desde webcam"), "Command8");
    // "Obtener desde cámara" opened another program's chooser; it has no button here.
    auto* girar = boton(QStringLiteral("90º"), "Command6");
    girar->setAccessibleName(QStringLiteral("Girar 90º"));
    auto* encuadrar = boton(QStringLiteral("Encuadrar fotografía"), "Command3");
    auto* deshacer = boton(QStringLiteral("Deshacer cambios en foto"), "Command7");
    for (QPushButton* b : {twain, webcam, girar, encuadrar, deshacer})
        lado->addWidget(b);

    check1_ = new QCheckBox(QStringLiteral("Brillo y contraste automáticos"), this);
    check1_->setObjectName(QStringLiteral("Check1"));
    acciones_.append(check1_);
    lado->addWidget(check1_);
    auto* ajustes = new QGridLayout;
    const auto barra = [&](const QString& rotulo, const char* nombre, const char* nombreLectura,
                           int fila, QLabel*& lectura) {
        auto* etiqueta = new QLabel(rotulo, this);
        auto* b = new QScrollBar(Qt::Horizontal, this);
        b->setObjectName(QString::fromLatin1(nombre));
        b->setRange(EdicionFoto::kAjusteMinimo, EdicionFoto::kAjusteMaximo);
        b->setPageStep(10);
        b->setMinimumWidth(160);
        b->setFocusPolicy(Qt::StrongFocus);
        // While the thumb is dragged only the read-out follows; the picture is
        // recomputed when the value is set.
        b->setTracking(false);
        rotular(etiqueta, b);
        lectura = new QLabel(QStringLiteral("0"), this);
        lectura->setObjectName(QString::fromLatin1(nombreLectura));
        lectura->setMinimumWidth(lectura->fontMetrics().horizontalAdvance(QStringLiteral("-100")));
        ajustes->addWidget(etiqueta, fila, 0);
        ajustes->addWidget(b, fila, 1);
        ajustes->addWidget(lectura, fila, 2);
        connect(b, &QScrollBar::sliderMoved, lectura,
                [lectura](int v) { lectura->setText(QString::number(v)); });
        connect(b, &QScrollBar::valueChanged, this, &ObtenerFoto::ajusteCambiado);
        acciones_.append(b);
        return b;
    };
    h1_ = barra(QStringLiteral("Brillo"), "H1", "L1", 0, l1_);
    h2_ = barra(QStringLiteral("Contraste"), "H2", "L2", 1, l2_);
    lado->addLayout(ajustes);
    auto* nota = new QLabel(QStringLiteral("Nota: Recuerde encuadrar la fotografía siempre, para "
                                           "obtener de ese modo las medidas óptimas."),
                            this);
    nota->setObjectName(QStringLiteral("Label1"));
    nota->setWordWrap(true);
    construirPie(QStringLiteral("Origen de la fotografía"), nota);

    connect(twain, &QPushButton::clicked, this, &ObtenerFoto::escanear);
    connect(webcam, &QPushButton::clicked, this, &ObtenerFoto::webcam);
    connect(girar, &QPushButton::clicked, this, &ObtenerFoto::rotar);
    connect(encuadrar, &QPushButton::clicked, this, &ObtenerFoto::encuadrar);
    connect(deshacer, &QPushButton::clicked, this, &ObtenerFoto::deshacer);
    connect(check1_, &QCheckBox::toggled, this, &ObtenerFoto::ajusteCambiado);
}

void ObtenerFoto::habilitar(bool habilitado) {
    VentanaCaptura::habilitar(habilitado);
    if (habilitado)
        mostrar(edicion_.ajustes());
}

void ObtenerFoto::escaneada(const QImage& imagen) {
    edicion_.desdeEscaner(imagen);
    text1_->setText(QStringLiteral("(Obtenida desde dispositivo twain)"));
    mostrar(edicion_.ajustes());
}

void ObtenerFoto::webcam() {
    FrmWebcam w(this);
    w.exec();
    const QString ruta = w.rutaCaptura();
    if (ruta.isEmpty())
        return;
    QImageReader lector(ruta);
    // The snapshot is a bitmap whatever its name says.
    lector.setDecideFormatFromContent(true);
    const QImage imagen = lector.read();
    if (imagen.isNull()) {
        Dialogos::actual().mensaje(this,
                                   QStringLiteral("No se pudo leer la fotografía \"%1\": %2")
                                       .arg(QDir::toNativeSeparators(ruta), lector.errorString()),
                                   Dialogos::Icono::Critico);
        return;
    }
    text1_->setText(QDir::toNativeSeparators(ruta));
    edicion_.desdeWebcam(imagen, EdicionFoto::ajustesWebcam());
    mostrar(edicion_.ajustes());
}

void ObtenerFoto::rotar() {
    edicion_.rotar();
    mostrar(edicion_.ajustes());
}

void ObtenerFoto::encuadrar() {
    if (!edicion_.tieneFoto() || text1_->text().isEmpty())
        return;
    FrmEncuadre f(edicion_.fuente(), Encuadre::Tipo::Foto, this);
    MantenerEncima(&f, true);
    f.exec();
    if (f.resultado())
        edicion_.encuadrada(*f.resultado());
    // Framed or not, the picture starts again from automatic levels.
    edicion_.fijarAjustes({0, 0, true});
    mostrar(edicion_.ajustes());
}

void ObtenerFoto::deshacer() {
    edicion_.deshacer();
    mostrar(edicion_.ajustes());
}

void ObtenerFoto::ajusteCambiado() {
    if (mostrando_)
        return;
    edicion_.fijarAjustes({h1_->value(), h2_->value(), check1_->isChecked()});
    mostrar(edicion_.ajustes());
}

void ObtenerFoto::mostrar(const EdicionFoto::Ajustes& ajustes) {
    mostrando_ = true;
    check1_->setChecked(ajustes.automatico);
    h1_->setValue(ajustes.brillo);
    h2_->setValue(ajustes.contraste);
    mostrando_ = false;
    const bool manual = !ajustes.automatico && !escaner_->ocupado();
    h1_->setEnabled(manual);
    h2_->setEnabled(manual);
    l1_->setVisible(!ajustes.automatico);
    l2_->setVisible(!ajustes.automatico);
    l1_->setText(QString::number(ajustes.brillo));
    l2_->setText(QString::number(ajustes.contraste));
    mostrarEnCaja(edicion_.paraCaja());
}

void ObtenerFoto::aceptar() {
    if (entregar(edicion_.tieneFoto(), [this] {
            return edicion_.guardar(almacen::archivoTrabajo(almacen::TipoImagen::Foto));
        }))
        accept();
}

void instalarCapturaFoto() {
    FrmNMPersona::instalarCaptura(almacen::TipoImagen::Foto, [](QWidget* editor) {
        ObtenerFoto f(editor);
        f.exec();
    });
}
