// Results figures: the results window for 54 examinees x 100 questions, the
// group's and every examinee's PDF, the XLSX export, item statistics over 10,000
// stored examinations and a roster import of 1,000 rows.
#include "Banco.h"
#include "Medicion.h"
#include "app/Claves.h"
#include "app/Ini.h"
#include "app/Rutas.h"
#include "data/ActualizacionEsquema.h"
#include "data/Configuracion.h"
#include "data/De1.h"
#include "groups/ImportacionPadron.h"
#include "persons/AlmacenImagenes.h"
#include "session/ExportacionResultados.h"
#include "session/InformesExamen.h"
#include "session/MatrizRespuestas.h"
#include "session/PreguntasExamen.h"
#include "session/RegistroResultados.h"
#include "session/ResultadosExamen.h"
#include "session/ventanas/FrmResultados.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QImage>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <functional>

namespace {

constexpr int kEvaluados = 54;
constexpr int kPreguntas = 100;
constexpr int kExaminaciones = 10000;
constexpr int kFilasPadron = 1000;
constexpr int kPersonasRegistradas = 20000;

struct Datos {
    qint32 responsable = 0;
    qint32 grupo = 0;
    QList<qint32> personas;
};

Datos sembrar(De1& db) {
    Datos d;
    Transaccion t(db);
    const qint64 responsable = db.insertar(
        "Responsables", {{"NombreResponsable", "Operadora Núñez"}}, "CodigoResponsable");
    d.responsable = qint32(responsable);
    db.insertar("Documentos", {{"DescripcionDocumento", "DNI"}}, "CodigoDocumento");
    db.insertar("Ciudades", {{"DescripcionCiudad", "Peñalolén"}, {"Provincia", 1}}, "CodigoCiudad");
    d.grupo = qint32(db.insertar("Grupos",
                                 {{"NroCurso", "C-1"},
                                  {"Responsable", responsable},
                                  {"Descripcion", "Mañana"},
                                  {"Fecha", db.dialecto().fecha(QDate::currentDate())}},
                                 "CodigoGrupo"));
    // The office's persons; the first 54 are the group.
    for (int i = 0; i < kPersonasRegistradas; ++i) {
        const qint32 p = qint32(
            db.insertar("Personas",
                        {{"TipoDocumento", 1},
                         {"Documento", QString::number(20000000 + i)},
                         {"NombrePersona", QStringLiteral("Pérez Núñez, Evaluado %1").arg(i)},
                         {"Sexo", "F"},
                         {"FechaNac", db.dialecto().fecha(QDate(1990, 1, 1))},
                         {"Domicilio", "Calle Única 123"},
                         {"Ciudad", "Peñalolén"}},
                        "CodigoPersona"));
        if (i < kEvaluados) {
            d.personas << p;
            db.insertar("GruposPersonas", {{"Grupo", d.grupo}, {"Persona", p}, {"Remoto", 3 + i}},
                        "CodigoGrupoPersona");
        }
    }
    db.insertarSinIdentidad(
        "Examenes",
        {{"CodigoExamen", 1}, {"DescripcionExamen", "Teórico clase B"}, {"TipoExamen", "T"}});
    banco::sembrarPreguntas(
        db, 1, kPreguntas, 16,
        [](int q) {
            return QStringLiteral("Pregunta %1: ¿qué indica la señal de tránsito de la figura?")
                .arg(q);
        },
        [](int q) { return 1 + q % 4; });
    GuardarConfiguracion(db, ajustes::kPrefijoCarpeta, "T");
    GuardarConfiguracion(db, ajustes::kContadorCarpetas, "0");
    t.confirmar();
    // Photographs and signatures as a camera and a pad leave them.
    QImage foto(480, 640, QImage::Format_RGB32);
    QImage firma(600, 200, QImage::Format_RGB32);
    for (int i = 0; i < kEvaluados; ++i) {
        foto.fill(QColor::fromHsv(i * 6, 120, 200));
        firma.fill(Qt::white);
        foto.save(almacen::rutaGuardada(almacen::TipoImagen::Foto, d.personas.at(i)), "JPG", 85);
        firma.save(almacen::rutaGuardada(almacen::TipoImagen::Firma, d.personas.at(i)), "JPG");
    }
    return d;
}

MatrizRespuestas respuestas(int evaluados, quint32 semilla) {
    MatrizRespuestas m(evaluados, kPreguntas);
    QRandomGenerator azar(semilla);
    for (int k = 0; k < evaluados; ++k)
        for (int q = 0; q < kPreguntas; ++q)
            if (azar.bounded(12) != 0)
                m.fijar(k, q, QChar(u'1' + (azar.bounded(3) == 0 ? azar.bounded(4) : q % 4)));
    return m;
}

// Past examinations written straight into the sessions' record: 10,000 examinees.
void historia(De1& db, qint32 grupo) {
    QRandomGenerator azar(11);
    Transaccion t(db);
    QElapsedTimer r;
    r.start();
    int hechas = 0;
    for (int s = 0; hechas < kExaminaciones; ++s) {
        const int n = std::min(kEvaluados, kExaminaciones - hechas);
        const qint64 sesion = db.insertar(
            "SesionesExamen",
            {{"Grupo", grupo},
             {"Examen", 1},
             {"DescripcionExamen", "Teórico clase B"},
             {"Fecha", db.dialecto().fechaHora(QDateTime(QDate(2025, 1, 1).addDays(s), {}))}},
            "CodigoSesion");
        QStringList marcas;
        QVariantList valores;
        for (int q = 1; q <= kPreguntas; ++q) {
            marcas << "(?, ?, ?, ?, ?, ?)";
            valores << sesion << q << q << QStringLiteral("Pregunta %1").arg(q) << 1 + q % 4 << 4;
        }
        db.ejecutar("INSERT INTO PreguntasSesion (Sesion, Orden, Pregunta, Texto, Correcta, "
                    "Respuestas) VALUES " +
                        marcas.join(", "),
                    valores);
        for (int k = 1; k <= n; ++k) {
            QStringList filas;
            QVariantList v;
            int bien = 0;
            QString teclas;
            for (int q = 1; q <= kPreguntas; ++q) {
                const int tecla = azar.bounded(5); // 0: none
                const bool acierto = tecla == 1 + q % 4;
                bien += acierto;
                teclas += tecla ? QChar(u'0' + tecla) : QChar(u' ');
                filas << "(?, ?, ?, ?, ?)";
                v << sesion << k << q
                  << (tecla ? QVariant(QString::number(tecla))
                            : QVariant(QMetaType(QMetaType::QString)))
                  << (acierto ? 1 : 0);
                if (filas.size() == 200 || q == kPreguntas) {
                    db.ejecutar("INSERT INTO RespuestasSesion (Sesion, Posicion, Orden, Tecla, "
                                "Acierto) VALUES " +
                                    filas.join(", "),
                                v);
                    filas.clear();
                    v.clear();
                }
            }
            db.insertarSinIdentidad("EvaluadosSesion", {{"Sesion", sesion},
                                                        {"Posicion", k},
                                                        {"Correctas", bien},
                                                        {"Incorrectas", kPreguntas - bien},
                                                        {"Resultado", "Reprobado"},
                                                        {"Teclas", teclas}});
        }
        hechas += n;
    }
    t.confirmar();
    std::printf("(seeding %d past examinations: %.1f s)\n", kExaminaciones,
                double(r.elapsed()) / 1000.0);
}

// Processor time of the process: beside the wall time, it shows what the work
// costs when other programs share the machine.
qint64 cpuMs() {
    return qint64(medicion::segundosCpu() * 1000);
}

struct Medida {
    qint64 pared = 0; // ms
    qint64 cpu = 0;   // ms
    QString texto() const { return QStringLiteral("%1 ms (processor %2 ms)").arg(pared).arg(cpu); }
};

Medida medir(const std::function<void()>& trabajo) {
    QElapsedTimer reloj;
    const qint64 cpu0 = cpuMs();
    reloj.start();
    trabajo();
    return {reloj.elapsed(), cpuMs() - cpu0};
}

Medida mediana(QList<Medida> v) {
    std::sort(v.begin(), v.end(),
              [](const Medida& a, const Medida& b) { return a.pared < b.pared; });
    return v.at(v.size() / 2);
}

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QTemporaryDir dir;
    banco::prepararCarpetas(dir);
    rutas::fijarCarpetaPlantillas(dir.filePath("Templates"));
    for (const char* sub : {"~pha", "~sia", "~fia"})
        QDir().mkpath(dir.filePath(QStringLiteral("Templates/") + QString::fromLatin1(sub)));

