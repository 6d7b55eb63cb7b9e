#include "app/Rutas.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>
#include <QtGlobal>

// The installed data folder, relative to the executable's folder (set by the build).
#ifndef TAVELMO_DATOS_RELATIVOS
#define TAVELMO_DATOS_RELATIVOS "../share/tavelmo"
#endif

namespace rutas {

namespace {
QString gCarpetaPrograma;
QString gCarpetaPlantillas;
QString gCarpetaTrabajo;
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

QString elegirCarpetaArchivos(const QString& carpetaEjecutable) {
#ifdef Q_OS_WIN
    return carpetaEjecutable;
#else
    const QString instalada =
        QDir::cleanPath(QDir(carpetaEjecutable).filePath(QStringLiteral(TAVELMO_DATOS_RELATIVOS)));
    return QFileInfo(instalada).isDir() ? instalada : carpetaEjecutable;
#endif
}

QString carpetaArchivosPrograma() {
    return elegirCarpetaArchivos(carpetaPrograma());
}

QString archivoPrograma(const QString& nombre) {
    return QDir(carpetaArchivosPrograma()).filePath(nombre);
}

bool instalado() {
    return carpetaArchivosPrograma() != carpetaPrograma();
}

QString carpetaTrabajo() {
    if (!gCarpetaTrabajo.isEmpty())
        return gCarpetaTrabajo;
#ifdef Q_OS_WIN
    return carpetaPrograma();
#else
    QString carpeta = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
    // A folder that cannot be made shows up later, as the failing write of a file in it.
    QDir().mkpath(carpeta);
    return carpeta;
#endif
}

void fijarCarpetaTrabajo(const QString& carpeta) {
    gCarpetaTrabajo = carpeta;
}

QString enCarpetaTrabajo(const QString& nombre) {
    return QDir(carpetaTrabajo()).filePath(nombre);
}

QString carpetaPlantillas() {
    return gCarpetaPlantillas.isEmpty() ? enCarpetaTrabajo(QStringLiteral("Templates"))
                                        : gCarpetaPlantillas;
}

void fijarCarpetaPlantillas(const QString& carpeta) {
    gCarpetaPlantillas = carpeta;
}

} // namespace rutas
