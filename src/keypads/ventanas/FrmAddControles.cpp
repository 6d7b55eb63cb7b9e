#include "keypads/ventanas/FrmAddControles.h"

#include "app/Globales.h"
#include "app/Ini.h"
#include "app/Seleccion.h"
#include "app/Texto.h"
#include "app/ventanas/Accesibles.h"
#include "app/ventanas/Dialogos.h"
#include "data/De1.h"
#include "keypads/MiembrosGrupo.h"
#include "keypads/ProtocoloReceptor.h"
#include "keypads/Receptor.h"
#include "persons/AlmacenImagenes.h"

#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPixmap>
#include <QPushButton>
#include <QStyle>
#include <QTableView>
#include <QVBoxLayout>

namespace {
constexpr qint16 kDueno = 1;
const QString kSeccion = QStringLiteral("Tavelmo");
const QString kClaveFiltro = QStringLiteral("Filtro");
} // namespace

FrmAddControles::FrmAddControles(De1& de1, const Seleccion& seleccion, Receptor& receptor,
                                 QWidget* parent)
    : QDialog(parent), de1_(de1), seleccion_(seleccion), receptor_(receptor) {
    setObjectName(QStringLiteral("FrmAddControles"));
    setWindowTitle(QStringLiteral("Agregar personas al grupo"));
    // Modal to its opener only: the simulated keypad panel, a window of its own,
    // must keep taking clicks while this one runs.
    setWindowModality(Qt::WindowModal);
    construir();
    Globales::DuenoReceptor = kDueno;
    cargar();

    // A stored choice other than 0 or 1 is no entry of the list: "Documento" then.
    const QString guardado = LeerIni(kSeccion, kClaveFiltro);
    int indice = 1;
    if (guardado != QStringLiteral("ERROR") && texto::ValEntero(guardado) == 0)
        indice = 0;
    comboFiltro_->setCurrentIndex(indice);
    aplicarFiltro();
    connect(comboFiltro_, &QComboBox::currentIndexChanged, this, [this] { aplicarFiltro(); });
    connect(txtFiltro_, &QLineEdit::textChanged, this, [this] { aplicarFiltro(); });
    if (filtro_->rowCount() > 0)
        lvEvaluados_->selectRow(0);
    mostrarFoto();

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
    connect(protocolo_, &ProtocoloReceptor::texto, lblEstado2_, &QLabel::setText);
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
            lblEstado2_->clear();
        }
        mostrarEnlace(false);
    });
    connect(&receptor_, &Receptor::leido, this,
            [this](const QByteArray& r) { protocolo_->recibir(r); });
    receptor_.abrir(kDueno);
    mostrarEnlace(receptor_.conectado());
}

FrmAddControles::~FrmAddControles() {
    descargar();
}

void FrmAddControles::construir() {
    lblTitulo_ = new QLabel(QStringLiteral("Asignar  controles al grupo"), this);
    lblTitulo_->setObjectName(QStringLiteral("LblTitulo"));
    QFont grande = lblTitulo_->font();
    grande.setPointSizeF(grande.pointSizeF() * 1.4);
    grande.setBold(true);
    lblTitulo_->setFont(grande);
    lblGrupo_ = new QLabel(QStringLiteral("Grupo "), this);
    lblGrupo_->setObjectName(QStringLiteral("LblGrupo"));

    modelo_ = new ModeloMiembros(this);
    filtro_ = new FiltroMiembros(this);
    filtro_->setSourceModel(modelo_);
    lvEvaluados_ = new QTableView(this);
    lvEvaluados_->setObjectName(QStringLiteral("LvEvaluados"));
    lvEvaluados_->setAccessibleName(QStringLiteral("Evaluados"));
    lvEvaluados_->setModel(filtro_);
    lvEvaluados_->setSelectionBehavior(QAbstractItemView::SelectRows);
    lvEvaluados_->setSelectionMode(QAbstractItemView::SingleSelection);
    lvEvaluados_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    lvEvaluados_->verticalHeader()->hide();
    lvEvaluados_->horizontalHeader()->setStretchLastSection(true);
    lvEvaluados_->setColumnWidth(ModeloMiembros::Nombre, 260);
    lvEvaluados_->setColumnWidth(ModeloMiembros::Documento, 120);
    connect(lvEvaluados_->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            [this] { mostrarFoto(); });

    imgFoto_ = new QLabel(this);
    imgFoto_->setObjectName(QStringLiteral("ImgFoto"));
    imgFoto_->setAccessibleName(QStringLiteral("Foto"));
    imgFoto_->setFixedSize(150, 190);
    imgFoto_->setAlignment(Qt::AlignCenter);
    imgFoto_->setFrameShape(QFrame::StyledPanel);

    comboFiltro_ = new QComboBox(this);
    comboFiltro_->setObjectName(QStringLiteral("ComboFiltro"));
    comboFiltro_->addItems({QStringLiteral("Nombre"), QStringLiteral("Documento")});
    comboFiltro_->setAccessibleName(QStringLiteral("Buscar por"));
    auto* lblBuscar = new QLabel(QStringLiteral("Buscar"), this);
    txtFiltro_ = new QLineEdit(this);
    txtFiltro_->setObjectName(QStringLiteral("TxtFiltro"));
    rotular(lblBuscar, txtFiltro_);

    cmdAgregar_ = new QPushButton(QStringLiteral("Asignar control remoto"), this);
    cmdAgregar_->setObjectName(QStringLiteral("CmdAgregar"));
    command2_ = new QPushButton(QStringLiteral("Limpiar Asignacion"), this);
    command2_->setObjectName(QStringLiteral("Command2"));
    command1_ = new QPushButton(QStringLiteral("Aceptar"), this);
    command1_->setObjectName(QStringLiteral("Command1"));
    cmdCancelar_ = new QPushButton(QStringLiteral("Cancelar"), this);
    cmdCancelar_->setObjectName(QStringLiteral("CmdCancelar"));
    imgSalir_ = botonImagen(style()->standardIcon(QStyle::SP_DialogCloseButton),
                            QStringLiteral("Salir"), QStringLiteral("ImgSalir"), this);
    for (QPushButton* b : {cmdAgregar_, command2_, command1_, cmdCancelar_})
        b->setAutoDefault(false);

    lblEstado_ = new QLabel(this);
    lblEstado_->setObjectName(QStringLiteral("lblEstado"));
    lblEstado2_ = new QLabel(this);
    lblEstado2_->setObjectName(QStringLiteral("lblEstado2"));

    connect(cmdAgregar_, &QPushButton::clicked, this, [this] { protocolo_->iniciarBusqueda(); });
    connect(command2_, &QPushButton::clicked, this, [this] { limpiarAsignacion(); });
    connect(command1_, &QPushButton::clicked, this, [this] { aceptar(); });
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
    lateral->addWidget(imgFoto_);
    lateral->addWidget(cmdAgregar_);
    lateral->addWidget(command2_);
    lateral->addStretch(1);
    lateral->addWidget(lblEstado_);
    lateral->addWidget(lblEstado2_);

    auto* centro = new QGridLayout;
    centro->addLayout(busqueda, 0, 0);
    centro->addWidget(lvEvaluados_, 1, 0);
    centro->addLayout(lateral, 0, 1, 2, 1);

    auto* pie = new QHBoxLayout;
    pie->addStretch(1);
    pie->addWidget(command1_);
    pie->addWidget(cmdCancelar_);

    auto* raiz = new QVBoxLayout(this);
    raiz->addLayout(cabecera);
    raiz->addLayout(centro, 1);
    raiz->addLayout(pie);
    resize(760, 480);
}

