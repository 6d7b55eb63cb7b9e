// Scoring against the answer key and the log of the raw answers.
#include "ApoyoSesion.h"
#include "EntornoPrueba.h"
#include "app/Ini.h"
#include "session/Calificacion.h"
#include "session/MatrizRespuestas.h"
#include "session/PreguntasExamen.h"
#include "session/RegistroResultados.h"

#include <QtTest>

namespace {

// n questions whose correct answer is the first; the examinee answers the first
// `bien` of them right ("1") and the rest wrong ("2").
QList<PreguntaExamen> examen(int n, int correcta = 1) {
    QList<PreguntaExamen> l;
    for (int i = 0; i < n; ++i) {
        PreguntaExamen p;
        p.codigo = i + 1;
        for (int a = 1; a <= 3; ++a)
            p.respuestas.append({a, QString::number(a), a == correcta});
        l.append(p);
    }
    return l;
}

MatrizRespuestas respuestas(int n, int bien) {
    MatrizRespuestas m(1, n);
    for (int q = 0; q < n; ++q)
        m.fijar(0, q, q < bien ? u'1' : u'2');
    return m;
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
        const Calificacion c = Calificar(examen(preguntas), respuestas(preguntas, bien), 0);
        QCOMPARE(c.correctas, bien);
        QCOMPARE(c.incorrectas, preguntas - bien);
        QCOMPARE(c.porcentaje, porcentaje);
        QCOMPARE(c.veredicto, veredicto);
    }

    void celdasVaciasYTeclasRaras() {
        const QList<PreguntaExamen> p = examen(4);
        MatrizRespuestas m(2, 4);
        const Calificacion nada = Calificar(p, m, 0);
        QCOMPARE(nada.correctas, 0);
        QCOMPARE(nada.incorrectas, 4);
        QCOMPARE(nada.veredicto, QStringLiteral("Reprobado"));
        // A key that is not a digit never matches, not even a position of 0.
        QCOMPARE(ValorTecla(QString()), 0);
        QCOMPARE(ValorTecla(QStringLiteral("7")), 7);
        QCOMPARE(ValorTecla(QStringLiteral("A")), -1);
        QCOMPARE(ValorTecla(QStringLiteral("٣")), -1); // a digit of another script
        m.fijar(1, 0, u'A');
        m.fijar(1, 1, u'1');
        QCOMPARE(Calificar(p, m, 1).correctas, 1);
    }

    void sinRespuestaCorrectaMarcada() {
        // Position 0: no key and the key "0" count as correct, any other key does not.
        const QList<PreguntaExamen> p = examen(3, 0);
        QCOMPARE(p.at(0).posicionCorrecta(), 0);
        MatrizRespuestas m(1, 3);
        m.fijar(0, 1, u'0');
        m.fijar(0, 2, u'1');
        const Calificacion c = Calificar(p, m, 0);
        QCOMPARE(c.correctas, 2);
        QCOMPARE(c.incorrectas, 1);
    }

    void ultimaCorrectaCuenta() {
        PreguntaExamen p;
        p.respuestas = {{1, "a", true}, {2, "b", false}, {3, "c", true}};
        QCOMPARE(p.posicionCorrecta(), 3);
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
        QCOMPARE(LeerIni("Evaluado4", "Pregunta1"), QStringLiteral("ERROR"));
        QCOMPARE(LeerIni("Control", "Otra"), QStringLiteral("queda"));
    }

    void mismasRespuestasMismaCuenta() {
        EntornoPrueba e;
        crearExamen(e.de1(), 5, preguntasSimples(4));
        const QList<PreguntaExamen> p = CargarPreguntas(e.de1(), 5);
        MatrizRespuestas m(3, 4);
        for (int k : {0, 2})
            for (int q = 0; q < 4; ++q)
                m.fijar(k, q, QChar(u'1' + q % 2));
        const Calificacion a = Calificar(p, m, 0);
        const Calificacion b = Calificar(p, m, 2);
        QCOMPARE(a.correctas, b.correctas);
        QCOMPARE(a.incorrectas, b.incorrectas);
    }

    void examenSinPreguntasNoEscribeNada() {
        EntornoPrueba e;
        const qint32 persona = crearPersona(e.de1(), QDate(1990, 1, 1));
        const ResultadoGuardado r =
            GuardarSesion(e.de1(), 1, {persona}, {}, MatrizRespuestas(1, 0));
        QCOMPARE(r.guardados, 0);
        QCOMPARE(LeerIni("Evaluado1", "Pregunta1"), QStringLiteral("ERROR"));
        QCOMPARE(e.de1().valor("SELECT count(*) FROM Carpetas").toInt(), 0);
        QCOMPARE(e.de1().valor("SELECT count(*) FROM DetalleExamenes").toInt(), 0);
    }
};

QTEST_GUILESS_MAIN(TestCalificacion)
#include "tst_calificacion.moc"
