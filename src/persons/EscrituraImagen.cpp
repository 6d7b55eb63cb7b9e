#include "persons/EscrituraImagen.h"

#include "persons/AlmacenImagenes.h"

#include <QDir>
#include <QImage>
#include <QSaveFile>

QString escribirImagenTrabajo(const QImage& imagen, const QString& ruta, const char* formato) {
    QSaveFile archivo(almacen::hacerEscribible(ruta));
    if (!archivo.open(QIODevice::WriteOnly) || !imagen.save(&archivo, formato) || !archivo.commit())
        return QStringLiteral("No se pudo guardar la imagen \"%1\".\n%2")
            .arg(QDir::toNativeSeparators(ruta), archivo.errorString());
    return QString();
}
