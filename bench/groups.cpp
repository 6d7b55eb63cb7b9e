// Main window and roster editor on an office-sized catalog: 100,000 persons,
// 10,000 groups, 54 members in the newest group.
#include "Medicion.h"
#include "app/Claves.h"
#include "app/Ini.h"
#include "app/Rutas.h"
#include "data/ActualizacionEsquema.h"
#include "data/De1.h"
#include "groups/ventanas/FrmAddPersonas.h"
#include "groups/ventanas/MenuPrincipal.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QComboBox>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <functional>

namespace {

const char* kNombres[] = {"Juan",  "María", "José",   "Ana",    "Luis",  "Carmen", "Pedro",
                          "Rosa",  "Jorge", "Lucía",  "Diego",  "Elena", "Andrés", "Sofía",
                          "Pablo", "Tomás", "Isabel", "Camila", "Raúl",  "Marta"};
const char* kApellidos[] = {"González", "Muñoz",     "Rojas",     "Díaz",  "Pérez",
                            "Soto",     "Contreras", "Silva",     "López", "Fuentes",
                            "Morales",  "Rodríguez", "Sepúlveda", "Vidal", "Hernández"};

void poblar(De1& db) {
    Transaccion t(db);
    const qint32 r =
        qint32(db.insertar("Responsables", {{"NombreResponsable", "Ana"}}, "CodigoResponsable"));
    QSqlQuery q(db.baseDatos());
    // Rows as full as the office's: the filter's scan reads them whole.
    q.prepare("INSERT INTO Personas (NombrePersona, Documento, TipoDocumento, Sexo, EstadoCivil, "
              "FechaNac, Sangre, Domicilio, Ciudad, Ocupacion, Telefono, Anteojos, Celular, "
              "EMail, Huella) VALUES (?, ?, 1, 'M', 'Soltero', '1980-05-17', '0 +', "
              "'Avenida Libertador Bernardo O''Higgins 1234 depto 56', 'Santiago', "
              "'Conductor profesional', '+56 2 2345 6789', 'No', '+56 9 8765 4321', "
              "'persona.de.prueba@correo.cl', '')");
    for (int i = 0; i < 100000; ++i) {
        q.addBindValue(QString::fromUtf8(kApellidos[i % 15]) + u' ' +
                       QString::fromUtf8(kApellidos[(i / 15) % 15]) + u' ' +
                       QString::fromUtf8(kNombres[(i / 7) % 20]));
        q.addBindValue(QString::number(10000000 + i * 37));
        q.exec();
    }
    q.prepare("INSERT INTO Grupos (NroCurso, Responsable, Descripcion, Fecha) VALUES (?, ?, ?, ?)");
    for (int i = 0; i < 10000; ++i) {
        q.addBindValue(QString("C-%1").arg(i));
        q.addBindValue(r);
        q.addBindValue(QString("Grupo de prueba %1").arg(i));
        q.addBindValue(db.dialecto().fecha(QDate(2020, 1, 1).addDays(i % 2000)));
        q.exec();
    }
    q.prepare("INSERT INTO GruposPersonas (Grupo, Persona, Remoto) VALUES (?, ?, ?)");
    for (int i = 0; i < 54; ++i) {
        q.addBindValue(10000);
        q.addBindValue(1 + i * 1800);
        q.addBindValue(i % 3 ? QVariant(i + 1) : QVariant());
        q.exec();
    }
    t.confirmar();
}

using medicion::Cifras;
using medicion::medir;

void imprimir(const char* que, const Cifras& c, double objetivo) {
    std::printf("%-52s min %7.1f  mediana %7.1f  max %7.1f ms  (objetivo < %.0f ms)\n", que,
                c.minimo, c.mediana, c.maximo, objetivo);
}

} // namespace

