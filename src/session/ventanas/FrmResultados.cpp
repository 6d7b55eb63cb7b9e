#include "session/ventanas/FrmResultados.h"

#include "app/ventanas/Accesibles.h"
#include "app/ventanas/Dialogos.h"
#include "data/ventanas/ErroresBD.h"
#include "groups/Grupo.h"
#include "session/ExportacionResultados.h"
#include "session/InformesExamen.h"
#include "session/ventanas/FrmEstadisticas.h"
#include "session/ventanas/FrmVistaPrevia.h"
#include "session/ventanas/NombresFrmResultados.h"

#include <QAbstractTableModel>
#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QProgressDialog>
#include <QPushButton>
#include <QSortFilterProxyModel>
#include <QTableView>
#include <QVBoxLayout>

namespace n = nombres::frmResultados;

namespace {

const QString kNoSeLeyeron = QStringLiteral("No se pudieron leer los resultados del examen.");

enum Columna {
    ColControl,
    ColNombre,
    ColDocumento,
    ColCorrectas,
    ColIncorrectas,
    ColPorcentaje,
    ColResultado,
    ColCarpeta,
    ColTotal
};

constexpr int kRolOrden = Qt::UserRole;

// Characters a file name cannot carry on the office's workstations.
QString paraArchivo(QString t) {
    for (const QChar c : QStringLiteral("\\/:*?\"<>|"))
        t.replace(c, u'_');
    return t.simplified();
}

} // namespace

class ModeloResultados : public QAbstractTableModel {
public:
    using QAbstractTableModel::QAbstractTableModel;

    void fijar(QList<EvaluadoRegistrado> filas) {
        beginResetModel();
        filas_ = std::move(filas);
        endResetModel();
    }
    const QList<EvaluadoRegistrado>& filas() const { return filas_; }

    int rowCount(const QModelIndex& p = {}) const override {
        return p.isValid() ? 0 : int(filas_.size());
    }
    int columnCount(const QModelIndex& p = {}) const override { return p.isValid() ? 0 : ColTotal; }

    QVariant data(const QModelIndex& i, int rol) const override {
        if (!i.isValid() || i.row() >= filas_.size())
            return {};
        const EvaluadoRegistrado& e = filas_.at(i.row());
        if (rol == Qt::DisplayRole || rol == Qt::AccessibleTextRole)
            return valor(e, i.column(), false);
        if (rol == kRolOrden)
            return valor(e, i.column(), true);
        if (rol == Qt::TextAlignmentRole && i.column() != ColNombre && i.column() != ColDocumento &&
            i.column() != ColResultado)
            return int(Qt::AlignRight | Qt::AlignVCenter);
        if (rol == Qt::ForegroundRole && i.column() == ColResultado)
            return e.aprobado() ? QColor(27, 107, 27) : QColor(161, 26, 26);
        return {};
    }

    QVariant headerData(int s, Qt::Orientation o, int rol) const override {
        static const QStringList t = {QStringLiteral("Control"),     QStringLiteral("Nombre"),
                                      QStringLiteral("Documento"),   QStringLiteral("Correctas"),
                                      QStringLiteral("Incorrectas"), QStringLiteral("Porcentaje"),
                                      QStringLiteral("Resultado"),   QStringLiteral("Carpeta")};
        if (o == Qt::Horizontal && rol == Qt::DisplayRole && s >= 0 && s < t.size())
            return t.at(s);
        return {};
    }

private:
    // What a cell shows or, with `orden`, what its column sorts by: keypads,
    // counts and percentages as numbers, texts without case.
    static QVariant valor(const EvaluadoRegistrado& e, int columna, bool orden) {
        QString texto;
        switch (columna) {
        case ColControl:
            if (orden)
                return e.remoto;
            texto = textoControl(e.remoto);
            break;
        case ColCorrectas:
            return e.correctas;
        case ColIncorrectas:
            return e.incorrectas;
        case ColPorcentaje:
            if (orden)
                return e.porcentaje();
            texto = resultados::textoPorcentaje(e.porcentaje());
            break;
        case ColNombre:
            texto = e.nombre;
            break;
        case ColDocumento:
            texto = e.documento;
            break;
        case ColResultado:
            texto = e.resultado;
            break;
        case ColCarpeta:
            texto = e.numeroCarpeta;
            break;
        default:
            return {};
        }
        return orden ? texto.toLower() : texto;
    }

    QList<EvaluadoRegistrado> filas_;
};

