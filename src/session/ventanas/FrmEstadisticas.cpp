#include "session/ventanas/FrmEstadisticas.h"

#include "app/ventanas/Accesibles.h"
#include "app/ventanas/Dialogos.h"
#include "data/ventanas/ErroresBD.h"
#include "session/Calificacion.h"
#include "session/ventanas/NombresFrmEstadisticas.h"

#include <QBarCategoryAxis>
#include <QBarSeries>
#include <QBarSet>
#include <QChart>
#include <QChartView>
#include <QDateEdit>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QSplitter>
#include <QStandardItemModel>
#include <QTableView>
#include <QVBoxLayout>
#include <QValueAxis>

namespace n = nombres::frmEstadisticas;

namespace {

enum Columna { ColNumero, ColPregunta, ColAciertos, ColDiscriminacion, ColObservacion, ColTotal };

QStandardItem* celda(const QString& texto, const QVariant& orden = {}) {
    auto* i = new QStandardItem(texto);
    i->setEditable(false);
    i->setData(orden.isValid() ? orden : QVariant(texto), Qt::UserRole);
    return i;
}

} // namespace

FrmEstadisticas::FrmEstadisticas(De1& de1, const Examinacion& examinacion, QWidget* parent)
    : QDialog(parent), de1_(de1), examinacion_(examinacion) {
    setObjectName(n::kVentana);
    setWindowTitle(QStringLiteral("Estadísticas por pregunta"));
    resize(1000, 700);

    optEsta_ = new QRadioButton(QStringLiteral("Esta examinación"), this);
    optEsta_->setObjectName(n::kEstaExaminacion);
    optEsta_->setChecked(true);
    optPeriodo_ = new QRadioButton(
        QStringLiteral("Todas las examinaciones de «%1» entre").arg(examinacion.descripcionExamen),
        this);
    optPeriodo_->setObjectName(n::kPeriodo);
    const QDate fecha =
        examinacion.fecha.isValid() ? examinacion.fecha.date() : QDate::currentDate();
    dtDesde_ = new QDateEdit(fecha.addYears(-1), this);
    dtDesde_->setObjectName(n::kDesde);
    dtDesde_->setCalendarPopup(true);
    dtDesde_->setDisplayFormat(QStringLiteral("dd/MM/yyyy"));
    dtDesde_->setAccessibleName(QStringLiteral("Desde"));
    auto* lblY = new QLabel(QStringLiteral("y"), this);
    dtHasta_ = new QDateEdit(std::max(fecha, QDate::currentDate()), this);
    dtHasta_->setObjectName(n::kHasta);
    dtHasta_->setCalendarPopup(true);
    dtHasta_->setDisplayFormat(QStringLiteral("dd/MM/yyyy"));
    dtHasta_->setAccessibleName(QStringLiteral("Hasta"));
    auto* cmdCalcular = new QPushButton(QStringLiteral("Calcular"), this);
    cmdCalcular->setObjectName(n::kCalcular);
    lblResumen_ = new QLabel(this);
    lblResumen_->setObjectName(n::kResumen);

    modelo_ = new QStandardItemModel(0, ColTotal, this);
    modelo_->setHorizontalHeaderLabels(
        {QStringLiteral("N.º"), QStringLiteral("Pregunta"), QStringLiteral("Aciertos"),
         QStringLiteral("Discriminación"), QStringLiteral("Observación")});
    modelo_->setSortRole(Qt::UserRole);
    lvPreguntas_ = new QTableView(this);
    lvPreguntas_->setObjectName(n::kPreguntas);
    lvPreguntas_->setAccessibleName(QStringLiteral("Preguntas"));
    lvPreguntas_->setModel(modelo_);
    lvPreguntas_->setSelectionBehavior(QAbstractItemView::SelectRows);
    lvPreguntas_->setSelectionMode(QAbstractItemView::SingleSelection);
    lvPreguntas_->setSortingEnabled(true);
    lvPreguntas_->verticalHeader()->hide();
    lvPreguntas_->horizontalHeader()->setSectionResizeMode(ColPregunta, QHeaderView::Stretch);

    grafico_ = new QChart;
    grafico_->setTitle(QStringLiteral("Teclas elegidas"));
    grafico_->legend()->hide();
    vistaGrafico_ = new QChartView(grafico_, this);
    vistaGrafico_->setObjectName(n::kGrafico);
    vistaGrafico_->setAccessibleName(QStringLiteral("Teclas elegidas"));
    vistaGrafico_->setRenderHint(QPainter::Antialiasing);
    vistaGrafico_->setMinimumHeight(260);

    auto* cmdCerrar = new QPushButton(QStringLiteral("Cerrar"), this);
    cmdCerrar->setObjectName(n::kCerrar);

    auto* filtro = new QGridLayout;
    filtro->addWidget(optEsta_, 0, 0, 1, 5);
    filtro->addWidget(optPeriodo_, 1, 0);
    filtro->addWidget(dtDesde_, 1, 1);
    filtro->addWidget(lblY, 1, 2);
    filtro->addWidget(dtHasta_, 1, 3);
    filtro->addWidget(cmdCalcular, 1, 4);
    filtro->setColumnStretch(5, 1);
    auto* divisor = new QSplitter(Qt::Vertical, this);
    divisor->addWidget(lvPreguntas_);
    divisor->addWidget(vistaGrafico_);
    divisor->setStretchFactor(0, 3);
    divisor->setStretchFactor(1, 2);
    auto* pie = new QHBoxLayout;
    pie->addWidget(lblResumen_, 1);
    pie->addWidget(cmdCerrar);
    auto* raiz = new QVBoxLayout(this);
    raiz->addLayout(filtro);
    raiz->addWidget(divisor, 1);
    raiz->addLayout(pie);

    connect(cmdCalcular, &QPushButton::clicked, this, [this] { calcular(); });
    connect(optEsta_, &QRadioButton::toggled, this, [this](bool activa) {
        if (activa)
            calcular();
    });
    connect(cmdCerrar, &QPushButton::clicked, this, &QDialog::accept);
    connect(lvPreguntas_->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            [this](const QModelIndex& i) { mostrarGrafico(i.row()); });
    calcular();
}

