// The room without windows: which screen takes the questions and which the
// console, and the answer grid fed by the session's keys.
#include "Catalogo.h"
#include "EntornoPrueba.h"
#include "ReceptorFalso.h"
#include "Tiempo.h"
#include "session/PantallasSala.h"
#include "session/SesionExamen.h"
#include "session/TableroRespuestas.h"

#include <QSignalSpy>
#include <QtTest>

namespace {

const PantallaSala kPrincipal{QStringLiteral("Principal"), QRect(0, 0, 1366, 768),
                              QRect(0, 0, 1366, 740), true};
const PantallaSala kProyector{QStringLiteral("HDMI-1"), QRect(1366, 0, 1920, 1080),
                              QRect(1366, 0, 1920, 1080), false};
const PantallaSala kOtro{QStringLiteral("DP-2"), QRect(-1280, 0, 1280, 1024),
                         QRect(-1280, 0, 1280, 1024), false};

} // namespace

class TestTableroSala : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void colocacion_data() {
        QTest::addColumn<QList<PantallaSala>>("pantallas");
        QTest::addColumn<QString>("elegida");
        QTest::addColumn<int>("vista");
        QTest::addColumn<int>("consola");
        QTest::addColumn<bool>("aparte");
        const QList<PantallaSala> dos{kPrincipal, kProyector};
        QTest::newRow("proyector desconectado")
            << QList<PantallaSala>{kPrincipal} << "HDMI-1" << 0 << 0 << false;
        QTest::newRow("dos, elegido el proyector") << dos << "HDMI-1" << 1 << 0 << true;
        QTest::newRow("dos, elegida la principal") << dos << "Principal" << 0 << 1 << true;
        QTest::newRow("dos, sin elegir") << dos << QString() << 1 << 0 << true;
        QTest::newRow("dos, elegida una que no está") << dos << "VGA-9" << 1 << 0 << true;
        // The principal one listed last, as some systems do.
        QTest::newRow("dos, principal al final")
            << QList<PantallaSala>{kProyector, kPrincipal} << QString() << 0 << 1 << true;
        QTest::newRow("tres, elegida la tercera")
            << QList<PantallaSala>{kPrincipal, kProyector, kOtro} << "DP-2" << 2 << 0 << true;
        QTest::newRow("queda sólo el proyector")
            << QList<PantallaSala>{kProyector} << "HDMI-1" << 0 << 0 << false;
        QTest::newRow("ninguna") << QList<PantallaSala>{} << "HDMI-1" << -1 << -1 << false;
    }
    void colocacion() {
        QFETCH(QList<PantallaSala>, pantallas);
        QFETCH(QString, elegida);
        QFETCH(int, vista);
        QFETCH(int, consola);
        QFETCH(bool, aparte);
        const ColocacionSala c = colocarSala(pantallas, elegida);
        QCOMPARE(c.vista, vista);
        QCOMPARE(c.consola, consola);
        QCOMPARE(c.consolaAparte, aparte);
        if (vista < 0)
            return;
        QCOMPARE(c.marcoVista, pantallas.at(vista).geometria);
        const QRect area = pantallas.at(consola).disponible;
        if (aparte) {
            QCOMPARE(c.marcoConsola, area);
        } else {
            // A smaller window inside the shared screen's free area, in its corner.
            QVERIFY(area.contains(c.marcoConsola));
            QCOMPARE(c.marcoConsola.bottomRight(), area.bottomRight());
            QVERIFY(c.marcoConsola.width() < area.width() / 2);
        }
    }

    // The grid follows the session: each examinee whose key came for the question on
    // screen lights, whatever the report carried for the others, and the next question
    // starts dark.
    void laRejillaSigueALaSesion() {
        EntornoPrueba e;
        catalogo::examen(e.de1(), 1, catalogo::preguntasSimples(2));
        RelojDePrueba reloj;
        SesionExamen sesion(e.de1(), reloj);
        TableroRespuestas tablero;
        connect(&sesion, &SesionExamen::preguntaMostrada, &tablero,
                &TableroRespuestas::nuevaPregunta);
        connect(
            &sesion, &SesionExamen::teclaRecibida, &tablero,
            [&](int evaluado, int pregunta, QChar) { tablero.registrarTecla(evaluado, pregunta); });
        QSignalSpy encendidos(&tablero, &TableroRespuestas::encendido);
        tablero.fijarEvaluados(4);
        QVERIFY(sesion.iniciar(1, {11, 12, 13, 14}).isEmpty());
        QCOMPARE(tablero.pregunta(), 0);

        // One report carrying three keypads: every one of them lights, not only the last.
        sesion.recibirReporte(reporteRespuestas({'1', 0, '3', '2'}));
        sesion.recibirReporte(reporteRespuestas({'4'})); // a change of mind lights nothing new
        QCOMPARE(encendidos.count(), 3);
        QVERIFY(tablero.respondio(0) && !tablero.respondio(1) && tablero.respondio(3));
        QVERIFY(!tablero.todosRespondieron());

        sesion.espacio(); // within the first second: the question stays
        reloj.avanzar(16001);
        sesion.espera().actualizar();
        QCOMPARE(tablero.pregunta(), 1);
        tablero.registrarTecla(1, 0); // for a question no longer on screen: lights nothing
        QCOMPARE(tablero.respondidos(), 0);
    }

    // "Siguiente pregunta" is offered only with the office's option and once everyone has
    // answered; the session then moves on as when the time runs out.
    void siguientePregunta_data() {
        QTest::addColumn<bool>("permitido");
        QTest::addColumn<bool>("todos");
        QTest::addColumn<bool>("disponible");
        QTest::newRow("sin la opción") << false << true << false;
        QTest::newRow("falta uno") << true << false << false;
        QTest::newRow("todos, con la opción") << true << true << true;
    }
    void siguientePregunta() {
        QFETCH(bool, permitido);
        QFETCH(bool, todos);
        QFETCH(bool, disponible);
        TableroRespuestas tablero(3);
        tablero.permitirSiguiente(permitido);
        QVERIFY(!tablero.siguienteDisponible()); // no question on screen yet
        tablero.nuevaPregunta(0);
        for (int k = 0; k < (todos ? 3 : 2); ++k)
            tablero.registrarTecla(k, 0);
        QCOMPARE(tablero.siguienteDisponible(), disponible);
        tablero.nuevaPregunta(1);
        QVERIFY(!tablero.siguienteDisponible());
    }

    void terminarPreguntaComoAlAgotarseElTiempo() {
        EntornoPrueba e;
        catalogo::examen(e.de1(), 1, catalogo::preguntasSimples(2));
        RelojDePrueba reloj;
        SesionExamen sesion(e.de1(), reloj);
        QSignalSpy terminadas(&sesion, &SesionExamen::preguntaTerminada);
        QSignalSpy fin(&sesion, &SesionExamen::examenTerminado);
        sesion.terminarPregunta(); // not started: nothing to end
        QVERIFY(sesion.iniciar(1, {11}).isEmpty());
        sesion.terminarPregunta(); // even within the first second
        QCOMPARE(terminadas.count(), 1);
        QCOMPARE(sesion.preguntaActual(), 1);
        sesion.terminarPregunta();
        QCOMPARE(fin.count(), 1);
        QCOMPARE(sesion.estado(), SesionExamen::Estado::Terminada);
        sesion.terminarPregunta();
        QCOMPARE(terminadas.count(), 2);
    }
};

QTEST_GUILESS_MAIN(TestTableroSala)
#include "tst_tablerosala.moc"
