// The session without its window: questions in order, keys from answer reports
// into the matrix, and what it refuses.
#include "ApoyoSesion.h"
#include "EntornoPrueba.h"
#include "session/ReporteRespuestas.h"
#include "session/SesionExamen.h"

#include <QSignalSpy>
#include <QtTest>

class TestSesion : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void decodificaPorPosicion() {
        QByteArray r = reporteRespuestas({'1', 0, '3'});
        r[1] = char(0x7f); // byte 1 is not a key
        const QList<TeclaReporte> t = TeclasDeReporte(r, 3);
        QCOMPARE(t.size(), 2);
        QCOMPARE(t.at(0).posicion, 0);
        QCOMPARE(t.at(0).tecla, QChar(u'1'));
        QCOMPARE(t.at(1).posicion, 2);
        QCOMPARE(t.at(1).tecla, QChar(u'3'));
        // Positions beyond the roster, and beyond a short report, are not read.
        QCOMPARE(TeclasDeReporte(r, 1).size(), 1);
        QCOMPARE(TeclasDeReporte(r.left(3), 3).size(), 1);
        QCOMPARE(TeclasDeReporte(QByteArray(), 3).size(), 0);
        // The last position of a full report is byte 55.
        QByteArray lleno(56, '\0');
        lleno[55] = '4';
        QCOMPARE(TeclasDeReporte(lleno, 54).value(0).posicion, 53);
        QCOMPARE(CaracterTecla(0x80), QChar(u'€'));
    }

    void teclasALaPreguntaEnPantalla() {
        EntornoPrueba e;
        crearExamen(e.de1(), 7, preguntasSimples(2));
        crearExamen(e.de1(), 8, preguntasSimples(5)); // another exam's questions stay out
        RelojDePrueba reloj;
        ReceptorDePrueba receptor;
        SesionExamen s(e.de1(), reloj);
        connect(&receptor, &Receptor::leido, &s, &SesionExamen::recibirReporte);
        QSignalSpy ultima(&s, &SesionExamen::teclaRecibida);

        receptor.enviar(reporteRespuestas({'9', '9', '9'})); // before the start: discarded
        QCOMPARE(s.iniciar(7, {11, 12, 13}), QString());
        QCOMPARE(s.preguntas().size(), 2);
        QCOMPARE(s.preguntas().at(0).texto, QStringLiteral("Pregunta 1"));
        QCOMPARE(s.preguntaActual(), 0);
        QCOMPARE(s.matriz().celda(0, 0), QString());

        receptor.enviar(reporteRespuestas({'2', 0, '1'}));
        receptor.enviar(reporteRespuestas({'3'})); // the later key of examinee 1 wins
        QCOMPARE(s.matriz().celda(0, 0), QStringLiteral("3"));
        QCOMPARE(s.matriz().celda(1, 0), QString());
        QCOMPARE(s.matriz().celda(2, 0), QStringLiteral("1"));
        QCOMPARE(ultima.last().at(0).toInt(), 0);
        QCOMPARE(ultima.last().at(2).value<QChar>(), QChar(u'3'));

        reloj.avanzar(2000);
        s.espacio();
        QCOMPARE(s.preguntaActual(), 1);
        receptor.enviar(reporteRespuestas({0, '2'}));
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
        QCOMPARE(l.at(0).texto, QStringLiteral("Pregunta 1"));
        QCOMPARE(l.at(1).texto, QStringLiteral("Pregunta 3"));
        QCOMPARE(l.at(1).limite, 12.0);
        QCOMPARE(l.at(0).respuestas.size(), 3);
        QCOMPARE(l.at(0).respuestas.at(0).texto, QStringLiteral("Respuesta 1.1"));
        QCOMPARE(l.at(1).posicionCorrecta(), 3);
    }

    void rechazaMasDeCincuentaYCuatro() {
        EntornoPrueba e;
        crearExamen(e.de1(), 1, preguntasSimples(1));
        RelojDePrueba reloj;
        SesionExamen s(e.de1(), reloj);
        QList<qint32> personas;
        for (int i = 0; i < 55; ++i)
            personas << i + 1;
        const QString rechazo = s.iniciar(1, personas);
        QVERIFY(rechazo.contains(QStringLiteral("54")));
        QCOMPARE(s.estado(), SesionExamen::Estado::Lista);
        personas.removeLast();
        QCOMPARE(s.iniciar(1, personas), QString());
        QByteArray r(56, '\0');
        r[55] = '2';
        s.recibirReporte(r);
        QCOMPARE(s.matriz().celda(53, 0), QStringLiteral("2"));
    }

    void sinPreguntasTerminaEnseguida() {
        EntornoPrueba e;
        RelojDePrueba reloj;
        SesionExamen s(e.de1(), reloj);
        QSignalSpy fin(&s, &SesionExamen::examenTerminado);
        QSignalSpy mostrada(&s, &SesionExamen::preguntaMostrada);
        QCOMPARE(s.iniciar(99, {1, 2}), QString());
        QCOMPARE(fin.count(), 1);
        QCOMPARE(mostrada.count(), 0);
    }
};

QTEST_GUILESS_MAIN(TestSesion)
#include "tst_sesion.moc"
