// A session run by a process of its own, for the tests and figures that kill it:
// keys from a scripted receiver go through the session with its journal, and
// each one is printed once the session has taken it, so whoever kills the
// process knows which keys must be in the journal.
//
//   hijo_diario CATALOGO DIARIO EVALUADOS [TECLAS_POR_PREGUNTA]
//
// Runs exam 1 of the catalog; prints "listo" when the first question is shown,
// then "i pregunta evaluado tecla" per key, and "fin" when the exam is over.
#include "EntornoPrueba.h"
#include "ReceptorFalso.h"
#include "Tiempo.h"
#include "session/DiarioSesion.h"
#include "session/SesionExamen.h"

#include <QCoreApplication>
#include <QTimer>
#include <QUuid>
#include <cstdio>

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    const QStringList args = QCoreApplication::arguments();
    if (args.size() < 4) {
        std::fprintf(stderr, "uso: hijo_diario CATALOGO DIARIO EVALUADOS [TECLAS]\n");
        return 2;
    }
    const int evaluados = args.at(3).toInt();
    const int porPregunta = args.size() > 4 ? args.at(4).toInt() : 10;

    De1 de1(QStringLiteral("hijo"));
    RelojDePrueba reloj;
    SesionExamen sesion(de1, reloj);
    DiarioSesion diario;
    try {
        de1.abrir(EntornoPrueba::conexion(args.at(1)));
        IdentidadDiario identidad;
        identidad.identidad = QUuid::createUuid().toString(QUuid::WithoutBraces);
        identidad.examen = 1;
        identidad.responsable = 7;
        identidad.inicio = QDateTime::currentDateTime();
        for (int k = 0; k < evaluados; ++k)
            identidad.personas << k + 1;
        if (!diario.crear(args.at(2), identidad)) {
            std::fprintf(stderr, "%s\n", qPrintable(diario.error()));
            return 1;
        }
        sesion.usarDiario(&diario);
        sesion.iniciar(identidad.examen, identidad.personas);
    } catch (const ErrorBD& e) {
        std::fprintf(stderr, "%s\n", qPrintable(e.texto()));
        return 1;
    }
    QObject::connect(&sesion, &SesionExamen::examenTerminado, &app, [] {
        std::printf("fin\n");
        std::fflush(stdout);
        QCoreApplication::exit(0);
    });
    std::printf("listo\n");
    std::fflush(stdout);

    int i = 0;
    QTimer receptor;
    receptor.setInterval(1);
    QObject::connect(&receptor, &QTimer::timeout, &app, [&] {
        const int evaluado = i % evaluados;
        const char tecla = char('1' + (i / evaluados) % 3);
        QList<char> teclas(evaluado + 1, '\0');
        teclas[evaluado] = tecla;
        sesion.recibirReporte(reporteRespuestas(teclas));
        std::printf("%d %d %d %c\n", i, sesion.preguntaActual(), evaluado, tecla);
        std::fflush(stdout);
        ++i;
        if (i % porPregunta == 0) {
            // Past the first second, Space ends the question.
            reloj.avanzar(1500);
            sesion.espacio();
        }
    });
    receptor.start();
    return QCoreApplication::exec();
}
