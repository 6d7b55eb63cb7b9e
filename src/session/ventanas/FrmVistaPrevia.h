#pragma once
// Preview of a report before it is printed or saved: the report is laid out
// as PDF on the chosen paper (A4 or Letter) and shown page by page.

#include "session/InformesExamen.h"

#include <QBuffer>
#include <QByteArray>
#include <QDialog>
#include <functional>
#include <memory>

class QComboBox;
class QPdfDocument;
class QPdfView;

class FrmVistaPrevia : public QDialog {
    Q_OBJECT
public:
    // `generar` builds the report afresh (from the catalog); `nombreArchivo` is
    // the PDF file name offered when saving.
    FrmVistaPrevia(std::function<std::unique_ptr<informes::Informe>()> generar,
                   const QString& titulo, const QString& nombreArchivo, QWidget* parent = nullptr);
    ~FrmVistaPrevia() override;

    informes::Papel papel() const { return papel_; }
    void fijarPapel(informes::Papel papel);
    int paginas() const;

private:
    void componer();
    void imprimir();
    void guardar();

    std::function<std::unique_ptr<informes::Informe>()> generar_;
    std::unique_ptr<informes::Informe> informe_;
    QString titulo_;
    QString nombreArchivo_;
    informes::Papel papel_ = informes::Papel::A4;
    QByteArray pdf_;
    QBuffer buffer_;
    QPdfDocument* vista_ = nullptr;
    QPdfView* pdfView_ = nullptr;
    QComboBox* comboPapel_ = nullptr;
};
