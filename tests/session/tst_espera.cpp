// The wait on a question, run on a clock the test moves.
#include "ApoyoSesion.h"
#include "session/EsperaPregunta.h"

#include <QSignalSpy>
#include <QtTest>
#include <limits>

class TestEspera : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void cuentaRegresivaDeDieciseis() {
        RelojDePrueba reloj;
        EsperaPregunta espera(reloj);
        QSignalSpy fin(&espera, &EsperaPregunta::terminada);
        QList<qint64> vistas;
        connect(&espera, &EsperaPregunta::cuentaCambiada, this, [&](qint64 c) { vistas << c; });
        espera.iniciar(16);
        for (int paso = 0; paso < 16 * 4 && fin.isEmpty(); ++paso) {
            reloj.avanzar(250);
            espera.actualizar();
        }
        QCOMPARE(fin.count(), 0); // exactly 16 s: not yet past the limit
        reloj.avanzar(1);
        espera.actualizar();
        QCOMPARE(fin.count(), 1);
        QList<qint64> esperadas;
        for (int c = 16; c >= 1; --c)
            esperadas << c;
        QCOMPARE(vistas, esperadas);
        QVERIFY(!espera.activa());
    }

    void espacioIgnoradoEnElPrimerSegundo() {
        RelojDePrueba reloj;
        EsperaPregunta espera(reloj);
        QSignalSpy fin(&espera, &EsperaPregunta::terminada);
        espera.iniciar(16);
        reloj.avanzar(900);
        espera.pulsarEspacio(); // 16 shown: the wait starts over
        QCOMPARE(fin.count(), 0);
        QCOMPARE(espera.cuenta(), 16);
        QCOMPARE(espera.reinicios(), 1);
        reloj.avanzar(15900); // 16.8 s after the first start, 15.9 s after the restart
        espera.actualizar();
        QCOMPARE(fin.count(), 0);
        QCOMPARE(espera.cuenta(), 1);
        reloj.avanzar(200);
        espera.actualizar();
        QCOMPARE(fin.count(), 1);
    }

    void espacioTerminaConQuinceALaVista() {
        RelojDePrueba reloj;
        EsperaPregunta espera(reloj);
        QSignalSpy fin(&espera, &EsperaPregunta::terminada);
        espera.iniciar(16);
        reloj.avanzar(1100);
        espera.actualizar();
        QCOMPARE(espera.cuenta(), 15);
        espera.pulsarEspacio();
        QCOMPARE(fin.count(), 1);
        espera.pulsarEspacio(); // after the end: nothing more
        reloj.avanzar(60000);
        espera.actualizar();
        QCOMPARE(fin.count(), 1);
    }

    void limitesInutilizablesCorrenDieciseis_data() {
        QTest::addColumn<double>("limite");
        QTest::addColumn<double>("efectivo");
        QTest::newRow("cero") << 0.0 << 16.0;
        QTest::newRow("negativo") << -5.0 << 16.0;
        QTest::newRow("nan") << std::numeric_limits<double>::quiet_NaN() << 16.0;
        QTest::newRow("infinito") << std::numeric_limits<double>::infinity() << 16.0;
        QTest::newRow("uno") << 1.0 << 1.0;
        QTest::newRow("medio") << 0.5 << 0.5;
    }
    void limitesInutilizablesCorrenDieciseis() {
        QFETCH(double, limite);
        QFETCH(double, efectivo);
        RelojDePrueba reloj;
        EsperaPregunta espera(reloj);
        QSignalSpy fin(&espera, &EsperaPregunta::terminada);
        espera.iniciar(limite);
        QCOMPARE(espera.limite(), efectivo);
        QCOMPARE(espera.cuenta(), qint64(std::ceil(efectivo)));
        // Every such question ends once its time is over.
        reloj.avanzar(qint64(efectivo * 1000) + 1);
        espera.actualizar();
        QCOMPARE(fin.count(), 1);
    }

    void elTemporizadorLaTerminaSolo() {
        RelojMonotono reloj;
        EsperaPregunta espera(reloj);
        QSignalSpy fin(&espera, &EsperaPregunta::terminada);
        QSignalSpy cuenta(&espera, &EsperaPregunta::cuentaCambiada);
        espera.iniciar(1.2);
        QVERIFY(fin.wait(3000));
        QCOMPARE(cuenta.count(), 2); // 2, then 1
    }
};

QTEST_GUILESS_MAIN(TestEspera)
#include "tst_espera.moc"
