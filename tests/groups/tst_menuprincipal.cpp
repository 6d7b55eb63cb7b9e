// The main window: lists, search, deletion, preconditions and the windows it opens.
#include "Datos.h"
#include "DialogosDePrueba.h"
#include "EntornoPrueba.h"
#include "app/Globales.h"
#include "groups/ventanas/FrmNMGrupo.h"
#include "groups/ventanas/FrmSecundario.h"
#include "groups/ventanas/MenuPrincipal.h"

#include <QComboBox>
#include <QDateEdit>
#include <QLineEdit>
#include <QPushButton>
#include <QTreeView>
#include <QtTest>

using namespace datos;

namespace {

QTreeView* vista(QWidget& w, const char* nombre) {
    return w.findChild<QTreeView*>(nombre);
}
void pulsar(QWidget& w, const char* nombre) {
    QPushButton* b = w.findChild<QPushButton*>(nombre);
    QVERIFY2(b, nombre);
    b->click();
}
QString celda(QTreeView* v, int fila, int columna) {
    return v->model()->index(fila, columna).data().toString();
}
QStringList textos(const DialogosDePrueba& d) {
    QStringList t;
    for (const auto& m : d.mensajes)
        t << m.texto;
    return t;
}
QList<int> filasSeleccionadas(QTreeView* v) {
    QList<int> filas;
    for (const QModelIndex& i : v->selectionModel()->selectedRows())
        filas << i.row();
    std::sort(filas.begin(), filas.end());
    return filas;
}

} // namespace

class TestMenuPrincipal : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void sinGruposLasAccionesAvisan() {
        EntornoPrueba e;
        DialogosDePrueba d;
        test(e.de1(), 1, "Teórico");
        MenuPrincipal m(e.de1());
        QStringList abiertas;
        m.abrirModal = [&](QDialog& v) { abiertas << v.objectName(); };

