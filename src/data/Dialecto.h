#pragma once
// Everything that differs between SQL Server and the embedded SQLite catalog:
// table creation, identity retrieval, first-row limits, dates, booleans and how
// a text is looked for in the searched columns.

#include "data/EsquemaCatalogo.h"
#include "data/IndicesBusqueda.h"

#include <QDate>
#include <QDateTime>
#include <QStringList>
#include <QVariant>
#include <vector>

class Dialecto {
public:
    enum class Motor { SqlServer, Sqlite };

    explicit Dialecto(Motor motor) : motor_(motor) {}
    Motor motor() const { return motor_; }

    QString crearTabla(const DefTabla& tabla) const;

    // One step of the schema upgrade: the statement, and the table and column it
    // creates (column empty for the creation of the table itself).
    struct PasoEsquema {
        QString sentencia;
        QString tabla;
        QString columna;
    };
    // Steps that take the schema from the given version to the current one.
    std::vector<PasoEsquema> pasosActualizacion(int versionActual) const;

    // INSERT of the given columns (bound by position). On SQL Server it yields the
    // new identity value as its single result row; elsewhere consultaIdentidad()
    // reads it afterwards on the same connection.
    QString insertarConIdentidad(const QString& tabla, const QStringList& columnas,
                                 const QString& identidad) const;
    // The query that reads the identity of the row just inserted; empty text
    // where the INSERT itself returns it.
    QString consultaIdentidad() const;
    // INSERT of the given columns, bound by position, no result.
    static QString insertar(const QString& tabla, const QStringList& columnas);

    // A SELECT limited to its first row.
    QString primeraFila(const QString& select) const;
    // A SELECT limited to its first `filas` rows (ORDER BY included in the text).
    QString primerasFilas(const QString& select, int filas) const;

    QVariant fecha(const QDate& fecha) const;
    // A date with its time of day, for the program's own tables.
    QVariant fechaHora(const QDateTime& momento) const;
    // Savepoints inside a transaction: set one, roll back to it, release it (the
    // release is empty text where the engine has none).
    QString puntoGuardado(const QString& nombre) const;
    QString volverAPunto(const QString& nombre) const;
    QString liberarPunto(const QString& nombre) const;

    // A date column as read back: a date or date-time value, or ISO text (with or
    // without a time); invalid for null or anything else.
    static QDate leerFecha(const QVariant& valor);
    static QDateTime leerFechaHora(const QVariant& valor);
    QVariant booleano(bool valor) const { return valor ? 1 : 0; }

    // A LIKE pattern matching the text anywhere, wildcards of the text escaped;
    // use it with `LIKE ? ESCAPE '!'`.
    static QString patronContiene(const QString& texto);

    // Which rows of an indexed table hold the text anywhere in one column (case
    // ignored, accents and wildcards meaning themselves; a blank text matches
    // every row): a condition on the table's key that takes the keys after
    // `desde` (before it with `descendente`), to be read in key order and
    // limited to `filas`. On the embedded catalog a text of three characters or
    // more is looked up in the trigram index, which finds every row holding all
    // of the text's trigrams: `verificar` says the caller keeps only the rows
    // whose column holds the text (contieneTexto). A shorter text is tried on a
    // window of `ventana` keys past `desde`, so no query reads the whole table.
    struct Condicion {
        QString sql;
        QVariantList parametros;
        qint64 ventana = 0; // keys the condition covers past `desde`; 0 for all of them
        bool verificar = false;
    };
    static constexpr qint64 kVentanaCorta = 5000;
    Condicion contiene(const indices::IndiceTexto& indice, const QString& columna,
                       const QString& texto, qint64 desde, bool descendente, int filas) const;
    // Whether the value holds the text, as contiene() means it.
    static bool contieneTexto(const QString& valor, const QString& texto) {
        return texto.trimmed().isEmpty() || valor.contains(texto, Qt::CaseInsensitive);
    }
    // A query of the trigram index for the rows of one column holding the
    // text's runs of three characters: every third one and the last (the rows
    // holding the text are among them, and common runs cost no more than a few).
    static QString consultaTrigramas(const QString& columna, const QString& texto);
    // The text in every combination of upper and lower case of its characters.
    static QStringList variantesMayusculas(const QString& texto);

private:
    Motor motor_;
};