    De1 db;
    banco::abrirCatalogo(db, dir.filePath("catalogo.sqlite"));
    const Datos d = sembrar(db);

    const QList<PreguntaExamen> preguntas = CargarPreguntas(db, 1);
    SesionRegistrada registrada;
    registrada.grupo = d.grupo;
    Medida m = medir([&] {
        GuardarSesion(db, 1, d.responsable, d.personas, preguntas, respuestas(kEvaluados, 7),
                      QDate::currentDate(), std::nullopt, &registrada);
    });
    std::printf("Storing a session of %d x %d with every key: %s [target < 250 ms]\n", kEvaluados,
                kPreguntas, qPrintable(m.texto()));
    const qint64 sesion = *registrada.codigo;

    // 1. The results window, from nothing to painted.
    QList<Medida> tiempos;
    for (int i = 0; i < 7; ++i)
        tiempos << medir([&] {
            FrmResultados ventana(db, d.grupo, sesion);
            ventana.show();
            QApplication::processEvents();
            ventana.repaint();
        });
    std::printf("Results window, %d x %d, shown: first %s, median %s [target < 100 ms]\n",
                kEvaluados, kPreguntas, qPrintable(tiempos.first().texto()),
                qPrintable(mediana(tiempos).texto()));

    // 2. The group's PDF and one PDF per examinee with photograph and signature,
    // each read from the catalog as the window does.
    qint64 bytes = 0;
    m = medir([&] {
        const Examinacion x = *resultados::cargar(db, sesion);
        informes::informeGrupo(x)->guardarPdf(dir.filePath("grupo.pdf"), informes::Papel::A4,
                                              "Grupo");
        bytes = QFile(dir.filePath("grupo.pdf")).size();
        for (int i = 0; i < kEvaluados; ++i) {
            const QString ruta = dir.filePath(QStringLiteral("evaluado%1.pdf").arg(i));
            informes::informeEvaluados(db, x, {i})
                ->guardarPdf(ruta, informes::Papel::A4, "Evaluado");
            bytes += QFile(ruta).size();
        }
    });
    std::printf("Group PDF + %d examinee PDFs with photographs: %s, %.1f MB "
                "[target < 3000 ms]\n",
                kEvaluados, qPrintable(m.texto()), double(bytes) / 1e6);

