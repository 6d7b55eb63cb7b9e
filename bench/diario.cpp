// The session journal's figures: its cost per report on the interface thread
// with the flushes running, keys lost when a session process is killed at
// random moments, and the time from a start to the resumed question on screen.
#include "Banco.h"
#include "Medicion.h"
#include "app/Ini.h"
#include "app/Rutas.h"
#include "app/ventanas/Dialogos.h"
#include "data/ActualizacionEsquema.h"
#include "data/De1.h"
#include "keypads/Receptor.h"
#include "session/DiarioSesion.h"
#include "session/Reloj.h"
#include "session/SesionExamen.h"
#include "session/ventanas/FrmInteligencia.h"
#include "session/ventanas/ReanudacionSesion.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QLabel>
#include <QProcess>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTimer>
#include <QUuid>
#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

constexpr int kEvaluados = 54;
constexpr int kPreguntas = 100;

using banco::ReceptorBanco;

// Resumes whatever it is offered.
class DialogosBanco : public Dialogos {
public:
    Respuesta mensaje(QWidget*, const QString&, Icono, const QString&, Botones) override {
        return Respuesta::Aceptar;
    }
    std::optional<QString> entrada(QWidget*, const QString&, const QString&,
                                   const QString&) override {
        return std::nullopt;
    }
    QString abrirArchivo(QWidget*, const QString&, const QString&, const QString&) override {
        return {};
    }
    QString guardarArchivo(QWidget*, const QString&, const QString&, const QString&) override {
        return {};
    }
    bool imprimir(QWidget*, QPrinter&) override { return false; }
    std::optional<int> elegir(QWidget*, const QString&, const QString&, const QStringList&,
                              int) override {
        return std::nullopt;
    }
    std::optional<int> opciones(QWidget*, const QString&, Icono, const QString&,
                                const QStringList&) override {
        return 0;
    }
};

QByteArray reporteDe(int evaluado, char tecla) {
    QByteArray r(Receptor::kLargoReporte, '\0');
    r[2 + evaluado] = tecla;
    return r;
}

void sembrar(De1& db, QList<qint32>& personas, qint32& grupo) {
    Transaccion t(db);
    grupo = qint32(
        db.insertar("Grupos", {{"NroCurso", "B-1"}, {"Descripcion", "Banco"}}, "CodigoGrupo"));
    for (int i = 0; i < kEvaluados; ++i) {
        personas << qint32(db.insertar("Personas",
                                       {{"NombrePersona", QStringLiteral("Evaluado %1").arg(i)}},
                                       "CodigoPersona"));
        db.insertar("GruposPersonas",
                    {{"Grupo", grupo}, {"Persona", personas.last()}, {"Remoto", i + 1}},
                    "CodigoGrupoPersona");
    }
    db.insertarSinIdentidad("Examenes", {{"CodigoExamen", 1}, {"DescripcionExamen", "Banco"}});
    banco::sembrarPreguntas(db, 1, kPreguntas, 16, banco::textoPregunta, [](int) { return 1; });
    t.confirmar();
}

struct Cifras {
    double p50 = 0, p99 = 0, maximo = 0;
};

Cifras cifras(const std::vector<double>& us) {
    return {medicion::percentil(us, 0.5), medicion::percentil(us, 0.99),
            medicion::percentil(us, 1)};
}

