#include "persons/ventanas/FrmNMPersona.h"

#include "app/Globales.h"
#include "app/Rutinas.h"
#include "app/Texto.h"
#include "app/ventanas/Accesibles.h"
#include "app/ventanas/Dialogos.h"
#include "data/De1.h"
#include "persons/RepositorioPersonas.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QFile>
#include <QFileInfo>
#include <QFocusEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QPixmap>
#include <QPointer>
#include <QPushButton>
#include <QStyle>
#include <QTimer>
#include <QVBoxLayout>
#include <array>

namespace {

std::array<FrmNMPersona::Captura, 3> gCapturas;

int indice(almacen::TipoImagen tipo) {
    return static_cast<int>(tipo);
}

// A box holding the default "Sin datos": on receiving the focus it selects its
// first 40 characters so that typing replaces the default. The selection is made
// again once the event that brought the focus (a click) is over.
class CajaSinDatos : public QLineEdit {
public:
    using QLineEdit::QLineEdit;

protected:
    void focusInEvent(QFocusEvent* e) override {
        QLineEdit::focusInEvent(e);
        seleccionar();
        QTimer::singleShot(0, this, [this] {
            if (hasFocus())
                seleccionar();
        });
    }

private:
    void seleccionar() { setSelection(0, qMin<int>(40, text().size())); }
};

// The system's short date format, with the year in full: two-digit years are
// ambiguous for birth dates.
QString formatoFecha() {
    QString f = QLocale().dateFormat(QLocale::ShortFormat);
    if (!f.contains(QStringLiteral("yyyy")))
        f.replace(QStringLiteral("yy"), QStringLiteral("yyyy"));
    return f;
}

QLabel* etiqueta(const QString& texto, QWidget* padre) {
    return new QLabel(texto, padre);
}

} // namespace

void FrmNMPersona::instalarCaptura(almacen::TipoImagen tipo, Captura captura) {
    gCapturas[indice(tipo)] = std::move(captura);
}

FrmNMPersona::FrmNMPersona(De1& de1, QWidget* parent)
    : QDialog(parent), de1_(de1), capturas_(gCapturas) {
    setObjectName(QStringLiteral("FrmNMPersona"));
    setWindowTitle(QStringLiteral("Administracion de personas"));
    setModal(true);
    construir();

    config_ = ConfiguracionPersona::leer(de1_);
    aplicarConfiguracion();
    // A birth date cannot lie ahead (it would show a negative age).
    dtNac_->setMaximumDate(QDate::currentDate());
    dtNac_->setDate(QDate::currentDate());
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
    comboEstadoCivil_->setCurrentIndex(0);
    txtDomicilio_->setText(QStringLiteral("Sin Datos"));
    for (QLineEdit* t : {txtTelefono_, txtCelular_, txtEmail_, txtOcupacion_})
        t->setText(QStringLiteral("Sin datos"));

    // Started from the roster editor: no result folder is made with the person.
    const bool desdeGrupo = Globales::ModoEdicion == QStringLiteral("Z");
    if (desdeGrupo)
        chkNuevaCarpeta_->setChecked(false);
    chkNuevaCarpeta_->setVisible(!desdeGrupo);
    lblCheck_->setVisible(!desdeGrupo);
    imgCheck_->setVisible(!desdeGrupo);
}

