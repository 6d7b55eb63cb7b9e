#include "groups/ventanas/MenuPrincipal.h"

#include "app/Aplicacion.h"
#include "app/ventanas/Accesibles.h"
#include "app/ventanas/ColumnasAjustadas.h"
#include "app/ventanas/Dialogos.h"
#include "app/ventanas/Globo.h"
#include "app/ventanas/ListaPorLotes.h"
#include "data/De1.h"
#include "data/ventanas/ErroresBD.h"
#include "exams/RepositorioExamenes.h"
#include "groups/RepositorioGrupos.h"
#include "groups/RepositorioMiembros.h"
#include "groups/ventanas/FrmAddPersonas.h"
#include "groups/ventanas/FrmNMGrupo.h"
#include "groups/ventanas/FrmSecundario.h"
#include "groups/ventanas/NombresMenuPrincipal.h"
#include "keypads/FabricaReceptor.h"
#include "keypads/ventanas/FrmAddControles.h"
#include "session/ResultadosExamen.h"
#include "session/ventanas/FrmInteligencia.h"
#include "session/ventanas/FrmResultados.h"
#include "session/ventanas/ReanudacionSesion.h"

#include <QApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSet>
#include <QStyle>
#include <QTimer>
#include <QTreeView>
#include <QVBoxLayout>

namespace n = nombres::menuPrincipal;

namespace {

const QString kNoSeLeyeronGrupos = QStringLiteral("No se pudieron leer los grupos.");

QTreeView* lista(QAbstractItemModel* modelo, const QString& nombre, const QString& accesible,
                 QWidget* padre) {
    auto* v = new QTreeView(padre);
    v->setObjectName(nombre);
    v->setAccessibleName(accesible);
    v->setModel(modelo);
    v->setRootIsDecorated(false);
    v->setUniformRowHeights(true); // thousands of rows lay out without measuring each
    v->setItemsExpandable(false);
    v->setAllColumnsShowFocus(true);
    v->setSelectionBehavior(QAbstractItemView::SelectRows);
    v->setEditTriggers(QAbstractItemView::NoEditTriggers);
    v->header()->setStretchLastSection(true);
    return v;
}

QLabel* titulo(const QString& texto, QWidget* padre) {
    auto* l = new QLabel(texto, padre);
    QFont f = l->font();
    f.setBold(true);
    f.setPointSizeF(f.pointSizeF() * 1.2);
    l->setFont(f);
    return l;
}

// The most groups one search marks.
constexpr int kGruposBuscados = 1000;

} // namespace

MenuPrincipal::MenuPrincipal(De1& de1, qint32 responsable, QWidget* parent)
    : QMainWindow(parent), de1_(de1), responsable_(responsable), grupos_(de1, this),
      evaluados_(this), tests_(this) {
    setObjectName(n::kVentana);
    setWindowTitle(kTituloAplicacion);
    resize(1180, 700);
    abrirModal = [](QDialog& d) { d.exec(); };
    salir = [] { QCoreApplication::exit(0); };
    construir();
    fondo_ = std::make_unique<FrmSecundario>();
    intentarBD(this, kNoSeLeyeronGrupos, [this] { CargarGrupos(); });
    intentarBD(this, QStringLiteral("No se pudieron leer los exámenes."),
               [this] { CargarTests(); });
    comboBuscar_->setCurrentIndex(1);
}

MenuPrincipal::~MenuPrincipal() = default;