// `reportes` reports, one per millisecond (1,000 a second, as a full room answering at once).
template <typename F> std::vector<double> aRitmo(int reportes, F&& uno) {
    std::vector<double> us;
    us.reserve(size_t(reportes));
    QEventLoop bucle;
    QTimer t;
    t.setTimerType(Qt::PreciseTimer);
    t.setInterval(1);
    int i = 0;
    QObject::connect(&t, &QTimer::timeout, &bucle, [&] {
        QElapsedTimer r;
        r.start();
        uno(i);
        us.push_back(double(r.nsecsElapsed()) / 1000.0);
        if (++i == reportes)
            bucle.quit();
    });
    t.start();
    bucle.exec();
    return us;
}

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QTemporaryDir dir;
    banco::prepararCarpetas(dir);
    DialogosBanco dialogos;
    Dialogos::instalar(&dialogos);

    const QString archivoCatalogo = dir.filePath("catalogo.sqlite");
    QList<qint32> personas;
    qint32 grupo = 0;
    {
        De1 db(QStringLiteral("siembra"));
        banco::abrirCatalogo(db, archivoCatalogo);
        sembrar(db, personas, grupo);
    }

    // 1. Cost per report on the interface thread, flushes running beside it.
    constexpr int kReportes = 5000;
    {
        DiarioSesion d;
        IdentidadDiario id;
        id.identidad = QStringLiteral("banco");
        id.personas = personas;
        d.crear(dir.filePath("costo.diario"), id);
        QElapsedTimer total;
        total.start();
        const Cifras c = cifras(aRitmo(kReportes, [&](int i) {
            d.reporte(i / 500, reporteDe(i % kEvaluados, char('1' + i % 4)));
        }));
        std::printf("Journal append per report (%d reports at 1,000/s): p50 %.1f us, p99 %.1f us, "
                    "max %.1f us; %lld flushes to disk (%.1f per second)\n",
                    kReportes, c.p50, c.p99, c.maximo, qint64(d.sincronizaciones()),
                    double(d.sincronizaciones()) * 1000.0 / double(total.elapsed()));
    }
    {
        De1 db(QStringLiteral("costo"));
        ConfigConexion c;
        c.archivoSqlite = archivoCatalogo;
        db.abrir(c);
        RelojMonotono reloj;
        SesionExamen sesion(db, reloj);
        DiarioSesion d;
        IdentidadDiario id;
        id.identidad = QStringLiteral("banco");
        id.personas = personas;
        id.examen = 1;
        d.crear(dir.filePath("sesion.diario"), id);
        sesion.usarDiario(&d);
        sesion.iniciar(1, personas);
        const Cifras s = cifras(aRitmo(kReportes, [&](int i) {
            sesion.recibirReporte(reporteDe(i % kEvaluados, char('1' + i % 4)));
        }));
        std::printf("Session report with its journal (decode, append, matrix): p50 %.1f us, "
                    "p99 %.1f us, max %.1f us\n",
                    s.p50, s.p99, s.maximo);
    }

    // 2. Keys lost across kills at random moments of a session process.
    {
        constexpr int kMuertes = 100;
        QRandomGenerator azar(12);
        qint64 impresas = 0;
        qint64 perdidas = 0;
        int sinDiario = 0;
        for (int m = 0; m < kMuertes; ++m) {
            const QString ruta = dir.filePath(QStringLiteral("muerte%1.diario").arg(m));
            QProcess hijo;
            hijo.start(QStringLiteral(HIJO_DIARIO),
                       {archivoCatalogo, ruta, QString::number(kEvaluados), "25"});
            hijo.waitForStarted();
            QEventLoop bucle;
            QObject::connect(&hijo, &QProcess::finished, &bucle, &QEventLoop::quit);
            QTimer::singleShot(int(azar.bounded(50, 450)), &hijo, [&hijo] { hijo.kill(); });
            bucle.exec();
            QList<QByteArray> lineas = hijo.readAllStandardOutput().split('\n');
            const std::optional<LecturaDiario> l = leerDiario(ruta);
            if (!l)
                ++sinDiario;
            for (const QByteArray& linea : std::as_const(lineas)) {
                const QList<QByteArray> c = linea.split(' ');
                if (c.size() != 4)
                    continue;
                ++impresas;
                const qsizetype i = c.at(0).toInt();
                const bool esta =
                    l && i < l->reportes.size() && l->reportes.at(i).pregunta == c.at(1).toInt() &&
                    l->reportes.at(i).reporte.at(2 + c.at(2).toInt()) == c.at(3).at(0);
                perdidas += esta ? 0 : 1;
            }
        }
        std::printf("Kills at random moments: %d, keys printed before the kill %lld, lost %lld "
                    "(killed before the journal existed: %d)\n",
                    kMuertes, impresas, perdidas, sinDiario);
    }

    // 3. Resume after a kill: from opening the catalog to the question on screen.
    {
        const QString ruta = DiarioSesion::rutaPredeterminada();
        {
            DiarioSesion d;
            IdentidadDiario id;
            id.identidad = QUuid::createUuid().toString(QUuid::WithoutBraces);
            id.grupo = grupo;
            id.examen = 1;
            id.inicio = QDateTime::currentDateTime();
            id.personas = personas;
            d.crear(ruta, id);
            for (int q = 0; q < 60; ++q) {
                d.preguntaMostrada(q);
                for (int k = 0; k < kEvaluados; ++k)
                    d.reporte(q, reporteDe(k, '2'));
                d.preguntaTerminada(q);
            }
            d.preguntaMostrada(60);
        }
        QElapsedTimer reloj;
        reloj.start();
        De1 db(QStringLiteral("reanudar"));
        banco::abrirCatalogo(db, archivoCatalogo);
        ReceptorBanco receptor;
        qint64 hastaPregunta = -1;
        QString mostrada;
        reanudacion::Opciones o;
        o.abrirModal = [&](QDialog& ventana) {
            ventana.show();
            QApplication::processEvents();
            hastaPregunta = reloj.nsecsElapsed();
            mostrada = ventana.findChild<QLabel*>(QStringLiteral("LblPregunta"))->text();
        };
        reanudacion::ofrecerReanudacion(db, nullptr, receptor, o);
        std::printf("Resume after a kill (open catalog, read journal of %d keys, open window): "
                    "%.1f ms to \"%s\" on screen\n",
                    60 * kEvaluados, double(hastaPregunta) / 1e6, qPrintable(mostrada));
    }
    Dialogos::instalar(nullptr);
    return 0;
}
