#pragma once
// The printed reports of an examination, built as text documents from the
// stored record: the group's report and each examinee's report (photograph and
// signature from the image store, personal data, every question with the key
// given and the correct one, a line for signatures). The same document goes to
// a PDF file, to the preview and to the printer.

#include <QList>
#include <QPageSize>
#include <QString>
#include <QTextDocument>
#include <memory>

class De1;
class QIODevice;
class QPagedPaintDevice;
struct Examinacion;

namespace informes {

enum class Papel { A4, Carta };

QPageSize tamanoPagina(Papel papel);
QString nombrePapel(Papel papel); // "A4", "Carta"

// The group's report: examination, date, operator, every examinee's result.
std::unique_ptr<QTextDocument> documentoGrupo(const Examinacion& examinacion);

// The report of each listed examinee (0-based indices into the examination's
// examinees), one after another, each starting on a new page. The personal data
// are read from Personas (a person deleted since keeps what the record holds).
// Throws ErrorBD.
std::unique_ptr<QTextDocument> documentoEvaluados(De1& de1, const Examinacion& examinacion,
                                                  const QList<int>& indices);

// Lays the document out on the device's pages (margins set, page numbers at the foot).
void imprimir(QTextDocument& documento, QPagedPaintDevice& dispositivo);
// The document as PDF on the device; false when the device cannot be written.
bool escribirPdf(QTextDocument& documento, QIODevice& destino, Papel papel, const QString& titulo);
// The document as a PDF file, replacing the file only once it is whole. Returns
// an empty text, or the reason in Spanish.
QString guardarPdf(QTextDocument& documento, const QString& ruta, Papel papel,
                   const QString& titulo);

} // namespace informes
