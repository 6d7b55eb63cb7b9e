#include "keypads/ventanas/FrmAddControles.h"

#include "app/Claves.h"
#include "app/ventanas/Accesibles.h"
#include "app/ventanas/Dialogos.h"
#include "data/De1.h"
#include "data/ventanas/ErroresBD.h"
#include "groups/RepositorioMiembros.h"
#include "groups/Seleccion.h"
#include "keypads/ModeloMiembros.h"
#include "keypads/ProtocoloReceptor.h"
#include "keypads/Receptor.h"
#include "keypads/ventanas/NombresFrmAddControles.h"
#include "persons/ventanas/FichaEvaluado.h"

#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStyle>
#include <QTableView>
#include <QVBoxLayout>

namespace n = nombres::frmAddControles;

FrmAddControles::FrmAddControles(De1& de1, const Seleccion& seleccion, Receptor& receptor,
                                 QWidget* parent)
    : QDialog(parent), de1_(de1), seleccion_(seleccion), receptor_(receptor) {
    setObjectName(n::kVentana);
    setWindowTitle(QStringLiteral("Agregar personas al grupo"));
    // Modal to its opener only: the simulated keypad panel, a window of its own,
    // must keep taking clicks while this one runs.
    setWindowModality(Qt::WindowModal);
    construir();
    cargar();

    comboFiltro_->setCurrentIndex(claves::campoFiltro());
    aplicarFiltro();
    connect(comboFiltro_, &QComboBox::currentIndexChanged, this, [this] { aplicarFiltro(); });
    connect(txtFiltro_, &QLineEdit::textChanged, this, [this] { aplicarFiltro(); });
    if (filtro_->rowCount() > 0)
        lvEvaluados_->selectRow(0);

    protocolo_ = new ProtocoloReceptor(this);
    protocolo_->fijarFilaActual([this]() -> std::optional<FilaAsignable> {
        const QModelIndexList filas = lvEvaluados_->selectionModel()->selectedRows();
        if (filas.isEmpty())
            return std::nullopt;
        // The place in the whole group, which is where the session looks for the
        // member's answers, even while the filter hides others.
        const int fila = filtro_->mapToSource(filas.first()).row();
        return FilaAsignable{fila, fila + 1};
    });
    connect(protocolo_, &ProtocoloReceptor::reporte, this,
            [this](const QByteArray& r) { receptor_.escribir(r); });
    connect(protocolo_, &ProtocoloReceptor::texto, lblBusqueda_, &QLabel::setText);
    connect(protocolo_, &ProtocoloReceptor::busquedaEnCurso, this,
            [this] { actualizarBotonBuscar(); });
    connect(protocolo_, &ProtocoloReceptor::confirmado, this,
            [this](int fila, int numero) { modelo_->fijarRemoto(fila, numero); });

    connect(&receptor_, &Receptor::enchufado, this, [this] {
        desenchufado_ = false;
        mostrarEnlace(true);
    });
    connect(&receptor_, &Receptor::desenchufado, this, [this] {
        desenchufado_ = true;
        // The receiver forgot the search; waiting on would keep the button off for good.
        if (protocolo_->estado() != ProtocoloReceptor::Estado::Inactivo) {
            protocolo_->cancelar();
            lblBusqueda_->clear();
        }
        mostrarEnlace(false);
    });
    connect(&receptor_, &Receptor::leido, this,
            [this](const QByteArray& r) { protocolo_->recibir(r); });
    receptor_.abrir();
    mostrarEnlace(receptor_.conectado());
}

FrmAddControles::~FrmAddControles() {
    descargar();
}

