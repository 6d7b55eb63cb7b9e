// A whole examination from the main window: keypads paired through the simulated
// receiver, the exam answered on its keypad panel, results and answer log stored.
#include "Catalogo.h"
#include "DialogosDePrueba.h"
#include "EntornoPrueba.h"
#include "Tiempo.h"
#include "Ventanas.h"
#include "app/Ini.h"
#include "groups/ventanas/MenuPrincipal.h"
#include "groups/ventanas/NombresMenuPrincipal.h"
#include "keypads/FabricaReceptor.h"
#include "keypads/ProtocoloReceptor.h"
#include "keypads/ReceptorSimulado.h"
#include "keypads/ventanas/FrmAddControles.h"
#include "keypads/ventanas/NombresFrmAddControles.h"
#include "keypads/ventanas/NombresPanelControles.h"
#include "keypads/ventanas/PanelControles.h"
#include "session/SesionExamen.h"
#include "session/ventanas/FrmInteligencia.h"
#include "session/ventanas/NombresFrmInteligencia.h"

#include <QAbstractItemView>
#include <QLabel>
#include <QPushButton>
#include <QSqlQuery>
#include <QtTest>

namespace controles = nombres::frmAddControles;
namespace menu = nombres::menuPrincipal;
namespace teclado = nombres::panelControles;

class TestExamenCompleto : public QObject {
    Q_OBJECT

    static void asignarControles(FrmAddControles& ventana) {
        ventana.protocolo().fijarPausa(2);
        ventana.show();
        auto* lista = hijo<QAbstractItemView>(ventana, controles::kEvaluados);
        auto* estado = hijo<QLabel>(ventana, controles::kEstadoBusqueda);
        auto* buscar = hijo<QPushButton>(ventana, controles::kBuscarControl);
        for (int fila = 0; fila < 3; ++fila) {
            lista->setCurrentIndex(lista->model()->index(fila, 0));
            QTRY_VERIFY(buscar->isEnabled());
            QTest::mouseClick(buscar, Qt::LeftButton);
            QTRY_COMPARE(estado->text(), QStringLiteral("Datos enviados exitosamente"));
        }
        pulsar(ventana, controles::kAceptar);
    }

    // Each examinee's key per question (0 = none); the panel's keypads follow the
    // numbered ones.
    static void rendirExamen(FrmInteligencia& ventana, ReceptorSimulado& receptor,
                             const QList<QList<char>>& teclas) {
        RelojDePrueba reloj;
        PanelControles panel(receptor);
        panel.show(); // the keys are clicked with the mouse
        ventana.usarReloj(reloj);
        ventana.show();
        QVERIFY(QTest::qWaitForWindowExposed(&ventana));
        QVERIFY(receptor.abierto());
        QTest::keyClick(&ventana, Qt::Key_Space);
        int esperadas = 0;
        for (int q = 0; q < 3; ++q) {
            QCOMPARE(ventana.sesion().preguntaActual(), q);
            for (int k = 0; k < 3; ++k) {
                const char t = teclas.at(k).at(q);
                if (!t)
                    continue;
                pulsar(panel, teclado::tecla(k, t - '0'));
                ++esperadas;
            }
            QTRY_COMPARE(ventana.sesion().teclasRecibidas(), esperadas);
            if (q == 0) // the title names the last key received
                QCOMPARE(hijo<QLabel>(ventana, nombres::frmInteligencia::kTitulo)->text(),
                         QStringLiteral("Control2Pregunta0Tecla%1").arg(teclas.at(2).at(0)));
            reloj.avanzar(16001);
            ventana.sesion().espera().actualizar();
        }
        QTRY_VERIFY(!ventana.isVisible());
    }

private Q_SLOTS:
    void deLaAsignacionAlRegistro() {
        EntornoPrueba e;
        DialogosDePrueba dialogos;
        De1& db = e.de1();
        catalogo::examen(db, 1, catalogo::preguntasSimples(3)); // correct answers 1, 2, 3
        const qint32 grupo =
            catalogo::grupo(db, "C-1", "Sala de prueba", catalogo::responsable(db, "Operador"),
                            QDate::currentDate());
        QList<qint32> personas;
        for (int i = 0; i < 3; ++i) {
            personas << catalogo::nuevaPersona(db, QStringLiteral("Evaluado %1").arg(i + 1), "",
                                               QDate(1990, 1, 1));
            catalogo::miembro(db, grupo, personas.last());
        }

        ReceptorSimulado receptor;
        receptor.fijarDemoraBusqueda(5);
        receptor.fijarDemoraConfirmacion(5);
        fijarReceptorCompartido(&receptor);

        MenuPrincipal ventanaMenu(db, 41);
        bool examinado = false;
        ventanaMenu.abrirModal = [&](QDialog& ventana) {
            if (auto* controles = qobject_cast<FrmAddControles*>(&ventana))
                asignarControles(*controles);
            else if (auto* sesion = qobject_cast<FrmInteligencia*>(&ventana)) {
                rendirExamen(*sesion, receptor, {{'1', '2', '3'}, {'1', 0, 0}, {'2', '2', '3'}});
                examinado = true;
            }
        };
        ventanaMenu.show();
        pulsar(ventanaMenu, menu::kAsignarControles);
        QSqlQuery remotos =
            db.ejecutar("SELECT Remoto FROM GruposPersonas ORDER BY CodigoGrupoPersona");
        for (int esperado : {3, 4, 5}) {
            QVERIFY(remotos.next());
            QCOMPARE(remotos.value(0).toInt(), esperado);
        }
        pulsar(ventanaMenu, menu::kIniciarExamen);
        QVERIFY(examinado);
        fijarReceptorCompartido(nullptr);

        QSqlQuery r = db.ejecutar(
            "SELECT c.Persona, c.Resultado, c.NumeroCarpetaCons, s.Valor, s.Percentil, "
            "d.Responsable "
            "FROM Carpetas c JOIN DetalleExamenes d ON d.Carpeta = c.CodigoCarpeta "
            "JOIN Resultados s ON s.DetalleExamen = d.CodigoDetalleExamen ORDER BY c.Persona");
        const QList<QVariantList> esperado = {{personas[0], "Aprobado", 3, 0},
                                              {personas[1], "Reprobado", 1, 2},
                                              {personas[2], "Aprobado", 2, 1}};
        QStringList numeros;
        for (const QVariantList& fila : esperado) {
            QVERIFY(r.next());
            QCOMPARE(r.value(0).toInt(), fila[0].toInt());
            QCOMPARE(r.value(1).toString(), fila[1].toString());
            QCOMPARE(r.value(3).toInt(), fila[2].toInt());
            QCOMPARE(r.value(4).toInt(), fila[3].toInt());
            QCOMPARE(r.value(5).toInt(), 41); // the operator code from the command line
            numeros << r.value(2).toString();
        }
        QVERIFY(!r.next());
        numeros.removeDuplicates();
        QCOMPARE(numeros.size(), 3);
        QCOMPARE(LeerIni("Evaluado1", "Pregunta3"), QStringLiteral("3"));
        QCOMPARE(LeerIni("Evaluado2", "Pregunta2"), QString());
        QCOMPARE(LeerIni("Evaluado3", "Pregunta1"), QStringLiteral("2"));
    }
};

QTEST_MAIN(TestExamenCompleto)
#include "tst_examencompleto.moc"
