#include "groups/ventanas/FrmImportarPadron.h"

#include "app/ventanas/Accesibles.h"
#include "app/ventanas/Dialogos.h"
#include "data/De1.h"
#include "data/ventanas/ErroresBD.h"
#include "groups/ventanas/NombresFrmImportarPadron.h"
#include "persons/RepositorioPersonas.h"

#include <QComboBox>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QStandardItemModel>
#include <QTableView>
#include <QVBoxLayout>

namespace n = nombres::frmImportarPadron;

FrmImportarPadron::FrmImportarPadron(De1& de1, const Grupo& grupo, Planilla planilla,
                                     const QString& archivo, QWidget* parent)
    : QDialog(parent), de1_(de1), grupo_(grupo), planilla_(std::move(planilla)) {
    setObjectName(n::kVentana);
    setWindowTitle(QStringLiteral("Importar padrón"));
    resize(860, 560);

    auto* lblArchivo = new QLabel(QStringLiteral("Archivo %1 para el grupo %2")
                                      .arg(QFileInfo(archivo).fileName(), grupo.descripcion),
                                  this);
    lblArchivo->setObjectName(n::kArchivo);
    lblTipo_ = new QLabel(QStringLiteral("Tipo de documento de las filas que no lo indican"), this);
    comboTipo_ = new QComboBox(this);
    comboTipo_->setObjectName(n::kTipoDocumento);
    rotular(lblTipo_, comboTipo_);
    modelo_ = new QStandardItemModel(0, 4, this);
    modelo_->setHorizontalHeaderLabels({QStringLiteral("Fila"), QStringLiteral("Documento"),
                                        QStringLiteral("Nombre"), QStringLiteral("Estado")});
    lvFilas_ = new QTableView(this);
    lvFilas_->setObjectName(n::kFilas);
    lvFilas_->setAccessibleName(QStringLiteral("Filas del archivo"));
    lvFilas_->setModel(modelo_);
    lvFilas_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    lvFilas_->setSelectionBehavior(QAbstractItemView::SelectRows);
    lvFilas_->verticalHeader()->hide();
    lvFilas_->horizontalHeader()->setSectionResizeMode(3, QHeaderView::Stretch);
    lvFilas_->setColumnWidth(0, 50);
    lvFilas_->setColumnWidth(1, 110);
    lvFilas_->setColumnWidth(2, 240);
    lblResumen_ = new QLabel(this);
    lblResumen_->setObjectName(n::kResumen);
    lblResumen_->setWordWrap(true);
    cmdImportar_ = new QPushButton(QStringLiteral("Importar"), this);
    cmdImportar_->setObjectName(n::kImportar);
    auto* cmdCancelar = new QPushButton(QStringLiteral("Cancelar"), this);
    cmdCancelar->setObjectName(n::kCancelar);

    auto* tipo = new QHBoxLayout;
    tipo->addWidget(lblTipo_);
    tipo->addWidget(comboTipo_, 1);
    auto* botones = new QHBoxLayout;
    botones->addWidget(lblResumen_, 1);
    botones->addWidget(cmdImportar_);
    botones->addWidget(cmdCancelar);
    auto* raiz = new QVBoxLayout(this);
    raiz->addWidget(lblArchivo);
    raiz->addLayout(tipo);
    raiz->addWidget(lvFilas_, 1);
    raiz->addLayout(botones);

    intentarBD(this, QStringLiteral("No se pudieron leer los tipos de documento."), [this] {
        for (const ElementoLista& d : RepositorioPersonas(de1_).documentos())
            comboTipo_->addItem(d.texto, d.codigo);
    });
    connect(comboTipo_, &QComboBox::currentIndexChanged, this, [this] { preparar(); });
    connect(cmdImportar_, &QPushButton::clicked, this, &FrmImportarPadron::importar);
    connect(cmdCancelar, &QPushButton::clicked, this, &QDialog::reject);
    preparar();
}

void FrmImportarPadron::preparar() {
    const QVariant tipo = comboTipo_->currentData();
    std::variant<PlanImportacion, QString> r;
    const bool leido = intentarBD(this, QStringLiteral("No se pudo revisar el padrón."), [&] {
        r = importacion::preparar(de1_, planilla_, grupo_.codigo,
                                  tipo.isValid() ? std::optional<qint64>(tipo.toLongLong())
                                                 : std::nullopt);
    });
    const QString* error = std::get_if<QString>(&r);
    if (!leido || error) {
        valido_ = false;
        if (error)
            Dialogos::actual().mensaje(this, *error, Dialogos::Icono::Exclamacion);
        cmdImportar_->setEnabled(false);
        return;
    }
    valido_ = true;
    plan_ = std::get<PlanImportacion>(std::move(r));
    lblTipo_->setVisible(!plan_.columnaTipoDocumento);
    comboTipo_->setVisible(!plan_.columnaTipoDocumento);

    using Estado = FilaImportacion::Estado;
    modelo_->removeRows(0, modelo_->rowCount());
    for (const FilaImportacion& f : plan_.filas) {
        QString estado;
        switch (f.estado) {
        case Estado::Nueva:
            estado =
                f.ciudadNueva
                    ? QStringLiteral("Nueva persona (se agrega la ciudad %1)").arg(f.datos.ciudad)
                    : QStringLiteral("Nueva persona");
            break;
        case Estado::Existente:
            estado = QStringLiteral("Ya registrada: se agrega al grupo");
            break;
        case Estado::EnGrupo:
            estado = QStringLiteral("Ya está en el grupo");
            break;
        case Estado::Invalida:
            estado = QStringLiteral("No se importa: ") + f.motivo;
            break;
        }
        QList<QStandardItem*> fila = {
            new QStandardItem(QString::number(f.linea)), new QStandardItem(f.datos.documento),
            new QStandardItem(f.nombreRegistrado.isEmpty() ? f.datos.nombre : f.nombreRegistrado),
            new QStandardItem(estado)};
        if (f.estado == Estado::Invalida)
            for (QStandardItem* c : fila)
                c->setForeground(QColor(161, 26, 26));
        modelo_->appendRow(fila);
    }
    const int nuevas = plan_.contar(Estado::Nueva);
    const int existentes = plan_.contar(Estado::Existente);
    const int enGrupo = plan_.contar(Estado::EnGrupo);
    const int invalidas = plan_.contar(Estado::Invalida);
    QString resumen = QStringLiteral("%1 personas nuevas, %2 ya registradas, %3 ya en el grupo, "
                                     "%4 filas con errores (no se importarán).")
                          .arg(nuevas)
                          .arg(existentes)
                          .arg(enGrupo)
                          .arg(invalidas);
    if (!plan_.columnasIgnoradas.isEmpty())
        resumen += QStringLiteral(" Columnas sin usar: %1.")
                       .arg(plan_.columnasIgnoradas.join(QStringLiteral(", ")));
    lblResumen_->setText(resumen);
    cmdImportar_->setEnabled(nuevas + existentes > 0);
}

void FrmImportarPadron::importar() {
    if (!intentarBD(this, QStringLiteral("No se pudo importar el padrón; no se guardó nada."),
                    [this] { resultado_ = importacion::importar(de1_, grupo_.codigo, plan_); }))
        return;
    Dialogos::actual().mensaje(this,
                               QStringLiteral("Se crearon %1 personas y se agregaron %2 al grupo.")
                                   .arg(resultado_.creadas)
                                   .arg(resultado_.agregadas),
                               Dialogos::Icono::Informacion);
    accept();
}
