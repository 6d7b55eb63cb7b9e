#include "groups/ventanas/FrmAddPersonas.h"

#include "app/Claves.h"
#include "app/ventanas/Accesibles.h"
#include "app/ventanas/Dialogos.h"
#include "app/ventanas/Globo.h"
#include "app/ventanas/ListaPorLotes.h"
#include "data/De1.h"
#include "data/ventanas/ErroresBD.h"
#include "groups/Planilla.h"
#include "groups/RepositorioMiembros.h"
#include "groups/ventanas/FrmImportarPadron.h"
#include "groups/ventanas/NombresFrmAddPersonas.h"
#include "persons/AlmacenImagenes.h"
#include "persons/ventanas/FrmNMPersona.h"

#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QImageReader>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStyle>
#include <QTreeView>
#include <QVBoxLayout>

namespace n = nombres::frmAddPersonas;

namespace {

const QString kNoSeLeyeronPersonas = QStringLiteral("No se pudieron leer las personas.");

QTreeView* lista(QAbstractItemModel* modelo, const QString& nombre, const QString& accesible,
                 QWidget* padre) {
    auto* v = new QTreeView(padre);
    v->setObjectName(nombre);
    v->setAccessibleName(accesible);
    v->setModel(modelo);
    v->setRootIsDecorated(false);
    v->setUniformRowHeights(true);
    v->setItemsExpandable(false);
    v->setAllColumnsShowFocus(true);
    v->setSelectionBehavior(QAbstractItemView::SelectRows);
    v->setSelectionMode(QAbstractItemView::SingleSelection);
    v->setEditTriggers(QAbstractItemView::NoEditTriggers);
    v->setColumnWidth(0, 240);
    v->header()->setStretchLastSection(true);
    return v;
}

} // namespace

