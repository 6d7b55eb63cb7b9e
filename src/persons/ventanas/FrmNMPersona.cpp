#include "persons/ventanas/FrmNMPersona.h"

#include "app/Rutinas.h"
#include "app/Texto.h"
#include "app/ventanas/Accesibles.h"
#include "app/ventanas/Dialogos.h"
#include "data/De1.h"
#include "data/ventanas/ErroresBD.h"
#include "persons/RepositorioPersonas.h"
#include "ui_FrmNMPersona.h"

#include <QComboBox>
#include <QDateEdit>
#include <QFile>
#include <QFileInfo>
#include <QLocale>
#include <QPixmap>
#include <QPushButton>
#include <QStyle>
#include <array>

namespace {

std::array<FrmNMPersona::Captura, 3> gCapturas;

int indice(almacen::TipoImagen tipo) {
    return static_cast<int>(tipo);
}

// The system's short date format, with the year in full: two-digit years are
// ambiguous for birth dates.
QString formatoFecha() {
    QString f = QLocale().dateFormat(QLocale::ShortFormat);
    if (!f.contains(QStringLiteral("yyyy")))
        f.replace(QStringLiteral("yy"), QStringLiteral("yyyy"));
    return f;
}

} // namespace

void FrmNMPersona::instalarCaptura(almacen::TipoImagen tipo, Captura captura) {
    gCapturas[indice(tipo)] = std::move(captura);
}

FrmNMPersona::FrmNMPersona(De1& de1, ModoEdicion modo, QWidget* parent)
    : QDialog(parent), ui_(std::make_unique<Ui::FrmNMPersona>()), de1_(de1), modo_(modo),
      capturas_(gCapturas) {
    construir();

    config_ = ConfiguracionPersona::leer(de1_);
    aplicarConfiguracion();
    // A birth date cannot lie ahead (it would show a negative age).
    ui_->DtNac->setMaximumDate(QDate::currentDate());
    ui_->DtNac->setDate(QDate::currentDate());
    actualizarEdad();
    cargarListas();

    const QStringList noBorrados = almacen::borrarArchivosTrabajo();
    if (!noBorrados.isEmpty())
        Dialogos::actual().mensaje(
            this,
            QStringLiteral("No se pudieron borrar las imágenes de la captura anterior:\n%1")
                .arg(noBorrados.join(u'\n')),
            Dialogos::Icono::Exclamacion);
    for (almacen::TipoImagen t :
         {almacen::TipoImagen::Foto, almacen::TipoImagen::Firma, almacen::TipoImagen::Huella})
        mostrarImagenTrabajo(t);

    // Defaults of a new person.
    ui_->ComboEstadoCivil->setCurrentIndex(0);
    ui_->TxtDomicilio->setText(QStringLiteral("Sin Datos"));
    for (QLineEdit* t : {ui_->TxtTelefono, ui_->TxtCelular, ui_->TxtEmail, ui_->TxtOcupacion})
        t->setText(QStringLiteral("Sin datos"));

    // Started from the roster editor: no result folder is made with the person.
    const bool desdeGrupo = modo_ == ModoEdicion::PersonaDelGrupo;
    if (desdeGrupo)
        ui_->ChkNuevaCarpeta->setChecked(false);
    ui_->ChkNuevaCarpeta->setVisible(!desdeGrupo);
    ui_->LblCheck->setVisible(!desdeGrupo);
    ui_->ImgCheck->setVisible(!desdeGrupo);
}

FrmNMPersona::~FrmNMPersona() = default;

