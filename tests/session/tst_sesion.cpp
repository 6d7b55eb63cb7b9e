// The session without its window: the wait on a question, keys from answer reports into the
// matrix, and scoring.
#include "ApoyoSesion.h"
#include "EntornoPrueba.h"
#include "session/Calificacion.h"
#include "session/EsperaPregunta.h"
#include "session/MatrizRespuestas.h"
#include "session/SesionExamen.h"

#include <QSignalSpy>
#include <QtTest>
#include <limits>

class TestSesion : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void cuentaRegresiva_data() {
        QTest::addColumn<double>("limite");
        QTest::addColumn<int>("efectivo");
        QTest::newRow("16") << 16.0 << 16;
        QTest::newRow("1") << 1.0 << 1;
        // Such limits would never end the question: they run 16 s.
        QTest::newRow("0") << 0.0 << 16;
        QTest::newRow("negativo") << -5.0 << 16;
        QTest::newRow("NaN") << std::numeric_limits<double>::quiet_NaN() << 16;
    }
    void cuentaRegresiva() {
        QFETCH(double, limite);
        QFETCH(int, efectivo);
        RelojDePrueba reloj;
        EsperaPregunta espera(reloj);
        QSignalSpy fin(&espera, &EsperaPregunta::terminada);
        QList<qint64> vistas, esperadas;
        connect(&espera, &EsperaPregunta::cuentaCambiada, this, [&](qint64 c) { vistas << c; });
        espera.iniciar(limite);
        for (int paso = 0; paso < efectivo * 4; ++paso) {
            reloj.avanzar(250);
            espera.actualizar();
        }
        QCOMPARE(fin.count(), 0); // exactly at the limit: not yet past it
        reloj.avanzar(1);
        espera.actualizar();
        QCOMPARE(fin.count(), 1);
        for (int c = efectivo; c >= 1; --c)
            esperadas << c;
        QCOMPARE(vistas, esperadas);
    }

    void espacio() {
        RelojDePrueba reloj;
        EsperaPregunta espera(reloj);
        QSignalSpy fin(&espera, &EsperaPregunta::terminada);
        espera.iniciar(16);
        reloj.avanzar(900);
        espera.pulsarEspacio(); // 16 still shown: the wait starts over
        QCOMPARE(fin.count(), 0);
        reloj.avanzar(1100); // 15 shown
        espera.pulsarEspacio();
        QCOMPARE(fin.count(), 1);
    }

    void elTemporizadorLaTerminaSolo() {
        RelojMonotono reloj;
        EsperaPregunta espera(reloj);
        QSignalSpy fin(&espera, &EsperaPregunta::terminada);
        espera.iniciar(1.2);
        QVERIFY(fin.wait(3000));
    }

    void teclasALaPreguntaEnPantalla() {
        EntornoPrueba e;
        QList<PreguntaPrueba> p = preguntasSimples(3);
        p[1].ensayo = 1; // a trial question is not asked
        p[2].tiempo = QStringLiteral("12 segundos");
        crearExamen(e.de1(), 7, p);
        crearExamen(e.de1(), 8, preguntasSimples(5)); // another exam's questions stay out
        RelojDePrueba reloj;
        ReceptorFalso receptor;
        SesionExamen s(e.de1(), reloj);
        connect(&receptor, &Receptor::leido, &s, &SesionExamen::recibirReporte);

        receptor.enviar(reporteRespuestas({'9', '9', '9'})); // before the start: discarded
        QCOMPARE(s.iniciar(7, {11, 12, 13}), QString());
        QCOMPARE(s.preguntas().size(), 2);
        QCOMPARE(s.preguntas().at(1).texto, QStringLiteral("Pregunta 3"));
        QCOMPARE(s.preguntas().at(1).limite, 12.0);
        QCOMPARE(s.preguntas().at(1).posicionCorrecta(), 3); // answers in Orden, not as stored
        receptor.enviar(reporteRespuestas({'2', 0, '1'}));
        receptor.enviar(reporteRespuestas({'3'})); // the later key of examinee 1 replaces
        QCOMPARE(s.matriz().celda(0, 0), QStringLiteral("3"));
        QCOMPARE(s.matriz().celda(1, 0), QString());
        QCOMPARE(s.matriz().celda(2, 0), QStringLiteral("1"));

        reloj.avanzar(2000);
        s.espacio();
        receptor.enviar(reporteRespuestas({0, '2'}));
        QCOMPARE(s.matriz().celda(1, 1), QStringLiteral("2"));
    }

    void calificar_data() {
        QTest::addColumn<QString>("teclas"); // one per question, blank for none
        QTest::addColumn<int>("correcta");   // the same for every question; 0 for none
        QTest::addColumn<int>("bien");
        QTest::addColumn<QString>("veredicto");
        QTest::newRow("6 de 10") << "1111112222" << 1 << 6 << "Aprobado";
        QTest::newRow("5 de 10") << "1111122222" << 1 << 5 << "Reprobado";
        QTest::newRow("2 de 3") << "331" << 3 << 2 << "Aprobado";
        QTest::newRow("sin respuestas") << "    " << 1 << 0 << "Reprobado";
        // A key that is not a decimal digit, even of another script, never matches.
        QTest::newRow("teclas raras") << "A1\u0663B" << 1 << 1 << "Reprobado";
        // No answer marked correct: position 0, matched by no key and by "0" only.
        QTest::newRow("sin correcta") << " 01" << 0 << 2 << "Aprobado";
        // Beyond 327 correct answers a 16-bit product would overflow.
        QTest::newRow("400 de 500")
            << QString(400, u'2') + QString(100, u'1') << 2 << 400 << "Aprobado";
    }
    void calificar() {
        QFETCH(QString, teclas);
        QFETCH(int, correcta);
        QFETCH(int, bien);
        QFETCH(QString, veredicto);
        QList<PreguntaExamen> preguntas(teclas.size());
        MatrizRespuestas m(1, int(teclas.size()));
        for (int q = 0; q < teclas.size(); ++q) {
            for (int a = 1; a <= 3; ++a)
                preguntas[q].respuestas.append({a, QString::number(a), a == correcta});
            if (teclas.at(q) != u' ')
                m.fijar(0, q, teclas.at(q));
        }
        const Calificacion c = Calificar(preguntas, m, 0);
        QCOMPARE(c.correctas, bien);
        QCOMPARE(c.veredicto, veredicto);
    }
};

QTEST_GUILESS_MAIN(TestSesion)
#include "tst_sesion.moc"
