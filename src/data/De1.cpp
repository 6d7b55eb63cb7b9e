#include "data/De1.h"

#include "app/Claves.h"

#include <QDir>
#include <QFileInfo>
#include <QSqlError>
#include <QSqlRecord>
#include <QStringList>

namespace {

QString textoError(const QSqlError& e) {
    QStringList partes;
    if (!e.driverText().isEmpty())
        partes << e.driverText();
    if (!e.databaseText().isEmpty() && e.databaseText() != e.driverText())
        partes << e.databaseText();
    return partes.isEmpty() ? QStringLiteral("Error desconocido de la base de datos")
                            : partes.join(QStringLiteral(": "));
}

} // namespace

QString ConfigConexion::cadenaOdbc() const {
    // Braces keep a value with ; or spaces in one piece.
    return QStringLiteral("DRIVER={%1};SERVER=%2;DATABASE=%3;UID=%4;PWD=%5;")
        .arg(driver, servidor, kCatalogo, kUsuario, kClave);
}

QString ConfigConexion::descripcion() const {
    return tipo == Tipo::Sqlite ? QStringLiteral("sqlite:") + archivoSqlite : servidor;
}

De1::De1(const QString& nombreConexion) : nombre_(nombreConexion) {}

De1::~De1() {
    cerrar();
}

QSqlDatabase De1::baseDatos() const {
    return QSqlDatabase::database(nombre_, false);
}

bool De1::abierta() const {
    return baseDatos().isOpen();
}

void De1::abrir(const ConfigConexion& config) {
    cerrar();
    catalogoCreado_ = false;
    if (config.tipo == ConfigConexion::Tipo::Sqlite) {
        dialecto_ = Dialecto(Dialecto::Motor::Sqlite);
        const QFileInfo info(config.archivoSqlite);
        if (info.exists() && (!info.isFile() || !info.isReadable()))
            throw ErrorBD(
                QStringLiteral("No se puede leer el archivo %1").arg(config.archivoSqlite));
        // A mistyped path must not quietly become a new, empty catalog.
        if (!info.exists() && !info.absoluteDir().exists())
            throw ErrorBD(QStringLiteral("No existe la carpeta \"%1\" del catálogo: no se crea "
                                         "un catálogo nuevo en ella. Revise la clave Server de la "
                                         "sección [Control] del archivo de configuración.")
                              .arg(QDir::toNativeSeparators(info.absolutePath())));
        QSqlDatabase db;
        if (config.odbcSqlite.isEmpty()) {
            db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), nombre_);
            db.setDatabaseName(config.archivoSqlite);
            db.setConnectOptions(QStringLiteral("QSQLITE_BUSY_TIMEOUT=5000"));
        } else {
            db = QSqlDatabase::addDatabase(QStringLiteral("QODBC"), nombre_);
            db.setDatabaseName(QStringLiteral("DRIVER={%1};Database=%2;Timeout=5000;")
                                   .arg(config.odbcSqlite, info.absoluteFilePath()));
        }
        if (!db.open())
            throw ErrorBD(textoError(db.lastError()));
        // A file that is not a database fails on its first statement, not on open.
        ejecutar(QStringLiteral("PRAGMA foreign_keys = OFF"));
        // A city's catalog runs to gigabytes: 64 MB of it kept in memory keeps
        // the upper levels of its indexes there.
        ejecutar(QStringLiteral("PRAGMA cache_size = -65536"));
        ejecutar(QStringLiteral("SELECT count(*) FROM sqlite_master"));
        crearTablasEsperadas();
        return;
    }
    dialecto_ = Dialecto(Dialecto::Motor::SqlServer);
    QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QODBC"), nombre_);
    db.setDatabaseName(config.cadenaOdbc());
    db.setConnectOptions(QStringLiteral("SQL_ATTR_LOGIN_TIMEOUT=%1;SQL_ATTR_CONNECTION_TIMEOUT=%1")
                             .arg(config.segundosEspera));
    if (!db.open())
        throw ErrorBD(textoError(db.lastError()));
}

void De1::cerrar() {
    transaccionPropia_ = false;
    if (!QSqlDatabase::contains(nombre_))
        return;
    {
        QSqlDatabase db = QSqlDatabase::database(nombre_, false);
        db.close();
    }
    QSqlDatabase::removeDatabase(nombre_);
}

QSqlQuery De1::ejecutar(const QString& sql, const QVariantList& parametros) {
    if (observador)
        observador(sql, parametros);
    QSqlQuery q(baseDatos());
    q.setForwardOnly(true);
    if (!q.prepare(sql))
        throw ErrorBD(textoError(q.lastError()), sql);
    for (const QVariant& p : parametros)
        q.addBindValue(p);
    if (!q.exec())
        throw ErrorBD(textoError(q.lastError()), sql);
    return q;
}

