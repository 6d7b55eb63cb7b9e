// The group editor and the roster editor.
#include "Datos.h"
#include "DialogosDePrueba.h"
#include "EntornoPrueba.h"
#include "app/Globales.h"
#include "app/Ini.h"
#include "app/ventanas/Globo.h"
#include "groups/ventanas/FrmAddPersonas.h"
#include "groups/ventanas/FrmNMGrupo.h"

#include <QComboBox>
#include <QDateEdit>
#include <QLineEdit>
#include <QPushButton>
#include <QTreeView>
#include <QtTest>

using namespace datos;

namespace {

void pulsar(QWidget& w, const char* nombre) {
    QPushButton* b = w.findChild<QPushButton*>(nombre);
    QVERIFY2(b, nombre);
    b->click();
}
QLineEdit* texto(QWidget& w, const char* nombre) {
    return w.findChild<QLineEdit*>(nombre);
}
QComboBox* combo(QWidget& w, const char* nombre) {
    return w.findChild<QComboBox*>(nombre);
}
QStringList nombres(const ModeloPersonas& m) {
    QStringList n;
    for (const FilaPersona& f : m.filas())
        n << f.nombre;
    return n;
}
void elegir(QWidget& w, const char* lista, int fila) {
    QTreeView* v = w.findChild<QTreeView*>(lista);
    v->setCurrentIndex(v->model()->index(fila, 0));
}
GrupoSeleccionado seleccion(qint32 codigo, const QString& descripcion = "Mañana") {
    GrupoSeleccionado g;
    g.codigo = codigo;
    g.descripcion = descripcion;
    return g;
}

} // namespace

class TestEditores : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void grupoNuevo() {
        EntornoPrueba e;
        DialogosDePrueba d;
        De1& db = e.de1();
        db.insertar("Usuarios", {{"NombreUsuario", "Activo"}, {"Eliminado", 0}}, "CodigoUsuario");
        db.insertar("Usuarios", {{"NombreUsuario", "Retirado"}, {"Eliminado", 1}}, "CodigoUsuario");
        const qint32 r = responsable(db, "Carla Vidal");
        Globales::ModoEdicion = "N";
        Globales::ResponsableActual = r + 50; // no such row: left empty
        QCOMPARE(combo(*std::make_unique<FrmNMGrupo>(db, std::nullopt), "ComboResponsable")
                     ->currentText(),
                 QString());

        Globales::ResponsableActual = r;
        FrmNMGrupo v(db, std::nullopt);
        QComboBox* resp = combo(v, "ComboResponsable");
        QCOMPARE(resp->count(), 1);
        QCOMPARE(resp->itemText(0), "Activo");
        QCOMPARE(resp->currentText(), "Carla Vidal");
        QCOMPARE(v.findChild<QDateEdit*>("DtFecha")->date(), QDate::currentDate());

        // Blank description: warned, nothing saved, the "-" course stays.
        texto(v, "TxtDescripcion")->setText("   ");
        pulsar(v, "CmdAceptar");
        QCOMPARE(d.ultimo(), "Debe ingresar la descripcion del grupo");
        QCOMPARE(texto(v, "TxtCurso")->text(), "-");
        QCOMPARE(contar(db, "SELECT count(*) FROM Grupos"), 0);
        texto(v, "TxtDescripcion")->setText("Clase B");
        pulsar(v, "CmdAceptar");
        QCOMPARE(v.result(), int(QDialog::Accepted));
        QCOMPARE(db.valor("SELECT NroCurso FROM Grupos").toString(), "-");
        QCOMPARE(db.valor("SELECT Responsable FROM Grupos").toInt(), r);

        // A responsible person typed in is added once, then found.
        for (int i = 0; i < 2; ++i) {
            FrmNMGrupo w(db, std::nullopt);
            texto(w, "TxtDescripcion")->setText("Grupo de O'Brien");
            combo(w, "ComboResponsable")->setCurrentText("Pedro O'Brien");
            pulsar(w, "CmdAceptar");
        }
        QCOMPARE(contar(db, "SELECT count(*) FROM Responsables"), 2);
        QCOMPARE(contar(db,
                        "SELECT count(*) FROM Grupos g JOIN Responsables r ON "
                        "g.Responsable = r.CodigoResponsable WHERE r.NombreResponsable = ?",
                        {"Pedro O'Brien"}),
                 2);