// The filter: text in the name or document, and the verdict.
class FiltroResultados : public QSortFilterProxyModel {
public:
    using QSortFilterProxyModel::QSortFilterProxyModel;

    void fijar(const QString& texto, int veredicto) {
        texto_ = texto.trimmed();
        veredicto_ = veredicto;
        invalidateFilter();
    }

protected:
    bool filterAcceptsRow(int fila, const QModelIndex&) const override {
        const auto* m = static_cast<const ModeloResultados*>(sourceModel());
        if (fila < 0 || fila >= m->filas().size())
            return false;
        const EvaluadoRegistrado& e = m->filas().at(fila);
        if (veredicto_ == 1 && !e.aprobado())
            return false;
        if (veredicto_ == 2 && e.aprobado())
            return false;
        return texto_.isEmpty() || e.nombre.contains(texto_, Qt::CaseInsensitive) ||
               e.documento.contains(texto_, Qt::CaseInsensitive) ||
               e.numeroCarpeta.contains(texto_, Qt::CaseInsensitive);
    }

private:
    QString texto_;
    int veredicto_ = 0; // 0 all, 1 passed, 2 failed
};

FrmResultados::FrmResultados(De1& de1, qint32 grupo, std::optional<qint64> sesion, QWidget* parent)
    : QDialog(parent), de1_(de1), grupo_(grupo) {
    setObjectName(n::kVentana);
    setWindowTitle(QStringLiteral("Resultados del examen"));
    resize(1000, 640);
    abrirModal = [](QDialog& d) { d.exec(); };
    construir();
    if (grupo_)
        intentarBD(this, kNoSeLeyeron,
                   [&] { examinaciones_ = resultados::examinacionesDeGrupo(de1_, grupo_); });
    if (sesion && std::none_of(examinaciones_.cbegin(), examinaciones_.cend(),
                               [&](const ExaminacionListada& x) { return x.sesion == *sesion; }))
        examinaciones_.prepend({*sesion, {}, 0, {}, 0, 0});
    {
        const QSignalBlocker b(comboExaminaciones_);
        for (const ExaminacionListada& x : examinaciones_)
            comboExaminaciones_->addItem(
                x.fecha.isValid() ? QStringLiteral("%1 — %2 (%3 evaluados, %4 aprobados)")
                                        .arg(x.fecha.toString(QStringLiteral("dd/MM/yyyy HH:mm")),
                                             x.descripcionExamen)
                                        .arg(x.evaluados)
                                        .arg(x.aprobados)
                                  : QStringLiteral("Examen recién guardado"));
    }
    if (!examinaciones_.isEmpty())
        mostrar(sesion ? *sesion : examinaciones_.first().sesion);
    else
        actualizarResumen();
}

FrmResultados::~FrmResultados() = default;

