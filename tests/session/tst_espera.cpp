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
        QList<qint64> vistas, esperadas;
        connect(&espera, &EsperaPregunta::cuentaCambiada, this, [&](qint64 c) { vistas << c; });
        espera.iniciar(16);
        for (int paso = 0; paso < 64; ++paso) {
            reloj.avanzar(250);
            espera.actualizar();
        }
        QCOMPARE(fin.count(), 0); // exactly 16 s: not yet past the limit
        reloj.avanzar(1);
        espera.actualizar();
        QCOMPARE(fin.count(), 1);
        for (int c = 16; c >= 1; --c)
            esperadas << c;
        QCOMPARE(vistas, esperadas);
    }

    void espacioSoloTrasElPrimerSegundo() {
        RelojDePrueba reloj;
        EsperaPregunta espera(reloj);
        QSignalSpy fin(&espera, &EsperaPregunta::terminada);
        espera.iniciar(16);
        reloj.avanzar(900);
        espera.pulsarEspacio(); // 16 shown: the wait starts over
        QCOMPARE(fin.count(), 0);
        QCOMPARE(espera.reinicios(), 1);
        reloj.avanzar(1100); // 2 s after the first start, 1.1 s after the restart
        espera.actualizar();
        QCOMPARE(espera.cuenta(), 15);
        espera.pulsarEspacio();
        QCOMPARE(fin.count(), 1);
        espera.pulsarEspacio(); // after the end nothing more happens
        QCOMPARE(fin.count(), 1);
    }

    void limitesInutilizablesCorrenDieciseis() {
        const double nan = std::numeric_limits<double>::quiet_NaN();
        for (double limite : {0.0, -5.0, nan, 1.0}) {
            RelojDePrueba reloj;
            EsperaPregunta espera(reloj);
            QSignalSpy fin(&espera, &EsperaPregunta::terminada);
            espera.iniciar(limite);
            const double efectivo = limite == 1.0 ? 1.0 : 16.0;
            QCOMPARE(espera.limite(), efectivo);
            // Running out of time ends it, even a limit of one second.
            reloj.avanzar(qint64(efectivo * 1000) + 1);
            espera.actualizar();
            QCOMPARE(fin.count(), 1);
        }
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
