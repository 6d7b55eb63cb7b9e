#include "persons/ArchivoTrabajo.h"

#include <QDir>
#include <QImage>
#include <QImageWriter>
#include <QSaveFile>

QString guardarArchivoTrabajo(const QImage& imagen, const QString& ruta, const char* formato,
                              int calidad) {
    const QString nativa = QDir::toNativeSeparators(ruta);
    if (imagen.isNull())
        return QStringLiteral("No hay imagen para guardar en \"%1\".").arg(nativa);
    QSaveFile archivo(ruta);
    if (!archivo.open(QIODevice::WriteOnly))
        return QStringLiteral("No se pudo escribir el archivo \"%1\": %2")
            .arg(nativa, archivo.errorString());
    QImageWriter escritor(&archivo, formato);
    escritor.setQuality(calidad);
    if (!escritor.write(imagen)) {
        archivo.cancelWriting();
        return QStringLiteral("No se pudo escribir el archivo \"%1\": %2")
            .arg(nativa, escritor.errorString());
    }
    if (!archivo.commit())
        return QStringLiteral("No se pudo escribir el archivo \"%1\": %2")
            .arg(nativa, archivo.errorString());
    return QString();
}
