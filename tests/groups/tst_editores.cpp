// The group editor and the roster editor.
#include "Datos.h"
#include "DialogosDePrueba.h"
#include "EntornoPrueba.h"
#include "app/Globales.h"
#include "app/Globo.h"
#include "app/Ini.h"
#include "groups/FrmAddPersonas.h"
#include "groups/FrmNMGrupo.h"

#include <QComboBox>
#include <QDateEdit>
#include <QLabel>
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
    void grupoNuevoValoresPorOmision() {
        EntornoPrueba e;
        DialogosDePrueba d;
        De1& db = e.de1();
        db.insertar("Usuarios", {{"NombreUsuario", "Activo"}, {"Eliminado", 0}}, "CodigoUsuario");
        db.insertar("Usuarios", {{"NombreUsuario", "Retirado"}, {"Eliminado", 1}}, "CodigoUsuario");
        const qint32 r = responsable(db, "Carla Vidal");
        Globales::ModoEdicion = "N";

        Globales::ResponsableActual = r + 50; // no such row: left empty
        FrmNMGrupo sinResp(db, std::nullopt);
        QCOMPARE(combo(sinResp, "ComboResponsable")->currentText(), QString());
        QCOMPARE(sinResp.windowTitle(), "Nuevo grupo");

        Globales::ResponsableActual = r;
        FrmNMGrupo v(db, std::nullopt);
        QComboBox* resp = combo(v, "ComboResponsable");
        QCOMPARE(resp->count(), 1);
        QCOMPARE(resp->itemText(0), "Activo");
        QCOMPARE(resp->currentText(), "Carla Vidal");
        QCOMPARE(v.findChild<QDateEdit*>("DtFecha")->date(), QDate::currentDate());
        QCOMPARE(texto(v, "TxtCurso")->maxLength(), 20);
        QCOMPARE(texto(v, "TxtDescripcion")->maxLength(), 40);

        // Blank description: warned, nothing saved, the "-" course stays.
        texto(v, "TxtDescripcion")->setText("   ");
        pulsar(v, "CmdAceptar");
        QCOMPARE(d.ultimo(), "Debe ingresar la descripcion del grupo");
        QCOMPARE(d.mensajes.last().icono, Dialogos::Icono::Exclamacion);
        QCOMPARE(texto(v, "TxtCurso")->text(), "-");
        QCOMPARE(contar(db, "SELECT count(*) FROM Grupos"), 0);
        QVERIFY(v.result() != QDialog::Accepted);

        texto(v, "TxtDescripcion")->setText("Clase B");
        pulsar(v, "CmdAceptar");
        QCOMPARE(v.result(), int(QDialog::Accepted));
        QCOMPARE(db.valor("SELECT NroCurso FROM Grupos").toString(), "-");
        QCOMPARE(db.valor("SELECT Responsable FROM Grupos").toInt(), r);
        QCOMPARE(contar(db, "SELECT count(*) FROM Responsables"), 1);
    }

    void responsableNuevoSeAgregaUnaVez() {
        EntornoPrueba e;
        DialogosDePrueba d;
        De1& db = e.de1();
        Globales::ModoEdicion = "N";
        Globales::ResponsableActual = 0;
        qint32 codigos[2] = {};
        for (qint32& codigo : codigos) {
            FrmNMGrupo v(db, std::nullopt);
            texto(v, "TxtDescripcion")->setText("Grupo de O'Brien");
            combo(v, "ComboResponsable")->setCurrentText("Pedro O'Brien");
            pulsar(v, "CmdAceptar");
            codigo = v.codigoGuardado();
        }
        QCOMPARE(contar(db, "SELECT count(*) FROM Responsables"), 1);
        QCOMPARE(contar(db, "SELECT count(*) FROM Grupos WHERE Responsable = "
                            "(SELECT CodigoResponsable FROM Responsables)"),
                 2);
        QVERIFY(codigos[0] != codigos[1]);
    }

    void modificarGuardaLoMismo() {
        EntornoPrueba e;
        DialogosDePrueba d;
        De1& db = e.de1();
        const qint32 r = responsable(db, "Ana");
        const qint32 g = grupo(db, "C-9", "Tarde", r, QDate(2023, 12, 31));
        Globales::ModoEdicion = "M";
        Globales::ResponsableActual = 0;
        FrmNMGrupo v(db, g);
        QCOMPARE(v.windowTitle(), "Modificar grupo");
        QCOMPARE(v.findChild<QDateEdit*>("DtFecha")->date(), QDate(2023, 12, 31));
        QCOMPARE(combo(v, "ComboResponsable")->currentText(), "Ana");
        pulsar(v, "CmdAceptar");
        QCOMPARE(v.result(), int(QDialog::Accepted));
        const auto fila = grupos::leerGrupo(db, g);
        QCOMPARE(fila->curso, "C-9");
        QCOMPARE(fila->descripcion, "Tarde");
        QCOMPARE(fila->fecha, QDate(2023, 12, 31));
        QCOMPARE(contar(db, "SELECT count(*) FROM Grupos"), 1);
        QCOMPARE(contar(db, "SELECT count(*) FROM Responsables"), 1);
    }

    void errorDeBaseQuedaAbiertoSinMediasEscrituras() {
        EntornoPrueba e;
        DialogosDePrueba d;
        De1& db = e.de1();
        Globales::ModoEdicion = "N";
        FrmNMGrupo v(db, std::nullopt);
        texto(v, "TxtDescripcion")->setText("Clase B");
        combo(v, "ComboResponsable")->setCurrentText("Nuevo Responsable");
        db.ejecutar("DROP TABLE Grupos");
        pulsar(v, "CmdAceptar");
        QVERIFY(v.result() != QDialog::Accepted);
        QVERIFY(d.ultimo().contains("no such table"));
        QCOMPARE(d.mensajes.last().icono, Dialogos::Icono::Critico);
        QCOMPARE(texto(v, "TxtDescripcion")->text(), "Clase B");
        QCOMPARE(contar(db, "SELECT count(*) FROM Responsables"), 0); // rolled back
    }

    void campoDelFiltroGuardado() {
        EntornoPrueba e;
        DialogosDePrueba d;
        De1& db = e.de1();
        const qint32 g = grupo(db, "1", "Mañana", responsable(db, "Ana"));
        {
            FrmAddPersonas v(db, seleccion(g));
            QCOMPARE(v.findChild<QLabel*>("LblGrupo")->text(), "Grupo Mañana");
            QCOMPARE(combo(v, "ComboFiltro")->currentIndex(), 1); // first use: "Documento"
            combo(v, "ComboFiltro")->setCurrentIndex(0);
            pulsar(v, "CmdCancelar");
        }
        QCOMPARE(LeerIni("Tavelmo", "Filtro"), "0");
        {
            FrmAddPersonas v(db, seleccion(g));
            QCOMPARE(combo(v, "ComboFiltro")->currentIndex(), 0);
        }
        EscribirIni("Tavelmo", "Filtro", "7");
        FrmAddPersonas v(db, seleccion(g));
        QCOMPARE(combo(v, "ComboFiltro")->currentIndex(), 1);
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
        QCOMPARE(p.rowCount(), 5);
        QCOMPARE(v.personaMostrada(), p.filas().at(0).codigo);

        QLineEdit* filtro = texto(v, "TxtFiltro");
        filtro->setText("o'h");
        QCOMPARE(nombres(p), QStringList({"Bernardo O'Higgins"}));
        filtro->setText("%");
        QCOMPARE(nombres(p), QStringList({"Ana 100% Real"}));
        filtro->setText("a_b");
        QCOMPARE(nombres(p), QStringList({"Luis a_b"}));
        filtro->setText("luis"); // typing on narrows what is listed
        QCOMPARE(nombres(p), QStringList({"Luis a_b", "Luis axb"}));
        filtro->setText("luis A_");
        QCOMPARE(nombres(p), QStringList({"Luis a_b"}));
        filtro->setText("[x]");
        QCOMPARE(nombres(p), QStringList({"María [x] Díaz"}));
        filtro->setText("nadie");
        QCOMPARE(p.rowCount(), 0);
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
        QVERIFY(p.rowCount() >= ModeloPersonasFiltrado::kLote && p.rowCount() < 450);
        QVERIFY(p.canFetchMore({}));
        p.cargarTodo();
        QCOMPARE(p.rowCount(), 450);
        QCOMPARE(p.filas().last().nombre, "Persona 449");
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

        {
            FrmAddPersonas v(db, seleccion(g));
            QTreeView* lvP = v.findChild<QTreeView*>("LvPersonas");
            QTreeView* lvE = v.findChild<QTreeView*>("LvEvaluados");
            QCOMPARE(nombres(v.miembros()), QStringList({"Ana", "Beto"}));
            QVERIFY(v.findChild<QPushButton*>("CmdQuitar")->isEnabled());

            // Beto again: the existing row is selected, a balloon says why, nothing added.
            lvP->setCurrentIndex(lvP->model()->index(1, 0));
            lvE->setCurrentIndex(lvE->model()->index(0, 0));
            pulsar(v, "CmdAgregar");
            QCOMPARE(v.miembros().rowCount(), 2);
            QCOMPARE(lvE->currentIndex().row(), 1);
            Globo* globo = globoActual();
            QVERIFY(globo);
            QCOMPARE(globo->titulo(), "La persona ya está en el grupo");
            QCOMPARE(globo->texto(), "La persona que intenta cargar ya se encuentra en el grupo.");
            QCOMPARE(globo->temporizador().interval(), 5000);
            QVERIFY(globo->temporizador().isActive());
            QVERIFY(d.mensajes.isEmpty());

            pulsar(v, "CmdQuitar"); // Beto out
            lvP->setCurrentIndex(lvP->model()->index(2, 0));
            pulsar(v, "CmdAgregar"); // Carla in
            QCOMPARE(nombres(v.miembros()), QStringList({"Ana", "Carla"}));
            pulsar(v, "CmdCancelar");
        }
        QCOMPARE(contar(db, "SELECT count(*) FROM GruposPersonas WHERE Grupo = ?", {g}), 2);
        QCOMPARE(contar(db, "SELECT count(*) FROM GruposPersonas WHERE Persona = ?", {c}), 0);

        FrmAddPersonas v(db, seleccion(g));
        QTreeView* lvP = v.findChild<QTreeView*>("LvPersonas");
        QTreeView* lvE = v.findChild<QTreeView*>("LvEvaluados");
        lvE->setCurrentIndex(lvE->model()->index(1, 0));
        pulsar(v, "CmdQuitar");
        lvP->setCurrentIndex(lvP->model()->index(2, 0));
        pulsar(v, "CmdAgregar");
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

    void errorAlEscribirNoDejaNadaAMedias() {
        EntornoPrueba e;
        DialogosDePrueba d;
        De1& db = e.de1();
        const qint32 g = grupo(db, "1", "Mañana", responsable(db, "Ana"));
        const qint32 a = persona(db, "Ana", "1");
        persona(db, "Beto", "2");
        miembro(db, g, a, 5);
        db.ejecutar("CREATE TRIGGER lleno BEFORE INSERT ON GruposPersonas "
                    "BEGIN SELECT RAISE(ABORT, 'disco lleno'); END");
        EscribirIni("Tavelmo", "Filtro", "0");
        FrmAddPersonas v(db, seleccion(g));
        QTreeView* lvP = v.findChild<QTreeView*>("LvPersonas");
        pulsar(v, "CmdQuitar");
        lvP->setCurrentIndex(lvP->model()->index(1, 0));
        pulsar(v, "CmdAgregar");
        pulsar(v, "CmdAceptar");
        QVERIFY(v.result() != QDialog::Accepted);
        QVERIFY(d.ultimo().contains("disco lleno"));
        QCOMPARE(nombres(v.miembros()), QStringList({"Beto"}));
        QCOMPARE(contar(db, "SELECT count(*) FROM GruposPersonas WHERE Persona = ?", {a}), 1);
    }

    void nuevaPersonaApareceAlVolver() {
        EntornoPrueba e;
        DialogosDePrueba d;
        De1& db = e.de1();
        const qint32 g = grupo(db, "1", "Mañana", responsable(db, "Ana"));
        persona(db, "Ana Soto", "1");
        EscribirIni("Tavelmo", "Filtro", "0");
        FrmAddPersonas v(db, seleccion(g));
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
};

QTEST_MAIN(TestEditores)
#include "tst_editores.moc"