int main(int argc, char** argv) {
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QTemporaryDir dir;
    qputenv("QUENVAR_ROOT", dir.filePath("raiz").toLocal8Bit());
    rutas::fijarCarpetaPrograma(QCoreApplication::applicationDirPath());
    rutas::fijarCarpetaPlantillas(dir.filePath("Templates"));
    ini::fijarRuta(dir.filePath("QuenvarMRX.ini"));

    De1 db;
    ConfigConexion c;
    c.archivoSqlite = dir.filePath("catalogo.sqlite");
    db.abrir(c);
    ActualizarEsquema(db);
    QElapsedTimer t;
    t.start();
    poblar(db);
    std::printf("Catálogo: 100000 personas, 10000 grupos, 54 evaluados (%lld ms)\n",
                static_cast<long long>(t.elapsed()));

    std::unique_ptr<MenuPrincipal> menu;
    imprimir("Ventana principal: carga (grupos y evaluados)",
             medir(7, [&] { menu = std::make_unique<MenuPrincipal>(db, 0); }), 200);
    imprimir("Ventana principal: carga y primera pintura",
             medir(5,
                   [&] {
                       menu = std::make_unique<MenuPrincipal>(db, 0);
                       menu->show();
                       QCoreApplication::processEvents();
                   }),
             200);
    std::printf("  grupos listados: %d, evaluados: %lld\n",
                menu->findChild<QAbstractItemView*>("LvGrupos")->model()->rowCount(),
                static_cast<long long>(menu->evaluados().size()));
    const Grupo grupo = *menu->grupoSeleccionado();

    std::unique_ptr<FrmAddPersonas> editor;
    for (const char* campo : {"0", "1"}) {
        EscribirIni(claves::kFiltro, QString::fromLatin1(campo));
        editor.reset();
        imprimir(campo[0] == '0' ? "Editor de evaluados: apertura (filtro Nombre)"
                                 : "Editor de evaluados: apertura (filtro Documento)",
                 medir(7,
                       [&] {
                           editor = std::make_unique<FrmAddPersonas>(db, grupo);
                           editor->show();
                           QCoreApplication::processEvents();
                       }),
                 300);
    }

    QLineEdit* filtro = editor->findChild<QLineEdit*>("TxtFiltro");
    auto teclear = [&](const char* que, const QStringList& textos) {
        int i = 0;
        imprimir(que,
                 medir(static_cast<int>(textos.size()),
                       [&] {
                           QElapsedTimer t;
                           t.start();
                           filtro->setText(textos.at(i++));
                           const double a = static_cast<double>(t.nsecsElapsed()) / 1e6;
                           QCoreApplication::processEvents();
                           if (qEnvironmentVariableIsSet("BENCH_DETALLE"))
                               std::printf("    \"%s\": %.1f + %.1f ms\n",
                                           qPrintable(textos.at(i - 1)), a,
                                           static_cast<double>(t.nsecsElapsed()) / 1e6 - a);
                       }),
                 50);
    };
    // Document field (the default): digits typed one by one, then a text found nowhere.
    teclear("Tecla en el filtro por documento (10, 100, ...)",
            {"1", "10", "100", "1000", "10003", "100037", "1000374", "10003740"});
    teclear("Tecla en el filtro sin coincidencias", {"x", "xy", "xyz", "xyzw"});
    editor->findChild<QComboBox*>("ComboFiltro")->setCurrentIndex(0);
    teclear("Tecla en el filtro por nombre (S, So, ...)",
            {"S", "So", "Sot", "Soto", "Soto ", "Soto M", "Soto Mu", "Soto Muñ"});
    teclear("Borrar el filtro (todas las personas)", {"", "a", "", "a", ""});

    // The query alone, without the window, for the texts above.
    ModeloPersonasFiltrado modelo(db);
    for (const auto& [campo, texto] : std::initializer_list<std::pair<int, const char*>>{
             {1, "1"}, {1, "10003740"}, {1, "xyz"}, {0, "S"}, {0, "Soto Muñ"}}) {
        char que[80];
        std::snprintf(que, sizeof que, "  consulta sola: campo %d, \"%s\"", campo, texto);
        const CampoPersona c = campo == 0 ? CampoPersona::Nombre : CampoPersona::Documento;
        const QString buscado = QString::fromUtf8(texto);
        imprimir(que, medir(5, [&] { modelo.filtrar(c, buscado, true); }), 50);
    }
    return 0;
}
