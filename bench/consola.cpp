// Key arrival to the console's grid cell lit: 54 keypads at 1,000 reports per second,
// sent from a reader thread as the receiver link does, into the whole session window
// (session, answer grid, console), offscreen on two screens as in a room: the operator's
// and the projector. The window is driven whole, so whatever
// it does with each report is in the figures. Each question ends through the console's
// "Siguiente pregunta" once everyone has answered, so the cells light again and again.
#include "Banco.h"
#include "Medicion.h"
#include "app/Claves.h"
#include "app/Ini.h"
#include "app/Rutas.h"
#include "data/ActualizacionEsquema.h"
#include "data/Configuracion.h"
#include "data/De1.h"
#include "groups/Seleccion.h"
#include "keypads/Receptor.h"
#include "session/SesionExamen.h"
#include "session/TableroRespuestas.h"
#include "session/ventanas/FrmConsola.h"
#include "session/ventanas/FrmInteligencia.h"
#include "session/ventanas/NombresFrmConsola.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QKeyEvent>
#include <QPushButton>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QThread>
#include <QTimer>
#include <QToolButton>
#include <algorithm>
#include <atomic>
#include <cstdio>
#include <vector>

namespace {

constexpr int kEvaluados = 54;
constexpr int kPreguntas = 400;
constexpr int kReportes = 10000; // 10 s at 1,000 reports per second
// Chance in 10,000 that a keypad's key is in a report: a room answering a question
// in about half a second, most reports carrying no key or one.
constexpr int kPorDiezMil = 80;

using banco::ReceptorBanco;
using banco::SeleccionBanco;
using medicion::esperar;

void sembrar(De1& db, QList<Evaluado>& lista) {
    Transaccion t(db);
    for (int i = 0; i < kEvaluados; ++i) {
        const QString nombre = QStringLiteral("Evaluado %1").arg(i + 1);
        const auto codigo = qint32(db.insertar(
            "Personas",
            {{"NombrePersona", nombre}, {"FechaNac", db.dialecto().fecha(QDate(1990, 1, 1))}},
            "CodigoPersona"));
        lista.append({0, codigo, nombre, QString::number(20000000 + i), 3 + i});
    }
    banco::sembrarPreguntas(db, 1, kPreguntas, 600, banco::textoPregunta, [](int) { return 1; });
    GuardarConfiguracion(db, ajustes::kSiguientePregunta, "1");
    t.confirmar();
}

// Watches the cells' paint events: a cell counts as lit on screen when it is painted lit.
class Pintura : public QObject {
public:
    explicit Pintura(TableroRespuestas& t) : tablero(t) {}
    TableroRespuestas& tablero;
    QList<QToolButton*> celdas;
    std::vector<qint64> desde; // the report time a pending cell waits to be painted for
    QElapsedTimer* reloj = nullptr;
    std::vector<double> ms;

protected:
    bool eventFilter(QObject* o, QEvent* e) override {
        if (e->type() == QEvent::Paint) {
            const auto k = celdas.indexOf(static_cast<QToolButton*>(o));
            if (k >= 0 && desde[size_t(k)] >= 0 && tablero.respondio(int(k))) {
                ms.push_back(double(reloj->nsecsElapsed() - desde[size_t(k)]) / 1e6);
                desde[size_t(k)] = -1;
            }
        }
        return false;
    }
};

class Llegadas : public QObject {
public:
    qint64 cuantas = 0;

protected:
    bool eventFilter(QObject*, QEvent* e) override {
        if (e->type() == QEvent::MetaCall)
            ++cuantas;
        return false;
    }
};

void imprimir(const char* que, std::vector<double> v) {
    if (v.empty()) {
        std::printf("%s: no samples\n", que);
        return;
    }
    std::sort(v.begin(), v.end());
    auto p = [&](double q) { return v.at(std::min(v.size() - 1, size_t(q * double(v.size())))); };
    std::printf("%s: %zu cells, p50 %.2f ms, p90 %.2f ms, p99 %.2f ms, max %.2f ms "
                "[target p99 < 20 ms]\n",
                que, v.size(), p(0.50), p(0.90), p(0.99), v.back());
}

} // namespace