void FrmNMPersona::construir() {
    auto* principal = new QVBoxLayout(this);

    auto* cabecera = new QHBoxLayout;
    lblTitulo_ = new QLabel(QStringLiteral("Nueva persona"), this);
    lblTitulo_->setObjectName(QStringLiteral("LblTitulo"));
    QFont grande = lblTitulo_->font();
    grande.setPointSizeF(grande.pointSizeF() * 1.6);
    grande.setBold(true);
    lblTitulo_->setFont(grande);
    auto* imgSalir = botonImagen(style()->standardIcon(QStyle::SP_DialogCloseButton),
                                 QStringLiteral("Salir"), QStringLiteral("ImgSalir"), this);
    imgSalir->setIconSize(QSize(24, 24));
    cabecera->addWidget(lblTitulo_);
    cabecera->addStretch();
    cabecera->addWidget(imgSalir);
    principal->addLayout(cabecera);

    auto* cuerpo = new QHBoxLayout;
    auto* g = new QGridLayout;
    g->setColumnStretch(1, 1);
    g->setColumnStretch(3, 1);
    cuerpo->addLayout(g, 1);
    principal->addLayout(cuerpo);

    const auto linea = [this](const char* nombre, int ancho) {
        auto* t = new QLineEdit(this);
        t->setObjectName(QString::fromLatin1(nombre));
        t->setMaxLength(ancho);
        return t;
    };
    const auto sinDatos = [this](const char* nombre, int ancho) {
        QLineEdit* t = new CajaSinDatos(this);
        t->setObjectName(QString::fromLatin1(nombre));
        t->setMaxLength(ancho);
        return t;
    };
    const auto combo = [this](const char* nombre, const QStringList& items) {
        auto* c = new QComboBox(this);
        c->setObjectName(QString::fromLatin1(nombre));
        c->addItems(items);
        c->setCurrentIndex(-1);
        return c;
    };
    int fila = 0;
    const auto agregar = [&](const QString& rotulo, QWidget* entrada, int columnas = 3) {
        QLabel* l = etiqueta(rotulo, this);
        g->addWidget(l, fila, 0);
        g->addWidget(entrada, fila, 1, 1, columnas);
        rotular(l, entrada);
        ++fila;
        return l;
    };

    comboDocumento_ = combo("ComboDocumento", {});
    txtDocumento_ = linea("TxtDocumento", persona::kAnchoDocumento);
    {
        QLabel* l = etiqueta(QStringLiteral("Tipo y número de documento"), this);
        g->addWidget(l, fila, 0);
        g->addWidget(comboDocumento_, fila, 1);
        g->addWidget(txtDocumento_, fila, 2, 1, 2);
        rotular(l, comboDocumento_);
        txtDocumento_->setAccessibleName(QStringLiteral("Número de documento"));
        ++fila;
    }
    txtNombre_ = linea("TxtNombre", persona::kAnchoNombre);
    agregar(QStringLiteral("Apellidos y nombres"), txtNombre_);

    comboSexo_ = combo("ComboSexo", persona::sexos());
    comboEstadoCivil_ = combo("ComboEstadoCivil", persona::estadosCiviles());
    {
        QLabel* l = etiqueta(QStringLiteral("Sexo"), this);
        QLabel* l2 = etiqueta(QStringLiteral("Estado civil"), this);
        g->addWidget(l, fila, 0);
        g->addWidget(comboSexo_, fila, 1);
        g->addWidget(l2, fila, 2);
        g->addWidget(comboEstadoCivil_, fila, 3);
        rotular(l, comboSexo_);
        rotular(l2, comboEstadoCivil_);
        ++fila;
    }
    dtNac_ = new QDateEdit(this);
    dtNac_->setObjectName(QStringLiteral("DtNac"));
    dtNac_->setCalendarPopup(true);
    dtNac_->setDisplayFormat(formatoFecha());
    dtNac_->setMinimumDate(QDate(1900, 1, 1));
    lblEdad_ = new QLabel(this);
    lblEdad_->setObjectName(QStringLiteral("LblEdad"));
    {
        QLabel* l = etiqueta(QStringLiteral("Fecha de Nacimiento"), this);
        g->addWidget(l, fila, 0);
        g->addWidget(dtNac_, fila, 1);
        g->addWidget(lblEdad_, fila, 2, 1, 2);
        rotular(l, dtNac_);
        ++fila;
    }
    comboSangre_ = combo("ComboSangre", persona::gruposSangre());
    comboSangre_->setEditable(true);
    comboSangre_->setInsertPolicy(QComboBox::NoInsert);
    comboSangre_->setCurrentIndex(-1);
    comboSangre_->setEditText(QString());
    comboAnteojos_ = combo("ComboAnteojos", persona::anteojos());
    {
        QLabel* l = etiqueta(QStringLiteral("Grupo sanguineo"), this);
        QLabel* l2 = etiqueta(QStringLiteral("Usa anteojos"), this);
        g->addWidget(l, fila, 0);
        g->addWidget(comboSangre_, fila, 1);
        g->addWidget(l2, fila, 2);
        g->addWidget(comboAnteojos_, fila, 3);
        rotular(l, comboSangre_);
        rotular(l2, comboAnteojos_);
        ++fila;
    }
    txtDomicilio_ = sinDatos("TxtDomicilio", persona::kAnchoDomicilio);
    agregar(QStringLiteral("Domicilio"), txtDomicilio_);

    comboCiudad_ = combo("ComboCiudad", {});
    cmdNCiudad_ = new QPushButton(QStringLiteral("Nueva ciudad"), this);
    cmdNCiudad_->setObjectName(QStringLiteral("CmdNCiudad"));
    cmdNCiudad_->setVisible(false);
    lblCiudad_ = etiqueta(QStringLiteral("Ciudad"), this);
    lblCiudad_->setObjectName(QStringLiteral("Label4_5"));
    g->addWidget(lblCiudad_, fila, 0);
    g->addWidget(comboCiudad_, fila, 1, 1, 2);
    g->addWidget(cmdNCiudad_, fila, 3);
    rotular(lblCiudad_, comboCiudad_);
    ++fila;

    txtOcupacion_ = sinDatos("TxtOcupacion", persona::kAnchoOcupacion);
    agregar(QStringLiteral("Ocupación"), txtOcupacion_);
    txtTelefono_ = sinDatos("TxtTelefono", persona::kAnchoTelefono);
    txtCelular_ = sinDatos("TxtCelular", persona::kAnchoTelefono);
    {
        QLabel* l = etiqueta(QStringLiteral("Teléfono"), this);
        QLabel* l2 = etiqueta(QStringLiteral("Teléfono celular"), this);
        g->addWidget(l, fila, 0);
        g->addWidget(txtTelefono_, fila, 1);
        g->addWidget(l2, fila, 2);
        g->addWidget(txtCelular_, fila, 3);
        rotular(l, txtTelefono_);
        rotular(l2, txtCelular_);
        ++fila;
    }
    txtEmail_ = sinDatos("TxtEmail", persona::kAnchoEMail);
    agregar(QStringLiteral("Correo electrónico"), txtEmail_);

    // Images: each box with its capture link under it.
    auto* imagenes = new QVBoxLayout;
    cuerpo->addLayout(imagenes);
    const auto caja = [&](const char* nombre, QSize tamano, const QString& enlace,
                          const char* nombreEnlace, QPushButton*& boton) {
        auto* l = new QLabel(this);
        l->setObjectName(QString::fromLatin1(nombre));
        l->setFixedSize(tamano);
        l->setFrameShape(QFrame::Box);
        l->setAlignment(Qt::AlignCenter);
        l->setAccessibleName(enlace);
        boton = botonEnlace(enlace, QString::fromLatin1(nombreEnlace), this);
        boton->setVisible(false);
        imagenes->addWidget(l, 0, Qt::AlignHCenter);
        imagenes->addWidget(boton, 0, Qt::AlignHCenter);
        return l;
    };
    imgFoto_ =
        caja("ImgFoto", QSize(120, 150), QStringLiteral("Obtener fotografía"), "LblFoto", lblFoto_);
    imgFirma_ =
        caja("ImgFirma", QSize(180, 70), QStringLiteral("Obtener firma"), "Lblfirma", lblFirma_);
    imgHuella_ = caja("ImgHuella", QSize(100, 120), QStringLiteral("Obtener huella"), "LblHuella",
                      lblHuella_);
    imagenes->addStretch();

    auto* pie = new QHBoxLayout;
    chkNuevaCarpeta_ = new QCheckBox(this);
    chkNuevaCarpeta_->setObjectName(QStringLiteral("ChkNuevaCarpeta"));
    imgCheck_ = new QLabel(this);
    imgCheck_->setObjectName(QStringLiteral("ImgCheck"));
    imgCheck_->setPixmap(style()->standardIcon(QStyle::SP_FileDialogNewFolder).pixmap(16, 16));
    lblCheck_ = etiqueta(QStringLiteral("Crear una nueva carpeta al guardar la persona"), this);
    lblCheck_->setObjectName(QStringLiteral("LblCheck"));
    rotular(lblCheck_, chkNuevaCarpeta_);
    auto* aceptar = new QPushButton(QStringLiteral("Aceptar"), this);
    aceptar->setObjectName(QStringLiteral("CmdAceptar"));
    aceptar->setDefault(true);
    auto* cancelar = new QPushButton(QStringLiteral("Cancelar"), this);
    cancelar->setObjectName(QStringLiteral("CmdCancelar"));
    pie->addWidget(chkNuevaCarpeta_);
    pie->addWidget(imgCheck_);
    pie->addWidget(lblCheck_);
    pie->addStretch();
    pie->addWidget(aceptar);
    pie->addWidget(cancelar);
    principal->addLayout(pie);

    connect(aceptar, &QPushButton::clicked, this, &FrmNMPersona::aceptar);
    connect(cancelar, &QPushButton::clicked, this, &QDialog::reject);
    connect(imgSalir, &QPushButton::clicked, this, &QDialog::reject);
    connect(cmdNCiudad_, &QPushButton::clicked, this, &FrmNMPersona::nuevaCiudad);
    connect(dtNac_, &QDateEdit::dateChanged, this, &FrmNMPersona::actualizarEdad);
    const auto enlazar = [this](QPushButton* boton, almacen::TipoImagen tipo) {
        boton->setVisible(static_cast<bool>(capturas_[indice(tipo)]));
        connect(boton, &QPushButton::clicked, this, [this, tipo] { capturar(tipo); });
    };
    enlazar(lblFoto_, almacen::TipoImagen::Foto);
    enlazar(lblFirma_, almacen::TipoImagen::Firma);
    enlazar(lblHuella_, almacen::TipoImagen::Huella);
}