void FrmAddControles::construir() {
    lblTitulo_ = new QLabel(QStringLiteral("Asignar  controles al grupo"), this);
    lblTitulo_->setObjectName(n::kTitulo);
    QFont grande = lblTitulo_->font();
    grande.setPointSizeF(grande.pointSizeF() * 1.4);
    grande.setBold(true);
    lblTitulo_->setFont(grande);
    lblGrupo_ = new QLabel(QStringLiteral("Grupo "), this);
    lblGrupo_->setObjectName(n::kGrupo);

    modelo_ = new ModeloMiembros(this);
    filtro_ = new FiltroMiembros(this);
    filtro_->setSourceModel(modelo_);
    lvEvaluados_ = new QTableView(this);
    lvEvaluados_->setObjectName(n::kEvaluados);
    lvEvaluados_->setAccessibleName(QStringLiteral("Evaluados"));
    lvEvaluados_->setModel(filtro_);
    lvEvaluados_->setSelectionBehavior(QAbstractItemView::SelectRows);
    lvEvaluados_->setSelectionMode(QAbstractItemView::SingleSelection);
    lvEvaluados_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    lvEvaluados_->verticalHeader()->hide();
    lvEvaluados_->horizontalHeader()->setStretchLastSection(true);
    lvEvaluados_->setColumnWidth(ModeloMiembros::Nombre, 260);
    lvEvaluados_->setColumnWidth(ModeloMiembros::Documento, 120);
    // The card follows the row the next keypad goes to: the operator checks the
    // face of the person in front of him as he pairs it.
    connect(lvEvaluados_->selectionModel(), &QItemSelectionModel::selectionChanged, this,
            [this] { mostrarFicha(); });

    ficha_ = new FichaEvaluado(this);

    comboFiltro_ = new QComboBox(this);
    comboFiltro_->setObjectName(n::kCampoFiltro);
    comboFiltro_->addItems({QStringLiteral("Nombre"), QStringLiteral("Documento")});
    comboFiltro_->setAccessibleName(QStringLiteral("Buscar por"));
    auto* lblBuscar = new QLabel(QStringLiteral("Buscar"), this);
    txtFiltro_ = new QLineEdit(this);
    txtFiltro_->setObjectName(n::kFiltro);
    rotular(lblBuscar, txtFiltro_);

    cmdBuscar_ = new QPushButton(QStringLiteral("Asignar control remoto"), this);
    cmdBuscar_->setObjectName(n::kBuscarControl);
    cmdLimpiar_ = new QPushButton(QStringLiteral("Limpiar Asignacion"), this);
    cmdLimpiar_->setObjectName(n::kLimpiar);
    cmdAceptar_ = new QPushButton(QStringLiteral("Aceptar"), this);
    cmdAceptar_->setObjectName(n::kAceptar);
    cmdCancelar_ = new QPushButton(QStringLiteral("Cancelar"), this);
    cmdCancelar_->setObjectName(n::kCancelar);
    imgSalir_ = botonImagen(style()->standardIcon(QStyle::SP_DialogCloseButton),
                            QStringLiteral("Salir"), n::kSalir, this);
    for (QPushButton* b : {cmdBuscar_, cmdLimpiar_, cmdAceptar_, cmdCancelar_})
        b->setAutoDefault(false);

    lblEnlace_ = new QLabel(this);
    lblEnlace_->setObjectName(n::kEnlace);
    lblBusqueda_ = new QLabel(this);
    lblBusqueda_->setObjectName(n::kEstadoBusqueda);

    connect(cmdBuscar_, &QPushButton::clicked, this, [this] { protocolo_->iniciarBusqueda(); });
    connect(cmdLimpiar_, &QPushButton::clicked, this, [this] { limpiarAsignacion(); });
    connect(cmdAceptar_, &QPushButton::clicked, this, [this] { aceptar(); });
    connect(cmdCancelar_, &QPushButton::clicked, this, &QDialog::reject);
    connect(imgSalir_, &QPushButton::clicked, this, &QDialog::reject);

    auto* cabecera = new QHBoxLayout;
    auto* titulos = new QVBoxLayout;
    titulos->addWidget(lblTitulo_);
    titulos->addWidget(lblGrupo_);
    cabecera->addLayout(titulos, 1);
    cabecera->addWidget(imgSalir_, 0, Qt::AlignTop);

    auto* busqueda = new QHBoxLayout;
    busqueda->addWidget(comboFiltro_);
    busqueda->addWidget(lblBuscar);
    busqueda->addWidget(txtFiltro_, 1);

    auto* lateral = new QVBoxLayout;
    lateral->addWidget(ficha_);
    lateral->addWidget(cmdBuscar_);
    lateral->addWidget(cmdLimpiar_);
    lateral->addStretch(1);
    lateral->addWidget(lblEnlace_);
    lateral->addWidget(lblBusqueda_);

    auto* centro = new QGridLayout;
    centro->addLayout(busqueda, 0, 0);
    centro->addWidget(lvEvaluados_, 1, 0);
    centro->addLayout(lateral, 0, 1, 2, 1);

    auto* pie = new QHBoxLayout;
    pie->addStretch(1);
    pie->addWidget(cmdAceptar_);
    pie->addWidget(cmdCancelar_);

    auto* raiz = new QVBoxLayout(this);
    raiz->addLayout(cabecera);
    raiz->addLayout(centro, 1);
    raiz->addLayout(pie);
    resize(900, 560);
}