        // A database error keeps the window open and adds no responsible person.
        FrmNMGrupo w(db, std::nullopt);
        texto(w, "TxtDescripcion")->setText("Clase C");
        combo(w, "ComboResponsable")->setCurrentText("Nuevo Responsable");
        db.ejecutar("DROP TABLE Grupos");
        pulsar(w, "CmdAceptar");
        QVERIFY(w.result() != QDialog::Accepted);
        QVERIFY(d.ultimo().contains("no such table"));
        QCOMPARE(texto(w, "TxtDescripcion")->text(), "Clase C");
        QCOMPARE(contar(db, "SELECT count(*) FROM Responsables"), 2); // rolled back
    }

    void modificarGuardaLoMismo() {
        EntornoPrueba e;
        DialogosDePrueba d;
        De1& db = e.de1();
        const qint32 g = grupo(db, "C-9", "Tarde", responsable(db, "Ana"), QDate(2023, 12, 31));
        Globales::ModoEdicion = "M";
        Globales::ResponsableActual = 0;
        FrmNMGrupo v(db, g);
        QCOMPARE(combo(v, "ComboResponsable")->currentText(), "Ana");
        pulsar(v, "CmdAceptar");
        const auto fila = grupos::leerGrupo(db, g);
        QCOMPARE(fila->curso, "C-9");
        QCOMPARE(fila->descripcion, "Tarde");
        QCOMPARE(fila->fecha, QDate(2023, 12, 31));
        QCOMPARE(contar(db, "SELECT count(*) FROM Grupos"), 1);
        QCOMPARE(contar(db, "SELECT count(*) FROM Responsables"), 1);
    }

    void campoDelFiltroYNuevaPersona() {
        EntornoPrueba e;
        DialogosDePrueba d;
        De1& db = e.de1();
        const qint32 g = grupo(db, "1", "Mañana", responsable(db, "Ana"));
        {
            FrmAddPersonas v(db, seleccion(g));
            QCOMPARE(combo(v, "ComboFiltro")->currentIndex(), 1); // first use: "Documento"
            combo(v, "ComboFiltro")->setCurrentIndex(0);
            pulsar(v, "CmdCancelar");
        }
        QCOMPARE(LeerIni("Tavelmo", "Filtro"), "0");
        QCOMPARE(combo(*std::make_unique<FrmAddPersonas>(db, seleccion(g)), "ComboFiltro")
                     ->currentIndex(),
                 0);
        EscribirIni("Tavelmo", "Filtro", "7");
        persona(db, "Ana Soto", "1");
        FrmAddPersonas v(db, seleccion(g));
        QCOMPARE(combo(v, "ComboFiltro")->currentIndex(), 1);

        // A person added from here is listed on return, under the same filter.
        combo(v, "ComboFiltro")->setCurrentIndex(0);
        texto(v, "TxtFiltro")->setText("soto");
        QString modo;
        v.abrirModal = [&](QDialog& hija) {
            QCOMPARE(hija.objectName(), "FrmNMPersona");
            modo = Globales::ModoEdicion;
            persona(db, "Rosa Soto", "2");
        };
        pulsar(v, "LblNuevaPersona");
        QCOMPARE(modo, "Z");
        QCOMPARE(nombres(v.personas()), QStringList({"Ana Soto", "Rosa Soto"}));
    }

    void filtroEncuentraLoEscrito() {
        EntornoPrueba e;
        DialogosDePrueba d;
        De1& db = e.de1();
        const qint32 g = grupo(db, "1", "Mañana", responsable(db, "Ana"));
        persona(db, "Bernardo O'Higgins", "12-3");
        persona(db, "Ana 100% Real", "45_6");
        persona(db, "Luis a_b", "456");
        persona(db, "Luis axb", "4x6");
        persona(db, "María [x] Díaz", "789");
        EscribirIni("Tavelmo", "Filtro", "0");
        FrmAddPersonas v(db, seleccion(g));
        const ModeloPersonasFiltrado& p = v.personas();
        QCOMPARE(v.personaMostrada(), p.filas().at(0).codigo);

        // Quotes and the LIKE wildcards are plain characters.
        const QList<std::pair<const char*, QStringList>> casos = {
            {"o'h", {"Bernardo O'Higgins"}},    {"%", {"Ana 100% Real"}},
            {"luis", {"Luis a_b", "Luis axb"}}, {"luis A_", {"Luis a_b"}},
            {"[x]", {"María [x] Díaz"}},        {"nadie", {}}};
        QLineEdit* filtro = texto(v, "TxtFiltro");
        for (const auto& [escrito, esperados] : casos) {
            filtro->setText(escrito);
            QCOMPARE(nombres(p), esperados);
        }
        QVERIFY(!v.findChild<QPushButton*>("CmdAgregar")->isEnabled());
        QCOMPARE(v.personaMostrada(), 0);
        filtro->setText("   ");
        QCOMPARE(p.rowCount(), 5);

        combo(v, "ComboFiltro")->setCurrentIndex(1); // by document, with the same text
        filtro->setText("_");
        QCOMPARE(nombres(p), QStringList({"Ana 100% Real"}));
        QVERIFY(v.findChild<QPushButton*>("CmdAgregar")->isEnabled());
        QVERIFY(!v.findChild<QPushButton*>("CmdQuitar")->isEnabled()); // no members yet
        QVERIFY(d.mensajes.isEmpty());
    }

    void listaGrandeEnLotes() {
        EntornoPrueba e;
        De1& db = e.de1();
        const qint32 g = grupo(db, "1", "Mañana", responsable(db, "Ana"));
        {
            Transaccion t(db);
            for (int i = 0; i < 450; ++i)
                persona(db, QString("Persona %1").arg(i), QString::number(1000 + i));
            t.confirmar();
        }
        FrmAddPersonas v(db, seleccion(g));
        auto& p = const_cast<ModeloPersonasFiltrado&>(v.personas());
        // The view asks for what fits; the rest comes on demand.
        QVERIFY(p.rowCount() >= ModeloPersonasFiltrado::kLote && p.canFetchMore({}));
        p.cargarTodo();
        QCOMPARE(p.rowCount(), 450);
        texto(v, "TxtFiltro")->setText("1144");
        QCOMPARE(nombres(p), QStringList({"Persona 144"}));
    }

    void agregarDuplicadoQuitarYEscribir() {
        EntornoPrueba e;
        DialogosDePrueba d;
        De1& db = e.de1();
        const qint32 r = responsable(db, "Ana");
        const qint32 g = grupo(db, "1", "Mañana", r);
        const qint32 otro = grupo(db, "2", "Tarde", r);
        const qint32 a = persona(db, "Ana", "1");
        const qint32 b = persona(db, "Beto", "2");
        const qint32 c = persona(db, "Carla", "3");
        miembro(db, g, a, 5);
        miembro(db, g, b, 6);
        miembro(db, otro, b, 9);
        EscribirIni("Tavelmo", "Filtro", "0");
        FrmAddPersonas v(db, seleccion(g));
        QCOMPARE(nombres(v.miembros()), QStringList({"Ana", "Beto"}));

        // Beto again: the existing row is selected, a balloon says why, nothing added.
        elegir(v, "LvPersonas", 1);
        elegir(v, "LvEvaluados", 0);
        pulsar(v, "CmdAgregar");
        QCOMPARE(v.miembros().rowCount(), 2);
        QCOMPARE(v.findChild<QTreeView*>("LvEvaluados")->currentIndex().row(), 1);
        Globo* globo = globoActual();
        QVERIFY(globo && globo->temporizador().isActive());
        QCOMPARE(globo->titulo(), "La persona ya está en el grupo");
        QCOMPARE(globo->texto(), "La persona que intenta cargar ya se encuentra en el grupo.");
        QVERIFY(d.mensajes.isEmpty());

        pulsar(v, "CmdQuitar"); // Beto out
        elegir(v, "LvPersonas", 2);
        pulsar(v, "CmdAgregar"); // Carla in
        QCOMPARE(contar(db, "SELECT count(*) FROM GruposPersonas WHERE Persona = ?", {c}), 0);
        // A failed write keeps the window and the roster as it was.
        db.ejecutar("CREATE TRIGGER lleno BEFORE INSERT ON GruposPersonas "
                    "BEGIN SELECT RAISE(ABORT, 'disco lleno'); END");
        pulsar(v, "CmdAceptar");
        QVERIFY(v.result() != QDialog::Accepted);
        QVERIFY(d.ultimo().contains("disco lleno"));
        QCOMPARE(nombres(v.miembros()), QStringList({"Ana", "Carla"}));
        QCOMPARE(contar(db, "SELECT count(*) FROM GruposPersonas WHERE Persona = ?", {b}), 2);
        db.ejecutar("DROP TRIGGER lleno");
        pulsar(v, "CmdAceptar");
        QCOMPARE(v.result(), int(QDialog::Accepted));
        const auto remoto = [&](qint32 grupo, qint32 persona) {
            return db.valor("SELECT Remoto FROM GruposPersonas WHERE Grupo = ? AND Persona = ?",
                            {grupo, persona});
        };
        QCOMPARE(contar(db, "SELECT count(*) FROM GruposPersonas WHERE Grupo = ?", {g}), 2);
        QCOMPARE(remoto(g, a).toInt(), 5); // stayed: keeps its keypad
        QVERIFY(remoto(g, c).isNull());    // new: no keypad yet
        QVERIFY(!remoto(g, b).isValid());  // removed from this group only
        QCOMPARE(remoto(otro, b).toInt(), 9);
    }
};

QTEST_MAIN(TestEditores)
#include "tst_editores.moc"
