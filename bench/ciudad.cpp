// A city office's catalog: 1,000,000 persons, 100,000 groups, 10,000 exams and
// 10,000,000 result rows (fewer with a smaller size). Every operator action that
// reads the catalog, timed on it.
//   bench_ciudad [FILE [PERSONS]]
// FILE is made with the catalog generator's data when it does not exist (minutes
// at full size) and kept for the next run; without FILE a catalog of 100,000
// persons is made in a temporary folder.
#include "CatalogoCiudad.h"
#include "Medicion.h"
#include "app/Claves.h"
#include "app/Ini.h"
#include "app/Rutas.h"
#include "data/ActualizacionEsquema.h"
#include "data/Configuracion.h"
#include "data/De1.h"
#include "groups/RepositorioGrupos.h"
#include "groups/RepositorioMiembros.h"
#include "groups/ventanas/FrmAddPersonas.h"
#include "groups/ventanas/MenuPrincipal.h"
#include "keypads/ReceptorSimulado.h"
#include "keypads/ventanas/FrmAddControles.h"
#include "session/Calificacion.h"
#include "session/RegistroResultados.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QLineEdit>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <functional>
#include <vector>

namespace {

using medicion::Cifras;
using medicion::medir;
using medicion::segundos;

void imprimir(const QString& que, const Cifras& c, double objetivo) {
    std::printf("%-58s min %8.2f  mediana %8.2f  max %8.2f ms  (objetivo < %.0f ms)\n",
                qPrintable(que), c.minimo, c.mediana, c.maximo, objetivo);
}

void abrir(De1& db, const QString& archivo) {
    ConfigConexion c;
    c.archivoSqlite = archivo;
    db.abrir(c);
}

// A catalog of that size at that file, made unless it is there.
void preparar(const QString& archivo, qint64 personas) {
    if (QFileInfo::exists(archivo))
        return;
    QElapsedTimer t;
    t.start();
    De1 db(QStringLiteral("generador"));
    abrir(db, archivo);
    ActualizarEsquema(db);
    ciudad::llenar(db, {personas}, [&t](const QString& paso) {
        std::printf("  %7.1f s  %s\n", segundos(t), qPrintable(paso));
        std::fflush(stdout);
    });
    db.cerrar();
    std::printf("Generador: %lld personas en %.1f s\n", static_cast<long long>(personas),
                segundos(t));
}

// 100 sessions of 54 examinees stored as the session stores them; the seconds.
double guardarSesiones(De1& db, qint32 primeraPersona) {
    RegistroResultados registro(db, 1);
    Calificacion c;
    c.preguntas = 30;
    c.correctas = 20;
    c.incorrectas = 10;
    c.veredicto = Calificacion::kAprobado;
    QElapsedTimer t;
    t.start();
    for (int s = 0; s < 100; ++s) {
        Transaccion tr(db);
        registro.bloquearContador();
        for (int k = 0; k < 54; ++k)
            registro.guardarEnTransaccion(primeraPersona + s * 54 + k, 1 + s, c);
        tr.confirmar();
    }
    return segundos(t);
}

} // namespace