void FrmResultados::construir() {
    auto* lblExaminaciones = new QLabel(QStringLiteral("Examen"), this);
    comboExaminaciones_ = new QComboBox(this);
    comboExaminaciones_->setObjectName(n::kExaminaciones);
    rotular(lblExaminaciones, comboExaminaciones_);
    lblExaminacion_ = new QLabel(this);
    lblExaminacion_->setObjectName(n::kExaminacion);
    lblExaminacion_->setWordWrap(true);
    lblExaminacion_->setTextInteractionFlags(Qt::TextSelectableByMouse);

    auto* lblBuscar = new QLabel(QStringLiteral("Buscar"), this);
    txtFiltro_ = new QLineEdit(this);
    txtFiltro_->setObjectName(n::kFiltro);
    txtFiltro_->setClearButtonEnabled(true);
    rotular(lblBuscar, txtFiltro_);
    auto* lblMostrar = new QLabel(QStringLiteral("Mostrar"), this);
    comboVeredicto_ = new QComboBox(this);
    comboVeredicto_->setObjectName(n::kVeredicto);
    comboVeredicto_->addItems(
        {QStringLiteral("Todos"), QStringLiteral("Aprobados"), QStringLiteral("Reprobados")});
    rotular(lblMostrar, comboVeredicto_);

    modelo_ = new ModeloResultados(this);
    filtro_ = new FiltroResultados(this);
    filtro_->setSourceModel(modelo_);
    filtro_->setSortRole(kRolOrden);
    lvResultados_ = new QTableView(this);
    lvResultados_->setObjectName(n::kResultados);
    lvResultados_->setAccessibleName(QStringLiteral("Resultados"));
    lvResultados_->setModel(filtro_);
    // Roster order until the operator clicks a heading.
    lvResultados_->horizontalHeader()->setSortIndicator(-1, Qt::AscendingOrder);
    lvResultados_->setSortingEnabled(true);
    lvResultados_->setSelectionBehavior(QAbstractItemView::SelectRows);
    lvResultados_->setSelectionMode(QAbstractItemView::SingleSelection);
    lvResultados_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    lvResultados_->setAlternatingRowColors(true);
    lvResultados_->verticalHeader()->hide();
    lvResultados_->verticalHeader()->setDefaultSectionSize(lvResultados_->fontMetrics().height() +
                                                           6);
    QHeaderView* cabecera = lvResultados_->horizontalHeader();
    cabecera->setSectionResizeMode(ColNombre, QHeaderView::Stretch);
    for (int c : {ColControl, ColDocumento, ColCorrectas, ColIncorrectas, ColPorcentaje,
                  ColResultado, ColCarpeta})
        lvResultados_->setColumnWidth(c, c == ColCarpeta || c == ColDocumento ? 110 : 90);

    lblResumen_ = new QLabel(this);
    lblResumen_->setObjectName(n::kResumen);
    QFont negrita = lblResumen_->font();
    negrita.setBold(true);
    lblResumen_->setFont(negrita);

    const auto boton = [this](const QString& texto, const QString& nombre, auto accion) {
        auto* b = new QPushButton(texto, this);
        b->setObjectName(nombre);
        connect(b, &QPushButton::clicked, this, accion);
        acciones_ << b;
        return b;
    };
    auto* acciones = new QVBoxLayout;
    acciones->addWidget(
        boton(QStringLiteral("Estadísticas"), n::kEstadisticas, [this] { estadisticas(); }));
    acciones->addSpacing(8);
    acciones->addWidget(
        boton(QStringLiteral("Informe del grupo"), n::kInformeGrupo, [this] { informeGrupo(); }));
    acciones->addWidget(boton(QStringLiteral("Informe del evaluado"), n::kInformeEvaluado,
                              [this] { informeEvaluado(); }));
    acciones->addWidget(
        boton(QStringLiteral("Informes de todos"), n::kInformesTodos, [this] { informesTodos(); }));
    acciones->addSpacing(8);
    acciones->addWidget(
        boton(QStringLiteral("Exportar CSV..."), n::kExportarCsv, [this] { exportarCsv(); }));
    acciones->addWidget(
        boton(QStringLiteral("Exportar Excel..."), n::kExportarExcel, [this] { exportarXlsx(); }));
    acciones->addStretch(1);
    auto* cmdCerrar = new QPushButton(QStringLiteral("Cerrar"), this);
    cmdCerrar->setObjectName(n::kCerrar);
    connect(cmdCerrar, &QPushButton::clicked, this, &QDialog::accept);
    acciones->addWidget(cmdCerrar);

    auto* arriba = new QHBoxLayout;
    arriba->addWidget(lblExaminaciones);
    arriba->addWidget(comboExaminaciones_, 1);
    auto* filtros = new QHBoxLayout;
    filtros->addWidget(lblBuscar);
    filtros->addWidget(txtFiltro_, 1);
    filtros->addWidget(lblMostrar);
    filtros->addWidget(comboVeredicto_);
    auto* centro = new QVBoxLayout;
    centro->addLayout(arriba);
    centro->addWidget(lblExaminacion_);
    centro->addLayout(filtros);
    centro->addWidget(lvResultados_, 1);
    centro->addWidget(lblResumen_);
    auto* raiz = new QHBoxLayout(this);
    raiz->addLayout(centro, 1);
    raiz->addLayout(acciones);

    connect(comboExaminaciones_, &QComboBox::currentIndexChanged, this,
            &FrmResultados::elegirExaminacion);
    const auto refiltrar = [this] {
        filtro_->fijar(txtFiltro_->text(), comboVeredicto_->currentIndex());
    };
    connect(txtFiltro_, &QLineEdit::textChanged, this, refiltrar);
    connect(comboVeredicto_, &QComboBox::currentIndexChanged, this, refiltrar);
}

void FrmResultados::elegirExaminacion(int indice) {
    if (indice >= 0 && indice < examinaciones_.size())
        mostrar(examinaciones_.at(indice).sesion);
}