QVariant De1::valor(const QString& sql, const QVariantList& parametros) {
    QSqlQuery q = ejecutar(sql, parametros);
    if (!q.next())
        return QVariant();
    return q.value(0);
}

qint64 De1::insertar(const QString& tabla, const Columnas& columnas, const QString& identidad) {
    QStringList nombres;
    QVariantList valores;
    for (const auto& [nombre, v] : columnas) {
        nombres << nombre;
        valores << v;
    }
    const QString sql = dialecto_.insertarConIdentidad(tabla, nombres, identidad);
    QSqlQuery q = ejecutar(sql, valores);
    QVariant codigo;
    if (dialecto_.consultaIdentidad().isEmpty()) {
        if (q.next())
            codigo = q.value(0);
    } else {
        q.finish();
        codigo = valor(dialecto_.consultaIdentidad());
    }
    if (!codigo.isValid() || codigo.isNull())
        throw ErrorBD(QStringLiteral("No se obtuvo el código del registro nuevo de %1").arg(tabla),
                      sql);
    return codigo.toLongLong();
}

void De1::insertarSinIdentidad(const QString& tabla, const Columnas& columnas) {
    QStringList nombres;
    QVariantList valores;
    for (const auto& [nombre, v] : columnas) {
        nombres << nombre;
        valores << v;
    }
    ejecutar(Dialecto::insertar(tabla, nombres), valores);
}

bool De1::existeTabla(const QString& tabla) const {
    const QStringList tablas = baseDatos().tables(QSql::Tables);
    for (const QString& t : tablas)
        if (t.compare(tabla, Qt::CaseInsensitive) == 0)
            return true;
    return false;
}

bool De1::existeColumna(const QString& tabla, const QString& columna) const {
    return baseDatos().record(tabla).indexOf(columna) >= 0;
}

void De1::crearTablasEsperadas() {
    const auto faltaAlguna = [this] {
        for (const DefTabla& t : tablasEsperadas())
            if (!existeTabla(t.nombre))
                return true;
        return false;
    };
    if (!faltaAlguna())
        return;
    // Two programs may open a catalog that does not exist yet: the one that waits
    // for the other's transaction sees its tables and creates none of them.
    Transaccion t(*this, Transaccion::Modo::Exclusiva);
    const bool vacio = baseDatos().tables(QSql::Tables).isEmpty();
    for (const DefTabla& tabla : tablasEsperadas())
        if (!existeTabla(tabla.nombre))
            ejecutar(dialecto_.crearTabla(tabla));
    if (vacio)
        llenarCatalogoNuevo();
    t.confirmar();
    catalogoCreado_ = vacio;
}

void De1::llenarCatalogoNuevo() {
    // Without document types nobody can be registered; cities are added from the
    // person editor, which offers "Nueva ciudad" with this setting.
    for (const QString& tipo : tiposDocumentoIniciales())
        insertarSinIdentidad(QStringLiteral("Documentos"),
                             {{QStringLiteral("DescripcionDocumento"), tipo}});
    insertarSinIdentidad(QStringLiteral("Configuracion"),
                         {{QStringLiteral("Item"), ajustes::kNuevasCiudades},
                          {QStringLiteral("Valor"), QStringLiteral("1")}});
}

void De1::iniciarTransaccion(bool exclusiva) {
    // The SQLite drivers begin deferred transactions, which another connection can
    // still write past until this one's first write; IMMEDIATE takes the write
    // lock at once (waiting for it up to the busy timeout).
    if (exclusiva && dialecto_.motor() == Dialecto::Motor::Sqlite) {
        ejecutar(QStringLiteral("BEGIN IMMEDIATE"));
        transaccionPropia_ = true;
        return;
    }
    QSqlDatabase db = baseDatos();
    if (!db.transaction())
        throw ErrorBD(textoError(db.lastError()));
}

void De1::confirmar() {
    if (transaccionPropia_) {
        ejecutar(QStringLiteral("COMMIT"));
        transaccionPropia_ = false;
        return;
    }
    QSqlDatabase db = baseDatos();
    if (!db.commit())
        throw ErrorBD(textoError(db.lastError()));
}

void De1::deshacer() {
    if (transaccionPropia_) {
        transaccionPropia_ = false;
        try {
            ejecutar(QStringLiteral("ROLLBACK"));
        } catch (const ErrorBD&) {
            // Nothing left to undo: the connection already ended it.
        }
        return;
    }
    baseDatos().rollback();
}

Transaccion::Transaccion(De1& de1, Modo modo) : de1_(de1) {
    de1_.iniciarTransaccion(modo == Modo::Exclusiva);
}

Transaccion::~Transaccion() {
    if (!terminada_)
        de1_.deshacer();
}

void Transaccion::confirmar() {
    de1_.confirmar();
    terminada_ = true;
}