int main(int argc, char** argv) {
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QTemporaryDir dir;
    qputenv("QUENVAR_ROOT", dir.filePath(QStringLiteral("raiz")).toLocal8Bit());
    rutas::fijarCarpetaPrograma(QCoreApplication::applicationDirPath());
    rutas::fijarCarpetaPlantillas(dir.filePath(QStringLiteral("Templates")));
    ini::fijarRuta(dir.filePath(QStringLiteral("QuenvarMRX.ini")));
    EscribirIni(claves::kReceptor, QStringLiteral("Simulado"));

    const QStringList args = app.arguments();
    const QString archivo = args.size() > 1 ? QFileInfo(args.at(1)).absoluteFilePath()
                                            : dir.filePath(QStringLiteral("ciudad.sqlite"));
    const qint64 personas = args.size() > 2 ? args.at(2).toLongLong() : 100000;
    preparar(archivo, personas);
    std::printf("Catálogo: %s, %.0f MB\n", qPrintable(archivo),
                static_cast<double>(QFileInfo(archivo).size()) / 1e6);

    De1 db;
    imprimir(QStringLiteral("Arranque: abrir el catálogo y actualizar el esquema"),
             medir(5,
                   [&] {
                       db.cerrar();
                       abrir(db, archivo);
                       ActualizarEsquema(db);
                   }),
             500);
    const auto contar = [&db](const char* sql) {
        return db.valor(QString::fromLatin1(sql)).toLongLong();
    };
    std::printf("  personas %lld, grupos %lld, exámenes %lld, resultados %lld\n",
                contar("SELECT max(CodigoPersona) FROM Personas"),
                contar("SELECT max(CodigoGrupo) FROM Grupos"),
                contar("SELECT count(*) FROM Examenes"),
                contar("SELECT max(DetalleExamen) FROM Resultados"));

    // The roster editor's filter, the query and the model as one keystroke does it.
    ModeloPersonasFiltrado modelo(db);
    double peor = 0;
    for (const auto& [campo, texto] :
         std::initializer_list<std::pair<int, const char*>>{{0, "García"},
                                                            {0, "garcía lópez"},
                                                            {0, "Muñoz Pérez, Ana"},
                                                            {0, "Xqzw"},
                                                            {0, "Zubizarreta Urquijo"},
                                                            {0, "García García, María Carmen"},
                                                            {0, "G"},
                                                            {0, "xq"},
                                                            {1, "1234"},
                                                            {1, "12345678Z"},
                                                            {1, "99999999"},
                                                            {1, "7"},
                                                            {0, ""}}) {
        const CampoPersona c = campo == 0 ? CampoPersona::Nombre : CampoPersona::Documento;
        const QString buscado = QString::fromUtf8(texto);
        const Cifras cifras = medir(9, [&] { modelo.filtrar(c, buscado, true); });
        peor = std::max(peor, cifras.maximo);
        imprimir(
            QStringLiteral("Filtro %1 \"%2\": %3 filas%4")
                .arg(campo == 0 ? QStringLiteral("nombre") : QStringLiteral("documento"), buscado)
                .arg(modelo.rowCount())
                .arg(modelo.buscando() ? QStringLiteral(" (sigue)") : QString()),
            cifras, 5);
    }
    std::printf("  peor tecla en el filtro: %.2f ms\n", peor);

    RepositorioGrupos grupos(db);
    for (const auto& [campo, texto] : std::initializer_list<std::pair<int, const char*>>{
             {1, "mañana 12 norte"}, {1, "intensivo"}, {0, "C-099999"}, {0, "zzz"}, {1, "7"}}) {
        QList<qint32> hallados;
        const auto donde =
            campo == 0 ? RepositorioGrupos::Campo::Curso : RepositorioGrupos::Campo::Descripcion;
        const QString buscado = QString::fromUtf8(texto);
        const Cifras cifras = medir(7, [&] { hallados = grupos.buscar(donde, buscado, 1000); });
        imprimir(QStringLiteral("Búsqueda de grupos \"%1\": %2")
                     .arg(QString::fromUtf8(texto))
                     .arg(hallados.size()),
                 cifras, 10);
    }
    const qint32 ultimoGrupo = qint32(contar("SELECT max(CodigoGrupo) FROM Grupos"));
    imprimir(QStringLiteral("Evaluados de un grupo"),
             medir(9, [&] { RepositorioMiembros(db).evaluados(ultimoGrupo / 2); }), 5);

    std::unique_ptr<MenuPrincipal> menu;
    imprimir(QStringLiteral("Ventana principal: carga y primera pintura"),
             medir(5,
                   [&] {
                       menu = std::make_unique<MenuPrincipal>(db, 0);
                       menu->show();
                       QCoreApplication::processEvents();
                   }),
             100);
    std::printf(
        "  grupos listados: %d\n",
        menu->findChild<QAbstractItemView*>(QStringLiteral("LvGrupos"))->model()->rowCount());
    QLineEdit* buscar = menu->findChild<QLineEdit*>(QStringLiteral("TxtBuscarGrupo"));
    buscar->setText(QStringLiteral("Recuperación 3 Sur"));
    imprimir(QStringLiteral("Ventana principal: buscar (Enter)"),
             medir(5,
                   [&] {
                       Q_EMIT buscar->returnPressed();
                       QCoreApplication::processEvents();
                   }),
             10);
    const Grupo grupo = *menu->grupoSeleccionado();

    std::unique_ptr<FrmAddPersonas> editor;
    imprimir(QStringLiteral("Editor de evaluados: apertura"),
             medir(5,
                   [&] {
                       editor = std::make_unique<FrmAddPersonas>(db, grupo);
                       editor->show();
                       QCoreApplication::processEvents();
                   }),
             100);
    QLineEdit* filtro = editor->findChild<QLineEdit*>(QStringLiteral("TxtFiltro"));
    const QString escrito = QStringLiteral("Muñoz Pérez, Ana");
    double peorTecla = 0;
    for (int n = 1; n <= escrito.size(); ++n) {
        QElapsedTimer t;
        t.start();
        filtro->setText(escrito.left(n));
        QCoreApplication::processEvents();
        peorTecla = std::max(peorTecla, static_cast<double>(t.nsecsElapsed()) / 1e6);
    }
    std::printf("%-58s peor %8.2f ms  (objetivo < 50 ms)\n",
                "Editor de evaluados: \"Muñoz Pérez, Ana\" tecla a tecla", peorTecla);
    editor.reset();

    ReceptorSimulado receptor;
    std::unique_ptr<FrmAddControles> controles;
    imprimir(QStringLiteral("Asignación de controles: apertura"),
             medir(5,
                   [&] {
                       controles = std::make_unique<FrmAddControles>(db, *menu, receptor);
                       controles->show();
                       QCoreApplication::processEvents();
                   }),
             100);
    controles.reset();
    menu.reset();

    // Storing results: on this catalog and on an empty one with the same persons.
    {
        const QString vacio = dir.filePath(QStringLiteral("vacio.sqlite"));
        De1 chico(QStringLiteral("vacio"));
        abrir(chico, vacio);
        ActualizarEsquema(chico);
        ciudad::llenar(chico, {6000});
        chico.ejecutar(QStringLiteral("DELETE FROM Resultados"));
        chico.ejecutar(QStringLiteral("DELETE FROM DetalleExamenes"));
        chico.ejecutar(QStringLiteral("DELETE FROM Carpetas"));
        const double enVacio = guardarSesiones(chico, 1);
        const double enCiudad = guardarSesiones(db, qint32(personas / 2));
        std::printf("Guardar 100 sesiones de 54 evaluados: %.0f ms en la ciudad, %.0f ms en un "
                    "catálogo vacío (%+.0f %%)\n",
                    enCiudad * 1000, enVacio * 1000, (enCiudad / enVacio - 1) * 100);
    }

    // The index built for an existing catalog, as the first start after the upgrade.
    if (!qEnvironmentVariableIsSet("BENCH_SIN_INDICE")) {
        indices::quitar(db);
        GuardarConfiguracion(db, QStringLiteral("DBVersionTavelmo"), QStringLiteral("2"));
        QElapsedTimer t;
        t.start();
        int pasos = 0;
        ActualizarEsquema(db, [&pasos](int) { ++pasos; });
        std::printf("Índice de búsqueda de un catálogo existente: %.1f s, %d avances "
                    "(objetivo < 30 s)\n",
                    segundos(t), pasos);
    }
    return 0;
}
