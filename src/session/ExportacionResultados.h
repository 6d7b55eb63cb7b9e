#pragma once
// An examination's results and answers as files for a spreadsheet: CSV the way
// Spanish-locale spreadsheets open it (UTF-8 with BOM, ";" between fields,
// decimal comma) and XLSX (results, answers per examinee and question, item
// statistics; number formats and frozen headers). Files appear whole or not at all.

#include <QByteArray>
#include <QString>
#include <functional>

struct Examinacion;
struct EstadisticasItems;

namespace exportacion {

// Told how far the work is (done of total); answering false cancels it.
using Progreso = std::function<bool(qint64 hecho, qint64 total)>;

struct Resultado {
    enum class Estado { Hecho, Cancelado, Error };
    Estado estado = Estado::Hecho;
    QString error; // Spanish, when Error

    bool hecho() const { return estado == Estado::Hecho; }
};

// One row per examinee: keypad, name, document, counts, percentage, verdict,
// folder number, then the key given to each question.
QByteArray csv(const Examinacion& examinacion);
Resultado guardarCsv(const Examinacion& examinacion, const QString& ruta,
                     const Progreso& progreso = {});

Resultado guardarXlsx(const Examinacion& examinacion, const EstadisticasItems& estadisticas,
                      const QString& ruta, const Progreso& progreso = {});

// A field as a CSV cell: quoted when it holds the separator, a quote or a line
// break; text a spreadsheet would take for a formula is kept as text.
QString celdaCsv(const QString& texto);

} // namespace exportacion
