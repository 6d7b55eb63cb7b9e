// Signature pad figures: the latency from one pen sample to the box painted with
// it, and a pen at 1,000 samples a second for some seconds (samples taken against
// samples sent, share of one core used).
//
// bench_signature_pad [samples for the latency, default 2000] [seconds of pen, default 5]
#include "Medicion.h"
#include "app/Ini.h"
#include "app/Rutas.h"
#include "persons/ventanas/FrmPad.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QPointingDevice>
#include <QTabletEvent>
#include <QTemporaryDir>
#include <QTimer>
#include <QtMath>
#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

using medicion::segundosCpu;

// Counts the box's paints.
class Pintadas : public QObject {
public:
    int n = 0;

protected:
    bool eventFilter(QObject*, QEvent* e) override {
        if (e->type() == QEvent::Paint)
            ++n;
        return false;
    }
};

const QPointingDevice* lapiz() {
    static QPointingDevice d(
        QStringLiteral("lápiz"), 1, QInputDevice::DeviceType::Stylus,
        QPointingDevice::PointerType::Pen,
        QInputDevice::Capability::Position | QInputDevice::Capability::Pressure, 1, 3);
    return &d;
}

// A signature-like path: loops across the box, pressure swelling and fading.
void muestra(QWidget* caja, QEvent::Type tipo, qint64 i) {
    const qreal t = qreal(i) / 400.0;
    const QPointF p(caja->width() * (0.5 + 0.4 * qSin(t * 1.3)),
                    caja->height() * (0.5 + 0.35 * qSin(t * 3.1)));
    QTabletEvent e(tipo, lapiz(), p, caja->mapToGlobal(p), 0.5 + 0.4 * qSin(t * 7), 0, 0, 0, 0, 0,
                   Qt::NoModifier, Qt::LeftButton,
                   tipo == QEvent::TabletRelease ? Qt::NoButton : Qt::LeftButton);
    QApplication::sendEvent(caja, &e);
}

using medicion::percentil;

} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    const int muestrasLatencia = argc > 1 ? std::max(10, atoi(argv[1])) : 2000;
    const int segundos = argc > 2 ? std::max(1, atoi(argv[2])) : 5;
    QTemporaryDir dir;
    rutas::fijarCarpetaPrograma(dir.path());
    ini::fijarRuta(dir.filePath(QStringLiteral("QuenvarMRX.ini")));

    FrmPad pad;
    pad.show();
    QWidget* caja = &pad.caja();
    Pintadas pintadas;
    caja->installEventFilter(&pintadas);
    QCoreApplication::processEvents();

    // Latency: one sample in, the event loop runs until the box was painted.
    std::vector<double> latencias;
    muestra(caja, QEvent::TabletPress, 0);
    for (int i = 1; i <= muestrasLatencia; ++i) {
        const int antes = pintadas.n;
        QElapsedTimer r;
        r.start();
        muestra(caja, QEvent::TabletMove, i);
        while (pintadas.n == antes && r.elapsed() < 100)
            QCoreApplication::processEvents();
        latencias.push_back(double(r.nsecsElapsed()) / 1e6);
    }
    const int pintadasLatencia = pintadas.n;
    muestra(caja, QEvent::TabletRelease, muestrasLatencia);
    std::printf("Firma: de una muestra del lápiz a la caja pintada (%d muestras): mediana "
                "%.2f ms, 99 %% %.2f ms, máximo %.2f ms (%d pintadas)\n",
                muestrasLatencia, percentil(latencias, 0.5), percentil(latencias, 0.99),
                percentil(latencias, 1.0), pintadasLatencia);

    // A pen at 1,000 samples a second: each turn of the loop sends the samples due.
    pad.caja().limpiar();
    const qint64 total = qint64(segundos) * 1000;
    qint64 enviadas = 0;
    std::vector<double> atencion;
    QElapsedTimer reloj;
    QEventLoop bucle;
    QTimer tic;
    tic.setTimerType(Qt::PreciseTimer);
    QObject::connect(&tic, &QTimer::timeout, [&] {
        const qint64 debidas = std::min(total, reloj.elapsed() + 1);
        for (; enviadas < debidas; ++enviadas) {
            QElapsedTimer r;
            r.start();
            muestra(caja, enviadas == 0 ? QEvent::TabletPress : QEvent::TabletMove, enviadas);
            atencion.push_back(double(r.nsecsElapsed()) / 1e6);
        }
        if (enviadas >= total)
            bucle.quit();
    });
    const double cpuAntes = segundosCpu();
    reloj.start();
    tic.start(1);
    bucle.exec();
    const double pared = double(reloj.nsecsElapsed()) / 1e9;
    const double cpu = segundosCpu() - cpuAntes;
    muestra(caja, QEvent::TabletRelease, total);
    QCoreApplication::processEvents();
    std::printf("Firma: lápiz a 1000 muestras/s durante %d s: %lld enviadas, %lld tomadas, "
                "%.1f %% de un núcleo, atención por muestra: mediana %.3f ms, máximo %.3f ms\n",
                segundos, enviadas, qint64(pad.caja().lienzo().muestras()), 100.0 * cpu / pared,
                percentil(atencion, 0.5), percentil(atencion, 1.0));
    return 0;
}
