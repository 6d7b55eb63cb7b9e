// The session without its window: questions in order, keys from answer reports into the matrix.
#include "ApoyoSesion.h"
#include "EntornoPrueba.h"
#include "session/SesionExamen.h"

#include <QSignalSpy>
#include <QtTest>

class TestSesion : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void teclasALaPreguntaEnPantalla() {
        EntornoPrueba e;
        crearExamen(e.de1(), 7, preguntasSimples(2));
        crearExamen(e.de1(), 8, preguntasSimples(5)); // another exam's questions stay out
        RelojDePrueba reloj;
        ReceptorDePrueba receptor;
        SesionExamen s(e.de1(), reloj);
        connect(&receptor, &Receptor::leido, &s, &SesionExamen::recibirReporte);

        receptor.enviar(reporteRespuestas({'9', '9', '9'})); // before the start: discarded
        QCOMPARE(s.iniciar(7, {11, 12, 13}), QString());
        QCOMPARE(s.preguntas().size(), 2);
        QCOMPARE(s.preguntaActual(), 0);
        QCOMPARE(s.matriz().celda(0, 0), QString());

        QByteArray r = reporteRespuestas({'2', 0, '1', '5'});
        r[1] = '7'; // not a key
        receptor.enviar(r);
        receptor.enviar(reporteRespuestas({'3'})); // the later key of examinee 1 wins
        QCOMPARE(s.matriz().celda(0, 0), QStringLiteral("3"));
        QCOMPARE(s.matriz().celda(1, 0), QString());
        QCOMPARE(s.matriz().celda(2, 0), QStringLiteral("1"));

        reloj.avanzar(2000);
        s.espacio();
        QCOMPARE(s.preguntaActual(), 1);
        receptor.enviar(reporteRespuestas({0, '2'}).left(4)); // a short report: what it holds
        QCOMPARE(s.matriz().celda(1, 1), QStringLiteral("2"));
        QCOMPARE(s.matriz().celda(0, 1), QString());

        QSignalSpy fin(&s, &SesionExamen::examenTerminado);
        reloj.avanzar(17000);
        s.espera().actualizar();
        QCOMPARE(fin.count(), 1);
        receptor.enviar(reporteRespuestas({'1', '1', '1'})); // after the last question: ignored
        QCOMPARE(s.matriz().celda(0, 1), QString());
        QCOMPARE(s.teclasRecibidas(), 4);
    }

    void ordenYEnsayo() {
        EntornoPrueba e;
        QList<PreguntaPrueba> p = preguntasSimples(3);
        p[1].ensayo = 1;
        p[2].tiempo = QStringLiteral("12 segundos");
        crearExamen(e.de1(), 3, p);
        const QList<PreguntaExamen> l = CargarPreguntas(e.de1(), 3);
        QCOMPARE(l.size(), 2);
        QCOMPARE(l.at(1).texto, QStringLiteral("Pregunta 3"));
        QCOMPARE(l.at(1).limite, 12.0);
        QCOMPARE(l.at(0).respuestas.at(0).texto, QStringLiteral("Respuesta 1.1"));
        QCOMPARE(l.at(1).posicionCorrecta(), 3);
    }
};

QTEST_GUILESS_MAIN(TestSesion)
#include "tst_sesion.moc"
