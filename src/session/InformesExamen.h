#pragma once
// The printed reports of an examination, drawn from the stored record: the
// group's report and each examinee's report (photograph and signature from the
// image store, personal data, every question with the key given and the
// correct one, a line for signatures). A report draws itself on the pages of any
// paged device: the PDF writer (files and the preview) and the printer alike.

#include <QImage>
#include <QList>
#include <QPageSize>
#include <QString>
#include <memory>

class De1;
class QIODevice;
class QPagedPaintDevice;
struct Examinacion;

namespace informes {

enum class Papel { A4, Carta };

QPageSize tamanoPagina(Papel papel);
QString nombrePapel(Papel papel); // "A4", "Carta"

class Compositor;

class Informe {
public:
    virtual ~Informe() = default;

    // Lays the report out on the device's pages (margins set, "Página i de n" at
    // the foot of each).
    void imprimir(QPagedPaintDevice& dispositivo) const;
    // The report as PDF on the device; false when the device cannot be written.
    bool escribirPdf(QIODevice& destino, Papel papel, const QString& titulo) const;
    // The report as a PDF file, replacing the file only once it is whole. Returns
    // an empty text, or the reason in Spanish.
    QString guardarPdf(const QString& ruta, Papel papel, const QString& titulo) const;

protected:
    virtual void componer(Compositor& c) const = 0;
};

// The group's report: examination, date, operator, every examinee's result.
std::unique_ptr<Informe> informeGrupo(const Examinacion& examinacion);

// The report of each listed examinee (0-based indices into the examination's
// examinees), each from a new page. Personal data and images are read now (a
// person deleted since keeps what the record holds). Throws ErrorBD.
std::unique_ptr<Informe> informeEvaluados(De1& de1, const Examinacion& examinacion,
                                          const QList<int>& indices);

} // namespace informes