void FrmResultados::mostrar(qint64 sesion) {
    for (int i = 0; i < examinaciones_.size(); ++i)
        if (examinaciones_.at(i).sesion == sesion && comboExaminaciones_->currentIndex() != i) {
            const QSignalBlocker b(comboExaminaciones_);
            comboExaminaciones_->setCurrentIndex(i);
        }
    if (!intentarBD(this, kNoSeLeyeron, [&] { examinacion_ = resultados::cargar(de1_, sesion); }))
        examinacion_.reset();
    modelo_->fijar(examinacion_ ? examinacion_->evaluados : QList<EvaluadoRegistrado>());
    if (examinacion_) {
        const Examinacion& x = *examinacion_;
        QStringList partes;
        partes << QStringLiteral("<b>Examen:</b> %1")
                      .arg((x.descripcionExamen.isEmpty()
                                ? QStringLiteral("Examen %1").arg(x.examen)
                                : x.descripcionExamen)
                               .toHtmlEscaped());
        if (!x.descripcionGrupo.isEmpty())
            partes << QStringLiteral("<b>Grupo:</b> %1").arg(x.descripcionGrupo.toHtmlEscaped());
        partes << QStringLiteral("<b>Fecha:</b> %1")
                      .arg(resultados::textoFechaHora(x.fecha).toHtmlEscaped());
        if (!x.nombreResponsable.isEmpty())
            partes << QStringLiteral("<b>Responsable:</b> %1")
                          .arg(x.nombreResponsable.toHtmlEscaped());
        partes << QStringLiteral("<b>Preguntas:</b> %1").arg(x.preguntas.size());
        lblExaminacion_->setText(partes.join(QStringLiteral(" &nbsp; ")));
    } else {
        lblExaminacion_->clear();
    }
    if (modelo_->rowCount() > 0)
        lvResultados_->setCurrentIndex(filtro_->index(0, 0));
    actualizarResumen();
}

void FrmResultados::actualizarResumen() {
    const bool hay = examinacion_ && !examinacion_->evaluados.isEmpty();
    for (QPushButton* b : std::as_const(acciones_))
        b->setEnabled(hay);
    if (!hay) {
        lblResumen_->setText(examinaciones_.isEmpty()
                                 ? QStringLiteral("El grupo no tiene exámenes registrados.")
                                 : QStringLiteral("No hay resultados guardados de este examen."));
        return;
    }
    const int total = int(examinacion_->evaluados.size());
    const int aprobados = examinacion_->aprobados();
    lblResumen_->setText(QStringLiteral("Aprobados: %1 de %2 (%3)")
                             .arg(aprobados)
                             .arg(total)
                             .arg(resultados::textoPorcentaje(100.0 * aprobados / total)));
}

std::optional<int> FrmResultados::evaluadoSeleccionado() const {
    const QModelIndex i = filtro_->mapToSource(lvResultados_->currentIndex());
    if (!i.isValid() || i.row() >= modelo_->filas().size())
        return std::nullopt;
    return i.row();
}

std::optional<Examinacion> FrmResultados::releer() {
    if (!examinacion_)
        return std::nullopt;
    std::optional<Examinacion> x;
    if (!intentarBD(this, kNoSeLeyeron,
                    [&] { x = resultados::cargar(de1_, examinacion_->sesion); }))
        return std::nullopt;
    if (!x)
        Dialogos::actual().mensaje(this, QStringLiteral("El examen ya no está guardado."),
                                   Dialogos::Icono::Exclamacion);
    return x;
}

QString FrmResultados::nombreBase() const {
    if (!examinacion_)
        return QStringLiteral("Resultados");
    const Examinacion& x = *examinacion_;
    return paraArchivo(
        QStringLiteral("Resultados %1 %2")
            .arg(x.descripcionExamen, x.fecha.toString(QStringLiteral("yyyy-MM-dd HHmm"))));
}

void FrmResultados::vistaPrevia(std::function<std::unique_ptr<informes::Informe>()> generar,
                                const QString& titulo, const QString& archivo) {
    FrmVistaPrevia ventana(std::move(generar), titulo, archivo, this);
    abrirModal(ventana);
}

void FrmResultados::estadisticas() {
    const std::optional<Examinacion> x = releer();
    if (!x)
        return;
    FrmEstadisticas ventana(de1_, *x, this);
    abrirModal(ventana);
}

void FrmResultados::informeGrupo() {
    if (!examinacion_)
        return;
    const qint64 sesion = examinacion_->sesion;
    vistaPrevia(
        [this, sesion]() -> std::unique_ptr<informes::Informe> {
            const std::optional<Examinacion> x = resultados::cargar(de1_, sesion);
            return x ? informes::informeGrupo(*x) : nullptr;
        },
        QStringLiteral("Informe del grupo"), nombreBase() + QStringLiteral(".pdf"));
}

