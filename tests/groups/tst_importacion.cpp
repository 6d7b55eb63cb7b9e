// Roster import: files of other spreadsheets read back (CSV in two encodings, XLSX
// written by another writer), every row checked as the person editor checks, one
// transaction, and the roster editor's button.
#include "Catalogo.h"
#include "DialogosDePrueba.h"
#include "EntornoPrueba.h"
#include "Ventanas.h"
#include "app/Claves.h"
#include "app/Ini.h"
#include "app/Texto.h"
#include "data/Configuracion.h"
#include "groups/ImportacionPadron.h"
#include "groups/Planilla.h"
#include "groups/ventanas/FrmAddPersonas.h"
#include "groups/ventanas/FrmImportarPadron.h"
#include "groups/ventanas/NombresFrmAddPersonas.h"
#include "groups/ventanas/NombresFrmImportarPadron.h"

#include <QFile>
#include <QTableView>
#include <QtTest>
#include <xlsxwriter.h>

using namespace catalogo;
namespace editor = nombres::frmAddPersonas;
namespace vista = nombres::frmImportarPadron;
using Estado = FilaImportacion::Estado;

namespace {

struct Oficina {
    qint32 grupo = 0;
    qint32 registrada = 0; // stored, not a member
    qint32 miembro = 0;    // stored and a member
    qint64 dni = 0;
};

Oficina oficina(De1& db) {
    Oficina o;
    o.dni = db.insertar("Documentos", {{"DescripcionDocumento", "DNI"}}, "CodigoDocumento");
    db.insertar("Documentos", {{"DescripcionDocumento", "Pasaporte"}}, "CodigoDocumento");
    db.insertar("Ciudades", {{"DescripcionCiudad", "Peñalolén"}, {"Provincia", 1}}, "CodigoCiudad");
    o.grupo = grupo(db, "C-1", "Mañana", responsable(db, "Ana"));
    o.registrada = nuevaPersona(db, "Registrada Antes", "2000");
    o.miembro = nuevaPersona(db, "Ya Miembro", "3000");
    miembro(db, o.grupo, o.miembro, 7);
    return o;
}

QString escribir(EntornoPrueba& e, const QString& nombre, const QByteArray& datos) {
    escribirArchivo(e.ruta(nombre), datos);
    return e.ruta(nombre);
}

const QByteArray kCsv =
    "\xEF\xBB\xBF"
    "Documento;Apellidos y nombres;Sexo;Fecha de nacimiento;Ciudad;Estado civil\r\n"
    "1001;pérez  josé;M;17/05/1990;peñalolén;soltero\r\n"
    "2000;Otro Nombre;F;01/01/1980;Peñalolén;\r\n"
    " 3000 ;Ya Miembro;F;01/01/1980;Peñalolén;\r\n"
    "1001;Repetido;M;17/05/1990;Peñalolén;\r\n"
    ";Sin Documento;M;17/05/1990;Peñalolén;\r\n"
    "\r\n"
    "1002;Sin Sexo;X;17/05/1990;Peñalolén;\r\n"
    "1003;Ciudad Rara;F;1990-01-01;Atlantis;\r\n"
    "1004;Fecha Mala;F;31/02/1990;Peñalolén;\r\n"
    "1005;Estado Raro;F;01/01/1990;Peñalolén;Comprometido\r\n";

PlanImportacion preparar(De1& db, const QString& ruta, const Oficina& o) {
    auto r = importacion::prepararArchivo(db, ruta, o.grupo, o.dni);
    if (auto* error = std::get_if<QString>(&r))
        qWarning() << *error;
    return std::get<PlanImportacion>(r);
}

} // namespace

class TestImportacion : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void cadaFilaConSuDestino() {
        EntornoPrueba e;
        De1& db = e.de1();
        const Oficina o = oficina(db);
        const PlanImportacion plan = preparar(db, escribir(e, "padron.csv", kCsv), o);
        QCOMPARE(plan.filas.size(), 9); // the empty line is no row
        QVERIFY(!plan.columnaTipoDocumento);
        const QList<std::pair<Estado, QString>> esperado = {
            {Estado::Nueva, {}},
            {Estado::Existente, {}},
            {Estado::EnGrupo, {}},
            {Estado::Invalida, "Documento repetido en el archivo (fila 2)."},
            {Estado::Invalida, "Debe ingresar el documento correctamente."},
            {Estado::Invalida, "Debe seleccionar el sexo de la persona. (valor «X»)"},
            {Estado::Invalida, "La ciudad «Atlantis» no está registrada."},
            {Estado::Invalida, "La fecha de nacimiento «31/02/1990» no es válida."},
            {Estado::Invalida, "Debe seleccionar el estado civil. (valor «Comprometido»)"},
        };
        for (int i = 0; i < esperado.size(); ++i) {
            QCOMPARE(plan.filas.at(i).estado, esperado.at(i).first);
            QCOMPARE(plan.filas.at(i).motivo, esperado.at(i).second);
        }
        QCOMPARE(plan.filas.at(0).linea, 2);
        QCOMPARE(plan.filas.at(1).nombreRegistrado, QStringLiteral("Registrada Antes"));
        QCOMPARE(plan.filas.at(2).persona, o.miembro);
        QCOMPARE(plan.filas.at(6).linea, 9);

