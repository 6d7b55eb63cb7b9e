#include "persons/CamaraSimulada.h"

#include <QLinearGradient>
#include <QPainter>
#include <QRadialGradient>
#include <QTimer>
#include <cmath>
#include <numbers>

namespace {

const QList<FormatoCamara>& formatosSimulados() {
    static const QList<FormatoCamara> f = {
        {QSize(640, 480), 30}, {QSize(320, 240), 30}, {QSize(1280, 720), 15}};
    return f;
}

} // namespace

QString FormatoCamara::texto() const {
    return QStringLiteral("%1 x %2, %3 cuadros por segundo")
        .arg(resolucion.width())
        .arg(resolucion.height())
        .arg(QString::number(cuadrosPorSegundo, 'g', 4));
}

CamaraSimulada::CamaraSimulada(QObject* padre) : Camara(padre) {
    reloj_.setTimerType(Qt::PreciseTimer);
    connect(&reloj_, &QTimer::timeout, this, &CamaraSimulada::siguienteCuadro);
}

QList<DispositivoCamara> CamaraSimulada::dispositivos() const {
    QList<DispositivoCamara> lista;
    for (const char* id : {"simulada-1", "simulada-2"}) {
        const QByteArray clave(id);
        if (!desenchufadas_.contains(clave))
            lista.append(
                {clave, QStringLiteral("Cámara simulada %1").arg(QChar::fromLatin1(clave.back()))});
    }
    return lista;
}

bool CamaraSimulada::conectar(const QByteArray& id) {
    bool hay = false;
    for (const DispositivoCamara& d : dispositivos())
        hay = hay || d.id == id;
    if (!hay)
        return false;
    actual_ = id;
    formato_ = 0;
    preparar();
    return true;
}

QList<FormatoCamara> CamaraSimulada::formatos() const {
    return actual_.isEmpty() ? QList<FormatoCamara>() : formatosSimulados();
}

void CamaraSimulada::fijarFormato(int indice) {
    if (actual_.isEmpty() || indice < 0 || indice >= formatosSimulados().size())
        return;
    formato_ = indice;
    preparar();
}

void CamaraSimulada::capturar() {
    // Answers later, as a device does.
    QTimer::singleShot(0, this, [this] {
        if (actual_.isEmpty() || ultimo_.isNull())
            Q_EMIT error(QStringLiteral("La cámara no entrega imagen."));
        else
            Q_EMIT capturada(ultimo_);
    });
}

QString CamaraSimulada::grabar(const QString&) {
    Q_EMIT error(QStringLiteral("La cámara simulada no graba video."));
    return QString();
}

void CamaraSimulada::desconectar() {
    if (actual_.isEmpty())
        return;
    desenchufadas_.append(actual_);
    actual_.clear();
    reloj_.stop();
    ultimo_ = QImage();
    Q_EMIT desconectada();
}

void CamaraSimulada::preparar() {
    const FormatoCamara f = formatosSimulados().at(formato_);
    // The background is drawn once; each picture only adds what moves.
    fondo_ = QImage(f.resolucion, QImage::Format_RGB32);
    QPainter p(&fondo_);
    QLinearGradient g(0, 0, f.resolucion.width(), f.resolucion.height());
    const bool segunda = actual_.endsWith('2');
    g.setColorAt(0, segunda ? QColor(40, 70, 40) : QColor(30, 50, 90));
    g.setColorAt(1, segunda ? QColor(190, 210, 150) : QColor(170, 190, 220));
    p.fillRect(fondo_.rect(), g);
    p.end();
    numero_ = 0;
    desde_.start();
    reloj_.start(static_cast<int>(std::lround(1000.0 / f.cuadrosPorSegundo)));
    siguienteCuadro();
}

void CamaraSimulada::siguienteCuadro() {
    QImage img = fondo_.copy();
    const double w = img.width();
    const double h = img.height();
    const double t = static_cast<double>(desde_.elapsed()) / 1000.0;
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    // A face-sized oval swaying across the picture.
    const QPointF centro(w / 2 + w / 4 * std::sin(t * std::numbers::pi / 2),
                         h / 2 + h / 10 * std::cos(t * std::numbers::pi));
    const double radio = h / 4;
    QRadialGradient cara(centro - QPointF(radio / 3, radio / 3), radio * 1.4);
    cara.setColorAt(0, QColor(250, 220, 190));
    cara.setColorAt(1, QColor(160, 110, 80));
    p.setPen(Qt::NoPen);
    p.setBrush(cara);
    p.drawEllipse(centro, radio * 0.8, radio);
    p.setPen(Qt::white);
    p.drawText(QRectF(8, 8, w - 16, 24), Qt::AlignLeft,
               QStringLiteral("%1  #%2").arg(QString::fromUtf8(actual_)).arg(++numero_));
    p.end();
    ultimo_ = img;
    Q_EMIT cuadro(ultimo_);
}
