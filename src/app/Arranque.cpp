#include "app/Arranque.h"

#include "app/Claves.h"
#include "app/Ini.h"
#include "app/Rutas.h"
#include "app/Texto.h"
#include "data/ActualizacionEsquema.h"

#include <QDir>
#include <QFileInfo>

namespace arranque {

QString elegirCarpetaPlantillas(const QString& red, const QString& carpetaTrabajo) {
    if (red.isEmpty())
        return QDir(carpetaTrabajo).filePath(QStringLiteral("Templates"));
    QString candidata = rutas::local(red + QStringLiteral("\\Templates"));
    if (QFileInfo(candidata).isDir())
        return candidata;
    return QDir(carpetaTrabajo).filePath(QStringLiteral("Templates"));
}

ConfigConexion conexion(const QString& server, const QString& driver,
                        const QString& carpetaConfiguracion) {
    ConfigConexion c;
    if (server.startsWith(QStringLiteral("sqlite:"), Qt::CaseInsensitive)) {
        c.tipo = ConfigConexion::Tipo::Sqlite;
        const QString archivo = server.mid(7).trimmed();
        c.archivoSqlite = QDir(carpetaConfiguracion).absoluteFilePath(rutas::local(archivo));
        return c;
    }
    c.tipo = ConfigConexion::Tipo::SqlServer;
    c.servidor = server;
    if (driver.isEmpty() || driver == QStringLiteral("ERROR")) {
#ifdef Q_OS_WIN
        c.driver = QStringLiteral("SQL Server");
#else
        c.driver = QStringLiteral("FreeTDS");
#endif
    } else {
        c.driver = driver;
    }
    return c;
}

qint32 responsable(const QString& lineaComandos) {
    return texto::ValEntero(lineaComandos);
}

QString avisoCatalogoNuevo(const QString& archivo) {
    return QStringLiteral("Se creó un catálogo nuevo, sin personas ni exámenes, en \"%1\".\n\n"
                          "Si esperaba usar un catálogo existente, revise la clave Server de la "
                          "sección [Control] del archivo de configuración \"%2\".")
        .arg(QDir::toNativeSeparators(archivo), QDir::toNativeSeparators(ini::ruta()));
}

Inicio ejecutar(De1& de1, const QString& lineaComandos, ConfigConexion* usada,
                const indices::Avance& avance) {
    ini::fijarRuta(rutas::archivoConfiguracion());
    // A file that cannot be read would only make every setting read as "ERROR".
    if (const QString problema = ini::problema(); !problema.isEmpty())
        throw ErrorConfiguracion{problema};
    rutas::fijarCarpetaPlantillas(
        elegirCarpetaPlantillas(LeerIni(claves::kRed), rutas::carpetaTrabajo()));
    const ConfigConexion config = conexion(LeerIni(claves::kServer), LeerIni(claves::kDriver),
                                           QFileInfo(ini::ruta()).absolutePath());
    if (usada)
        *usada = config;
    de1.abrir(config);
    ActualizarEsquema(de1, avance);
    return {responsable(lineaComandos),
            de1.catalogoCreado() ? avisoCatalogoNuevo(config.archivoSqlite) : QString()};
}

} // namespace arranque
