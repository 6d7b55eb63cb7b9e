// Exam session figures: storing a full roster's results, keys from 54 keypads
// at 1,000 reports per second, and the window's CPU use while a question waits.
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
#include "session/Calificacion.h"
#include "session/MatrizRespuestas.h"
#include "session/PreguntasExamen.h"
#include "session/RegistroResultados.h"
#include "session/SesionExamen.h"
#include "session/ventanas/FrmInteligencia.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QKeyEvent>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QThread>
#include <QTimer>
#include <atomic>
#include <cstdio>

namespace {

constexpr int kEvaluados = 54;
constexpr int kPreguntas = 100;

using banco::ReceptorBanco;
using banco::SeleccionBanco;
using medicion::esperar;

void sembrar(De1& db, QList<qint32>& personas) {
    Transaccion t(db);
    for (int i = 0; i < kEvaluados; ++i)
        personas << qint32(db.insertar("Personas",
                                       {{"NombrePersona", QStringLiteral("Evaluado %1").arg(i)},
                                        {"FechaNac", db.dialecto().fecha(QDate(1990, 1, 1))}},
                                       "CodigoPersona"));
    // Exam 1: the full exam; exam 2: one long question for the timing runs.
    const auto correcta = [](int q) { return 1 + q % 4; };
    banco::sembrarPreguntas(db, 1, kPreguntas, 16, banco::textoPregunta, correcta);
    banco::sembrarPreguntas(db, 2, 1, 600, banco::textoPregunta, correcta);
    GuardarConfiguracion(db, ajustes::kPrefijoCarpeta, "T");
    GuardarConfiguracion(db, ajustes::kContadorCarpetas, "0");
    t.confirmar();
}

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QTemporaryDir dir;
    banco::prepararCarpetas(dir);

    De1 db;
    banco::abrirCatalogo(db, dir.filePath("catalogo.sqlite"));
    QList<qint32> personas;
    sembrar(db, personas);

    // 1. Scoring and storing the whole roster, answer log included.
    QElapsedTimer reloj;
    reloj.start();
    const QList<PreguntaExamen> preguntas = CargarPreguntas(db, 1);
    const qint64 msCarga = reloj.elapsed();
    MatrizRespuestas matriz(kEvaluados, kPreguntas);
    QRandomGenerator azar(7);
    for (int k = 0; k < kEvaluados; ++k)
        for (int q = 0; q < kPreguntas; ++q)
            if (azar.bounded(10) != 0)
                matriz.fijar(k, q, QChar(u'1' + azar.bounded(4)));
    std::printf("Loading %d questions with their answers (once per session): %lld ms\n", kPreguntas,
                qint64(msCarga));
    {
        reloj.restart();
        EscribirIniLote(EntradasRegistroRespuestas(matriz, kEvaluados, kPreguntas));
        std::printf("  of which the answer log alone: %lld ms\n", qint64(reloj.elapsed()));
        reloj.restart();
        for (int k = 0; k < kEvaluados; ++k)
            Calificar(preguntas, matriz, k);
        std::printf("  of which scoring alone: %lld ms\n", qint64(reloj.elapsed()));
    }
    for (const char* vuelta : {"first examination of the day", "second examination, same day"}) {
        reloj.restart();
        const ResultadoGuardado r = GuardarSesion(db, 1, 0, personas, preguntas, matriz);
        std::printf("Scoring + storing %d examinees x %d questions, %s: %lld ms "
                    "(%d stored, %lld failed, log %s) [target < 250 ms]\n",
                    kEvaluados, kPreguntas, vuelta, qint64(reloj.elapsed()), r.guardados,
                    qint64(r.fallidos.size()), r.registroEscrito ? "written" : "NOT written");
    }

    // The window on a one-question exam of 600 s.
    SeleccionBanco seleccion;
    seleccion.examen = 2;
    for (qint32 p : personas)
        seleccion.lista.append({0, p, QString(), QString(), 0});
    ReceptorBanco receptor;
    FrmInteligencia ventana(db, seleccion, receptor, 0);
    ventana.show();
    QKeyEvent espacio(QEvent::KeyPress, Qt::Key_Space, Qt::NoModifier, QStringLiteral(" "));
    QApplication::sendEvent(&ventana, &espacio);
    esperar(300);

    // 2. CPU use while the question waits.
    const double cpu0 = medicion::segundosCpu();
    reloj.restart();
    esperar(4000);
    const double cpu =
        (medicion::segundosCpu() - cpu0) / (double(reloj.elapsed()) / 1000.0) * 100.0;
    std::printf("CPU while a question waits: %.2f %% of one core over %.1f s [target < 2 %%]\n",
                cpu, double(reloj.elapsed()) / 1000.0);

    // 3. 54 keypads answering at 1,000 reports/s, sent from a reader thread as a
    // receiver does, into the window's session.
    std::atomic<qint64> enviados = 0;
    QByteArray ultimo;
    QThread* lector = QThread::create([&] {
        QEventLoop bucle;
        QTimer pulso;
        pulso.setTimerType(Qt::PreciseTimer);
        qint64 n = 0;
        QByteArray r(Receptor::kLargoReporte, '\0');
        QElapsedTimer desde;
        desde.start();
        // Every tick sends the reports due by then: 1 per millisecond on average.
        QObject::connect(&pulso, &QTimer::timeout, [&] {
            const qint64 debidos = std::min<qint64>(desde.elapsed(), 3000);
            for (; n < debidos; ++n) {
                for (int p = 0; p < kEvaluados; ++p)
                    r[p + 2] = char('1' + (n + p) % 9);
                receptor.enviar(r);
            }
            enviados = n;
            if (n == 3000) {
                ultimo = r;
                bucle.quit();
            }
        });
        pulso.start(1);
        bucle.exec();
    });
    reloj.restart();
    lector->start();
    lector->wait();
    const double segundos = double(reloj.elapsed()) / 1000.0;
    esperar(200); // let the last queued reports arrive
    const qint64 teclas = ventana.sesion().teclasRecibidas();
    bool coincide = true;
    for (int p = 0; p < kEvaluados; ++p)
        coincide = coincide && ventana.sesion().matriz().celda(p, 0) == QChar(ultimo.at(p + 2));
    std::printf("54 keypads: %lld reports in %.2f s (%.0f reports/s), %lld keys sent, %lld "
                "received, %lld lost, matrix holds the last keys: %s [target 0 lost]\n",
                qint64(enviados), segundos, double(enviados) / segundos,
                qint64(enviados) * kEvaluados, teclas, qint64(enviados) * kEvaluados - teclas,
                coincide ? "yes" : "NO");
    delete lector;
    ventana.sesion().cancelar();
    ventana.close();
    return 0;
}
