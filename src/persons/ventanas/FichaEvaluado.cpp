#include "persons/ventanas/FichaEvaluado.h"

#include "persons/AlmacenImagenes.h"
#include "persons/ventanas/NombresFichaEvaluado.h"

#include <QFileInfo>
#include <QLabel>
#include <QVBoxLayout>

namespace n = nombres::fichaEvaluado;

FichaEvaluado::FichaEvaluado(QWidget* padre, QSize tamanoFoto)
    : QFrame(padre), tamanoFoto_(tamanoFoto) {
    setObjectName(n::kFicha);
    setFrameShape(QFrame::StyledPanel);

    imgFoto_ = new QLabel(this);
    imgFoto_->setObjectName(n::kFoto);
    imgFoto_->setFixedSize(tamanoFoto_);
    imgFoto_->setAlignment(Qt::AlignCenter);
    imgFoto_->setFrameShape(QFrame::StyledPanel);
    lblNombre_ = new QLabel(this);
    lblNombre_->setObjectName(n::kNombre);
    lblNombre_->setAlignment(Qt::AlignCenter);
    lblNombre_->setWordWrap(true);
    QFont grande = lblNombre_->font();
    grande.setPointSizeF(grande.pointSizeF() * 1.3);
    grande.setBold(true);
    lblNombre_->setFont(grande);
    lblDocumento_ = new QLabel(this);
    lblDocumento_->setObjectName(n::kDocumento);
    lblDocumento_->setAlignment(Qt::AlignCenter);
    // Selectable, so a screen reader reaches the texts.
    for (QLabel* l : {lblNombre_, lblDocumento_})
        l->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);

    auto* disposicion = new QVBoxLayout(this);
    disposicion->addWidget(imgFoto_, 0, Qt::AlignHCenter);
    disposicion->addWidget(lblNombre_);
    disposicion->addWidget(lblDocumento_);
    setFixedWidth(tamanoFoto_.width() + 2 * disposicion->contentsMargins().left() + 4);
    limpiar();
}

void FichaEvaluado::mostrar(qint64 codigoPersona, const QString& nombre, const QString& documento) {
    persona_ = codigoPersona;
    const QPixmap f = foto(codigoPersona);
    conFoto_ = !f.isNull();
    if (conFoto_)
        imgFoto_->setPixmap(f);
    else
        imgFoto_->setText(kSinFoto);
    imgFoto_->setAccessibleName(conFoto_ ? QStringLiteral("Fotografía de ") + nombre : kSinFoto);
    lblNombre_->setText(nombre);
    lblDocumento_->setText(QStringLiteral("Documento: ") + documento);
}

void FichaEvaluado::limpiar() {
    persona_.reset();
    conFoto_ = false;
    imgFoto_->clear();
    imgFoto_->setAccessibleName(QStringLiteral("Fotografía"));
    lblNombre_->clear();
    lblDocumento_->clear();
}

QPixmap FichaEvaluado::foto(qint64 codigoPersona) {
    // A photograph retaken meanwhile (another workstation) is read again.
    const QFileInfo archivo(almacen::rutaGuardada(almacen::TipoImagen::Foto, codigoPersona));
    const QDateTime modificada = archivo.exists() ? archivo.lastModified() : QDateTime();
    const qint64 bytes = archivo.exists() ? archivo.size() : -1;
    if (const Guardada* g = guardadas_.object(codigoPersona);
        g && g->modificada == modificada && g->bytes == bytes)
        return g->foto;

    QPixmap resultado;
    if (bytes >= 0) {
        const qreal escala = devicePixelRatioF();
        const QSize caja = tamanoFoto_ * escala;
        const QImage leida = almacen::leerFoto(codigoPersona, caja);
        if (!leida.isNull()) {
            // Small stored photographs are drawn up to the box: the face must be seen.
            resultado = QPixmap::fromImage(
                leida.scaled(caja, Qt::KeepAspectRatio, Qt::SmoothTransformation));
            resultado.setDevicePixelRatio(escala);
        }
    }
    guardadas_.insert(codigoPersona, new Guardada{resultado, modificada, bytes});
    return resultado;
}