void FrmResultados::informeEvaluado() {
    const std::optional<int> fila = evaluadoSeleccionado();
    if (!examinacion_ || !fila) {
        Dialogos::actual().mensaje(this, QStringLiteral("Seleccione un evaluado."),
                                   Dialogos::Icono::Informacion);
        return;
    }
    const qint64 sesion = examinacion_->sesion;
    const EvaluadoRegistrado& e = examinacion_->evaluados.at(*fila);
    const int posicion = e.posicion;
    vistaPrevia(
        [this, sesion, posicion]() -> std::unique_ptr<informes::Informe> {
            const std::optional<Examinacion> x = resultados::cargar(de1_, sesion);
            if (!x)
                return nullptr;
            for (int i = 0; i < x->evaluados.size(); ++i)
                if (x->evaluados.at(i).posicion == posicion)
                    return informes::informeEvaluados(de1_, *x, {i});
            return nullptr;
        },
        QStringLiteral("Informe de %1").arg(e.nombre),
        paraArchivo(QStringLiteral("Informe %1 %2").arg(e.nombre, e.documento)) +
            QStringLiteral(".pdf"));
}

void FrmResultados::informesTodos() {
    if (!examinacion_)
        return;
    const qint64 sesion = examinacion_->sesion;
    vistaPrevia(
        [this, sesion]() -> std::unique_ptr<informes::Informe> {
            const std::optional<Examinacion> x = resultados::cargar(de1_, sesion);
            if (!x)
                return nullptr;
            QList<int> todos;
            for (int i = 0; i < x->evaluados.size(); ++i)
                todos << i;
            return informes::informeEvaluados(de1_, *x, todos);
        },
        QStringLiteral("Informes de los evaluados"),
        nombreBase() + QStringLiteral(" evaluados.pdf"));
}

namespace {

// A progress bar with "Cancelar" for work that may take a while; shown only
// when it does.
exportacion::Progreso conBarra(QProgressDialog& barra) {
    return [&barra](qint64 hecho, qint64 total) {
        if (barra.maximum() != int(total))
            barra.setMaximum(int(total));
        barra.setValue(int(hecho)); // lets the click on "Cancelar" in
        return !barra.wasCanceled();
    };
}

void informar(QWidget* ventana, const exportacion::Resultado& r, const QString& ruta) {
    using E = exportacion::Resultado::Estado;
    if (r.estado == E::Error)
        Dialogos::actual().mensaje(ventana, r.error, Dialogos::Icono::Critico);
    else if (r.estado == E::Hecho)
        Dialogos::actual().mensaje(ventana,
                                   QStringLiteral("Se exportaron los resultados a\n%1").arg(ruta),
                                   Dialogos::Icono::Informacion);
}

} // namespace

void FrmResultados::exportarCsv() {
    const QString ruta = Dialogos::actual().guardarArchivo(this, QStringLiteral("Exportar a CSV"),
                                                           nombreBase() + QStringLiteral(".csv"),
                                                           QStringLiteral("Archivos CSV (*.csv)"));
    if (ruta.isEmpty())
        return;
    const std::optional<Examinacion> x = releer();
    if (!x)
        return;
    QProgressDialog barra(QStringLiteral("Exportando resultados..."), QStringLiteral("Cancelar"), 0,
                          1, this);
    barra.setWindowModality(Qt::WindowModal);
    barra.setMinimumDuration(400);
    informar(this, exportacion::guardarCsv(*x, ruta, conBarra(barra)), ruta);
}

void FrmResultados::exportarXlsx() {
    const QString ruta = Dialogos::actual().guardarArchivo(
        this, QStringLiteral("Exportar a Excel"), nombreBase() + QStringLiteral(".xlsx"),
        QStringLiteral("Libros de Excel (*.xlsx)"));
    if (ruta.isEmpty())
        return;
    const std::optional<Examinacion> x = releer();
    if (!x)
        return;
    EstadisticasItems est;
    FiltroEstadisticas f;
    f.sesion = x->sesion;
    if (!intentarBD(this, QStringLiteral("No se pudieron calcular las estadísticas."),
                    [&] { est = resultados::estadisticas(de1_, f); }))
        return;
    QProgressDialog barra(QStringLiteral("Exportando resultados..."), QStringLiteral("Cancelar"), 0,
                          1, this);
    barra.setWindowModality(Qt::WindowModal);
    barra.setMinimumDuration(400);
    informar(this, exportacion::guardarXlsx(*x, est, ruta, conBarra(barra)), ruta);
}
