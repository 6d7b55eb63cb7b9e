// The main window: lists, search, deletion, preconditions and the windows it opens.
#include "Catalogo.h"
#include "DialogosDePrueba.h"
#include "EntornoPrueba.h"
#include "Ventanas.h"
#include "exams/ventanas/FrmAddExamenes.h"
#include "exams/ventanas/NombresFrmAddExamenes.h"
#include "groups/ventanas/FrmNMGrupo.h"
#include "groups/ventanas/FrmSecundario.h"
#include "groups/ventanas/MenuPrincipal.h"
#include "groups/ventanas/NombresFrmNMGrupo.h"
#include "groups/ventanas/NombresMenuPrincipal.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QTreeView>
#include <QtTest>

using namespace catalogo;
namespace n = nombres::menuPrincipal;

namespace {

QTreeView* vista(QWidget& w, const QString& nombre) {
    return hijo<QTreeView>(w, nombre);
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
        MenuPrincipal m(e.de1(), 0);
        QStringList abiertas;
        m.abrirModal = [&](QDialog& v) { abiertas << v.objectName(); };

        pulsar(m, n::kModificarGrupo);
        pulsar(m, n::kEliminarGrupo);
        QVERIFY(d.mensajes.isEmpty());
        pulsar(m, n::kAgregarPersonas);
        pulsar(m, n::kAsignarControles);
        pulsar(m, n::kIniciarExamen);
        hijo<QLineEdit>(m, n::kTextoBuscar)->setText("   ");
        pulsar(m, n::kBuscar);
        QCOMPARE(textos(d),
                 QStringList({"Debe seleccionar un grupo para agregar personas.",
                              "No hay Evaluados para la asignacion de controles.",
                              "Debe seleccionar un test.", "Debe ingresar el texto a buscar"}));
        QCOMPARE(d.mensajes.at(0).icono, Dialogos::Icono::Informacion);
        QVERIFY(abiertas.isEmpty());
        m.show();
        QVERIFY(m.fondo()->isVisible()); // the backdrop comes with the window
    }

    void catalogoIlegibleLoDiceYSigue() {
        EntornoPrueba e;
        DialogosDePrueba d;
        test(e.de1(), 1, "Teórico");
        e.de1().ejecutar("DROP TABLE Grupos");
        MenuPrincipal m(e.de1(), 0);
        QCOMPARE(d.mensajes.size(), 1);
        QCOMPARE(d.mensajes.at(0).icono, Dialogos::Icono::Critico);
        QVERIFY(d.ultimo().startsWith("No se pudieron leer los grupos.\n\n"));
        QVERIFY(d.ultimo().contains("Grupos"));
        QCOMPARE(vista(m, n::kExamenes)->model()->rowCount(), 1); // the tests are still read
    }