    // 3. XLSX export, read from the catalog.
    tiempos.clear();
    for (int i = 0; i < 5; ++i)
        tiempos << medir([&] {
            const Examinacion y = *resultados::cargar(db, sesion);
            FiltroEstadisticas f;
            f.sesion = sesion;
            exportacion::guardarXlsx(y, resultados::estadisticas(db, f), dir.filePath("r.xlsx"));
        });
    std::printf("XLSX export of %d x %d answers: median %s, %.0f kB [target < 500 ms]\n",
                kEvaluados, kPreguntas, qPrintable(mediana(tiempos).texto()),
                double(QFile(dir.filePath("r.xlsx")).size()) / 1e3);

    // 4. Item statistics of the exam over 10,000 examinations.
    historia(db, d.grupo);
    tiempos.clear();
    EstadisticasItems est;
    for (int i = 0; i < 3; ++i)
        tiempos << medir([&] {
            FiltroEstadisticas f;
            f.examen = 1;
            f.desde = QDate(2000, 1, 1);
            f.hasta = QDate::currentDate().addYears(1);
            est = resultados::estadisticas(db, f);
        });
    std::printf("Item statistics over %d examinations (%lld answers): median %s "
                "[target < 1000 ms]\n",
                est.evaluados, qint64(est.evaluados) * kPreguntas,
                qPrintable(mediana(tiempos).texto()));

    // 5. Roster import of 1,000 rows: 900 new persons, 100 already stored.
    QByteArray csv = "Documento;Apellidos y nombres;Sexo;Fecha de nacimiento;Ciudad\r\n";
    for (int i = 0; i < kFilasPadron; ++i)
        csv +=
            (i < 100 ? QByteArray::number(20000000 + 5000 + i) : QByteArray::number(40000000 + i)) +
            ";importado número " + QByteArray::number(i) + ";F;17/05/1990;Peñalolén\r\n";
    QFile archivo(dir.filePath("padron.csv"));
    archivo.open(QIODevice::WriteOnly);
    archivo.write(csv);
    archivo.close();
    const qint32 otroGrupo = qint32(db.insertar(
        "Grupos", {{"Descripcion", "Importado"}, {"Responsable", d.responsable}}, "CodigoGrupo"));
    ResultadoImportacion r;
    m = medir([&] {
        auto plan = importacion::prepararArchivo(db, archivo.fileName(), otroGrupo, 1);
        r = importacion::importar(db, otroGrupo, std::get<PlanImportacion>(plan));
    });
    std::printf("Roster import of %d rows among %d stored persons (%d created, %d added): %s "
                "[target < 2000 ms]\n",
                kFilasPadron, kPersonasRegistradas, r.creadas, r.agregadas, qPrintable(m.texto()));
    return 0;
}
