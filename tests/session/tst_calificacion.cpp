// Scoring against the answer key and the log of the raw answers.
#include "ApoyoSesion.h"
#include "EntornoPrueba.h"
#include "app/Ini.h"
#include "session/Calificacion.h"
#include "session/MatrizRespuestas.h"
#include "session/PreguntasExamen.h"

#include <QtTest>

namespace {

// n questions of three answers whose correct one is `correcta` (0: none).
QList<PreguntaExamen> examen(int n, int correcta = 1) {
    QList<PreguntaExamen> l(n);
    for (PreguntaExamen& p : l)
        for (int a = 1; a <= 3; ++a)
            p.respuestas.append({a, QString::number(a), a == correcta});
    return l;
}

} // namespace

class TestCalificacion : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void porcentajeYVeredicto_data() {
        QTest::addColumn<int>("preguntas");
        QTest::addColumn<int>("bien");
        QTest::addColumn<double>("porcentaje");
        QTest::addColumn<QString>("veredicto");
        QTest::newRow("6 de 10") << 10 << 6 << 60.0 << "Aprobado";
        QTest::newRow("5 de 10") << 10 << 5 << 50.0 << "Reprobado";
        QTest::newRow("2 de 3") << 3 << 2 << 200.0 / 3 << "Aprobado";
        QTest::newRow("1 de 3") << 3 << 1 << 100.0 / 3 << "Reprobado";
        // Beyond 327 correct answers a 16-bit product would overflow.
        QTest::newRow("400 de 500") << 500 << 400 << 80.0 << "Aprobado";
    }
    void porcentajeYVeredicto() {
        QFETCH(int, preguntas);
        QFETCH(int, bien);
        QFETCH(double, porcentaje);
        QFETCH(QString, veredicto);
        MatrizRespuestas m(1, preguntas);
        for (int q = 0; q < preguntas; ++q)
            m.fijar(0, q, q < bien ? u'1' : u'2');
        const Calificacion c = Calificar(examen(preguntas), m, 0);
        QCOMPARE(c.correctas, bien);
        QCOMPARE(c.incorrectas, preguntas - bien);
        QCOMPARE(c.porcentaje, porcentaje);
        QCOMPARE(c.veredicto, veredicto);
    }

    void celdasVaciasTeclasRarasYSinCorrecta() {
        MatrizRespuestas m(2, 4);
        const Calificacion nada = Calificar(examen(4), m, 0);
        QCOMPARE(nada.correctas, 0);
        QCOMPARE(nada.incorrectas, 4);
        QCOMPARE(nada.veredicto, QStringLiteral("Reprobado"));
        // A key that is not a decimal digit never matches.
        m.fijar(1, 0, u'A');
        m.fijar(1, 1, u'1');
        m.fijar(1, 2, QChar(0x0663)); // a digit of another script
        QCOMPARE(Calificar(examen(4), m, 1).correctas, 1);
        // No answer marked correct: position 0, matched by no key and by "0" only.
        m.fijar(0, 1, u'0');
        m.fijar(0, 2, u'1');
        const Calificacion c = Calificar(examen(4, 0), m, 0);
        QCOMPARE(c.correctas, 3);
        QCOMPARE(c.incorrectas, 1);
    }

    void registroDeRespuestasEnUnaEscritura() {
        EntornoPrueba e;
        EscribirIni("Evaluado2", "Pregunta1", "viejo");
        EscribirIni("Control", "Otra", "queda");
        MatrizRespuestas m(3, 12);
        m.fijar(0, 0, u'2');
        m.fijar(2, 11, u'4');
        QVERIFY(EscribirIniLote(EntradasRegistroRespuestas(m, 3, 12)));
        QCOMPARE(LeerIni("Evaluado1", "Pregunta1"), QStringLiteral("2"));
        QCOMPARE(LeerIni("Evaluado3", "Pregunta12"), QStringLiteral("4"));
        QCOMPARE(LeerIni("Evaluado2", "Pregunta1"), QString()); // replaced by an empty value
        QCOMPARE(LeerIni("Evaluado2", "Pregunta13"), QStringLiteral("ERROR"));
        QCOMPARE(LeerIni("Control", "Otra"), QStringLiteral("queda"));
    }
};

QTEST_GUILESS_MAIN(TestCalificacion)
#include "tst_calificacion.moc"