bool FrmEstadisticas::calcular() {
    FiltroEstadisticas filtro;
    if (optEsta_->isChecked()) {
        filtro.sesion = examinacion_.sesion;
    } else {
        filtro.examen = examinacion_.examen;
        filtro.desde = std::min(dtDesde_->date(), dtHasta_->date());
        filtro.hasta = std::max(dtDesde_->date(), dtHasta_->date());
    }
    if (!intentarBD(this, QStringLiteral("No se pudieron calcular las estadísticas."),
                    [&] { estadisticas_ = resultados::estadisticas(de1_, filtro); }))
        return false;
    lvPreguntas_->setSortingEnabled(false);
    modelo_->removeRows(0, modelo_->rowCount());
    const QColor nadie(250, 215, 215);
    const QColor todos(215, 240, 215);
    for (qsizetype i = 0; i < estadisticas_.preguntas.size(); ++i) {
        const EstadisticaPregunta& p = estadisticas_.preguntas.at(i);
        const std::optional<double> d = estadisticas_.discriminacion(p);
        QList<QStandardItem*> fila = {
            celda(QString::number(p.orden), p.orden),
            celda(p.texto),
            celda(resultados::textoPorcentaje(p.proporcion() * 100.0), p.proporcion()),
            celda(d ? resultados::textoDecimal(*d) : QStringLiteral("—"), d ? *d : -2.0),
            celda(p.nadieAcerto()      ? QStringLiteral("Nadie acertó")
                  : p.todosAcertaron() ? QStringLiteral("Todos acertaron")
                                       : QString()),
        };
        fila.first()->setData(int(i), Qt::UserRole + 1);
        if (p.nadieAcerto() || p.todosAcertaron())
            for (QStandardItem* c : fila)
                c->setBackground(p.nadieAcerto() ? nadie : todos);
        modelo_->appendRow(fila);
    }
    lvPreguntas_->setSortingEnabled(true);
    lvPreguntas_->sortByColumn(ColNumero, Qt::AscendingOrder);
    lvPreguntas_->resizeColumnToContents(ColNumero);
    lvPreguntas_->resizeColumnToContents(ColAciertos);
    lblResumen_->setText(
        estadisticas_.tamanoGrupo > 0
            ? QStringLiteral("%1 evaluados; grupos superior e inferior de %2 evaluados (27 %).")
                  .arg(estadisticas_.evaluados)
                  .arg(estadisticas_.tamanoGrupo)
            : QStringLiteral("%1 evaluados; no alcanzan para el índice de discriminación.")
                  .arg(estadisticas_.evaluados));
    if (modelo_->rowCount() > 0)
        lvPreguntas_->setCurrentIndex(modelo_->index(0, 0));
    else
        mostrarGrafico(-1);
    return true;
}

