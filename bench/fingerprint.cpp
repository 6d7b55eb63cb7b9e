// Fingerprint figures against libfprint's virtual image reader: the time from the
// reader handing over the finger to "Huella.bmp" written (and, apart, the reader's
// own time from the finger sent to the image handed over), and the CPU the window
// takes while it waits for a finger.
//
// bench_fingerprint [captures, default 20] [seconds of waiting measured, default 4]
#include "Medicion.h"
#include "app/Rutas.h"
#include "persons/AlmacenImagenes.h"
#include "persons/CapturaHuella.h"
#include "persons/LectorFprint.h"
#include "persons/LectorHuellasSimulado.h"
#include "persons/ventanas/ObtenerHuella.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFileInfo>
#include <QLocalSocket>
#include <QTemporaryDir>
#include <QTimer>
#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

using medicion::segundosCpu;

using medicion::esperar;

// Runs the event loop until `listo` holds (checked every millisecond) or `ms` pass.
template <typename F> bool esperarA(F listo, int ms = 5000) {
    QElapsedTimer reloj;
    reloj.start();
    while (!listo() && reloj.elapsed() < ms)
        esperar(1);
    return listo();
}

void enviar(QLocalSocket& s, const QImage& gris) {
    const qint32 h[2] = {gris.width(), gris.height()};
    s.write(reinterpret_cast<const char*>(h), sizeof h);
    for (int y = 0; y < gris.height(); ++y)
        s.write(reinterpret_cast<const char*>(gris.constScanLine(y)), gris.width());
    s.flush();
}

using medicion::percentil;

} // namespace

int main(int argc, char** argv) {
    QTemporaryDir dir;
    const QString socket = dir.filePath(QStringLiteral("lector.sock"));
    qputenv("FP_DRIVERS_WHITELIST", "virtual_image");
    qputenv("FP_VIRTUAL_IMAGE", QFile::encodeName(socket));
    QApplication app(argc, argv);
    const int capturas = argc > 1 ? std::max(1, atoi(argv[1])) : 20;
    const int segundosEspera = argc > 2 ? std::max(1, atoi(argv[2])) : 4;
    QDir().mkpath(dir.filePath(QStringLiteral("programa")));
    rutas::fijarCarpetaPrograma(dir.filePath(QStringLiteral("programa")));
    const QString archivo = almacen::archivoTrabajo(almacen::TipoImagen::Huella);

    LectorFprint lector;
    const QImage dedo = huellaSintetica();
    std::vector<double> lectorMs;
    std::vector<double> archivoMs;
    QElapsedTimer reloj;
    reloj.start();
    qint64 enviado = 0;
    qint64 entregado = 0;
    // Connected before the window's capture: runs as the reader hands the finger over.
    QObject::connect(&lector, &LectorHuellas::capturada, [&] { entregado = reloj.nsecsElapsed(); });

    for (int i = 0; i < capturas; ++i) {
        QFile::remove(archivo);
        ObtenerHuella v(lector);
        CapturaHuella::Tiempos t;
        t.parpadeosLentos = t.parpadeosRapidos = 1;
        v.captura().fijarTiempos(t);
        // Connected after it: runs once the capture has drawn and written the file.
        QObject::connect(&lector, &LectorHuellas::capturada, &v, [&] {
            archivoMs.push_back(double(reloj.nsecsElapsed() - entregado) / 1e6);
            if (!QFileInfo::exists(archivo))
                std::printf("¡Huella.bmp no escrita!\n");
        });
        bool esperando = false;
        QObject::connect(&lector, &LectorHuellas::esperandoDedo, &v, [&] { esperando = true; });
        v.show();
        if (!esperarA([&] { return esperando; })) {
            std::printf("el lector virtual no respondió\n");
            return 1;
        }
        QLocalSocket s;
        s.connectToServer(socket);
        if (!s.waitForConnected(2000)) {
            std::printf("sin conexión con el lector virtual: %s\n", qPrintable(s.errorString()));
            return 1;
        }
        enviado = reloj.nsecsElapsed();
        enviar(s, dedo);
        esperarA([&] { return !v.isVisible(); });
        lectorMs.push_back(double(entregado - enviado) / 1e6);
    }
    std::printf("Huella: de la imagen del lector a Huella.bmp escrito (%d capturas): mediana "
                "%.1f ms, máximo %.1f ms\n",
                capturas, percentil(archivoMs, 0.5), percentil(archivoMs, 1.0));
    std::printf("Huella: tiempo propio del lector (dedo enviado a imagen entregada): mediana "
                "%.1f ms\n",
                percentil(lectorMs, 0.5));

    // Waiting for a finger that does not come: attempts, lamp and the reader's wait.
    {
        ObtenerHuella v(lector);
        bool esperando = false;
        QObject::connect(&lector, &LectorHuellas::esperandoDedo, &v, [&] { esperando = true; });
        v.show();
        esperarA([&] { return esperando; });
        QElapsedTimer pared;
        pared.start();
        const double antes = segundosCpu();
        esperar(std::min(segundosEspera * 1000, 5000));
        const double uso = 100.0 * (segundosCpu() - antes) / (double(pared.nsecsElapsed()) / 1e9);
        std::printf("Huella: CPU esperando el dedo: %.2f %% de un núcleo\n", uso);
        v.reject();
    }
    return 0;
}
