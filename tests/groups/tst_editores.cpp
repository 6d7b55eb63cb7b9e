// The group editor and the roster editor.
#include "Catalogo.h"
#include "DialogosDePrueba.h"
#include "EntornoPrueba.h"
#include "Ventanas.h"
#include "app/Claves.h"
#include "app/Ini.h"
#include "app/ventanas/Globo.h"
#include "groups/RepositorioGrupos.h"
#include "groups/ventanas/FrmAddPersonas.h"
#include "groups/ventanas/FrmNMGrupo.h"
#include "groups/ventanas/NombresFrmAddPersonas.h"
#include "groups/ventanas/NombresFrmNMGrupo.h"
#include "persons/ventanas/FrmNMPersona.h"

#include <QComboBox>
#include <QDateEdit>
#include <QLineEdit>
#include <QTreeView>
#include <QtTest>

using namespace catalogo;
namespace g = nombres::frmNMGrupo;
namespace ap = nombres::frmAddPersonas;

namespace {

QLineEdit* texto(QWidget& w, const QString& nombre) {
    return hijo<QLineEdit>(w, nombre);
}
QComboBox* combo(QWidget& w, const QString& nombre) {
    return hijo<QComboBox>(w, nombre);
}
QStringList listados(const ModeloPersonas& m) {
    QStringList n;
    for (const PersonaListada& f : m.filas())
        n << f.nombre;
    return n;
}
void elegir(QWidget& w, const QString& lista, int fila) {
    elegirFila(hijo<QTreeView>(w, lista), fila);
}
Grupo seleccion(qint32 codigo) {
    return Grupo{codigo, "1", QDate(2024, 3, 5), "Mañana", "Ana"};
}
std::unique_ptr<FrmNMGrupo> nuevoGrupo(De1& db, qint32 responsable) {
    return std::make_unique<FrmNMGrupo>(db, ModoEdicion::NuevoGrupo, std::nullopt, responsable);
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
        // An operator code with no responsible person leaves the choice empty.
        QCOMPARE(combo(*nuevoGrupo(db, r + 50), g::kResponsable)->currentText(), QString());

        const auto v = nuevoGrupo(db, r);
        QComboBox* resp = combo(*v, g::kResponsable);
        QCOMPARE(resp->count(), 1);
        QCOMPARE(resp->itemText(0), "Activo");
        QCOMPARE(resp->currentText(), "Carla Vidal");
        QCOMPARE(hijo<QDateEdit>(*v, g::kFecha)->date(), QDate::currentDate());

        // Blank description: warned, nothing saved, the "-" course stays.
        texto(*v, g::kDescripcion)->setText("   ");
        pulsar(*v, g::kAceptar);
        QCOMPARE(d.ultimo(), "Debe ingresar la descripcion del grupo");
        QCOMPARE(texto(*v, g::kCurso)->text(), "-");
        QCOMPARE(filas(db, "Grupos"), 0);
        texto(*v, g::kDescripcion)->setText("Clase B");
        pulsar(*v, g::kAceptar);
        QCOMPARE(v->result(), int(QDialog::Accepted));
        QCOMPARE(db.valor("SELECT NroCurso FROM Grupos").toString(), "-");
        QCOMPARE(db.valor("SELECT Responsable FROM Grupos").toInt(), r);

        // A responsible person typed in is added once, then found.
        for (int i = 0; i < 2; ++i) {
            const auto w = nuevoGrupo(db, r);
            texto(*w, g::kDescripcion)->setText("Grupo de O'Brien");
            combo(*w, g::kResponsable)->setCurrentText("Pedro O'Brien");
            pulsar(*w, g::kAceptar);
        }
        QCOMPARE(filas(db, "Responsables"), 2);
        QCOMPARE(contar(db,
                        "SELECT count(*) FROM Grupos g JOIN Responsables r ON "
                        "g.Responsable = r.CodigoResponsable WHERE r.NombreResponsable = ?",
                        {"Pedro O'Brien"}),
                 2);

        // A database error keeps the window open and adds no responsible person.
        const auto w = nuevoGrupo(db, r);
        texto(*w, g::kDescripcion)->setText("Clase C");
        combo(*w, g::kResponsable)->setCurrentText("Nuevo Responsable");
        db.ejecutar("DROP TABLE Grupos");
        pulsar(*w, g::kAceptar);
        QVERIFY(w->result() != QDialog::Accepted);
        QVERIFY(d.ultimo().startsWith("No se pudo guardar el grupo.\n\n"));
        QVERIFY(d.ultimo().contains("no such table"));
        QCOMPARE(texto(*w, g::kDescripcion)->text(), "Clase C");
        QCOMPARE(filas(db, "Responsables"), 2); // rolled back
    }