void MenuPrincipal::construir() {
    auto* central = new QWidget(this);
    setCentralWidget(central);
    auto* rejilla = new QGridLayout(central);

    // Groups with their search.
    auto* columnaGrupos = new QVBoxLayout;
    columnaGrupos->addWidget(titulo(QStringLiteral("Grupos"), central));
    auto* filaBuscar = new QHBoxLayout;
    auto* lblBuscar = new QLabel(QStringLiteral("Buscar"), central);
    txtBuscar_ = new QLineEdit(central);
    txtBuscar_->setObjectName(n::kTextoBuscar);
    rotular(lblBuscar, txtBuscar_);
    comboBuscar_ = new QComboBox(central);
    comboBuscar_->setObjectName(n::kBuscarEn);
    comboBuscar_->addItems({QStringLiteral("Curso"), QStringLiteral("Descripcion")});
    comboBuscar_->setAccessibleName(QStringLiteral("Buscar en"));
    auto* cmdBuscar = new QPushButton(QStringLiteral("Buscar"), central);
    cmdBuscar->setObjectName(n::kBuscar);
    connect(cmdBuscar, &QPushButton::clicked, this, &MenuPrincipal::buscar);
    connect(txtBuscar_, &QLineEdit::returnPressed, this, &MenuPrincipal::buscar);
    filaBuscar->addWidget(lblBuscar);
    filaBuscar->addWidget(txtBuscar_, 1);
    filaBuscar->addWidget(comboBuscar_);
    filaBuscar->addWidget(cmdBuscar);
    columnaGrupos->addLayout(filaBuscar);
    lvGrupos_ = lista(&grupos_, n::kGrupos, QStringLiteral("Grupos"), central);
    leerAlDesplazar(
        lvGrupos_, [this] { return grupos_.hayMas(); }, [this] { grupos_.leerMas(); });
    lvGrupos_->setSelectionMode(QAbstractItemView::ExtendedSelection);
    ajustarColumnasAlContenido(lvGrupos_, 3); // "Descripción" takes the rest
    connect(lvGrupos_->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            [this](const QModelIndex& actual) { grupoActual(actual); });
    columnaGrupos->addWidget(lvGrupos_, 1);
    lblCuentaGrupos_ = new QLabel(central);
    lblCuentaGrupos_->setObjectName(n::kCuentaGrupos);
    columnaGrupos->addWidget(lblCuentaGrupos_);
    connect(&grupos_, &ModeloGrupos::cuentaCambiada, this,
            [this] { lblCuentaGrupos_->setText(grupos_.resumen()); });
    connect(&grupos_, &QAbstractItemModel::rowsInserted, this,
            [this](const QModelIndex&, int desde, int hasta) { marcarBuscados(desde, hasta); });
    connect(&grupos_, &ModeloGrupos::errorBD, this,
            [this](const ErrorBD& e) { avisarErrorBD(this, kNoSeLeyeronGrupos, e); });
    rejilla->addLayout(columnaGrupos, 0, 0);

    // The selected group's examinees.
    auto* columnaEvaluados = new QVBoxLayout;
    columnaEvaluados->addWidget(titulo(QStringLiteral("Evaluados del grupo"), central));
    lvEvaluados_ =
        lista(&evaluados_, n::kEvaluados, QStringLiteral("Evaluados del grupo"), central);
    lvEvaluados_->setSelectionMode(QAbstractItemView::SingleSelection);
    ajustarColumnasAlContenido(lvEvaluados_, 1); // "Nombre" takes the rest
    columnaEvaluados->addWidget(lvEvaluados_, 1);
    rejilla->addLayout(columnaEvaluados, 0, 1);

    // Tests and the actions.
    auto* columnaTests = new QVBoxLayout;
    columnaTests->addWidget(titulo(QStringLiteral("Exámenes"), central));
    lvTipos_ = lista(&tests_, n::kExamenes, QStringLiteral("Exámenes"), central);
    lvTipos_->setSelectionMode(QAbstractItemView::SingleSelection);
    lvTipos_->setHeaderHidden(true);
    columnaTests->addWidget(lvTipos_, 1);
    rejilla->addLayout(columnaTests, 0, 2);

    auto* acciones = new QVBoxLayout;
    auto enlace = [&](const QString& texto, const QString& nombre, auto accion) {
        QPushButton* b = botonEnlace(texto, nombre, central);
        connect(b, &QPushButton::clicked, this, accion);
        acciones->addWidget(b);
    };
    enlace(QStringLiteral("Nuevo Grupo"), n::kNuevoGrupo, [this] { nuevoGrupo(); });
    enlace(QStringLiteral("Modificar grupo"), n::kModificarGrupo, [this] { modificarGrupo(); });
    enlace(QStringLiteral("Eliminar grupo"), n::kEliminarGrupo, [this] { eliminarGrupo(); });
    enlace(QStringLiteral("Agregar personas al grupo"), n::kAgregarPersonas,
           [this] { agregarPersonas(); });
    enlace(QStringLiteral("Nuevo Examen"), n::kNuevoExamen,
           [this] { editarExamen(ModoExamen::Nuevo); });
    enlace(QStringLiteral("Modificar Examen"), n::kModificarExamen,
           [this] { editarExamen(ModoExamen::Modificar); });
    enlace(QStringLiteral("Resultados del grupo"), n::kResultados, [this] { verResultados(); });
    acciones->addStretch(1);
    rejilla->addLayout(acciones, 0, 3);

    auto* imagenes = new QHBoxLayout;
    QStyle* s = style();
    auto imagen = [&](QStyle::StandardPixmap icono, const QString& texto, const QString& nombre,
                      auto accion) {
        QPushButton* b = botonImagen(s->standardIcon(icono), texto, nombre, central);
        connect(b, &QPushButton::clicked, this, accion);
        imagenes->addWidget(b);
    };
    imagen(QStyle::SP_ComputerIcon, QStringLiteral("Asignar controles"), n::kAsignarControles,
           [this] { asignarControles(); });
    imagen(QStyle::SP_MediaPlay, QStringLiteral("Iniciar examen"), n::kIniciarExamen,
           [this] { iniciarExamen(); });
    imagenes->addStretch(1);
    imagen(QStyle::SP_DialogCloseButton, QStringLiteral("Salir"), n::kSalir, [this] { salir(); });
    rejilla->addLayout(imagenes, 1, 0, 1, 4);
    rejilla->setColumnStretch(0, 3);
    rejilla->setColumnStretch(1, 3);
    rejilla->setColumnStretch(2, 2);

    // The desktop snapshot taken before a child opens, the backdrop of its skin.
    picFondo_ = new QLabel(central);
    picFondo_->setObjectName(n::kFondo);
    picFondo_->hide();
}

