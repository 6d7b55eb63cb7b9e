// A whole examination from the main window as an operator runs it with the
// simulated receiver: the keypad window and the session run modally, the keypad
// panel beside them takes real mouse and keyboard input through the window
// system, and the results, the operator's code and the answer log are stored.
#include "Catalogo.h"
#include "DialogosDePrueba.h"
#include "EntornoPrueba.h"
#include "PuestoPrueba.h"
#include "Ventanas.h"
#include "app/Claves.h"
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
#include "keypads/ventanas/PanelSimulado.h"
#include "session/TableroRespuestas.h"
#include "session/ventanas/FrmConsola.h"
#include "session/ventanas/FrmInteligencia.h"
#include "session/ventanas/FrmResultados.h"
#include "session/ventanas/NombresFrmConsola.h"
#include "session/ventanas/NombresFrmInteligencia.h"
#include "session/ventanas/NombresFrmResultados.h"

#include <QCheckBox>
#include <QLabel>
#include <QScreen>
#include <QSpinBox>
#include <QSqlQuery>
#include <QTableView>
#include <QToolButton>

namespace controles = nombres::frmAddControles;
namespace teclado = nombres::panelControles;

namespace {

// A left click on `w` delivered to its window as the window system delivers one.
void clic(QWidget* w, QPoint punto) {
    QWidget* ventana = w->window();
    QTest::mouseClick(ventana->windowHandle(), Qt::LeftButton, {}, w->mapTo(ventana, punto));
}
void clic(QWidget* w) {
    clic(w, w->rect().center());
}

// The panel is on screen beside the window, within its screen, never under it,
// with the keypads of the roster. The session's view fills its screen: there the
// panel can only be over it.
void comprobarPanel(QDialog* ventana, bool completa = false) {
    PanelControles* panel = panelReceptorCompartido();
    QVERIFY(panel && panel->isVisible());
    const QRect pantalla = ventana->screen()->availableGeometry();
    if (completa) {
        QTRY_VERIFY(ventana->isFullScreen());
        QVERIFY(pantalla.contains(panel->frameGeometry()));
        QCOMPARE(ventana->geometry(), ventana->screen()->geometry());
    } else {
        QTRY_VERIFY(!panel->frameGeometry().intersects(ventana->frameGeometry()));
        QVERIFY(pantalla.contains(panel->frameGeometry()));
        QVERIFY(pantalla.contains(ventana->frameGeometry()));
    }
    QCOMPARE(panel->posiciones(), QList<int>({0, 1, 2}));
    QVERIFY(!panel->findChild<QLabel*>(teclado::kSinControles));
}

} // namespace

class TestExamenCompleto : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void deLaAsignacionAlRegistro() {
        EntornoPrueba e;
        DialogosDePrueba dialogos;
        QVERIFY(EscribirIni(claves::kReceptor, "Simulado"));
        De1& db = e.de1();
        catalogo::examen(db, 1, catalogo::preguntasSimples(3)); // correct answers 1, 2, 3
        const qint32 grupo = catalogo::grupo(
            db, "C-1", "Sala", catalogo::responsable(db, "Operador"), QDate::currentDate());
        // Keypads numbered in an earlier run: the receiver of this one knows none.
        QList<qint32> personas;
        for (int i = 0; i < 3; ++i) {
            personas << catalogo::nuevaPersona(db, QStringLiteral("Evaluado %1").arg(i + 1), "",
                                               QDate(1990, 1, 1));
            catalogo::miembro(db, grupo, personas.last(), 3 + i);
        }

        MenuPrincipal menu(db, 41);
        acompanarReceptorSimuladoConPanel(&menu);
        auto* rx = qobject_cast<ReceptorSimulado*>(&receptorCompartido());
        QVERIFY(rx);
        QVERIFY(rx->programados().isEmpty());
        rx->fijarDemoraBusqueda(5);
        rx->fijarDemoraConfirmacion(5);
        QSignalSpy leidos(rx, &Receptor::leido);
        menu.show();
        QVERIFY(QTest::qWaitForWindowExposed(&menu));