void FrmAddControles::cargar() {
    const std::optional<Grupo> grupo = seleccion_.grupoSeleccionado();
    if (!grupo) {
        cmdAceptar_->setEnabled(false);
        return;
    }
    grupo_ = grupo->codigo;
    lblGrupo_->setText(QStringLiteral("Grupo ") + grupo->descripcion);
    cargado_ = intentarBD(this, QStringLiteral("No se pudieron leer los evaluados del grupo."),
                          [this] { modelo_->cargar(RepositorioMiembros(de1_).evaluados(grupo_)); });
    // Nothing read, nothing to store: "Aceptar" stays off.
    cmdAceptar_->setEnabled(cargado_);
}

void FrmAddControles::aplicarFiltro() {
    filtro_->fijar(comboFiltro_->currentIndex() == 0 ? CampoPersona::Nombre
                                                     : CampoPersona::Documento,
                   txtFiltro_->text());
    // A filter that hides the selected row leaves nobody selected.
    mostrarFicha();
}

void FrmAddControles::mostrarFicha() {
    // The selected row, the one a search pairs (see fijarFilaActual).
    const QModelIndexList filas = lvEvaluados_->selectionModel()->selectedRows();
    if (filas.isEmpty()) {
        ficha_->limpiar();
        return;
    }
    const Evaluado& m = modelo_->miembros().at(filtro_->mapToSource(filas.first()).row());
    ficha_->mostrar(m.codigoPersona, m.nombre, m.documento);
}

void FrmAddControles::mostrarEnlace(bool conectado) {
    lblEnlace_->setText(conectado ? QStringLiteral("Dispositivo conectado")
                                  : QStringLiteral("Dispositivo desconectado"));
    actualizarBotonBuscar();
}

void FrmAddControles::actualizarBotonBuscar() {
    const bool buscando = protocolo_ && protocolo_->estado() != ProtocoloReceptor::Estado::Inactivo;
    cmdBuscar_->setEnabled(!desenchufado_ && !buscando);
}

void FrmAddControles::limpiarAsignacion() {
    for (int i = 0; i < filtro_->rowCount(); ++i)
        modelo_->fijarRemoto(filtro_->mapToSource(filtro_->index(i, 0)).row(), 0);
}

void FrmAddControles::aceptar() {
    if (!cargado_)
        return;
    // Every member, hidden by the filter or not.
    if (intentarBD(this, QStringLiteral("No se pudieron guardar los controles asignados."), [this] {
            RepositorioMiembros(de1_).fijarControles(grupo_, modelo_->miembros());
        }))
        accept();
}

void FrmAddControles::done(int resultado) {
    descargar();
    QDialog::done(resultado);
}

void FrmAddControles::descargar() {
    if (descargado_)
        return;
    descargado_ = true;
    protocolo_->cancelar();
    disconnect(&receptor_, nullptr, this, nullptr);
    receptor_.cerrar();
    if (!EscribirIni(claves::kFiltro, QString::number(comboFiltro_->currentIndex())))
        Dialogos::actual().mensaje(
            this,
            QStringLiteral("No se pudo guardar la opción de búsqueda en el archivo de "
                           "configuración."),
            Dialogos::Icono::Exclamacion);
}