void MenuPrincipal::showEvent(QShowEvent* e) {
    QMainWindow::showEvent(e);
    if (!reanudacionOfrecida_) {
        reanudacionOfrecida_ = true;
        QTimer::singleShot(0, this, [this] { reanudarExamen(); });
    }
    if (!fondo_->isVisible()) {
        fondo_->cubrir(this);
        fondo_->show();
        raise();
        activateWindow();
    }
}

void MenuPrincipal::closeEvent(QCloseEvent* e) {
    e->accept();
    salir();
}

void MenuPrincipal::informar(const QString& texto) {
    Dialogos::actual().mensaje(this, texto, Dialogos::Icono::Informacion);
}

void MenuPrincipal::abrir(QDialog& ventana) {
    CapturarPantalla(picFondo_, true);
    abrirModal(ventana);
}

void MenuPrincipal::CargarGrupos() {
    buscados_.clear();
    grupos_.cargar();
    if (grupos_.rowCount() > 0) {
        seleccionarGrupo(0);
    } else {
        // Nothing is left to show a roster for: the keypad and session actions
        // must not open for a group that no longer exists.
        evaluados_.fijar({});
    }
}

void MenuPrincipal::seleccionarGrupo(int fila) {
    // After a refill the list has no current row, so this always reaches grupoActual.
    lvGrupos_->selectionModel()->setCurrentIndex(
        grupos_.index(fila, 0), QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    lvGrupos_->scrollTo(grupos_.index(fila, 0));
}

void MenuPrincipal::grupoActual(const QModelIndex& indice) {
    if (!indice.isValid())
        return;
    const qint32 codigo = grupos_.filas().at(indice.row()).codigo;
    cargarEvaluadosOAvisar(codigo);
}

void MenuPrincipal::cargarEvaluadosOAvisar(qint32 codigoGrupo) {
    intentarBD(this, QStringLiteral("No se pudieron leer los evaluados del grupo."),
               [&] { CargarEvaluados(codigoGrupo); });
}

void MenuPrincipal::CargarEvaluados(qint32 codigoGrupo) {
    // A failed read leaves no other group's roster on screen.
    evaluados_.fijar({});
    evaluados_.fijar(RepositorioMiembros(de1_).evaluados(codigoGrupo));
}

void MenuPrincipal::CargarTests() {
    const std::optional<qint32> antes = examenSeleccionado();
    tests_.fijar(RepositorioExamenes(de1_).tests());
    if (tests_.rowCount() == 0)
        return;
    int fila = 0;
    for (int i = 0; antes && i < tests_.rowCount(); ++i)
        if (tests_.filas().at(i).codigo == *antes)
            fila = i;
    lvTipos_->selectionModel()->setCurrentIndex(tests_.index(fila, 0),
                                                QItemSelectionModel::ClearAndSelect);
}

std::optional<Grupo> MenuPrincipal::grupoSeleccionado() const {
    const QModelIndex i = lvGrupos_->currentIndex();
    if (!i.isValid() || i.row() >= grupos_.rowCount())
        return std::nullopt;
    return grupos_.filas().at(i.row());
}

std::optional<qint32> MenuPrincipal::examenSeleccionado() const {
    const QModelIndex i = lvTipos_->currentIndex();
    if (!i.isValid() || i.row() >= tests_.rowCount())
        return std::nullopt;
    return tests_.filas().at(i.row()).codigo;
}

QList<Evaluado> MenuPrincipal::evaluados() const {
    return evaluados_.filas();
}

void MenuPrincipal::nuevoGrupo() {
    FrmNMGrupo ventana(de1_, ModoEdicion::NuevoGrupo, std::nullopt, responsable_, this);
    abrir(ventana);
    intentarBD(this, kNoSeLeyeronGrupos, [this] { CargarGrupos(); });
}

void MenuPrincipal::modificarGrupo() {
    const std::optional<Grupo> g = grupoSeleccionado();
    if (!g)
        return;
    FrmNMGrupo ventana(de1_, ModoEdicion::ModificarGrupo, g->codigo, responsable_, this);
    abrir(ventana);
    // The modified group becomes the selection again, with its own roster, so the
    // roster shown is always the one the actions work on.
    intentarBD(this, kNoSeLeyeronGrupos, [&] {
        CargarGrupos();
        if (const int fila = grupos_.cargarHasta(g->codigo); fila >= 0)
            seleccionarGrupo(fila);
    });
}

void MenuPrincipal::eliminarGrupo() {
    const std::optional<Grupo> g = grupoSeleccionado();
    if (!g)
        return;
    const auto r = Dialogos::actual().mensaje(
        this,
        QStringLiteral("¿Está seguro de eliminar este grupo?\nEsta acción no eliminará las "
                       "personas, solo desaparecerá el grupo"),
        Dialogos::Icono::Critico, QStringLiteral("Advertencia!"), Dialogos::Botones::SiNo);
    if (r != Dialogos::Respuesta::Si)
        return;
    intentarBD(this, QStringLiteral("No se pudo eliminar el grupo."),
               [&] { RepositorioGrupos(de1_).eliminar(g->codigo); });
    intentarBD(this, kNoSeLeyeronGrupos, [this] { CargarGrupos(); });
}

void MenuPrincipal::agregarPersonas() {
    const std::optional<Grupo> g = grupoSeleccionado();
    if (!g) {
        informar(QStringLiteral("Debe seleccionar un grupo para agregar personas."));
        return;
    }
    FrmAddPersonas ventana(de1_, *g, this);
    abrir(ventana);
    cargarEvaluadosOAvisar(g->codigo);
}

void MenuPrincipal::asignarControles() {
    const std::optional<Grupo> g = grupoSeleccionado();
    if (evaluados_.rowCount() == 0 || !g) {
        informar(QStringLiteral("No hay Evaluados para la asignacion de controles."));
        return;
    }
    FrmAddControles ventana(de1_, *this, receptorCompartido(), this);
    abrir(ventana);
    cargarEvaluadosOAvisar(g->codigo);
}

void MenuPrincipal::iniciarExamen() {
    if (evaluados_.rowCount() == 0 || tests_.rowCount() == 0 || !examenSeleccionado()) {
        informar(QStringLiteral("Debe seleccionar un test."));
        return;
    }
    FrmInteligencia ventana(de1_, *this, receptorCompartido(), responsable_, this);
    abrir(ventana);
}

void MenuPrincipal::reanudarExamen() {
    // A session a crash or a power cut interrupted on this workstation.
    if (!reanudacion::hayDiario())
        return;
    reanudacion::Opciones opciones;
    opciones.abrirModal = [this](QDialog& d) { abrir(d); };
    reanudacion::ofrecerReanudacion(de1_, this, receptorCompartido(), opciones);
}

void MenuPrincipal::verResultados() {
    const std::optional<Grupo> g = grupoSeleccionado();
    if (!g) {
        informar(QStringLiteral("Debe seleccionar un grupo para ver sus resultados."));
        return;
    }
    bool hay = false;
    if (!intentarBD(this, QStringLiteral("No se pudieron leer los exámenes del grupo."),
                    [&] { hay = !resultados::examinacionesDeGrupo(de1_, g->codigo).isEmpty(); }))
        return;
    if (!hay) {
        informar(QStringLiteral("El grupo no tiene exámenes registrados."));
        return;
    }
    FrmResultados ventana(de1_, g->codigo, std::nullopt, this);
    abrir(ventana);
}

void MenuPrincipal::editarExamen(ModoExamen modo) {
    FrmAddExamenes ventana(
        de1_, modo, modo == ModoExamen::Modificar ? examenSeleccionado() : std::nullopt, this);
    abrir(ventana);
    intentarBD(this, QStringLiteral("No se pudieron leer los exámenes."),
               [this] { CargarTests(); });
}

void MenuPrincipal::marcarBuscados(int desde, int hasta) {
    QItemSelectionModel* sel = lvGrupos_->selectionModel();
    for (int i = desde; i <= hasta && !buscados_.isEmpty(); ++i)
        if (buscados_.contains(grupos_.filas().at(i).codigo))
            sel->select(grupos_.index(i, 0),
                        QItemSelectionModel::Select | QItemSelectionModel::Rows);
}

void MenuPrincipal::buscar() {
    const QString texto = txtBuscar_->text();
    if (texto.trimmed().isEmpty()) {
        informar(QStringLiteral("Debe ingresar el texto a buscar"));
        txtBuscar_->setFocus();
        return;
    }
    const auto campo = comboBuscar_->currentIndex() == 0 ? RepositorioGrupos::Campo::Curso
                                                         : RepositorioGrupos::Campo::Descripcion;
    // The matches are looked up in the catalog; the list is read on down to the
    // newest of them, and the others are marked as their rows come.
    intentarBD(this, QStringLiteral("No se pudieron buscar los grupos."), [&] {
        const QList<qint32> codigos = RepositorioGrupos(de1_).buscar(campo, texto, kGruposBuscados);
        buscados_ = QSet<qint32>(codigos.cbegin(), codigos.cend());
        if (codigos.isEmpty())
            return;
        const int primera = grupos_.cargarHasta(codigos.constFirst());
        marcarBuscados(0, grupos_.rowCount() - 1);
        if (primera >= 0)
            lvGrupos_->scrollTo(grupos_.index(primera, 0));
    });
}
