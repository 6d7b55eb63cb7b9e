#include "app/Rutas.h"

#include <QCoreApplication>
#include <QDir>
#include <QtGlobal>

namespace rutas {

namespace {
QString gCarpetaPrograma;
QString gCarpetaPlantillas;
} // namespace

QString raizUnidadC() {
    const QString raiz = qEnvironmentVariable("QUENVAR_ROOT");
    if (!raiz.isEmpty())
        return QDir::cleanPath(raiz);
    return QDir::homePath() + QStringLiteral("/.quenvar");
}

QString local(const QString& rutaWindows) {
    QString ruta = rutaWindows;
#ifdef Q_OS_WIN
    return QDir::cleanPath(ruta.replace(u'\\', u'/'));
#else
    ruta.replace(u'\\', u'/');
    if (ruta.size() >= 2 && ruta.at(1) == u':' && ruta.at(0).isLetter()) {
        const QChar unidad = ruta.at(0).toUpper();
        const QString raiz =
            unidad == u'C' ? raizUnidadC() : raizUnidadC() + QStringLiteral("/unidad-") + unidad;
        ruta = raiz + u'/' + ruta.mid(2);
    }
    return QDir::cleanPath(ruta);
#endif
}

QString archivoConfiguracion() {
    return local(QStringLiteral("C:\\Quenvar\\QuenvarMRX.ini"));
}

QString archivoMarca() {
    return local(QStringLiteral("C:\\QuenvarCarab.ini"));
}

QString archivoZarn() {
    return local(QStringLiteral("C:\\Windows\\Zarn.Ini"));
}

QString carpetaPrograma() {
    if (!gCarpetaPrograma.isEmpty())
        return gCarpetaPrograma;
    if (QCoreApplication::instance())
        return QCoreApplication::applicationDirPath();
    return QDir::currentPath();
}

void fijarCarpetaPrograma(const QString& carpeta) {
    gCarpetaPrograma = carpeta;
}

QString enCarpetaPrograma(const QString& nombre) {
    return QDir(carpetaPrograma()).filePath(nombre);
}

QString carpetaPlantillas() {
    return gCarpetaPlantillas.isEmpty() ? enCarpetaPrograma(QStringLiteral("Templates"))
                                        : gCarpetaPlantillas;
}

void fijarCarpetaPlantillas(const QString& carpeta) {
    gCarpetaPlantillas = carpeta;
}

} // namespace rutas