void FrmAddControles::cargar() {
    const std::optional<GrupoSeleccionado> grupo = seleccion_.grupoSeleccionado();
    if (!grupo) {
        command1_->setEnabled(false);
        return;
    }
    grupo_ = grupo->codigo;
    lblGrupo_->setText(QStringLiteral("Grupo ") + grupo->descripcion);
    try {
        modelo_->cargar(cargarMiembrosGrupo(de1_, grupo_));
        cargado_ = true;
    } catch (const ErrorBD& e) {
        // Saving an empty list would drop the whole group: "Aceptar" stays off.
        command1_->setEnabled(false);
        Dialogos::actual().mensaje(
            this, QStringLiteral("No se pudieron leer los evaluados del grupo.\n") + e.texto(),
            Dialogos::Icono::Critico);
    }
}

void FrmAddControles::aplicarFiltro() {
    filtro_->fijar(comboFiltro_->currentIndex(), txtFiltro_->text());
}

void FrmAddControles::mostrarFoto() {
    const QModelIndex actual = lvEvaluados_->selectionModel()->currentIndex();
    if (!actual.isValid()) {
        imgFoto_->clear();
        return;
    }
    const qint64 persona = actual.data(Qt::UserRole).toLongLong();
    const QPixmap foto(almacen::fotoParaMostrar(persona));
    if (foto.isNull())
        imgFoto_->clear();
    else
        imgFoto_->setPixmap(
            foto.scaled(imgFoto_->size(), Qt::KeepAspectRatio, Qt::SmoothTransformation));
}

void FrmAddControles::mostrarEnlace(bool conectado) {
    lblEstado_->setText(conectado ? QStringLiteral("Dispositivo conectado")
                                  : QStringLiteral("Dispositivo desconectado"));
    actualizarBotonBuscar();
}

void FrmAddControles::actualizarBotonBuscar() {
    const bool buscando = protocolo_ && protocolo_->estado() != ProtocoloReceptor::Estado::Inactivo;
    cmdAgregar_->setEnabled(!desenchufado_ && !buscando);
}

void FrmAddControles::limpiarAsignacion() {
    for (int i = 0; i < filtro_->rowCount(); ++i)
        modelo_->fijarRemoto(filtro_->mapToSource(filtro_->index(i, 0)).row(), 0);
}

void FrmAddControles::aceptar() {
    if (!cargado_)
        return;
    try {
        // Every member, hidden by the filter or not, in the group's order.
        guardarMiembrosGrupo(de1_, grupo_, modelo_->miembros());
    } catch (const ErrorBD& e) {
        Dialogos::actual().mensaje(
            this, QStringLiteral("No se pudieron guardar los controles asignados.\n") + e.texto(),
            Dialogos::Icono::Critico);
        return;
    }
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
    Globales::DuenoReceptor = 0;
    if (!EscribirIni(kSeccion, kClaveFiltro, QString::number(comboFiltro_->currentIndex())))
        Dialogos::actual().mensaje(
            this,
            QStringLiteral("No se pudo guardar la opción de búsqueda en el archivo de "
                           "configuración."),
            Dialogos::Icono::Exclamacion);
}
