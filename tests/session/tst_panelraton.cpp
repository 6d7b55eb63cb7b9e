// The simulated keypad panel while the keypad window and the exam session run
// modally from the main window: it takes real mouse and keyboard input through
// the window system, shows the roster's stored keypads in a new run, and sits
// beside the window that uses it.
#include "ApoyoSesion.h"
#include "DialogosDePrueba.h"
#include "EntornoPrueba.h"
#include "PuestoPrueba.h"
#include "app/Ini.h"
#include "groups/ventanas/MenuPrincipal.h"
#include "keypads/FabricaReceptor.h"
#include "keypads/ReceptorSimulado.h"
#include "keypads/ventanas/PanelControles.h"
#include "keypads/ventanas/PanelSimulado.h"

#include <QCheckBox>
#include <QDialog>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QSpinBox>

namespace {

// A left click on `w` delivered to its window as the window system delivers one.
void clic(QWidget* w, QPoint punto) {
    QWidget* ventana = w->window();
    QTest::mouseClick(ventana->windowHandle(), Qt::LeftButton, {}, w->mapTo(ventana, punto));
}
void clic(QWidget* w) {
    clic(w, w->rect().center());
}

// Beside the window, within its screen, never under it.
void comprobarColocacion(PanelControles* panel, QDialog* ventana) {
    const QRect pantalla = ventana->screen()->availableGeometry();
    QTRY_VERIFY2(!panel->frameGeometry().intersects(ventana->frameGeometry()),
                 qPrintable(QStringLiteral("panel %1,%2 %3x%4")
                                .arg(panel->x())
                                .arg(panel->y())
                                .arg(panel->width())
                                .arg(panel->height())));
    QVERIFY(pantalla.contains(panel->frameGeometry()));
    QVERIFY(pantalla.contains(ventana->frameGeometry()));
}

} // namespace

class TestPanelRaton : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void panelEnLasVentanasModales() {
        EntornoPrueba e;
        DialogosDePrueba dialogos;
        QVERIFY(EscribirIni("Control", "Receptor", "Simulado"));
        De1& db = e.de1();
        crearExamen(db, 1, preguntasSimples(2));
        const qint64 r =
            db.insertar("Responsables", {{"NombreResponsable", "Operador"}}, "CodigoResponsable");
        const qint64 g = db.insertar("Grupos",
                                     {{"NroCurso", "C-1"},
                                      {"Responsable", r},
                                      {"Descripcion", "Sala"},
                                      {"Fecha", db.dialecto().fecha(QDate::currentDate())}},
                                     "CodigoGrupo");
        // Keypads numbered in an earlier run: the receiver of this one knows none.
        for (int i = 0; i < 3; ++i)
            db.insertar("GruposPersonas",
                        {{"Grupo", g},
                         {"Persona", crearPersona(db, QDate(1990, 1, 1),
                                                  QStringLiteral("Evaluado %1").arg(i + 1))},
                         {"Remoto", 3 + i}},
                        "CodigoGrupoPersona");

        MenuPrincipal menu(db);
        acompanarReceptorSimuladoConPanel(&menu);
        auto* rx = qobject_cast<ReceptorSimulado*>(&receptorCompartido());
        QVERIFY(rx);
        QVERIFY(rx->programados().isEmpty());
        QSignalSpy leidos(rx, &Receptor::leido);
        menu.show();
        QVERIFY(QTest::qWaitForWindowExposed(&menu));

        DentroDe controles("FrmAddControles", [&](QDialog* ventana) {
            PanelControles* panel = panelReceptorCompartido();
            QVERIFY(panel && panel->isVisible());
            comprobarColocacion(panel, ventana);
            QCOMPARE(panel->posiciones(), QList<int>({0, 1, 2}));
            QVERIFY(!panel->findChild<QLabel*>("LblSinControles"));

            auto* estado = ventana->findChild<QLabel*>("lblEstado");
            auto* enchufado = panel->findChild<QCheckBox*>("ChkEnchufado");
            clic(enchufado, QPoint(8, enchufado->height() / 2));
            QTRY_COMPARE(estado->text(), QStringLiteral("Dispositivo desconectado"));
            clic(enchufado, QPoint(8, enchufado->height() / 2));
            QTRY_COMPARE(estado->text(), QStringLiteral("Dispositivo conectado"));

            clic(panel->findChild<QPushButton*>("Control1Tecla3"));
            QTRY_COMPARE(leidos.count(), 1);
            QCOMPARE(leidos.at(0).at(0).toByteArray().at(3), '3');

            // "Controles:" by keyboard: one keypad, then the assigned ones again.
            auto* cantidad = panel->findChild<QSpinBox*>("SpinCantidad");
            clic(cantidad);
            QTest::keyClick(panel->windowHandle(), Qt::Key_Up);
            QTRY_COMPARE(panel->posiciones(), QList<int>({0}));
            QTest::keyClick(panel->windowHandle(), Qt::Key_Down);
            QTRY_COMPARE(panel->posiciones(), QList<int>({0, 1, 2}));

            clic(ventana->findChild<QPushButton*>("CmdCancelar"));
            QTRY_VERIFY(!ventana->isVisible());
        });
        clic(menu.findChild<QPushButton*>("Image4"));
        QVERIFY(controles.hecho);
        QVERIFY(!panelReceptorCompartido()->isVisible());

        DentroDe sesion("FrmInteligencia", [&](QDialog* ventana) {
            PanelControles* panel = panelReceptorCompartido();
            QVERIFY(panel->isVisible());
            comprobarColocacion(panel, ventana);
            QCOMPARE(panel->posiciones(), QList<int>({0, 1, 2}));

            QTest::keyClick(ventana->windowHandle(), Qt::Key_Space);
            auto* titulo = ventana->findChild<QLabel*>("LblTitulo");
            QTRY_COMPARE(titulo->text(), QStringLiteral("FASE DE EXAMEN"));
            clic(panel->findChild<QPushButton*>("Control2Tecla2"));
            QTRY_COMPARE(titulo->text(), QStringLiteral("Control2Pregunta0Tecla2"));
            clic(panel->findChild<QPushButton*>("Control0Tecla1"));
            QTRY_COMPARE(titulo->text(), QStringLiteral("Control0Pregunta0Tecla1"));
        });
        clic(menu.findChild<QPushButton*>("Image6"));
        QVERIFY(sesion.hecho);
        QVERIFY(!panelReceptorCompartido()->isVisible());
    }
};

TAVELMO_MAIN_PUESTO(TestPanelRaton)
#include "tst_panelraton.moc"