FrmAddPersonas::FrmAddPersonas(De1& de1, const Grupo& grupo, QWidget* parent)
    : QDialog(parent), de1_(de1), grupo_(grupo), personas_(de1, this), miembros_(this) {
    setObjectName(n::kVentana);
    setWindowTitle(QStringLiteral("Agregar personas al grupo"));
    resize(900, 560);
    abrirModal = [](QDialog& d) { d.exec(); };

    auto* lblGrupo = new QLabel(QStringLiteral("Grupo ") + grupo.descripcion, this);
    lblGrupo->setObjectName(n::kGrupo);
    QFont f = lblGrupo->font();
    f.setBold(true);
    lblGrupo->setFont(f);

    auto* lblBuscar = new QLabel(QStringLiteral("Buscar"), this);
    txtFiltro_ = new QLineEdit(this);
    txtFiltro_->setObjectName(n::kFiltro);
    rotular(lblBuscar, txtFiltro_);
    comboFiltro_ = new QComboBox(this);
    comboFiltro_->setObjectName(n::kCampoFiltro);
    comboFiltro_->addItems({QStringLiteral("Nombre"), QStringLiteral("Documento")});
    comboFiltro_->setAccessibleName(QStringLiteral("Buscar por"));

    lvPersonas_ = lista(&personas_, n::kPersonas, QStringLiteral("Personas"), this);
    leerAlDesplazar(
        lvPersonas_, [this] { return personas_.hayMas(); }, [this] { personas_.pedirMas(); });
    lvEvaluados_ = lista(&miembros_, n::kEvaluados, QStringLiteral("Evaluados"), this);

    imgFoto_ = new QLabel(this);
    imgFoto_->setObjectName(n::kFoto);
    imgFoto_->setAccessibleName(QStringLiteral("Fotografía"));
    imgFoto_->setFixedSize(150, 180);
    imgFoto_->setFrameShape(QFrame::StyledPanel);
    imgFoto_->setAlignment(Qt::AlignCenter);

    cmdAgregar_ = new QPushButton(style()->standardIcon(QStyle::SP_ArrowRight), QString(), this);
    cmdAgregar_->setObjectName(n::kAgregar);
    cmdAgregar_->setAccessibleName(QStringLiteral("Agregar al grupo"));
    cmdAgregar_->setToolTip(QStringLiteral("Agregar al grupo"));
    cmdQuitar_ = new QPushButton(style()->standardIcon(QStyle::SP_ArrowLeft), QString(), this);
    cmdQuitar_->setObjectName(n::kQuitar);
    cmdQuitar_->setAccessibleName(QStringLiteral("Quitar del grupo"));
    cmdQuitar_->setToolTip(QStringLiteral("Quitar del grupo"));

    cmdAceptar_ = new QPushButton(QStringLiteral("Aceptar"), this);
    cmdAceptar_->setObjectName(n::kAceptar);
    auto* cmdCancelar = new QPushButton(QStringLiteral("Cancelar"), this);
    cmdCancelar->setObjectName(n::kCancelar);
    QPushButton* imgSalir = botonImagen(style()->standardIcon(QStyle::SP_DialogCloseButton),
                                        QStringLiteral("Cancelar"), n::kSalir, this);
    imgSalir->setIconSize(QSize(24, 24));
    QPushButton* lblNueva = botonEnlace(QStringLiteral("Nueva persona"), n::kNuevaPersona, this);
    QPushButton* cmdImportar =
        botonEnlace(QStringLiteral("Importar padrón..."), n::kImportar, this);

    lblCuenta_ = new QLabel(this);
    lblCuenta_->setObjectName(n::kCuentaPersonas);

    picFondo_ = new QLabel(this);
    picFondo_->setObjectName(n::kFondo);
    picFondo_->hide();

    // Layout: persons | add/remove | members, the photograph under the persons.
    auto* rejilla = new QGridLayout(this);
    auto* cabecera = new QHBoxLayout;
    cabecera->addWidget(lblGrupo, 1);
    cabecera->addWidget(imgSalir);
    rejilla->addLayout(cabecera, 0, 0, 1, 3);
    auto* filtro = new QHBoxLayout;
    filtro->addWidget(lblBuscar);
    filtro->addWidget(txtFiltro_, 1);
    filtro->addWidget(comboFiltro_);
    rejilla->addLayout(filtro, 1, 0);
    auto* izquierda = new QVBoxLayout;
    auto* encabezado = new QHBoxLayout;
    encabezado->addWidget(new QLabel(QStringLiteral("Personas"), this), 1);
    encabezado->addWidget(lblCuenta_);
    izquierda->addLayout(encabezado);
    izquierda->addWidget(lvPersonas_, 1);
    auto* pie = new QHBoxLayout;
    pie->addWidget(imgFoto_);
    pie->addWidget(lblNueva, 0, Qt::AlignBottom);
    pie->addWidget(cmdImportar, 0, Qt::AlignBottom);
    pie->addStretch(1);
    izquierda->addLayout(pie);
    rejilla->addLayout(izquierda, 2, 0);
    auto* medio = new QVBoxLayout;
    medio->addStretch(1);
    medio->addWidget(cmdAgregar_);
    medio->addWidget(cmdQuitar_);
    medio->addStretch(1);
    rejilla->addLayout(medio, 2, 1);
    auto* derecha = new QVBoxLayout;
    derecha->addWidget(new QLabel(QStringLiteral("Evaluados"), this));
    derecha->addWidget(lvEvaluados_, 1);
    rejilla->addLayout(derecha, 2, 2);
    auto* botones = new QHBoxLayout;
    botones->addStretch(1);
    botones->addWidget(cmdAceptar_);
    botones->addWidget(cmdCancelar);
    rejilla->addLayout(botones, 3, 0, 1, 3);
    rejilla->setColumnStretch(0, 1);
    rejilla->setColumnStretch(2, 1);

    connect(txtFiltro_, &QLineEdit::textChanged, this, [this] { filtrar(); });
    connect(comboFiltro_, &QComboBox::currentIndexChanged, this, [this] { filtrar(); });
    connect(lvPersonas_->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            [this](const QModelIndex& i) { mostrarFoto(i); });
    connect(&personas_, &ModeloPersonasFiltrado::errorBD, this,
            [this](const ErrorBD& e) { avisarErrorBD(this, kNoSeLeyeronPersonas, e); });
    connect(&personas_, &ModeloPersonasFiltrado::cuentaCambiada, this,
            &FrmAddPersonas::cuentaCambiada);
    connect(cmdAgregar_, &QPushButton::clicked, this, &FrmAddPersonas::agregar);
    connect(cmdQuitar_, &QPushButton::clicked, this, &FrmAddPersonas::quitar);
    connect(lblNueva, &QPushButton::clicked, this, &FrmAddPersonas::nuevaPersona);
    connect(cmdImportar, &QPushButton::clicked, this, &FrmAddPersonas::importarPadron);
    connect(cmdAceptar_, &QPushButton::clicked, this, &FrmAddPersonas::aceptar);
    connect(cmdCancelar, &QPushButton::clicked, this, &QDialog::reject);
    connect(imgSalir, &QPushButton::clicked, this, &QDialog::reject);

    // Load: the stored filter field fills the persons list, then the members.
    {
        const QSignalBlocker b(comboFiltro_);
        comboFiltro_->setCurrentIndex(claves::campoFiltro());
    }
    filtrar();
    const bool leidos =
        intentarBD(this, QStringLiteral("No se pudieron leer los evaluados del grupo."), [this] {
            QList<PersonaListada> miembros;
            for (const Evaluado& e : RepositorioMiembros(de1_).evaluados(grupo_.codigo))
                miembros.append({e.codigoPersona, e.nombre, e.documento});
            miembros_.fijar(std::move(miembros));
        });
    // Storing a roster that could not be read would drop the group's members.
    cmdAceptar_->setEnabled(leidos);
    if (miembros_.rowCount() > 0)
        lvEvaluados_->setCurrentIndex(miembros_.index(0, 0));
    actualizarBotones();
}