int main(int argc, char** argv) {
    QTemporaryDir dir;
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        QFile pantallas(dir.filePath("pantallas.json"));
        if (!pantallas.open(QIODevice::WriteOnly))
            return 1;
        pantallas.write(R"({"screens": [
            {"name": "Operador", "x": 0, "y": 0, "width": 1366, "height": 768},
            {"name": "Proyector", "x": 1366, "y": 0, "width": 1920, "height": 1080}]})");
        pantallas.close();
        qputenv("QT_QPA_PLATFORM", "offscreen:configfile=" + pantallas.fileName().toLocal8Bit());
    }
    QApplication app(argc, argv);
    banco::prepararCarpetas(dir);

    De1 db;
    banco::abrirCatalogo(db, dir.filePath("catalogo.sqlite"));
    SeleccionBanco seleccion;
    sembrar(db, seleccion.lista);

    ReceptorBanco receptor;
    FrmInteligencia ventana(db, seleccion, receptor, 0);
    ventana.show();
    FrmConsola& consola = ventana.consola();
    TableroRespuestas& tablero = ventana.tablero();
    auto* siguiente = consola.findChild<QPushButton*>(nombres::frmConsola::kSiguiente);

    QElapsedTimer reloj;
    reloj.start();
    std::vector<qint64> enviado(kReportes, 0);
    std::vector<double> estado; // report sent to the cell's state changed
    Pintura pintura(tablero);
    pintura.reloj = &reloj;
    pintura.celdas = consola.findChildren<QToolButton*>(nombres::frmConsola::kCelda);
    pintura.desde.assign(size_t(pintura.celdas.size()), -1);
    for (QToolButton* b : pintura.celdas)
        b->installEventFilter(&pintura);

    // Each report reaches the session as a queued call of its own, in order: counting
    // them tells which report a cell lit in.
    Llegadas llegadas;
    ventana.sesion().installEventFilter(&llegadas);
    QObject::connect(&tablero, &TableroRespuestas::encendido, &tablero, [&](int k) {
        const qint64 t0 = enviado.at(size_t(llegadas.cuantas - 1));
        estado.push_back(double(reloj.nsecsElapsed() - t0) / 1e6);
        pintura.desde[size_t(k)] = t0;
    });
    int preguntas = 0;
    QObject::connect(&tablero, &TableroRespuestas::cambiado, &tablero, [&] {
        if (tablero.siguienteDisponible())
            QTimer::singleShot(0, siguiente, [&] {
                if (siguiente->isEnabled()) {
                    ++preguntas;
                    siguiente->click();
                }
            });
    });

    QKeyEvent espacio(QEvent::KeyPress, Qt::Key_Space, Qt::NoModifier, QStringLiteral(" "));
    QApplication::sendEvent(&ventana, &espacio);
    esperar(300);

    std::atomic<qint64> enviados = 0;
    QThread* lector = QThread::create([&] {
        QEventLoop bucle;
        QTimer pulso;
        pulso.setTimerType(Qt::PreciseTimer);
        QRandomGenerator azar(11);
        qint64 n = 0;
        QByteArray r(Receptor::kLargoReporte, '\0');
        QElapsedTimer desde;
        desde.start();
        // Every tick sends the reports due by then: 1 per millisecond on average.
        QObject::connect(&pulso, &QTimer::timeout, [&] {
            const qint64 debidos = std::min<qint64>(desde.elapsed(), kReportes);
            for (; n < debidos; ++n) {
                for (int p = 0; p < kEvaluados; ++p)
                    r[p + 2] =
                        azar.bounded(10000) < kPorDiezMil ? char('1' + azar.bounded(4)) : '\0';
                enviado[size_t(n)] = reloj.nsecsElapsed();
                receptor.enviar(r);
            }
            enviados = n;
            if (n == kReportes)
                bucle.quit();
        });
        pulso.start(1);
        bucle.exec();
    });
    QElapsedTimer total;
    total.start();
    lector->start();
    while (!lector->isFinished())
        esperar(50);
    const double segundos = double(total.elapsed()) / 1000.0;
    esperar(300); // the last queued reports and paints
    delete lector;

    std::printf("54 keypads: %lld reports in %.2f s (%.0f reports/s), %lld handled, %d questions "
                "ended by \"Siguiente pregunta\"\n",
                qint64(enviados), segundos, double(enviados) / segundos, llegadas.cuantas,
                preguntas);
    imprimir("Key arrival to the cell lit (state)", estado);
    imprimir("Key arrival to the cell painted lit", pintura.ms);
    ventana.sesion().cancelar();
    ventana.close();
    return 0;
}