void FrmNMPersona::construir() {
    ui_->setupUi(this);
    QFont grande = ui_->LblTitulo->font();
    grande.setPointSizeF(grande.pointSizeF() * 1.6);
    grande.setBold(true);
    ui_->LblTitulo->setFont(grande);
    comoImagen(ui_->ImgSalir, style()->standardIcon(QStyle::SP_DialogCloseButton),
               QStringLiteral("Salir"));
    ui_->ImgSalir->setIconSize(QSize(24, 24));
    ui_->ImgCheck->setPixmap(style()->standardIcon(QStyle::SP_FileDialogNewFolder).pixmap(16, 16));

    // Widths of the columns they fill, so a long text cannot fail on save.
    ui_->TxtDocumento->setMaxLength(persona::kAnchoDocumento);
    ui_->TxtNombre->setMaxLength(persona::kAnchoNombre);
    ui_->TxtDomicilio->setMaxLength(persona::kAnchoDomicilio);
    ui_->TxtOcupacion->setMaxLength(persona::kAnchoOcupacion);
    ui_->TxtTelefono->setMaxLength(persona::kAnchoTelefono);
    ui_->TxtCelular->setMaxLength(persona::kAnchoTelefono);
    ui_->TxtEmail->setMaxLength(persona::kAnchoEMail);
    const auto opciones = [](QComboBox* combo, const QStringList& items) {
        combo->addItems(items);
        combo->setCurrentIndex(-1);
    };
    opciones(ui_->ComboSexo, persona::sexos());
    opciones(ui_->ComboEstadoCivil, persona::estadosCiviles());
    opciones(ui_->ComboSangre, persona::gruposSangre());
    ui_->ComboSangre->setEditText(QString());
    opciones(ui_->ComboAnteojos, persona::anteojos());
    ui_->DtNac->setDisplayFormat(formatoFecha());
    ui_->CmdNCiudad->setVisible(false);

    connect(ui_->CmdAceptar, &QPushButton::clicked, this, &FrmNMPersona::aceptar);
    connect(ui_->CmdCancelar, &QPushButton::clicked, this, &QDialog::reject);
    connect(ui_->ImgSalir, &QPushButton::clicked, this, &QDialog::reject);
    connect(ui_->CmdNCiudad, &QPushButton::clicked, this, &FrmNMPersona::nuevaCiudad);
    connect(ui_->DtNac, &QDateEdit::dateChanged, this, &FrmNMPersona::actualizarEdad);
    const auto enlazar = [this](QPushButton* boton, almacen::TipoImagen tipo) {
        comoEnlace(boton);
        boton->setVisible(static_cast<bool>(capturas_[indice(tipo)]));
        connect(boton, &QPushButton::clicked, this, [this, tipo] { capturar(tipo); });
    };
    enlazar(ui_->LblFoto, almacen::TipoImagen::Foto);
    enlazar(ui_->Lblfirma, almacen::TipoImagen::Firma);
    enlazar(ui_->LblHuella, almacen::TipoImagen::Huella);
}

void FrmNMPersona::aplicarConfiguracion() {
    ui_->TxtDocumento->setMaxLength(config_.largoDocumento());
    ui_->lblCiudad->setText(config_.rotuloCiudad());
    ui_->ComboCiudad->setAccessibleName(config_.rotuloCiudad());
    ui_->CmdNCiudad->setVisible(config_.nuevasCiudades);
}

void FrmNMPersona::cargarListas() {
    intentarBD(this, QStringLiteral("No se pudieron leer los tipos de documento y las ciudades."),
               [this] {
                   RepositorioPersonas repositorio(de1_);
                   for (const ElementoLista& e : repositorio.documentos())
                       ui_->ComboDocumento->addItem(e.texto, e.codigo);
                   for (const ElementoLista& e : repositorio.ciudades())
                       ui_->ComboCiudad->addItem(e.texto, e.codigo);
               });
    ui_->ComboDocumento->setCurrentIndex(-1);
    ui_->ComboCiudad->setCurrentIndex(-1);
}

void FrmNMPersona::actualizarEdad() {
    ui_->LblEdad->setText(persona::textoEdad(ui_->DtNac->date(), QDate::currentDate()));
}

QLabel* FrmNMPersona::cajaImagen(almacen::TipoImagen tipo) const {
    switch (tipo) {
    case almacen::TipoImagen::Foto:
        return ui_->ImgFoto;
    case almacen::TipoImagen::Firma:
        return ui_->ImgFirma;
    case almacen::TipoImagen::Huella:
        return ui_->ImgHuella;
    }
    return ui_->ImgFoto;
}

void FrmNMPersona::mostrarImagenTrabajo(almacen::TipoImagen tipo) {
    QLabel* caja = cajaImagen(tipo);
    const QString ruta = almacen::archivoTrabajo(tipo);
    QPixmap imagen;
    if (QFileInfo(ruta).isFile())
        imagen.load(ruta);
    if (imagen.isNull()) {
        caja->clear();
        return;
    }
    caja->setPixmap(
        imagen.scaled(caja->contentsRect().size(), Qt::KeepAspectRatio, Qt::SmoothTransformation));
}

void FrmNMPersona::capturar(almacen::TipoImagen tipo) {
    const Captura captura = capturas_[indice(tipo)];
    if (!captura)
        return;
    // A fingerprint from an earlier attempt must not pass for this one.
    if (tipo == almacen::TipoImagen::Huella)
        QFile::remove(almacen::hacerEscribible(almacen::archivoTrabajo(tipo)));
    captura(this);
    mostrarImagenTrabajo(tipo);
}