        DentroDe asignacion("FrmAddControles", [&](QDialog* ventana) {
            comprobarPanel(ventana);
            PanelControles* panel = panelReceptorCompartido();
            auto* enlace = hijo<QLabel>(*ventana, controles::kEnlace);
            auto* enchufado = hijo<QCheckBox>(*panel, teclado::kEnchufado);
            clic(enchufado, QPoint(8, enchufado->height() / 2));
            QTRY_COMPARE(enlace->text(), QStringLiteral("Dispositivo desconectado"));
            clic(enchufado, QPoint(8, enchufado->height() / 2));
            QTRY_COMPARE(enlace->text(), QStringLiteral("Dispositivo conectado"));
            clic(hijo<QPushButton>(*panel, teclado::tecla(1, 3)));
            QTRY_COMPARE(leidos.count(), 1);
            QCOMPARE(leidos.at(0).at(0).toByteArray().at(3), '3');
            // "Controles:" by keyboard: one keypad, then the assigned ones again.
            clic(hijo<QSpinBox>(*panel, teclado::kCantidad));
            QTest::keyClick(panel->windowHandle(), Qt::Key_Up);
            QTRY_COMPARE(panel->posiciones(), QList<int>({0}));
            QTest::keyClick(panel->windowHandle(), Qt::Key_Down);
            QTRY_COMPARE(panel->posiciones(), QList<int>({0, 1, 2}));

            // Every examinee gets his keypad anew, then "Aceptar".
            qobject_cast<FrmAddControles*>(ventana)->protocolo().fijarPausa(2);
            auto* lista = hijo<QTableView>(*ventana, controles::kEvaluados);
            auto* estado = hijo<QLabel>(*ventana, controles::kEstadoBusqueda);
            auto* buscar = hijo<QPushButton>(*ventana, controles::kBuscarControl);
            for (int fila = 0; fila < 3; ++fila) {
                lista->selectRow(fila);
                QTRY_VERIFY(buscar->isEnabled());
                clic(buscar);
                QTRY_COMPARE(estado->text(), QStringLiteral("Datos enviados exitosamente"));
            }
            clic(hijo<QPushButton>(*ventana, controles::kAceptar));
        });
        clic(hijo<QPushButton>(menu, nombres::menuPrincipal::kAsignarControles));
        QVERIFY(asignacion.hecho);
        QVERIFY(!panelReceptorCompartido()->isVisible());
        QCOMPARE(menu.evaluados().at(2).remoto, 5);

        // Each examinee's key per question (0 = none).
        const QList<QList<char>> teclas = {{'1', '2', '3'}, {'1', 0, 0}, {'2', '2', '3'}};
        DentroDe sesion("FrmInteligencia", [&](QDialog* ventana) {
            comprobarPanel(ventana, true);
            PanelControles* panel = panelReceptorCompartido();
            TableroRespuestas& tablero = qobject_cast<FrmInteligencia*>(ventana)->tablero();
            auto* titulo = hijo<QLabel>(*ventana, nombres::frmInteligencia::kTitulo);
            QTest::keyClick(ventana->windowHandle(), Qt::Key_Space);
            QTRY_COMPARE(titulo->text(), QStringLiteral("FASE DE EXAMEN"));
            for (int q = 0; q < 3; ++q) {
                for (int k = 0; k < 3; ++k) {
                    const char t = teclas.at(k).at(q);
                    if (!t)
                        continue;
                    clic(hijo<QPushButton>(*panel, teclado::tecla(k, t - '0')));
                    // The console lights the examinee; the room's title tells no key.
                    QTRY_VERIFY(tablero.respondio(k));
                    QCOMPARE(titulo->text(), QStringLiteral("FASE DE EXAMEN"));
                }
                if (q == 0) {
                    // The console takes clicks while the session runs modal to the main window.
                    auto& consola = qobject_cast<FrmInteligencia*>(ventana)->consola();
                    clic(consola.findChildren<QToolButton*>(nombres::frmConsola::kCelda).at(1));
                    QTRY_VERIFY(hijo(consola, nombres::frmConsola::kFicha)->isVisible());
                    QCOMPARE(hijo<QLabel>(consola, nombres::frmConsola::kNombreFicha)->text(),
                             QStringLiteral("Evaluado 2"));
                }
                QTest::qWait(1100); // Space ends a question once its first second is over
                QTest::keyClick(ventana->windowHandle(), Qt::Key_Space);
            }
            QTRY_VERIFY(!ventana->isVisible()); // stored, it closes by itself
        });
        clic(hijo<QPushButton>(menu, nombres::menuPrincipal::kIniciarExamen));
        QVERIFY(sesion.hecho);
        QVERIFY(!panelReceptorCompartido()->isVisible());
        QVERIFY(dialogos.mensajes.isEmpty());

        QSqlQuery r = db.ejecutar(
            "SELECT c.Persona, c.Resultado, c.NumeroCarpetaCons, s.Valor, s.Percentil, "
            "d.Responsable FROM Carpetas c JOIN DetalleExamenes d ON d.Carpeta = c.CodigoCarpeta "
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

        // Every key kept with the results, and the results shown over the main window.
        QCOMPARE(catalogo::filas(db, "RespuestasSesion"), 9);
        auto* resultados = menu.findChild<FrmResultados*>();
        QVERIFY(resultados);
        QTRY_VERIFY(resultados->isVisible());
        QVERIFY(resultados->isModal());
        auto* tabla = hijo<QTableView>(*resultados, nombres::frmResultados::kResultados);
        QCOMPARE(tabla->model()->rowCount(), 3);
        QCOMPARE(celda(tabla, 1, 6), QStringLiteral("Reprobado"));
        QCOMPARE(celda(tabla, 2, 0), QStringLiteral("5"));
        clic(hijo<QPushButton>(*resultados, nombres::frmResultados::kCerrar));
        QTRY_VERIFY(!menu.findChild<FrmResultados*>());
    }
};

TAVELMO_MAIN_PUESTO(TestExamenCompleto)
#include "tst_examencompleto.moc"