FrmAddPersonas::~FrmAddPersonas() {
    if (!cerrado_)
        guardarCampoFiltro();
}

void FrmAddPersonas::guardarCampoFiltro() {
    EscribirIni(claves::kFiltro, QString::number(comboFiltro_->currentIndex()));
}

void FrmAddPersonas::filtrar(bool releer) {
    const CampoPersona campo =
        comboFiltro_->currentIndex() == 0 ? CampoPersona::Nombre : CampoPersona::Documento;
    intentarBD(this, kNoSeLeyeronPersonas,
               [&] { personas_.filtrar(campo, txtFiltro_->text(), releer); });
    if (personas_.rowCount() > 0)
        lvPersonas_->selectionModel()->setCurrentIndex(
            personas_.index(0, 0), QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    else
        mostrarFoto({});
    actualizarBotones();
}

void FrmAddPersonas::cuentaCambiada() {
    lblCuenta_->setText(personas_.resumen());
    // Rows a later turn brought to a list that had none: the first is chosen,
    // as after a filter that found it at once.
    if (!lvPersonas_->currentIndex().isValid() && personas_.rowCount() > 0)
        lvPersonas_->selectionModel()->setCurrentIndex(
            personas_.index(0, 0), QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    actualizarBotones();
}

void FrmAddPersonas::mostrarFoto(const QModelIndex& indice) {
    if (!indice.isValid()) {
        // A refill passes through no row; filtrar() decides what to show.
        if (personas_.rowCount() == 0) {
            personaMostrada_ = 0;
            imgFoto_->clear();
            rutaFoto_.clear();
        }
        return;
    }
    const qint32 codigo = personas_.filas().at(indice.row()).codigo;
    if (codigo == personaMostrada_)
        return;
    personaMostrada_ = codigo;
    // Persons without a photograph share the placeholder: read it once.
    const QString ruta = almacen::fotoParaMostrar(codigo);
    if (ruta == rutaFoto_)
        return;
    rutaFoto_ = ruta;
    // Scaled while reading: stored photographs may be large.
    QImageReader lector(ruta);
    lector.setAutoTransform(true);
    const QSize tam = lector.size();
    if (tam.isValid())
        lector.setScaledSize(tam.scaled(imgFoto_->size(), Qt::KeepAspectRatio));
    imgFoto_->setPixmap(QPixmap::fromImage(lector.read()));
}

void FrmAddPersonas::actualizarBotones() {
    cmdAgregar_->setEnabled(personas_.rowCount() > 0);
    cmdQuitar_->setEnabled(miembros_.rowCount() > 0);
}

void FrmAddPersonas::agregar() {
    const QModelIndex i = lvPersonas_->currentIndex();
    if (!i.isValid() || i.row() >= personas_.rowCount())
        return;
    const PersonaListada& p = personas_.filas().at(i.row());
    const int existente = miembros_.buscar(p.codigo);
    if (existente >= 0) {
        lvEvaluados_->selectionModel()->setCurrentIndex(miembros_.index(existente, 0),
                                                        QItemSelectionModel::ClearAndSelect |
                                                            QItemSelectionModel::Rows);
        lvEvaluados_->scrollTo(miembros_.index(existente, 0));
        MostrarGlobo(cmdAgregar_, QStringLiteral("La persona ya está en el grupo"),
                     QStringLiteral("La persona que intenta cargar ya se encuentra en el grupo."),
                     style()->standardIcon(QStyle::SP_MessageBoxInformation));
        return;
    }
    miembros_.agregar(p);
    actualizarBotones();
}

void FrmAddPersonas::quitar() {
    const QModelIndex i = lvEvaluados_->currentIndex();
    if (miembros_.rowCount() == 0 || !i.isValid())
        return;
    const int fila = i.row();
    miembros_.quitar(fila);
    // The next member is selected, so repeated clicks keep removing.
    if (miembros_.rowCount() > 0)
        lvEvaluados_->setCurrentIndex(miembros_.index(std::min(fila, miembros_.rowCount() - 1), 0));
    actualizarBotones();
}

void FrmAddPersonas::nuevaPersona() {
    CapturarPantalla(picFondo_, true);
    FrmNMPersona ventana(de1_, ModoEdicion::PersonaDelGrupo, this);
    abrirModal(ventana);
    // The new person shows at once under the current filter.
    filtrar(true);
}

void FrmAddPersonas::importarPadron() {
    const QString ruta = Dialogos::actual().abrirArchivo(
        this, QStringLiteral("Importar padrón"), QString(),
        QStringLiteral("Planillas (*.csv *.xlsx);;Todos los archivos (*)"));
    if (ruta.isEmpty())
        return;
    auto leida = planilla::leer(ruta);
    if (const QString* error = std::get_if<QString>(&leida)) {
        Dialogos::actual().mensaje(this, *error, Dialogos::Icono::Exclamacion);
        return;
    }
    FrmImportarPadron ventana(de1_, grupo_, std::get<Planilla>(std::move(leida)), ruta, this);
    if (!ventana.valido())
        return;
    abrirModal(ventana);
    if (ventana.result() != QDialog::Accepted)
        return;
    // The imported persons are members already; the list shows them so that
    // "Aceptar" keeps them.
    for (const ResultadoImportacion::Miembro& m : ventana.resultado().miembros)
        if (miembros_.buscar(m.persona) < 0)
            miembros_.agregar({m.persona, m.nombre, m.documento});
    filtrar(true);
    actualizarBotones();
}

void FrmAddPersonas::aceptar() {
    QList<qint32> codigos;
    codigos.reserve(miembros_.rowCount());
    for (const PersonaListada& m : miembros_.filas())
        codigos << m.codigo;
    if (intentarBD(this, QStringLiteral("No se pudo guardar el grupo."),
                   [&] { RepositorioMiembros(de1_).fijarPersonas(grupo_.codigo, codigos); }))
        accept();
}

void FrmAddPersonas::done(int r) {
    // Whatever closes the window keeps the chosen filter field for next time.
    if (!cerrado_) {
        cerrado_ = true;
        guardarCampoFiltro();
    }
    QDialog::done(r);
}