DatosPersona FrmNMPersona::leerControles() const {
    DatosPersona d;
    if (ui_->ComboDocumento->currentIndex() >= 0)
        d.tipoDocumento = ui_->ComboDocumento->currentData().toLongLong();
    d.documento = ui_->TxtDocumento->text();
    d.nombre = ui_->TxtNombre->text();
    d.sexo = ui_->ComboSexo->currentIndex() >= 0 ? ui_->ComboSexo->currentText() : QString();
    d.estadoCivil = ui_->ComboEstadoCivil->currentIndex() >= 0
                        ? ui_->ComboEstadoCivil->currentText()
                        : QString();
    d.fechaNac = ui_->DtNac->date();
    d.sangre = ui_->ComboSangre->currentText();
    d.domicilio = ui_->TxtDomicilio->text();
    d.ciudad = ui_->ComboCiudad->currentIndex() >= 0 ? ui_->ComboCiudad->currentText() : QString();
    d.ocupacion = ui_->TxtOcupacion->text();
    d.telefono = ui_->TxtTelefono->text();
    d.anteojos =
        ui_->ComboAnteojos->currentIndex() >= 0 ? ui_->ComboAnteojos->currentText() : QString();
    d.celular = ui_->TxtCelular->text();
    d.email = ui_->TxtEmail->text();
    return d;
}

void FrmNMPersona::mostrarNormalizados(const DatosPersona& d) {
    ui_->TxtDocumento->setText(d.documento);
    ui_->TxtNombre->setText(d.nombre);
    ui_->TxtDomicilio->setText(d.domicilio);
    if (ui_->ComboAnteojos->currentIndex() < 0 && !d.anteojos.isEmpty())
        ui_->ComboAnteojos->setCurrentIndex(ui_->ComboAnteojos->findText(d.anteojos));
}

void FrmNMPersona::enfocar(FallaValidacion::Campo campo) {
    using Campo = FallaValidacion::Campo;
    QWidget* w = nullptr;
    switch (campo) {
    case Campo::TipoDocumento:
        w = ui_->ComboDocumento;
        break;
    case Campo::Documento:
        w = ui_->TxtDocumento;
        break;
    case Campo::Nombre:
        w = ui_->TxtNombre;
        break;
    case Campo::Sexo:
        w = ui_->ComboSexo;
        break;
    case Campo::EstadoCivil:
        w = ui_->ComboEstadoCivil;
        break;
    case Campo::Domicilio:
        w = ui_->TxtDomicilio;
        break;
    case Campo::Sangre:
        w = ui_->ComboSangre;
        break;
    case Campo::Ciudad:
        w = ui_->ComboCiudad;
        break;
    case Campo::Ninguno:
        break;
    }
    if (w)
        w->setFocus(Qt::OtherFocusReason);
}

void FrmNMPersona::aceptar() {
    DatosPersona datos = leerControles();
    const std::optional<FallaValidacion> falla = ValidadorPersona(config_).validar(datos);
    mostrarNormalizados(datos);
    if (falla) {
        Dialogos::actual().mensaje(this, falla->mensaje,
                                   falla->gravedad == FallaValidacion::Gravedad::Error
                                       ? Dialogos::Icono::Critico
                                       : Dialogos::Icono::Exclamacion);
        enfocar(falla->campo);
        return;
    }

    if (!intentarBD(this, QStringLiteral("No se pudo guardar la persona."),
                    [&] { codigoGuardado_ = RepositorioPersonas(de1_).guardar(datos); }))
        return;

    // The person exists now: an image that cannot be stored is reported, and the
    // window still closes on the saved person.
    const QStringList fallas = RepositorioPersonas::guardarImagenes(codigoGuardado_);
    if (!fallas.isEmpty())
        Dialogos::actual().mensaje(
            this,
            QStringLiteral("La persona se guardó, pero no todas sus imágenes:\n%1")
                .arg(fallas.join(u'\n')),
            Dialogos::Icono::Exclamacion);
    accept();
}

void FrmNMPersona::nuevaCiudad() {
    const std::optional<QString> respuesta =
        Dialogos::actual().entrada(this, QStringLiteral("Ingrese el nombre de la nueva ciudad."),
                                   QStringLiteral("Nueva ciudad"), QString());
    if (!respuesta)
        return;
    QString nombre = *respuesta;
    nombre = texto::Izquierda(NombrePropio(nombre), persona::kAnchoCiudad).trimmed();
    if (nombre.isEmpty())
        return;

    RepositorioPersonas::Ciudad ciudad;
    if (!intentarBD(this, QStringLiteral("No se pudo agregar la ciudad."),
                    [&] { ciudad = RepositorioPersonas(de1_).buscarOAgregarCiudad(nombre); }))
        return;
    int i = ui_->ComboCiudad->findData(ciudad.codigo);
    if (i < 0) {
        // Keep the list in name order.
        i = 0;
        while (i < ui_->ComboCiudad->count() &&
               QString::localeAwareCompare(ui_->ComboCiudad->itemText(i).toLower(),
                                           ciudad.nombre.toLower()) <= 0)
            ++i;
        ui_->ComboCiudad->insertItem(i, ciudad.nombre, ciudad.codigo);
    }
    ui_->ComboCiudad->setCurrentIndex(i);
}