    void modificarGuardaLoMismo() {
        EntornoPrueba e;
        DialogosDePrueba d;
        De1& db = e.de1();
        const qint32 codigo =
            grupo(db, "C-9", "Tarde", responsable(db, "Ana"), QDate(2023, 12, 31));
        FrmNMGrupo v(db, ModoEdicion::ModificarGrupo, codigo, 0);
        QCOMPARE(combo(v, g::kResponsable)->currentText(), "Ana");
        pulsar(v, g::kAceptar);
        const auto fila = RepositorioGrupos(db).leer(codigo);
        QCOMPARE(fila->curso, "C-9");
        QCOMPARE(fila->descripcion, "Tarde");
        QCOMPARE(fila->fecha, QDate(2023, 12, 31));
        QCOMPARE(filas(db, "Grupos"), 1);
        QCOMPARE(filas(db, "Responsables"), 1);
    }

    void campoDelFiltroGuardado_data() {
        QTest::addColumn<QString>("guardado");
        QTest::addColumn<int>("campo");
        QTest::newRow("primer uso: documento") << QString() << 1;
        QTest::newRow("nombre") << "0" << 0;
        QTest::newRow("otro numero: documento") << "7" << 1;
        QTest::newRow("texto: nombre") << "x" << 0;
    }
    void campoDelFiltroGuardado() {
        QFETCH(QString, guardado);
        QFETCH(int, campo);
        EntornoPrueba e;
        DialogosDePrueba d;
        if (!guardado.isNull())
            EscribirIni(claves::kFiltro, guardado);
        const qint32 codigo = grupo(e.de1(), "1", "Mañana", responsable(e.de1(), "Ana"));
        {
            FrmAddPersonas v(e.de1(), seleccion(codigo));
            QCOMPARE(combo(v, ap::kCampoFiltro)->currentIndex(), campo);
            combo(v, ap::kCampoFiltro)->setCurrentIndex(1 - campo);
            pulsar(v, ap::kCancelar);
        }
        QCOMPARE(LeerIni(claves::kFiltro), QString::number(1 - campo));
    }

    void nuevaPersonaSeListaConElMismoFiltro() {
        EntornoPrueba e;
        DialogosDePrueba d;
        De1& db = e.de1();
        const qint32 codigo = grupo(db, "1", "Mañana", responsable(db, "Ana"));
        nuevaPersona(db, "Ana Soto", "1");
        FrmAddPersonas v(db, seleccion(codigo));
        combo(v, ap::kCampoFiltro)->setCurrentIndex(0);
        texto(v, ap::kFiltro)->setText("soto");
        std::optional<ModoEdicion> modo;
        v.abrirModal = [&](QDialog& hija) {
            modo = qobject_cast<FrmNMPersona*>(&hija)->modo();
            nuevaPersona(db, "Rosa Soto", "2");
        };
        pulsar(v, ap::kNuevaPersona);
        QCOMPARE(modo, ModoEdicion::PersonaDelGrupo);
        QCOMPARE(listados(v.personas()), QStringList({"Ana Soto", "Rosa Soto"}));
    }

