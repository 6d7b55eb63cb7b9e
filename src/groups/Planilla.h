#pragma once
// A roster file read as rows of text cells: CSV (UTF-8 with or without BOM, or
// Windows-1252; ";", "," or tab between fields, told by the header line) or
// XLSX (its first sheet). Bounded, so a damaged or hostile file gives a message,
// never a hang.

#include <QByteArray>
#include <QDate>
#include <QList>
#include <QString>
#include <QStringList>
#include <variant>

struct Planilla {
    QList<QStringList> filas; // every row, the header included; empty rows kept as empty
    bool fechas1904 = false;  // XLSX serial dates count from 1904
};

namespace planilla {

inline constexpr qsizetype kMaximoFilas = 100000;
inline constexpr int kMaximoColumnas = 200;
inline constexpr qint64 kMaximoBytes = qint64{64} * 1024 * 1024;

// By content: a zip (XLSX) or text (CSV). The message is Spanish.
std::variant<Planilla, QString> leer(const QString& ruta);
std::variant<Planilla, QString> leerCsv(const QByteArray& datos);
std::variant<Planilla, QString> leerXlsx(const QString& ruta);

// A spreadsheet's serial date (days since 1899-12-30, or 1904-01-01).
QDate fechaSerial(double serie, bool desde1904);

} // namespace planilla