    void listasSeleccionYVentanasDeOtrasAreas() {
        EntornoPrueba e;
        DialogosDePrueba d;
        De1& db = e.de1();
        const qint32 r = responsable(db, "Ana Soto");
        const qint32 g1 = grupo(db, "C-1", "Mañana", r, QDate(2024, 3, 5));
        grupo(db, "C-X", "Huérfano", 999); // no such responsible person: not listed
        const qint32 g3 = grupo(db, "C-3", "Tarde", r);
        miembro(db, g1, nuevaPersona(db, "Juan Pérez", "111"), 0);
        miembro(db, g1, nuevaPersona(db, "Rosa Díaz", "222"));
        const qint32 p3 = nuevaPersona(db, "Luis Rojas", "333");
        miembro(db, g1, p3, 7);
        test(db, 1, "Teórico B");
        test(db, 2, "Psicotécnico", "P");

        MenuPrincipal m(db, 0);
        QTreeView* lvG = vista(m, n::kGrupos);
        QTreeView* lvE = vista(m, n::kEvaluados);
        // Newest first; the first row is selected and its (empty) roster shown.
        QCOMPARE(lvG->model()->rowCount(), 2);
        QCOMPARE(celda(lvG, 1, 4), "Ana Soto");
        QCOMPARE(m.grupoSeleccionado()->codigo, g3);
        QCOMPARE(lvE->model()->rowCount(), 0);
        QCOMPARE(vista(m, n::kExamenes)->model()->rowCount(), 1);
        QCOMPARE(m.examenSeleccionado(), std::optional<qint32>(1));

        lvG->setCurrentIndex(lvG->model()->index(1, 1));
        QCOMPARE(columna(lvE, 3), QStringList({"no asignado", "no asignado", "7"}));
        QCOMPARE(m.evaluados().at(2).codigoPersona, p3);
        QCOMPARE(m.evaluados().at(2).remoto, 7);
        QCOMPARE(celda(lvE, 0, 1), "Juan Pérez");

        QStringList abiertas;
        QStringList examenes;
        m.abrirModal = [&](QDialog& v) {
            abiertas << v.objectName();
            if (qobject_cast<FrmAddExamenes*>(&v))
                examenes << hijo<QLineEdit>(v, nombres::frmAddExamenes::kDescripcion)->text();
            // A keypad stored meanwhile shows once the window closes.
            db.ejecutar("UPDATE GruposPersonas SET Remoto = 12");
        };
        pulsar(m, n::kAsignarControles);
        QCOMPARE(m.evaluados().at(0).remoto, 12);
        pulsar(m, n::kIniciarExamen);
        pulsar(m, n::kNuevoExamen);
        pulsar(m, n::kModificarExamen);
        QCOMPARE(abiertas, QStringList({"FrmAddControles", "FrmInteligencia", "FrmAddExamenes",
                                        "FrmAddExamenes"}));
        // "Nuevo Examen" starts empty; "Modificar Examen" opens the selected test.
        QCOMPARE(examenes, QStringList({"", "Teórico B"}));
        QVERIFY(d.mensajes.isEmpty());
        bool salio = false;
        m.salir = [&] { salio = true; };
        pulsar(m, n::kSalir);
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
        miembro(db, g4, nuevaPersona(db, "P", "1"));
        MenuPrincipal m(db, 0);
        QTreeView* lvG = vista(m, n::kGrupos);
        lvG->selectionModel()->clearSelection();

        hijo<QLineEdit>(m, n::kTextoBuscar)->setText("abc");
        pulsar(m, n::kBuscar);
        QCOMPARE(filasSeleccionadas(lvG), QList<int>({0, 2})); // g4 and "Clase ABC"
        QCOMPARE(m.grupoSeleccionado()->codigo, g4);
        QCOMPARE(vista(m, n::kEvaluados)->model()->rowCount(), 1);

        hijo<QComboBox>(m, n::kBuscarEn)->setCurrentIndex(0);
        pulsar(m, n::kBuscar);
        QCOMPARE(filasSeleccionadas(lvG), QList<int>({0, 2, 3})); // adds course "abc-1"
        QVERIFY(d.mensajes.isEmpty());
    }

    void muchosGruposEnLotes() {
        // Groups come 200 at a time as the list scrolls; a search reads on to the
        // newest match and marks the older ones as their rows come.
        EntornoPrueba e;
        DialogosDePrueba d;
        De1& db = e.de1();
        const qint32 r = responsable(db, "Ana");
        QList<qint32> especiales;
        {
            Transaccion t(db);
            for (int i = 1; i <= 450; ++i) {
                const qint32 g = grupo(db, QString::number(i),
                                       i % 100 == 0 ? "Especial" : QString("Grupo %1").arg(i), r);
                if (i % 100 == 0)
                    especiales.prepend(g);
            }
            t.confirmar();
        }
        MenuPrincipal m(db, 0);
        m.show();
        QVERIFY(QTest::qWaitForWindowExposed(&m));
        QTreeView* lvG = vista(m, n::kGrupos);
        QTest::qWait(50);
        QCOMPARE(lvG->model()->rowCount(), 200);
        QCOMPARE(hijo<QLabel>(m, n::kCuentaGrupos)->text(), QString("Más de 200 grupos"));
        lvG->selectionModel()->clearSelection();
        hijo<QLineEdit>(m, n::kTextoBuscar)->setText("ESPECIAL");
        pulsar(m, n::kBuscar);
        // Groups 400, 300, 200 and 100 are rows 50, 150, 250 and 350.
        QCOMPARE(filasSeleccionadas(lvG), QList<int>({50, 150}));
        // Each scroll to the end brings the next batch.
        QTRY_VERIFY((lvG->scrollToBottom(), lvG->model()->rowCount() == 450));
        QCOMPARE(filasSeleccionadas(lvG), QList<int>({50, 150, 250, 350}));
        QCOMPARE(hijo<QLabel>(m, n::kCuentaGrupos)->text(), QString("450 grupos"));
        QVERIFY(d.mensajes.isEmpty());
    }