    void filtroEncuentraLoEscrito_data() {
        QTest::addColumn<int>("campo");
        QTest::addColumn<QString>("escrito");
        QTest::addColumn<QStringList>("esperados");
        QTest::newRow("comilla") << 0 << "o'h" << QStringList{"Bernardo O'Higgins"};
        QTest::newRow("porcentaje literal") << 0 << "%" << QStringList{"Ana 100% Real"};
        QTest::newRow("sin mayusculas") << 0 << "luis" << QStringList{"Luis a_b", "Luis axb"};
        QTest::newRow("guion bajo literal") << 0 << "luis A_" << QStringList{"Luis a_b"};
        QTest::newRow("corchetes literales") << 0 << "[x]" << QStringList{"María [x] Díaz"};
        QTest::newRow("nadie") << 0 << "nadie" << QStringList{};
        QTest::newRow("blancos: todos") << 0 << "   "
                                        << QStringList{"Bernardo O'Higgins", "Ana 100% Real",
                                                       "Luis a_b", "Luis axb", "María [x] Díaz"};
        QTest::newRow("por documento") << 1 << "_" << QStringList{"Ana 100% Real"};
    }
    void filtroEncuentraLoEscrito() {
        QFETCH(int, campo);
        QFETCH(QString, escrito);
        QFETCH(QStringList, esperados);
        EntornoPrueba e;
        DialogosDePrueba d;
        De1& db = e.de1();
        const qint32 codigo = grupo(db, "1", "Mañana", responsable(db, "Ana"));
        nuevaPersona(db, "Bernardo O'Higgins", "12-3");
        nuevaPersona(db, "Ana 100% Real", "45_6");
        nuevaPersona(db, "Luis a_b", "456");
        nuevaPersona(db, "Luis axb", "4x6");
        nuevaPersona(db, "María [x] Díaz", "789");
        FrmAddPersonas v(db, seleccion(codigo));
        const ModeloPersonasFiltrado& p = v.personas();
        QCOMPARE(v.personaMostrada(), p.filas().at(0).codigo);
        combo(v, ap::kCampoFiltro)->setCurrentIndex(campo);
        // Typed one key at a time: the list narrows in memory as it goes.
        QTest::keyClicks(texto(v, ap::kFiltro), escrito);
        QCOMPARE(listados(p), esperados);
        QCOMPARE(hijo<QPushButton>(v, ap::kAgregar)->isEnabled(), !esperados.isEmpty());
        QCOMPARE(v.personaMostrada() != 0, !esperados.isEmpty());
        QVERIFY(!hijo<QPushButton>(v, ap::kQuitar)->isEnabled()); // no members yet
        QVERIFY(d.mensajes.isEmpty());
    }

    void listaGrandeEnLotes() {
        EntornoPrueba e;
        De1& db = e.de1();
        const qint32 codigo = grupo(db, "1", "Mañana", responsable(db, "Ana"));
        {
            Transaccion t(db);
            for (int i = 0; i < 450; ++i)
                nuevaPersona(db, QString("Persona %1").arg(i), QString::number(1000 + i));
            t.confirmar();
        }
        FrmAddPersonas v(db, seleccion(codigo));
        v.show();
        QVERIFY(QTest::qWaitForWindowExposed(&v));
        auto& p = const_cast<ModeloPersonasFiltrado&>(v.personas());
        // A batch is read; the rest comes as the list scrolls, not by itself.
        QTest::qWait(50);
        QCOMPARE(p.rowCount(), ModeloPersonasFiltrado::kLote);
        QVERIFY(p.hayMas());
        auto* lista = hijo<QTreeView>(v, ap::kPersonas);
        lista->scrollToBottom();
        QTRY_COMPARE(p.rowCount(), 2 * ModeloPersonasFiltrado::kLote);
        p.cargarTodo();
        QCOMPARE(p.rowCount(), 450);
    }

