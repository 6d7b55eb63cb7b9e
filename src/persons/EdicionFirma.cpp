#include "persons/EdicionFirma.h"

#include "persons/AjusteImagen.h"
#include "persons/AlmacenImagenes.h"
#include "persons/ArchivoTrabajo.h"

#include <QDir>
#include <QFileInfo>
#include <QImageReader>
#include <QPainter>

namespace {

constexpr int kCalidadJpeg = 90;

// A signature on a transparent background would turn black as a bitmap.
QImage opaca(const QImage& imagen) {
    if (!imagen.hasAlphaChannel())
        return imagen.convertToFormat(QImage::Format_RGB32);
    QImage r(imagen.size(), QImage::Format_RGB32);
    r.setDotsPerMeterX(imagen.dotsPerMeterX());
    r.setDotsPerMeterY(imagen.dotsPerMeterY());
    r.fill(Qt::white);
    QPainter p(&r);
    p.drawImage(0, 0, imagen);
    return r;
}

} // namespace

QImage EdicionFirma::paraCaja() const {
    if (mostrada_.isNull())
        return QImage();
    return mostrada_.scaled(kCaja, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
}

QString EdicionFirma::tomar(const QImage& imagen, Origen origen) {
    QImage nueva = opaca(imagen);
    switch (origen) {
    case Origen::Pad:
        nueva = imagen::reducir(nueva, kAnchoMaximoPad);
        break;
    case Origen::Archivo:
        nueva = imagen::reducir(nueva, kAnchoMaximoArchivo);
        break;
    case Origen::Escaner:
        break;
    }
    QString error = guardarArchivoTrabajo(nueva, almacen::fuenteFirma(), "BMP");
    if (!error.isEmpty())
        return error;
    fuente_ = nueva;
    mostrada_ = nueva;
    return QString();
}

bool EdicionFirma::recuperarFuente() {
    const QString ruta = almacen::fuenteFirma();
    if (!QFileInfo(ruta).isFile())
        return false;
    QString error;
    const QImage previa = leerArchivo(ruta, &error);
    if (previa.isNull() || enBlanco(previa))
        return false;
    fuente_ = previa;
    mostrada_ = previa;
    return true;
}

void EdicionFirma::encuadrada(const QImage& imagen) {
    if (imagen.isNull() || !tieneFirma())
        return;
    mostrada_ = opaca(imagen);
}

QString EdicionFirma::guardar(const QString& ruta) const {
    return guardarArchivoTrabajo(paraCaja(), ruta, "JPG", kCalidadJpeg);
}

bool EdicionFirma::enBlanco(const QImage& imagen) {
    if (imagen.isNull())
        return true;
    const QImage rgb = imagen.convertToFormat(QImage::Format_RGB32);
    const QRgb primero = rgb.pixel(0, 0);
    for (int y = 0; y < rgb.height(); ++y) {
        const auto* fila = reinterpret_cast<const QRgb*>(rgb.constScanLine(y));
        for (int x = 0; x < rgb.width(); ++x)
            if (fila[x] != primero)
                return false;
    }
    return true;
}

QImage EdicionFirma::leerArchivo(const QString& ruta, QString* error) {
    QImageReader lector(ruta);
    // Offices rename pictures freely: the content decides, not the extension.
    lector.setDecideFormatFromContent(true);
    const QImage imagen = lector.read();
    if (imagen.isNull()) {
        if (error)
            *error = QStringLiteral("No se pudo leer la firma \"%1\": %2")
                         .arg(QDir::toNativeSeparators(ruta), lector.errorString());
        return QImage();
    }
    return opaca(imagen);
}