void FrmNMPersona::aplicarConfiguracion() {
    txtDocumento_->setMaxLength(config_.largoDocumento());
    lblCiudad_->setText(config_.rotuloCiudad());
    comboCiudad_->setAccessibleName(config_.rotuloCiudad());
    cmdNCiudad_->setVisible(config_.nuevasCiudades);
}

void FrmNMPersona::cargarListas() {
    RepositorioPersonas repo(de1_);
    try {
        for (const ElementoLista& e : repo.documentos())
            comboDocumento_->addItem(e.texto, e.codigo);
        for (const ElementoLista& e : repo.ciudades())
            comboCiudad_->addItem(e.texto, e.codigo);
    } catch (const ErrorBD& e) {
        Dialogos::actual().mensaje(this, e.texto(), Dialogos::Icono::Critico);
    }
    comboDocumento_->setCurrentIndex(-1);
    comboCiudad_->setCurrentIndex(-1);
}

void FrmNMPersona::actualizarEdad() {
    lblEdad_->setText(persona::textoEdad(dtNac_->date(), QDate::currentDate()));
}

QLabel* FrmNMPersona::cajaImagen(almacen::TipoImagen tipo) const {
    switch (tipo) {
    case almacen::TipoImagen::Foto:
        return imgFoto_;
    case almacen::TipoImagen::Firma:
        return imgFirma_;
    case almacen::TipoImagen::Huella:
        return imgHuella_;
    }
    return imgFoto_;
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
    if (comboDocumento_->currentIndex() >= 0)
        d.tipoDocumento = comboDocumento_->currentData().toLongLong();
    d.documento = txtDocumento_->text();
    d.nombre = txtNombre_->text();
    d.sexo = comboSexo_->currentIndex() >= 0 ? comboSexo_->currentText() : QString();
    d.estadoCivil =
        comboEstadoCivil_->currentIndex() >= 0 ? comboEstadoCivil_->currentText() : QString();
    d.fechaNac = dtNac_->date();
    d.sangre = comboSangre_->currentText();
    d.domicilio = txtDomicilio_->text();
    d.ciudad = comboCiudad_->currentIndex() >= 0 ? comboCiudad_->currentText() : QString();
    d.ocupacion = txtOcupacion_->text();
    d.telefono = txtTelefono_->text();
    d.anteojos = comboAnteojos_->currentIndex() >= 0 ? comboAnteojos_->currentText() : QString();
    d.celular = txtCelular_->text();
    d.email = txtEmail_->text();
    return d;
}