        pulsar(m, "LblModificarGrupo");
        pulsar(m, "LblEliminarGrupo");
        QVERIFY(d.mensajes.isEmpty());
        pulsar(m, "LblAgregarPersonas");
        pulsar(m, "Image4");
        pulsar(m, "Image6");
        m.findChild<QLineEdit*>("TxtBuscarGrupo")->setText("   ");
        pulsar(m, "CmdBuscarGrupo");
        QCOMPARE(textos(d),
                 QStringList({"Debe seleccionar un grupo para agregar personas.",
                              "No hay Evaluados para la asignacion de controles.",
                              "Debe seleccionar un test.", "Debe ingresar el texto a buscar"}));
        QCOMPARE(d.mensajes.at(0).icono, Dialogos::Icono::Informacion);
        QVERIFY(abiertas.isEmpty());
        m.show();
        QVERIFY(m.fondo()->isVisible()); // the backdrop comes with the window
    }

    void listasSeleccionYVentanasDeOtrasAreas() {
        EntornoPrueba e;
        DialogosDePrueba d;
        De1& db = e.de1();
        const qint32 r = responsable(db, "Ana Soto");
        const qint32 g1 = grupo(db, "C-1", "Mañana", r, QDate(2024, 3, 5));
        grupo(db, "C-X", "Huérfano", 999); // no such responsible person: not listed
        const qint32 g3 = grupo(db, "C-3", "Tarde", r);
        miembro(db, g1, persona(db, "Juan Pérez", "111"), 0);
        miembro(db, g1, persona(db, "Rosa Díaz", "222"));
        const qint32 p3 = persona(db, "Luis Rojas", "333");
        miembro(db, g1, p3, 7);
        test(db, 1, "Teórico B");
        test(db, 2, "Psicotécnico", "P");

        MenuPrincipal m(db);
        QTreeView* lvG = vista(m, "LvGrupos");
        QTreeView* lvE = vista(m, "LvEvaluados");
        // Newest first; the first row is selected and its (empty) roster shown.
        QCOMPARE(lvG->model()->rowCount(), 2);
        QCOMPARE(celda(lvG, 1, 4), "Ana Soto");
        QCOMPARE(m.grupoSeleccionado()->codigo, g3);
        QCOMPARE(lvE->model()->rowCount(), 0);
        QCOMPARE(vista(m, "LvTiposExamenes")->model()->rowCount(), 1);
        QCOMPARE(m.examenSeleccionado(), std::optional<qint32>(1));

        // An empty group has no one to assign keypads to or to examine.
        pulsar(m, "Image4");
        pulsar(m, "Image6");
        QCOMPARE(textos(d), QStringList({"No hay Evaluados para la asignacion de controles.",
                                         "Debe seleccionar un test."}));

        lvG->setCurrentIndex(lvG->model()->index(1, 1));
        QStringList controles;
        for (const EvaluadoListado& ev : m.evaluados())
            controles << ev.control;
        QCOMPARE(controles, QStringList({"no asignado", "no asignado", "7"}));
        QCOMPARE(m.evaluados().at(2).codigoPersona, p3);
        QCOMPARE(celda(lvE, 0, 1), "Juan Pérez");

        QStringList abiertas;
        QList<int> modos;
        m.abrirModal = [&](QDialog& v) {
            abiertas << v.objectName();
            modos << Globales::ModoEditorExamen;
            // A keypad stored meanwhile shows once the window closes.
            db.ejecutar("UPDATE GruposPersonas SET Remoto = 12");
        };
        d.limpiar();
        pulsar(m, "Image4");
        QCOMPARE(m.evaluados().at(0).control, "12");
        pulsar(m, "Image6");
        pulsar(m, "Label7");
        pulsar(m, "Label6");
        QCOMPARE(abiertas, QStringList({"FrmAddControles", "FrmInteligencia", "FrmAddExamenes",
                                        "FrmAddExamenes"}));
        QCOMPARE(modos.mid(2), QList<int>({1, 2}));
        QVERIFY(d.mensajes.isEmpty());
        bool salio = false;
        m.salir = [&] { salio = true; };
        pulsar(m, "ImgSalir");
        QVERIFY(salio);
    }

    void busquedaMarcaSinRecargar() {
        EntornoPrueba e;
        DialogosDePrueba d;
        De1& db = e.de1();
        const qint32 r = responsable(db, "Ana");
        grupo(db, "abc-1", "otra cosa", r);
        grupo(db, "X", "Clase ABC", r);
        grupo(db, "Y", "nada", r);
        const qint32 g4 = grupo(db, "Z", "abcd tarde", r);
        miembro(db, g4, persona(db, "P", "1"));
        MenuPrincipal m(db);
        QTreeView* lvG = vista(m, "LvGrupos");
        lvG->selectionModel()->clearSelection();

        m.findChild<QLineEdit*>("TxtBuscarGrupo")->setText("abc");
        pulsar(m, "CmdBuscarGrupo");
        QCOMPARE(filasSeleccionadas(lvG), QList<int>({0, 2})); // g4 and "Clase ABC"
        QCOMPARE(m.grupoSeleccionado()->codigo, g4);
        QCOMPARE(vista(m, "LvEvaluados")->model()->rowCount(), 1);

        m.findChild<QComboBox*>("ComboBuscarGrupo")->setCurrentIndex(0);
        pulsar(m, "CmdBuscarGrupo");
        QCOMPARE(filasSeleccionadas(lvG), QList<int>({0, 2, 3})); // adds course "abc-1"
        QVERIFY(d.mensajes.isEmpty());
    }

    void eliminarNuevoYModificarGrupo() {
        EntornoPrueba e;
        DialogosDePrueba d;
        De1& db = e.de1();
        const qint32 r = responsable(db, "Ana");
        const qint32 g1 = grupo(db, "1", "Uno", r);
        const qint32 g2 = grupo(db, "2", "Dos", r);
        const qint32 p = persona(db, "P", "1");
        miembro(db, g1, p, 3);
        miembro(db, g2, p, 4);
        MenuPrincipal m(db);
        QTreeView* lvG = vista(m, "LvGrupos");
        QTreeView* lvE = vista(m, "LvEvaluados");

        d.siguienteRespuesta(Dialogos::Respuesta::No);
        pulsar(m, "LblEliminarGrupo");
        QCOMPARE(textos(d), QStringList({"¿Está seguro de eliminar este grupo?\nEsta acción no "
                                         "eliminará las personas, solo desaparecerá el grupo"}));
        QCOMPARE(d.mensajes.at(0).titulo, "Advertencia!");
        QCOMPARE(d.mensajes.at(0).botones, Dialogos::Botones::SiNo);
        QCOMPARE(contar(db, "SELECT count(*) FROM Grupos"), 2);
        pulsar(m, "LblEliminarGrupo"); // Yes: the selected (newest) group
        QCOMPARE(contar(db, "SELECT count(*) FROM Grupos WHERE CodigoGrupo = ?", {g2}), 0);
        QCOMPARE(contar(db, "SELECT count(*) FROM GruposPersonas WHERE Grupo = ?", {g2}), 0);
        QCOMPARE(contar(db, "SELECT count(*) FROM GruposPersonas WHERE Grupo = ?", {g1}), 1);
        QCOMPARE(m.grupoSeleccionado()->codigo, g1);
        QCOMPARE(lvE->model()->rowCount(), 1);

        QString modo;
        m.abrirModal = [&](QDialog& v) {
            QCOMPARE(v.objectName(), "FrmNMGrupo");
            modo = Globales::ModoEdicion;
            v.findChild<QLineEdit*>("TxtDescripcion")->setText(modo + " editado");
            v.findChild<QPushButton*>("CmdAceptar")->click();
        };
        pulsar(m, "LblNGrupo");
        QCOMPARE(modo, "N");
        QCOMPARE(celda(lvG, 0, 3), "N editado");
        QCOMPARE(celda(lvG, 0, 1), "-");
        // The modified group (not the first) is the selection afterwards, with its roster.
        lvG->setCurrentIndex(lvG->model()->index(1, 0));
        pulsar(m, "LblModificarGrupo");
        QCOMPARE(modo, "M");
        QCOMPARE(celda(lvG, 1, 3), "M editado");
        QCOMPARE(m.grupoSeleccionado()->codigo, g1);
        QCOMPARE(lvE->model()->rowCount(), 1);
        QCOMPARE(contar(db, "SELECT count(*) FROM Grupos"), 2);

        pulsar(m, "LblEliminarGrupo");
        pulsar(m, "LblEliminarGrupo");
        QCOMPARE(lvG->model()->rowCount(), 0);
        QCOMPARE(lvE->model()->rowCount(), 0); // no stale roster
        QCOMPARE(contar(db, "SELECT count(*) FROM Personas"), 1);
        d.limpiar();
        pulsar(m, "LblEliminarGrupo"); // nothing left: not even asked
        QVERIFY(d.mensajes.isEmpty());
    }
};

QTEST_MAIN(TestMenuPrincipal)
#include "tst_menuprincipal.moc"