        const int personas = contar(db, "SELECT count(*) FROM Personas");
        const ResultadoImportacion r = importacion::importar(db, o.grupo, plan);
        QCOMPARE(r.creadas, 1);
        QCOMPARE(r.agregadas, 2);
        QCOMPARE(r.miembros.size(), 3);
        QCOMPARE(contar(db, "SELECT count(*) FROM Personas"), personas + 1);
        QCOMPARE(contar(db, "SELECT count(*) FROM GruposPersonas WHERE Grupo = ?", {o.grupo}), 3);
        // The member who was there keeps his keypad.
        QCOMPARE(contar(db, "SELECT Remoto FROM GruposPersonas WHERE Persona = ?", {o.miembro}), 7);
        // Names put right, and what the file does not say takes the editor's defaults.
        QCOMPARE(
            db.valor("SELECT NombrePersona || '|' || Sexo || '|' || EstadoCivil || '|' || "
                     "Ciudad || '|' || Domicilio || '|' || Telefono || '|' || Sangre || "
                     "'|' || Anteojos || '|' || TipoDocumento FROM Personas "
                     "WHERE Documento = '1001'")
                .toString(),
            QString("Pérez  José|M|Soltero|Peñalolén|Sin Datos|Sin datos|S/D|No|%1").arg(o.dni));
        QCOMPARE(Dialecto::leerFecha(db.valor("SELECT FechaNac FROM Personas WHERE Documento = "
                                              "'1001'")),
                 QDate(1990, 5, 17));

