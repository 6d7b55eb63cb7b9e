#include "app/PrimerArranque.h"

#include "app/Ini.h"
#include "app/Rutas.h"
#include "app/Texto.h"

#include <QDir>
#include <QFileInfo>

namespace primerarranque {

namespace {

bool cabeEnWindows1252(const QString& valor) {
    return texto::desdeWindows1252(texto::aWindows1252(valor)) == valor;
}

// The configuration file is Windows-1252: a path it cannot hold (a home folder
// named in another alphabet) is written relative to the configuration file's
// folder, which the catalog setting allows. Empty when neither fits.
QString rutaParaConfiguracion(const QString& ruta) {
    if (cabeEnWindows1252(ruta))
        return ruta;
    const QString relativa =
        QFileInfo(rutas::archivoConfiguracion()).absoluteDir().relativeFilePath(ruta);
    return cabeEnWindows1252(relativa) ? relativa : QString();
}

} // namespace

bool faltaConfiguracion() {
    return !QFileInfo::exists(rutas::archivoConfiguracion());
}

QString archivoCatalogoLocal() {
    return rutas::enCarpetaTrabajo(QStringLiteral("catalogo.sqlite"));
}

QString crearConfiguracionLocal() {
    const QString archivo = rutas::archivoConfiguracion();
    if (!faltaConfiguracion())
        return QString();
    const QString catalogo = rutaParaConfiguracion(archivoCatalogoLocal());
    if (catalogo.isEmpty())
        return QStringLiteral("La ruta %1 no se puede escribir en el archivo de configuración.")
            .arg(archivoCatalogoLocal());
    const QString plantillas = rutas::enCarpetaTrabajo(QStringLiteral("Templates"));
    for (const char* sub : {"~pha", "~sia", "~fia"}) {
        const QString carpeta = QDir(plantillas).filePath(QString::fromLatin1(sub));
        if (!QDir().mkpath(carpeta))
            return QStringLiteral("No se pudo crear la carpeta %1.").arg(carpeta);
    }
    ini::fijarRuta(archivo);
    if (!EscribirIni(QStringLiteral("Control"), QStringLiteral("Server"),
                     QStringLiteral("sqlite:") + catalogo))
        return QStringLiteral("No se pudo escribir el archivo de configuración %1.").arg(archivo);
    return QString();
}

QString instruccionesSqlServer() {
    QString mensaje =
        QStringLiteral(
            "Para usar el catálogo SQL Server de la oficina, cree el archivo de configuración\n"
            "%1\n"
            "con estas líneas (texto Windows-1252):\n\n"
            "[Control]\n"
            "Server=SERVIDOR\\INSTANCIA\n"
            "Red=carpeta de red de la oficina, cuya subcarpeta Templates guarda las imágenes\n\n"
            "El programa entra con el usuario SQL de la oficina al catálogo QuenvarMRX, a "
            "través del controlador ODBC FreeTDS (paquete tdsodbc); otro controlador se indica "
            "con Driver= y el nombre que muestra «odbcinst -q -d».")
            .arg(QDir::toNativeSeparators(rutas::archivoConfiguracion()));
    const QString script = rutas::archivoPrograma(QStringLiteral("sqlserver/catalog.sql"));
    if (QFileInfo::exists(script))
        mensaje += QStringLiteral("\n\nUn catálogo nuevo se prepara con %1 (con sqlcmd o tsql).")
                       .arg(script);
    mensaje += QStringLiteral("\n\nMás detalles en «man tavelmo».");
    return mensaje;
}

} // namespace primerarranque