    void eliminarNuevoYModificarGrupo() {
        EntornoPrueba e;
        DialogosDePrueba d;
        De1& db = e.de1();
        const qint32 r = responsable(db, "Ana");
        const qint32 g1 = grupo(db, "1", "Uno", r);
        const qint32 g2 = grupo(db, "2", "Dos", r);
        const qint32 p = nuevaPersona(db, "P", "1");
        miembro(db, g1, p, 3);
        miembro(db, g2, p, 4);
        MenuPrincipal m(db, 0);
        QTreeView* lvG = vista(m, n::kGrupos);
        QTreeView* lvE = vista(m, n::kEvaluados);

        d.siguienteRespuesta(Dialogos::Respuesta::No);
        pulsar(m, n::kEliminarGrupo);
        QCOMPARE(textos(d), QStringList({"¿Está seguro de eliminar este grupo?\nEsta acción no "
                                         "eliminará las personas, solo desaparecerá el grupo"}));
        QCOMPARE(d.mensajes.at(0).titulo, "Advertencia!");
        QCOMPARE(d.mensajes.at(0).botones, Dialogos::Botones::SiNo);
        QCOMPARE(contar(db, "SELECT count(*) FROM Grupos"), 2);
        pulsar(m, n::kEliminarGrupo); // Yes: the selected (newest) group
        QCOMPARE(contar(db, "SELECT count(*) FROM Grupos WHERE CodigoGrupo = ?", {g2}), 0);
        QCOMPARE(contar(db, "SELECT count(*) FROM GruposPersonas WHERE Grupo = ?", {g2}), 0);
        QCOMPARE(contar(db, "SELECT count(*) FROM GruposPersonas WHERE Grupo = ?", {g1}), 1);
        QCOMPARE(m.grupoSeleccionado()->codigo, g1);
        QCOMPARE(lvE->model()->rowCount(), 1);

        QString modo;
        m.abrirModal = [&](QDialog& v) {
            modo = qobject_cast<FrmNMGrupo*>(&v)->modificando() ? "M" : "N";
            hijo<QLineEdit>(v, nombres::frmNMGrupo::kDescripcion)->setText(modo + " editado");
            pulsar(v, nombres::frmNMGrupo::kAceptar);
        };
        pulsar(m, n::kNuevoGrupo);
        QCOMPARE(modo, "N");
        QCOMPARE(celda(lvG, 0, 3), "N editado");
        QCOMPARE(celda(lvG, 0, 1), "-");
        // The modified group (not the first) is the selection afterwards, with its roster.
        lvG->setCurrentIndex(lvG->model()->index(1, 0));
        pulsar(m, n::kModificarGrupo);
        QCOMPARE(modo, "M");
        QCOMPARE(celda(lvG, 1, 3), "M editado");
        QCOMPARE(m.grupoSeleccionado()->codigo, g1);
        QCOMPARE(lvE->model()->rowCount(), 1);
        QCOMPARE(contar(db, "SELECT count(*) FROM Grupos"), 2);

        pulsar(m, n::kEliminarGrupo);
        pulsar(m, n::kEliminarGrupo);
        QCOMPARE(lvG->model()->rowCount(), 0);
        QCOMPARE(lvE->model()->rowCount(), 0); // no stale roster
        QCOMPARE(contar(db, "SELECT count(*) FROM Personas"), 1);
        d.limpiar();
        pulsar(m, n::kEliminarGrupo); // nothing left: not even asked
        QVERIFY(d.mensajes.isEmpty());
    }
};

QTEST_MAIN(TestMenuPrincipal)
#include "tst_menuprincipal.moc"
