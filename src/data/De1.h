#pragma once
// The data module: the one connection to the catalog, shared by every window,
// with bound-parameter statements that throw ErrorBD carrying the driver's text.

#include "data/Dialecto.h"
#include "data/ErrorBD.h"

#include <QSqlDatabase>
#include <QSqlQuery>
#include <QVariant>
#include <QVariantList>
#include <functional>
#include <utility>

// How to reach the catalog: an embedded SQLite file, or SQL Server through ODBC.
struct ConfigConexion {
    enum class Tipo { Sqlite, SqlServer };
    Tipo tipo = Tipo::Sqlite;
    QString archivoSqlite; // Sqlite
    // Sqlite: the ODBC driver (a library path or a registered name) to reach the
    // file through instead of Qt's own SQLite driver. The office never sets it;
    // the tests do, to run the ODBC path the SQL Server catalog takes.
    QString odbcSqlite;
    QString servidor; // SqlServer: the data source
    QString driver;   // SqlServer: the ODBC driver's name
    int segundosEspera = 5;

    // Login and catalog of the office's shared database.
    static inline const QString kUsuario = QStringLiteral("Quenvar");
    static inline const QString kClave = QStringLiteral("Tandrel");
    static inline const QString kCatalogo = QStringLiteral("QuenvarMRX");

    QString cadenaOdbc() const;
    // What a message names when the catalog cannot be reached.
    QString descripcion() const;
};

using Columnas = QList<std::pair<QString, QVariant>>;

class De1 {
public:
    explicit De1(const QString& nombreConexion = QStringLiteral("De1"));
    ~De1();
    De1(const De1&) = delete;
    De1& operator=(const De1&) = delete;

    // Opens the connection; an embedded catalog gets its expected tables created.
    // A new embedded catalog is made only in a folder that exists.
    void abrir(const ConfigConexion& config);
    void cerrar();
    bool abierta() const;

    const Dialecto& dialecto() const { return dialecto_; }
    // Hears every statement ejecutar() runs, with its parameters (the tests that
    // check the query plans of the hot queries record them with it).
    std::function<void(const QString& sql, const QVariantList& parametros)> observador;
    QSqlDatabase baseDatos() const;

    // Runs a statement with positional parameters; throws ErrorBD.
    QSqlQuery ejecutar(const QString& sql, const QVariantList& parametros = {});
    // First column of the first row, or an invalid QVariant when there is none.
    QVariant valor(const QString& sql, const QVariantList& parametros = {});
    // Inserts a row and returns the identity the engine assigned.
    qint64 insertar(const QString& tabla, const Columnas& columnas, const QString& identidad);
    // Inserts a row of a table without identity.
    void insertarSinIdentidad(const QString& tabla, const Columnas& columnas);

    bool existeTabla(const QString& tabla) const;
    bool existeColumna(const QString& tabla, const QString& columna) const;

    // Creates the expected tables that are missing (used for embedded catalogs),
    // in a transaction no other connection writes in meanwhile. A catalog that had
    // no table at all also gets the rows a new office needs.
    void crearTablasEsperadas();
    // Whether the last abrir() made a new embedded catalog.
    bool catalogoCreado() const { return catalogoCreado_; }

    // An exclusive transaction keeps every other connection from writing until it
    // ends (on SQL Server it is an ordinary one).
    void iniciarTransaccion(bool exclusiva = false);
    void confirmar();
    void deshacer();

private:
    void llenarCatalogoNuevo();

    QString nombre_;
    Dialecto dialecto_{Dialecto::Motor::Sqlite};
    bool catalogoCreado_ = false;
    bool transaccionPropia_ = false; // begun by statement, not through the driver
};

// Rolls back on destruction unless confirmed: every multi-row write uses one.
class Transaccion {
public:
    enum class Modo { Normal, Exclusiva };
    explicit Transaccion(De1& de1, Modo modo = Modo::Normal);
    ~Transaccion();
    Transaccion(const Transaccion&) = delete;
    Transaccion& operator=(const Transaccion&) = delete;
    void confirmar();

private:
    De1& de1_;
    bool terminada_ = false;
};