        // Imported again: nothing new, nobody added twice.
        const PlanImportacion otra = preparar(db, e.ruta("padron.csv"), o);
        QCOMPARE(otra.contar(Estado::Nueva), 0);
        QCOMPARE(otra.contar(Estado::EnGrupo), 3);
    }

    void reglasDeLaOficina() {
        EntornoPrueba e;
        De1& db = e.de1();
        const Oficina o = oficina(db);
        EscribirIni(claves::kChkCifras, "1");
        EscribirIni(claves::kTxtCifras, "4");
        GuardarConfiguracion(db, ajustes::kNuevasCiudades, "1");
        const QByteArray csv = "Tipo de documento;Documento;Nombre;Sexo;Fecha nacimiento;Ciudad\n"
                               "DNI;123;Corto;F;01/01/1990;Peñalolén\n"
                               "Pasaporte;12345;Largo;F;01/01/1990;Peñalolén\n"
                               "Cédula;4444;Tipo Raro;F;01/01/1990;Peñalolén\n"
                               "dni;5555;Ciudad Nueva;F;01/01/1990;nueva  imperial\n"
                               "DNI;6666;Otra Igual;F;01/01/1990;Nueva Imperial\n";
        PlanImportacion plan = preparar(db, escribir(e, "reglas.csv", csv), o);
        QVERIFY(plan.columnaTipoDocumento);
        for (int i : {0, 1}) // four digits, neither fewer nor more
            QCOMPARE(plan.filas.at(i).motivo, "Debe ingresar el documento correctamente.");
        QCOMPARE(plan.filas.at(2).motivo,
                 QStringLiteral("El tipo de documento «Cédula» no está registrado."));
        QCOMPARE(plan.filas.at(3).estado, Estado::Nueva);
        QVERIFY(plan.filas.at(3).ciudadNueva);
        QCOMPARE(plan.filas.at(3).datos.ciudad, QStringLiteral("Nueva Imperial"));
        const ResultadoImportacion r = importacion::importar(db, o.grupo, plan);
        QCOMPARE(r.creadas, 2);
        QCOMPARE(contar(db,
                        "SELECT count(*) FROM Ciudades WHERE DescripcionCiudad = ? "
                        "AND Provincia = 1",
                        {"Nueva Imperial"}),
                 1);

        // An office that wants a photograph of every person: a file brings none.
        GuardarConfiguracion(db, ajustes::kExigeFoto, "1");
        plan = preparar(db,
                        escribir(e, "foto.csv",
                                 "Documento;Nombre;Sexo;FechaNac;Ciudad\n"
                                 "7777;Sin Foto;F;01/01/1990;Peñalolén\n"),
                        o);
        QCOMPARE(plan.filas.at(0).motivo,
                 QStringLiteral("Debe ingresar la fotografía de la  persona."));
    }

    void unaFallaNoDejaNada() {
        EntornoPrueba e;
        De1& db = e.de1();
        const Oficina o = oficina(db);
        GuardarConfiguracion(db, ajustes::kNuevasCiudades, "1");
        QByteArray csv = "Documento;Nombre;Sexo;Fecha de nacimiento;Ciudad\n";
        for (int i = 0; i < 50; ++i)
            csv += QByteArray::number(5000 + i) + ";Persona " + QByteArray::number(i) +
                   ";F;01/01/1990;" + (i == 3 ? "Ciudad Nueva" : "Peñalolén") + "\n";
        const PlanImportacion plan = preparar(db, escribir(e, "p.csv", csv), o);
        QCOMPARE(plan.contar(Estado::Nueva), 50);
        db.ejecutar("CREATE TRIGGER falla BEFORE INSERT ON GruposPersonas "
                    "WHEN (SELECT count(*) FROM GruposPersonas) > 40 "
                    "BEGIN SELECT RAISE(ABORT, 'sin espacio'); END");
        const int personas = contar(db, "SELECT count(*) FROM Personas");
        const int ciudades = contar(db, "SELECT count(*) FROM Ciudades");
        QVERIFY_THROWS_EXCEPTION(ErrorBD, importacion::importar(db, o.grupo, plan));
        QCOMPARE(contar(db, "SELECT count(*) FROM Personas"), personas);
        QCOMPARE(contar(db, "SELECT count(*) FROM Ciudades"), ciudades);
        QCOMPARE(contar(db, "SELECT count(*) FROM GruposPersonas"), 1);
    }

    void csvDeOtrasPlanillas() {
        // Windows-1252, commas, a quoted field holding the separator and a line break.
        const QByteArray ansi = texto::aWindows1252("Documento,Nombre,Domicilio\r\n"
                                                    "1,\"Núñez, Ana\",\"Calle 1\r\nDepto 2\"\r\n"
                                                    "2,\"Dice \"\"hola\"\"\",\n");
        auto p = planilla::leerCsv(ansi);
        const Planilla& t = std::get<Planilla>(p);
        QCOMPARE(t.filas.size(), 3);
        QCOMPARE(t.filas.at(1), QStringList({"1", "Núñez, Ana", "Calle 1\r\nDepto 2"}));
        QCOMPARE(t.filas.at(2), QStringList({"2", "Dice \"hola\"", ""}));
        const auto tabs = std::get<Planilla>(planilla::leerCsv("a\tb\tc;d\n1\t2\t3;4\n"));
        QCOMPARE(tabs.filas.at(1), QStringList({"1", "2", "3;4"}));
        QCOMPARE(importacion::leerFecha("17/5/1990 0:00"), QDate(1990, 5, 17));
        QCOMPARE(importacion::leerFecha("32874"), QDate(1990, 1, 1));
        QCOMPARE(importacion::leerFecha("31412", true), QDate(1990, 1, 1));
        QVERIFY(!importacion::leerFecha("ayer").isValid());
    }

    void xlsxDeOtroEscritor_data() {
        QTest::addColumn<bool>("memoriaConstante"); // inline strings instead of shared ones
        QTest::newRow("compartidas") << false;
        QTest::newRow("en línea") << true;
    }
    void xlsxDeOtroEscritor() {
        QFETCH(bool, memoriaConstante);
        EntornoPrueba e;
        De1& db = e.de1();
        const Oficina o = oficina(db);
        const QString ruta = e.ruta("padron.xlsx");
        lxw_workbook_options opciones{};
        opciones.constant_memory = memoriaConstante;
        lxw_workbook* libro = workbook_new_opt(QFile::encodeName(ruta).constData(), &opciones);
        lxw_worksheet* hoja = workbook_add_worksheet(libro, "Padrón");
        lxw_format* fecha = workbook_add_format(libro);
        format_set_num_format(fecha, "dd/mm/yyyy");
        const char* encabezado[] = {"Nº Documento",        "Apellidos", "Nombres",  "Sexo",
                                    "Fecha de Nacimiento", "Ciudad",    "Teléfono", "Usa anteojos"};
        for (int c = 0; c < 8; ++c)
            worksheet_write_string(hoja, 0, lxw_col_t(c), encabezado[c], nullptr);
        worksheet_write_number(hoja, 1, 0, 30123456, nullptr); // a document stored as number
        worksheet_write_string(hoja, 1, 1, "Güemes", nullptr);
        worksheet_write_string(hoja, 1, 2, "María José", nullptr);
        worksheet_write_string(hoja, 1, 3, "Femenino", nullptr);
        lxw_datetime nacimiento = {1988, 2, 29, 0, 0, 0};
        worksheet_write_datetime(hoja, 1, 4, &nacimiento, fecha);
        worksheet_write_string(hoja, 1, 5, "Peñalolén", nullptr);
        // Telephone left empty: no cell at all.
        worksheet_write_boolean(hoja, 1, 7, 1, nullptr);
        worksheet_write_number(hoja, 3, 0, 2000, nullptr); // row 3 empty before it
        QCOMPARE(workbook_close(libro), LXW_NO_ERROR);

        const PlanImportacion plan = preparar(db, ruta, o);
        QCOMPARE(plan.filas.size(), 2);
        const FilaImportacion& f = plan.filas.at(0);
        QCOMPARE(f.estado, Estado::Nueva);
        QCOMPARE(f.datos.documento, QStringLiteral("30123456"));
        QCOMPARE(f.datos.nombre, QStringLiteral("Güemes María José"));
        QCOMPARE(f.datos.fechaNac, QDate(1988, 2, 29));
        QCOMPARE(f.datos.telefono, QStringLiteral("Sin datos"));
        QCOMPARE(f.datos.anteojos, QStringLiteral("Si"));
        QCOMPARE(plan.filas.at(1).linea, 4);
        QCOMPARE(plan.filas.at(1).estado, Estado::Existente);
    }

    void archivosQueNoSonPadrones() {
        EntornoPrueba e;
        De1& db = e.de1();
        const Oficina o = oficina(db);
        QByteArray zip = "PK\x03\x04";
        zip += QByteArray(200, 'x');
        for (const QString& ruta :
             {escribir(e, "roto.xlsx", zip), escribir(e, "vacio.csv", ""),
              escribir(e, "sin-documento.csv", "Nombre;Sexo\nAna;F\n"), e.ruta("no-existe.csv")}) {
            auto r = importacion::prepararArchivo(db, ruta, o.grupo, o.dni);
            QVERIFY2(std::holds_alternative<QString>(r), qPrintable(ruta));
        }
        QCOMPARE(std::get<QString>(
                     importacion::prepararArchivo(db, e.ruta("roto.xlsx"), o.grupo, o.dni)),
                 QStringLiteral("El archivo no es un libro de Excel válido."));
    }

    void desdeElEditorDelGrupo() {
        EntornoPrueba e;
        DialogosDePrueba d;
        De1& db = e.de1();
        const Oficina o = oficina(db);
        Grupo g;
        g.codigo = o.grupo;
        g.descripcion = "Mañana";
        FrmAddPersonas v(db, g);
        v.show();
        bool mostrada = false;
        v.abrirModal = [&](QDialog& ventana) {
            auto* importar = qobject_cast<FrmImportarPadron*>(&ventana);
            QVERIFY(importar);
            mostrada = true;
            auto* tabla = hijo<QTableView>(importar, vista::kFilas);
            QCOMPARE(tabla->model()->rowCount(), 9);
            QVERIFY(celda(tabla, 3, 3).startsWith("No se importa"));
            importar->show();
            QVERIFY(rotulosAccesibles(*importar));
            pulsar(*importar, vista::kImportar);
        };
        d.siguienteArchivo(escribir(e, "padron.csv", kCsv));
        pulsar(v, editor::kImportar);
        QVERIFY(mostrada);
        QCOMPARE(d.ultimo(), QStringLiteral("Se crearon 1 personas y se agregaron 2 al grupo."));
        QCOMPARE(v.miembros().rowCount(), 3);
        pulsar(v, editor::kAceptar);
        QCOMPARE(contar(db, "SELECT count(*) FROM GruposPersonas WHERE Grupo = ?", {o.grupo}), 3);

        // A file that is not a roster: a message, no preview.
        FrmAddPersonas w(db, g);
        w.abrirModal = [&](QDialog&) { QFAIL("no preview"); };
        d.siguienteArchivo(escribir(e, "otro.csv", "a;b\n1;2\n"));
        pulsar(w, editor::kImportar);
        QVERIFY(d.ultimo().contains("«Documento»"));
    }
};

QTEST_MAIN(TestImportacion)
#include "tst_importacion.moc"