    void agregarDuplicadoQuitarYEscribir() {
        EntornoPrueba e;
        DialogosDePrueba d;
        De1& db = e.de1();
        const qint32 r = responsable(db, "Ana");
        const qint32 g1 = grupo(db, "1", "Mañana", r);
        const qint32 otro = grupo(db, "2", "Tarde", r);
        const qint32 a = nuevaPersona(db, "Ana", "1");
        const qint32 b = nuevaPersona(db, "Beto", "2");
        const qint32 c = nuevaPersona(db, "Carla", "3");
        miembro(db, g1, a, 5);
        miembro(db, g1, b, 6);
        miembro(db, otro, b, 9);
        EscribirIni(claves::kFiltro, "0");
        FrmAddPersonas v(db, seleccion(g1));
        QCOMPARE(listados(v.miembros()), QStringList({"Ana", "Beto"}));

        // Beto again: the existing row is selected, a balloon says why, nothing added.
        elegir(v, ap::kPersonas, 1);
        elegir(v, ap::kEvaluados, 0);
        pulsar(v, ap::kAgregar);
        QCOMPARE(v.miembros().rowCount(), 2);
        QCOMPARE(hijo<QTreeView>(v, ap::kEvaluados)->currentIndex().row(), 1);
        Globo* globo = globoActual();
        QVERIFY(globo && globo->temporizador().isActive());
        QCOMPARE(globo->titulo(), "La persona ya está en el grupo");
        QCOMPARE(globo->texto(), "La persona que intenta cargar ya se encuentra en el grupo.");
        QVERIFY(d.mensajes.isEmpty());

        pulsar(v, ap::kQuitar); // Beto out
        elegir(v, ap::kPersonas, 2);
        pulsar(v, ap::kAgregar); // Carla in
        QCOMPARE(contar(db, "SELECT count(*) FROM GruposPersonas WHERE Persona = ?", {c}), 0);
        // A failed write keeps the window and the roster as it was.
        db.ejecutar("CREATE TRIGGER lleno BEFORE INSERT ON GruposPersonas "
                    "BEGIN SELECT RAISE(ABORT, 'disco lleno'); END");
        pulsar(v, ap::kAceptar);
        QVERIFY(v.result() != QDialog::Accepted);
        QVERIFY(d.ultimo().startsWith("No se pudo guardar el grupo.\n\n"));
        QVERIFY(d.ultimo().contains("disco lleno"));
        QCOMPARE(listados(v.miembros()), QStringList({"Ana", "Carla"}));
        QCOMPARE(contar(db, "SELECT count(*) FROM GruposPersonas WHERE Persona = ?", {b}), 2);
        db.ejecutar("DROP TRIGGER lleno");
        pulsar(v, ap::kAceptar);
        QCOMPARE(v.result(), int(QDialog::Accepted));
        const auto remoto = [&](qint32 grupo, qint32 persona) {
            return db.valor("SELECT Remoto FROM GruposPersonas WHERE Grupo = ? AND Persona = ?",
                            {grupo, persona});
        };
        QCOMPARE(contar(db, "SELECT count(*) FROM GruposPersonas WHERE Grupo = ?", {g1}), 2);
        QCOMPARE(remoto(g1, a).toInt(), 5); // stayed: keeps its keypad
        QVERIFY(remoto(g1, c).isNull());    // new: no keypad yet
        QVERIFY(!remoto(g1, b).isValid());  // removed from this group only
        QCOMPARE(remoto(otro, b).toInt(), 9);
    }

    void rosterIlegibleNoSeGuarda() {
        EntornoPrueba e;
        DialogosDePrueba d;
        De1& db = e.de1();
        const qint32 codigo = grupo(db, "1", "Mañana", responsable(db, "Ana"));
        miembro(db, codigo, nuevaPersona(db, "Ana", "1"));
        db.ejecutar("ALTER TABLE GruposPersonas RENAME TO Otra");
        FrmAddPersonas v(db, seleccion(codigo));
        QVERIFY(d.ultimo().startsWith("No se pudieron leer los evaluados del grupo.\n\n"));
        // Storing the empty list shown would drop every member.
        QVERIFY(!hijo<QPushButton>(v, ap::kAceptar)->isEnabled());
        db.ejecutar("ALTER TABLE Otra RENAME TO GruposPersonas");
        pulsar(v, ap::kAceptar);
        QCOMPARE(filas(db, "GruposPersonas"), 1);
    }
};

QTEST_MAIN(TestEditores)
#include "tst_editores.moc"
