#pragma once
// The tables of the shared catalog, in one list: the embedded catalog is created
// from it and so is the SQL Server script sql/sqlserver/catalog.sql.

#include <QStringList>
#include <vector>

enum class TipoColumna { Identidad, Entero, EnteroCorto, Texto, Booleano, Fecha, Binario };

struct DefColumna {
    QString nombre;
    TipoColumna tipo;
    int ancho = 0; // texts: characters; 0 = unbounded
    bool clave = false;
};

struct DefTabla {
    QString nombre;
    std::vector<DefColumna> columnas;
};

// Tables the program expects to find (it does not own them).
const std::vector<DefTabla>& tablasEsperadas();

// Document types a new embedded catalog starts with, the usual ones of the
// Spanish-speaking countries; the first is the most common.
const QStringList& tiposDocumentoIniciales();
