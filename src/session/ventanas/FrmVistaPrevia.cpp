#include "session/ventanas/FrmVistaPrevia.h"

#include "app/Claves.h"
#include "app/ventanas/Accesibles.h"
#include "app/ventanas/Dialogos.h"
#include "data/ventanas/ErroresBD.h"
#include "session/ventanas/NombresFrmVistaPrevia.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPdfDocument>
#include <QPdfView>
#include <QPrinter>
#include <QPushButton>
#include <QVBoxLayout>

namespace n = nombres::frmVistaPrevia;

FrmVistaPrevia::FrmVistaPrevia(std::function<std::unique_ptr<informes::Informe>()> generar,
                               const QString& titulo, const QString& nombreArchivo, QWidget* parent)
    : QDialog(parent), generar_(std::move(generar)), titulo_(titulo),
      nombreArchivo_(nombreArchivo) {
    setObjectName(n::kVentana);
    setWindowTitle(titulo);
    resize(820, 900);

    vista_ = new QPdfDocument(this);
    pdfView_ = new QPdfView(this);
    pdfView_->setObjectName(n::kVista);
    pdfView_->setAccessibleName(QStringLiteral("Vista previa"));
    pdfView_->setPageMode(QPdfView::PageMode::MultiPage);
    pdfView_->setZoomMode(QPdfView::ZoomMode::FitToWidth);
    pdfView_->setDocument(vista_);

    auto* lblPapel = new QLabel(QStringLiteral("Papel"), this);
    comboPapel_ = new QComboBox(this);
    comboPapel_->setObjectName(n::kPapel);
    comboPapel_->addItems({informes::nombrePapel(informes::Papel::A4),
                           informes::nombrePapel(informes::Papel::Carta)});
    rotular(lblPapel, comboPapel_);
    auto* cmdImprimir = new QPushButton(QStringLiteral("Imprimir..."), this);
    cmdImprimir->setObjectName(n::kImprimir);
    auto* cmdGuardar = new QPushButton(QStringLiteral("Guardar PDF..."), this);
    cmdGuardar->setObjectName(n::kGuardarPdf);
    auto* cmdCerrar = new QPushButton(QStringLiteral("Cerrar"), this);
    cmdCerrar->setObjectName(n::kCerrar);

    auto* barra = new QHBoxLayout;
    barra->addWidget(lblPapel);
    barra->addWidget(comboPapel_);
    barra->addStretch(1);
    barra->addWidget(cmdImprimir);
    barra->addWidget(cmdGuardar);
    barra->addWidget(cmdCerrar);
    auto* raiz = new QVBoxLayout(this);
    raiz->addLayout(barra);
    raiz->addWidget(pdfView_, 1);

    // The workstation's paper, as last chosen.
    if (LeerIni(claves::kPapelInforme) == informes::nombrePapel(informes::Papel::Carta))
        papel_ = informes::Papel::Carta;
    comboPapel_->setCurrentIndex(papel_ == informes::Papel::Carta ? 1 : 0);
    connect(comboPapel_, &QComboBox::currentIndexChanged, this, [this](int i) {
        fijarPapel(i == 1 ? informes::Papel::Carta : informes::Papel::A4);
        EscribirIni(claves::kPapelInforme, informes::nombrePapel(papel_));
    });
    connect(cmdImprimir, &QPushButton::clicked, this, &FrmVistaPrevia::imprimir);
    connect(cmdGuardar, &QPushButton::clicked, this, &FrmVistaPrevia::guardar);
    connect(cmdCerrar, &QPushButton::clicked, this, &QDialog::accept);

    intentarBD(this, QStringLiteral("No se pudo preparar el informe."),
               [this] { informe_ = generar_(); });
    cmdImprimir->setEnabled(informe_ != nullptr);
    cmdGuardar->setEnabled(informe_ != nullptr);
    componer();
}

FrmVistaPrevia::~FrmVistaPrevia() {
    pdfView_->setDocument(nullptr);
    vista_->close();
}

void FrmVistaPrevia::fijarPapel(informes::Papel papel) {
    if (papel == papel_)
        return;
    papel_ = papel;
    {
        const QSignalBlocker b(comboPapel_);
        comboPapel_->setCurrentIndex(papel_ == informes::Papel::Carta ? 1 : 0);
    }
    componer();
}

int FrmVistaPrevia::paginas() const {
    return vista_->pageCount();
}

void FrmVistaPrevia::componer() {
    vista_->close();
    buffer_.close();
    pdf_.clear();
    buffer_.setBuffer(&pdf_);
    buffer_.open(QIODevice::WriteOnly);
    if (informe_)
        informe_->escribirPdf(buffer_, papel_, titulo_);
    buffer_.close();
    buffer_.open(QIODevice::ReadOnly);
    vista_->load(&buffer_);
}

void FrmVistaPrevia::imprimir() {
    QPrinter impresora(QPrinter::HighResolution);
    impresora.setPageSize(informes::tamanoPagina(papel_));
    impresora.setDocName(titulo_);
    if (!informe_ || !Dialogos::actual().imprimir(this, impresora))
        return;
    informe_->imprimir(impresora);
}

void FrmVistaPrevia::guardar() {
    const QString ruta =
        Dialogos::actual().guardarArchivo(this, QStringLiteral("Guardar informe"), nombreArchivo_,
                                          QStringLiteral("Documentos PDF (*.pdf)"));
    if (ruta.isEmpty() || !informe_)
        return;
    const QString falla = informe_->guardarPdf(ruta, papel_, titulo_);
    if (!falla.isEmpty())
        Dialogos::actual().mensaje(this, falla, Dialogos::Icono::Critico);
}
