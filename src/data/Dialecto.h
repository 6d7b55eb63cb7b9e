#pragma once
// Everything that differs between SQL Server and the embedded SQLite catalog:
// table creation, identity retrieval, first-row limits, dates and booleans.

#include "data/EsquemaCatalogo.h"

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

private:
    Motor motor_;
};
