// Photograph capture figures: opening the window, a scan through SANE's test
// backend (the window's own time apart from the device's), accepting, the
// brightness/contrast recomputation while a scroll bar moves, and the simulated
// camera's live picture at 30 frames per second.
#include "Medicion.h"
#include "app/Ini.h"
#include "app/Rutas.h"
#include "persons/ventanas/FrmWebcam.h"
#include "persons/ventanas/ObtenerFoto.h"
#include "persons/ventanas/VistaCamara.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTimer>
#include <algorithm>
#include <cstdio>
#include <functional>
#include <sane/sane.h>
#include <vector>

namespace {

using medicion::mediana;
using medicion::ms;

double maximo(const std::vector<double>& v) {
    return medicion::percentil(v, 1);
}

// Lets the event loop run until the condition holds, sleeping while no event comes.
bool esperar(const std::function<bool()>& condicion, int limiteMs = 30000) {
    QElapsedTimer t;
    t.start();
    QTimer despertador; // so the limit is seen even when nothing else happens
    despertador.start(50);
    while (!condicion()) {
        if (t.elapsed() > limiteMs)
            return false;
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    }
    return true;
}

// The device's own time: the same scan made with SANE alone.
double escaneoSoloSane() {
    QElapsedTimer t;
    t.start();
    SANE_Int version = 0;
    sane_init(&version, nullptr);
    const SANE_Device** lista = nullptr;
    sane_get_devices(&lista, SANE_FALSE);
    SANE_Handle h = nullptr;
    if (sane_open("test:0", &h) != SANE_STATUS_GOOD)
        return -1;
    std::vector<SANE_Byte> bufer(std::size_t{64} * 1024);
    SANE_Int n = 0;
    qint64 total = 0;
    if (sane_start(h) != SANE_STATUS_GOOD)
        return -1;
    while (sane_read(h, bufer.data(), static_cast<SANE_Int>(bufer.size()), &n) == SANE_STATUS_GOOD)
        total += n;
    if (total != qint64{600} * 800 * 3)
        return -1;
    sane_cancel(h);
    sane_close(h);
    sane_exit();
    return ms(t);
}

} // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QTemporaryDir dir;
    // SANE's test backend only, giving a 600 x 800 colour picture (76.3 x 101.7 mm
    // at 200 dpi): wide enough to be a scan, not so wide it needs shrinking.
    const QString sane = dir.filePath(QStringLiteral("sane"));
    QDir().mkpath(sane);
    QFile dll(sane + QStringLiteral("/dll.conf"));
    QFile test(sane + QStringLiteral("/test.conf"));
    if (!dll.open(QIODevice::WriteOnly) || !test.open(QIODevice::WriteOnly))
        return 1;
    dll.write("test\n");
    test.write("number_of_devices 1\nmode Color\ndepth 8\nresolution 200.0\n"
               "test-picture \"Color pattern\"\ngeometry_min 0.0\ngeometry_max 200.0\n"
               "tl_x 0.0\ntl_y 0.0\nbr_x 76.3\nbr_y 101.7\n");
    dll.close();
    test.close();
    qputenv("SANE_CONFIG_DIR", QFile::encodeName(sane));
    qputenv("QUENVAR_ROOT", QFile::encodeName(dir.filePath(QStringLiteral("raiz"))));
    qputenv("Tmp", QFile::encodeName(dir.path()));

    QApplication app(argc, argv);
    QDir().mkpath(dir.filePath(QStringLiteral("programa")));
    rutas::fijarCarpetaPrograma(dir.filePath(QStringLiteral("programa")));
    ini::fijarRuta(dir.filePath(QStringLiteral("QuenvarMRX.ini")));
    EscribirIni(QStringLiteral("Control"), QStringLiteral("Camara"), QStringLiteral("Simulada"));

    // The device alone, first (SANE is started and ended each time).
    std::vector<double> dispositivo;
    dispositivo.reserve(5);
    for (int i = 0; i < 5; ++i)
        dispositivo.push_back(escaneoSoloSane());

    std::vector<double> abrir, escanear, aceptar;
    QSize escaneada;
    for (int i = 0; i < 5; ++i) {
        QElapsedTimer t;
        t.start();
        ObtenerFoto f;
        f.show();
        QCoreApplication::processEvents();
        abrir.push_back(ms(t));

        auto* text1 = f.findChild<QLineEdit*>(QStringLiteral("Text1"));
        auto* aceptarBoton = f.findChild<QPushButton*>(QStringLiteral("Command4"));
        t.start();
        f.findChild<QPushButton*>(QStringLiteral("Command2"))->click();
        if (!esperar([&] { return !text1->text().isEmpty() && aceptarBoton->isEnabled(); })) {
            std::fprintf(stderr, "el escaneo no terminó\n");
            return 1;
        }
        escanear.push_back(ms(t));
        escaneada = f.edicion().original().size();

        t.start();
        aceptarBoton->click();
        aceptar.push_back(ms(t));
    }
    // The first scan also starts SANE in the window's scanner thread; later ones do not.
    std::printf("Abrir ObtenerFoto: mediana %.1f ms, primera %.1f ms (meta < 300 ms)\n",
                mediana(abrir), abrir.front());
    std::printf("Escaneo %dx%d por el backend test: ventana mediana %.1f ms, SANE solo "
                "mediana %.1f ms, diferencia %.1f ms (meta < 300 ms)\n",
                escaneada.width(), escaneada.height(), mediana(escanear), mediana(dispositivo),
                mediana(escanear) - mediana(dispositivo));
    std::printf("Aceptar (Foto.jpg de 267x267): mediana %.1f ms, máximo %.1f ms (meta < 300 ms)\n",
                mediana(aceptar), maximo(aceptar));

    {
        // Brightness moved over its whole range on the 600 x 800 scan, each value
        // recomputed and painted.
        ObtenerFoto f;
        f.show();
        auto* text1 = f.findChild<QLineEdit*>(QStringLiteral("Text1"));
        auto* h1 = f.findChild<QScrollBar*>(QStringLiteral("H1"));
        auto* h2 = f.findChild<QScrollBar*>(QStringLiteral("H2"));
        auto* im1 = f.findChild<QLabel*>(QStringLiteral("Im1"));
        f.findChild<QPushButton*>(QStringLiteral("Command2"))->click();
        if (!esperar([&] { return !text1->text().isEmpty() && h1->isEnabled(); }))
            return 1;
        h2->setValue(25);
        std::vector<double> cambios;
        for (int v = -100; v <= 100; v += 2) {
            QElapsedTimer t;
            t.start();
            h1->setValue(v);
            im1->repaint();
            cambios.push_back(ms(t));
        }
        std::printf("Brillo/contraste sobre %dx%d: mediana %.2f ms, máximo %.2f ms por cambio "
                    "(meta < 16 ms)\n",
                    f.edicion().original().width(), f.edicion().original().height(),
                    mediana(cambios), maximo(cambios));
    }

    {
        // The simulated camera's live picture for five seconds.
        FrmWebcam w;
        w.show();
        if (!esperar([&] { return w.vista()->cuadrosPintados() > 3; }))
            return 1;
        w.vista()->reiniciarCuenta();
        const double cpu0 = medicion::segundosCpu();
        QElapsedTimer t;
        t.start();
        esperar([&] { return t.elapsed() >= 5000; }, 6000);
        const double segundos = static_cast<double>(t.nsecsElapsed()) / 1e9;
        const double cpu = medicion::segundosCpu() - cpu0;
        const qint64 pintados = w.vista()->cuadrosPintados();
        const auto esperados = static_cast<qint64>(segundos * 1000.0 / 33.0);
        std::printf("Cámara simulada 640x480: %lld cuadros pintados en %.1f s (%.1f por segundo; "
                    "%lld esperados), mayor intervalo %lld ms, CPU %.1f %% de un núcleo (meta: "
                    "sin cuadros perdidos a 30 por segundo, CPU < 10 %%)\n",
                    static_cast<long long>(pintados), segundos,
                    static_cast<double>(pintados) / segundos, static_cast<long long>(esperados),
                    static_cast<long long>(w.vista()->mayorIntervaloMs()), 100.0 * cpu / segundos);
    }
    return 0;
}
