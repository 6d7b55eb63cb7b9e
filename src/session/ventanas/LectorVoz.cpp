#include "session/ventanas/LectorVoz.h"

#include <QLocale>
#include <QTextToSpeech>
#include <QVoice>
#include <optional>
#include <utility>

namespace {

// The program's own locale (Spanish of the office's country) first, any Spanish after.
std::optional<QLocale> localeEspanol(const QList<QLocale>& disponibles) {
    const QLocale propio;
    if (propio.language() == QLocale::Spanish && disponibles.contains(propio))
        return propio;
    for (const QLocale& l : disponibles)
        if (l.language() == QLocale::Spanish)
            return l;
    return std::nullopt;
}

QString motivoError(const QTextToSpeech& voz) {
    const QString detalle = voz.errorString();
    return detalle.isEmpty()
               ? QStringLiteral("El motor de voz «%1» no pudo iniciarse.").arg(voz.engine())
               : QStringLiteral("El motor de voz «%1» no pudo iniciarse: %2")
                     .arg(voz.engine(), detalle);
}

} // namespace

LectorVoz::LectorVoz(QString motor, QObject* padre) : Lector(padre), pedido_(std::move(motor)) {}

LectorVoz::~LectorVoz() {
    if (voz_)
        voz_->stop(QTextToSpeech::BoundaryHint::Immediate);
}

void LectorVoz::leer(const QString& texto) {
    if (!motor())
        return;
    if (voz_->state() == QTextToSpeech::Speaking || voz_->state() == QTextToSpeech::Paused)
        voz_->stop(QTextToSpeech::BoundaryHint::Immediate);
    voz_->say(texto);
}

void LectorVoz::detener() {
    if (voz_)
        voz_->stop(QTextToSpeech::BoundaryHint::Immediate);
}

QString LectorVoz::motivoNoDisponible() const {
    // Only an engine that was started can tell whether it works; starting it
    // changes nothing the caller sees but the answer.
    const_cast<LectorVoz*>(this)->iniciar();
    return motivo_;
}

QTextToSpeech* LectorVoz::motor() {
    iniciar();
    return voz_;
}

void LectorVoz::iniciar() {
    if (iniciado_)
        return;
    iniciado_ = true;
    QStringList nombres;
    if (!pedido_.isEmpty()) {
        nombres << pedido_;
    } else {
        nombres = QTextToSpeech::availableEngines();
        // speech-dispatcher reads Spanish through espeak-ng; try it first.
        if (nombres.removeAll(QStringLiteral("speechd")) > 0)
            nombres.prepend(QStringLiteral("speechd"));
    }
    if (nombres.isEmpty() ||
        (!pedido_.isEmpty() && !QTextToSpeech::availableEngines().contains(pedido_))) {
        motivo_ = kSinMotor;
        return;
    }
    for (const QString& nombre : std::as_const(nombres)) {
        QTextToSpeech* voz = crear(nombre);
        if (!voz)
            continue;
        if (const std::optional<QLocale> es = localeEspanol(voz->availableLocales())) {
            voz->setLocale(*es);
            delete voz_;
            voz_ = voz;
            break;
        }
        // No Spanish: kept only while no other engine has it.
        if (voz_)
            delete voz;
        else
            voz_ = voz;
    }
    if (!voz_)
        return;
    motivo_.clear();
    connect(voz_, &QTextToSpeech::errorOccurred, this,
            [this](QTextToSpeech::ErrorReason, const QString& detalle) {
                // The session goes on; the next text is tried all the same.
                Q_EMIT fallo(QStringLiteral("El motor de voz falló: ") + detalle);
            });
}

QTextToSpeech* LectorVoz::crear(const QString& nombre) {
    auto* voz = new QTextToSpeech(nombre, this);
    QString motivo;
    if (voz->state() == QTextToSpeech::Error)
        motivo = motivoError(*voz);
    else if (voz->availableVoices().isEmpty())
        motivo = QStringLiteral("El motor de voz «%1» no tiene voces instaladas.").arg(nombre);
    if (motivo.isEmpty())
        return voz;
    // The first failure is the one the operator is told about.
    if (motivo_.isEmpty())
        motivo_ = motivo;
    delete voz;
    return nullptr;
}