void FrmEstadisticas::mostrarGrafico(int fila) {
    grafico_->removeAllSeries();
    // Removed axes come back to us.
    for (QAbstractAxis* eje : grafico_->axes()) {
        grafico_->removeAxis(eje);
        delete eje;
    }
    if (fila < 0 || fila >= modelo_->rowCount()) {
        grafico_->setTitle(QStringLiteral("Teclas elegidas"));
        return;
    }
    const int i = modelo_->item(fila, ColNumero)->data(Qt::UserRole + 1).toInt();
    const EstadisticaPregunta& p = estadisticas_.preguntas.at(i);
    int teclas = p.opciones;
    int otras = 0;
    for (auto it = p.teclas.cbegin(); it != p.teclas.cend(); ++it) {
        const int v = ValorTecla(it.key());
        if (!it.key().isEmpty() && (v < 1 || v > 9))
            otras += it.value();
        else if (v > teclas)
            teclas = v;
    }
    QStringList categorias = {QStringLiteral("Sin respuesta")};
    auto* conjunto = new QBarSet(QStringLiteral("Evaluados"));
    *conjunto << p.teclas.value(QString());
    for (int t = 1; t <= teclas; ++t) {
        categorias << QString::number(t);
        *conjunto << p.teclas.value(QString::number(t));
    }
    if (otras > 0) {
        categorias << QStringLiteral("Otras");
        *conjunto << otras;
    }
    // The correct key stands out.
    conjunto->setColor(QColor(120, 150, 200));
    conjunto->setSelectedColor(QColor(40, 150, 60));
    if (p.correcta >= 1 && p.correcta <= teclas)
        conjunto->selectBar(p.correcta);
    auto* serie = new QBarSeries;
    serie->append(conjunto);
    serie->setLabelsVisible(true);
    grafico_->addSeries(serie);
    auto* ejeX = new QBarCategoryAxis;
    ejeX->append(categorias);
    grafico_->addAxis(ejeX, Qt::AlignBottom);
    serie->attachAxis(ejeX);
    auto* ejeY = new QValueAxis;
    ejeY->setRange(0, std::max(1, p.evaluados));
    ejeY->applyNiceNumbers(); // whole steps for a count of examinees
    ejeY->setLabelFormat(QStringLiteral("%d"));
    grafico_->addAxis(ejeY, Qt::AlignLeft);
    serie->attachAxis(ejeY);
    grafico_->setTitle(QStringLiteral("Pregunta %1: teclas elegidas (correcta: %2)")
                           .arg(p.orden)
                           .arg(p.correcta ? QString::number(p.correcta) : QStringLiteral("—")));
}