void FrmNMPersona::mostrarNormalizados(const DatosPersona& d) {
    txtDocumento_->setText(d.documento);
    txtNombre_->setText(d.nombre);
    txtDomicilio_->setText(d.domicilio);
    if (comboAnteojos_->currentIndex() < 0 && !d.anteojos.isEmpty())
        comboAnteojos_->setCurrentIndex(comboAnteojos_->findText(d.anteojos));
}

void FrmNMPersona::enfocar(FallaValidacion::Campo campo) {
    using Campo = FallaValidacion::Campo;
    QWidget* w = nullptr;
    switch (campo) {
    case Campo::TipoDocumento:
        w = comboDocumento_;
        break;
    case Campo::Documento:
        w = txtDocumento_;
        break;
    case Campo::Nombre:
        w = txtNombre_;
        break;
    case Campo::Sexo:
        w = comboSexo_;
        break;
    case Campo::EstadoCivil:
        w = comboEstadoCivil_;
        break;
    case Campo::Domicilio:
        w = txtDomicilio_;
        break;
    case Campo::Sangre:
        w = comboSangre_;
        break;
    case Campo::Ciudad:
        w = comboCiudad_;
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

    RepositorioPersonas repo(de1_);
    try {
        codigoGuardado_ = repo.guardar(datos);
    } catch (const ErrorBD& e) {
        Dialogos::actual().mensaje(this, e.texto(), Dialogos::Icono::Critico);
        return;
    }

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
    try {
        ciudad = RepositorioPersonas(de1_).buscarOAgregarCiudad(nombre);
    } catch (const ErrorBD& e) {
        Dialogos::actual().mensaje(this, e.texto(), Dialogos::Icono::Critico);
        return;
    }
    int i = comboCiudad_->findData(ciudad.codigo);
    if (i < 0) {
        // Keep the list in name order.
        i = 0;
        while (i < comboCiudad_->count() &&
               QString::localeAwareCompare(comboCiudad_->itemText(i).toLower(),
                                           ciudad.nombre.toLower()) <= 0)
            ++i;
        comboCiudad_->insertItem(i, ciudad.nombre, ciudad.codigo);
    }
    comboCiudad_->setCurrentIndex(i);
}
