#include "persons/EdicionFoto.h"

#include "app/Claves.h"
#include "app/Ini.h"
#include "app/Texto.h"
#include "persons/ArchivoTrabajo.h"

#include <algorithm>

namespace {

constexpr int kCalidadJpeg = 90;

int acotarAjuste(int v) {
    return std::clamp(v, EdicionFoto::kAjusteMinimo, EdicionFoto::kAjusteMaximo);
}

} // namespace

EdicionFoto::Ajustes EdicionFoto::ajustesWebcam() {
    const QString brillo = LeerIni(claves::kBrillo.seccion, claves::kBrillo.clave);
    if (brillo == QStringLiteral("ERROR"))
        return {0, 0, true};
    return {acotarAjuste(texto::ValEntero(brillo)),
            acotarAjuste(texto::ValEntero(LeerIni(claves::kContraste))), false};
}

void EdicionFoto::desdeEscaner(const QImage& imagen) {
    fuente_ = imagen::reducir(imagen.convertToFormat(QImage::Format_RGB32), kAnchoMaximoEscaner);
    original_ = fuente_;
    ajustes_ = {};
    originalCambiado();
}

void EdicionFoto::desdeWebcam(const QImage& imagen, const Ajustes& ajustes) {
    fuente_ = imagen.convertToFormat(QImage::Format_RGB32);
    original_ = fuente_;
    ajustes_ = ajustes;
    originalCambiado();
}

void EdicionFoto::rotar() {
    if (!tieneFoto())
        return;
    original_ = imagen::rotar90(original_);
    fuente_ = imagen::rotar90(fuente_);
    originalCambiado();
}

void EdicionFoto::encuadrada(const QImage& imagen) {
    if (imagen.isNull())
        return;
    original_ = imagen.convertToFormat(QImage::Format_RGB32);
    originalCambiado();
}

void EdicionFoto::fijarAjustes(const Ajustes& ajustes) {
    Ajustes a = ajustes;
    a.brillo = acotarAjuste(a.brillo);
    a.contraste = acotarAjuste(a.contraste);
    if (a == ajustes_)
        return;
    ajustes_ = a;
    recalcular();
}

void EdicionFoto::originalCambiado() {
    caja_ = original_.isNull()
                ? QImage()
                : original_.scaled(kCaja, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    nivelesAuto_ = imagen::tablaNivelesAutomaticos(original_);
    recalcular();
}

void EdicionFoto::recalcular() {
    if (caja_.isNull() || ajustes_ == Ajustes{})
        mostrada_ = caja_;
    else if (ajustes_.automatico)
        mostrada_ = imagen::aplicarTabla(caja_, nivelesAuto_);
    else
        mostrada_ = imagen::brilloContraste(caja_, ajustes_.brillo, ajustes_.contraste);
}

QString EdicionFoto::guardar(const QString& ruta) const {
    return guardarArchivoTrabajo(paraCaja(), ruta, "JPG", kCalidadJpeg);
}
