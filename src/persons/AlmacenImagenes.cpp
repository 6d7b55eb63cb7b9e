#include "persons/AlmacenImagenes.h"

#include "app/Rutas.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#ifdef Q_OS_WIN
#include <windows.h>
#endif

namespace almacen {

namespace {

struct Datos {
    const char* trabajo;
    const char* carpeta;
    const char* extension;
};

Datos datos(TipoImagen tipo) {
    switch (tipo) {
    case TipoImagen::Foto:
        return {"Foto.jpg", "~pha", "pha"};
    case TipoImagen::Firma:
        return {"Firma.jpg", "~sia", "sia"};
    case TipoImagen::Huella:
        return {"Huella.bmp", "~fia", "fia"};
    }
    return {"", "", ""};
}

void hacerEscribible(const QString& ruta) {
#ifdef Q_OS_WIN
    SetFileAttributesW(reinterpret_cast<LPCWSTR>(QDir::toNativeSeparators(ruta).utf16()),
                       FILE_ATTRIBUTE_NORMAL);
#else
    QFile::setPermissions(ruta, QFile::permissions(ruta) | QFileDevice::WriteOwner);
#endif
}

void proteger(const QString& ruta) {
#ifdef Q_OS_WIN
    SetFileAttributesW(reinterpret_cast<LPCWSTR>(QDir::toNativeSeparators(ruta).utf16()),
                       FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM);
#else
    QFile::setPermissions(ruta,
                          QFileDevice::ReadOwner | QFileDevice::ReadGroup | QFileDevice::ReadOther);
#endif
}

} // namespace

QString archivoTrabajo(TipoImagen tipo) {
    return rutas::enCarpetaPrograma(QString::fromLatin1(datos(tipo).trabajo));
}

QString numeroPersona(qint64 codigoPersona) {
    return (QStringLiteral("00000000") + QString::number(codigoPersona)).right(8);
}

QString rutaGuardada(TipoImagen tipo, qint64 codigoPersona) {
    const Datos d = datos(tipo);
    const QString carpeta = QString::fromLatin1(d.carpeta);
    return QDir(rutas::carpetaPlantillas())
        .filePath(carpeta + u'/' + carpeta + u'$' + numeroPersona(codigoPersona) + u'.' +
                  QString::fromLatin1(d.extension));
}

QString fotoParaMostrar(qint64 codigoPersona) {
    const QString ruta = rutaGuardada(TipoImagen::Foto, codigoPersona);
    return QFileInfo::exists(ruta) ? ruta : rutas::enCarpetaPrograma(QStringLiteral("Anonimo.jpg"));
}

void borrarArchivosTrabajo() {
    for (TipoImagen t : {TipoImagen::Foto, TipoImagen::Firma, TipoImagen::Huella})
        QFile::remove(archivoTrabajo(t));
}

QString guardarPendiente(TipoImagen tipo, qint64 codigoPersona) {
    const QString origen = archivoTrabajo(tipo);
    if (!QFileInfo::exists(origen))
        return QString();
    const QString destino = rutaGuardada(tipo, codigoPersona);
    if (!QFileInfo(QFileInfo(destino).absolutePath()).isDir())
        return QStringLiteral(
                   "No existe la carpeta de imágenes \"%1\". La imagen \"%2\" no se guardó.")
            .arg(QDir::toNativeSeparators(QFileInfo(destino).absolutePath()),
                 QDir::toNativeSeparators(origen));
    if (QFileInfo::exists(destino)) {
        hacerEscribible(destino);
        if (!QFile::remove(destino))
            return QStringLiteral("No se pudo reemplazar el archivo \"%1\".")
                .arg(QDir::toNativeSeparators(destino));
    }
    if (!QFile::copy(origen, destino))
        return QStringLiteral("No se pudo copiar la imagen \"%1\" en \"%2\".")
            .arg(QDir::toNativeSeparators(origen), QDir::toNativeSeparators(destino));
    proteger(destino);
    return QString();
}

} // namespace almacen
