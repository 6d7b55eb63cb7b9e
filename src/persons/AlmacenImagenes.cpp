#include "persons/AlmacenImagenes.h"

#include "app/Rutas.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImageReader>
#include <filesystem>
#include <system_error>

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

QString nativa(const QString& ruta) {
    return QDir::toNativeSeparators(ruta);
}

#ifdef Q_OS_WIN
DWORD atributos(const QString& ruta) {
    return GetFileAttributesW(reinterpret_cast<LPCWSTR>(nativa(ruta).utf16()));
}
bool fijarAtributos(const QString& ruta, DWORD valor) {
    return SetFileAttributesW(reinterpret_cast<LPCWSTR>(nativa(ruta).utf16()), valor) != 0;
}
#endif

// Read-only, hidden and system (attribute value 7); on other systems the write
// bits go and who may read the file stays as the umask made it.
void proteger(const QString& ruta) {
#ifdef Q_OS_WIN
    fijarAtributos(ruta, FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM);
#else
    QFile::setPermissions(ruta, QFile::permissions(ruta) &
                                    ~(QFileDevice::WriteOwner | QFileDevice::WriteUser |
                                      QFileDevice::WriteGroup | QFileDevice::WriteOther));
#endif
}

bool existe(const QString& ruta) {
    // QFileInfo finds hidden and system files as well.
    return QFileInfo(ruta).isFile();
}

bool borrar(const QString& ruta) {
    if (!QFileInfo::exists(ruta))
        return true;
    hacerEscribible(ruta);
    return QFile::remove(ruta);
}

std::filesystem::path rutaSistema(const QString& ruta) {
    return std::filesystem::path(ruta.toStdU16String());
}

} // namespace

QString archivoTrabajo(TipoImagen tipo) {
    return rutas::enCarpetaTrabajo(QString::fromLatin1(datos(tipo).trabajo));
}

QString fuenteFirma() {
    return rutas::enCarpetaTrabajo(QStringLiteral("Firma.bmp"));
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
    return existe(ruta) ? ruta : rutas::archivoPrograma(QStringLiteral("Anonimo.jpg"));
}

QImage leerFoto(qint64 codigoPersona, const QSize& caja) {
    QImageReader lector(rutaGuardada(TipoImagen::Foto, codigoPersona));
    // The header alone tells the size: a large picture is decoded straight to the
    // box (JPEG decodes at a fraction of its size), not whole and then shrunk.
    const QSize tamano = lector.size();
    if (caja.isValid() && tamano.isValid() &&
        (tamano.width() > caja.width() || tamano.height() > caja.height()))
        lector.setScaledSize(tamano.scaled(caja, Qt::KeepAspectRatio).expandedTo({1, 1}));
    return lector.read();
}

QString hacerEscribible(const QString& ruta) {
    if (QFileInfo::exists(ruta)) {
#ifdef Q_OS_WIN
        fijarAtributos(ruta, FILE_ATTRIBUTE_NORMAL);
#else
        QFile::setPermissions(ruta, QFile::permissions(ruta) | QFileDevice::WriteOwner |
                                        QFileDevice::ReadOwner);
#endif
    }
    return ruta;
}

bool estaProtegido(const QString& ruta) {
#ifdef Q_OS_WIN
    const DWORD a = atributos(ruta);
    const DWORD siete = FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM;
    return a != INVALID_FILE_ATTRIBUTES && (a & siete) == siete;
#else
    const QFileDevice::Permissions p = QFile::permissions(ruta);
    const QFileDevice::Permissions escritura =
        QFileDevice::WriteOwner | QFileDevice::WriteGroup | QFileDevice::WriteOther;
    return existe(ruta) && !(p & escritura);
#endif
}

QStringList borrarArchivosTrabajo() {
    QStringList fallidos;
    // The signature's source too: a pad left cancelled must not bring back an
    // earlier examinee's signature.
    for (const QString& ruta : {archivoTrabajo(TipoImagen::Foto), archivoTrabajo(TipoImagen::Firma),
                                fuenteFirma(), archivoTrabajo(TipoImagen::Huella)}) {
        if (!borrar(ruta))
            fallidos << ruta;
    }
    return fallidos;
}

QString guardarPendiente(TipoImagen tipo, qint64 codigoPersona) {
    const QString origen = archivoTrabajo(tipo);
    if (!existe(origen))
        return QString();
    const QString destino = rutaGuardada(tipo, codigoPersona);
    const QString carpeta = QFileInfo(destino).absolutePath();
    if (!QFileInfo(carpeta).isDir())
        return QStringLiteral(
                   "No existe la carpeta de imágenes \"%1\". La imagen \"%2\" no se guardó.")
            .arg(nativa(carpeta), nativa(origen));

    // The copy goes beside the stored file first and then takes its place, so a
    // failed copy never costs the image that was stored before.
    const QString temporal = destino + QStringLiteral(".nuevo");
    borrar(temporal);
    if (!QFile::copy(origen, temporal)) {
        borrar(temporal);
        return QStringLiteral("No se pudo copiar la imagen \"%1\" en \"%2\".")
            .arg(nativa(origen), nativa(destino));
    }
    hacerEscribible(temporal);
    const bool habia = QFileInfo::exists(destino);
    hacerEscribible(destino);
    std::error_code ec;
    std::filesystem::rename(rutaSistema(temporal), rutaSistema(destino), ec);
    if (ec) {
        borrar(temporal);
        if (habia)
            proteger(destino);
        return QStringLiteral("No se pudo reemplazar el archivo \"%1\" con la imagen \"%2\".")
            .arg(nativa(destino), nativa(origen));
    }
    proteger(destino);
    return QString();
}

} // namespace almacen
