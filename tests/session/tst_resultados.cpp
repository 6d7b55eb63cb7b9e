// The sessions' own record: every key stored with the result rows, read back as
// results and item statistics, whatever happened to the exam or the person since.
#include "Catalogo.h"
#include "EntornoPrueba.h"
#include "SesionGuardada.h"
#include "session/Calificacion.h"
#include "session/MatrizRespuestas.h"
#include "session/PreguntasExamen.h"
#include "session/RegistroResultados.h"
#include "session/ResultadosExamen.h"

#include <QtTest>

static const QDate kDia(2026, 12, 6);

// Ten examinees, five questions (correct 1, 2, 3, 1, 2). Ranked by score they
// are E0, E1 (4), E2, E3, E4 (3), E5..E8 (2), E9 (0): with 27 % of ten the upper
// group is E0..E2 and the lower one E7..E9.
static const QStringList kTeclas = {"12313", "12313", "12113", "11313", "12 13",
                                    "11113", "13213", "2 313", "11113", "    3"};
static const QString kCorrectas = QStringLiteral("12312");

class TestResultados : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void sesionGuardadaSeLeeEntera() {
        EntornoPrueba e;
        De1& db = e.de1();
        const SesionPrueba s =
            guardarSesionPrueba(db, kTeclas, kCorrectas, kDia, {"José Pérez", "Ana Ñandú"});
        QVERIFY(s.sesion > 0);
        QCOMPARE(catalogo::filas(db, "RespuestasSesion"), 50);
        QCOMPARE(catalogo::filas(db, "DetalleExamenes"), 10);

        const std::optional<Examinacion> x = resultados::cargar(db, s.sesion);
        QVERIFY(x);
        // The headings are checked through the group report.
        QCOMPARE(x->responsable, s.responsable);
        QCOMPARE(x->preguntas.size(), 5);
        QCOMPARE(x->preguntas.at(2).correcta, 3);
        QCOMPARE(x->evaluados.size(), 10);
        const QList<int> correctas = {4, 4, 3, 3, 3, 2, 2, 2, 2, 0};
        for (int k = 0; k < 10; ++k) {
            const EvaluadoRegistrado& ev = x->evaluados.at(k);
            QCOMPARE(ev.posicion, k + 1);
            QCOMPARE(ev.remoto, 3 + k);
            QCOMPARE(ev.documento, QString::number(1000 + k));
            QCOMPARE(ev.correctas, correctas.at(k));
            QCOMPARE(ev.incorrectas, 5 - correctas.at(k));
            // The same count and folder as the shared rows the office reads.
            QCOMPARE(catalogo::contar(db, "SELECT Valor FROM Resultados WHERE DetalleExamen = ?",
                                      {*ev.detalleExamen}),
                     ev.correctas);
            QCOMPARE(ev.numeroCarpeta,
                     db.valor("SELECT c.NumeroCarpetaCons FROM Carpetas c JOIN DetalleExamenes d "
                              "ON d.Carpeta = c.CodigoCarpeta WHERE d.CodigoDetalleExamen = ?",
                              {*ev.detalleExamen})
                         .toString());
        }
        QCOMPARE(x->evaluados.at(0).nombre, QStringLiteral("José Pérez"));
        QCOMPARE(x->evaluados.at(2).resultado, Calificacion::kAprobado); // exactly 60 % passes
        QCOMPARE(x->evaluados.at(5).resultado, Calificacion::kReprobado);
        QCOMPARE(x->evaluados.at(4).tecla(3), QString()); // no key
        QCOMPARE(x->evaluados.at(4).tecla(2), QStringLiteral("2"));

        const QList<ExaminacionListada> lista = resultados::examinacionesDeGrupo(db, s.grupo);
        QCOMPARE(lista.size(), 1);
        QCOMPARE(lista.first().sesion, s.sesion);
        QCOMPARE(lista.first().evaluados, 10);
        QCOMPARE(lista.first().aprobados, 5);
    }

    void borradosConservanLoGuardado() {
        EntornoPrueba e;
        De1& db = e.de1();
        const SesionPrueba s = guardarSesionPrueba(db, {"123", "321"}, "123", kDia);
        db.ejecutar("DELETE FROM Personas WHERE CodigoPersona = ?", {s.personas.first()});
        db.ejecutar("DELETE FROM Respuestas");
        db.ejecutar("DELETE FROM Preguntas");
        db.ejecutar("DELETE FROM Examenes");
        db.ejecutar("UPDATE GruposPersonas SET Remoto = 40");
        const std::optional<Examinacion> x = resultados::cargar(db, s.sesion);
        QVERIFY(x);
        QCOMPARE(x->descripcionExamen, QStringLiteral("Teórico de conducción"));
        QCOMPARE(x->preguntas.at(1).texto, QStringLiteral("Pregunta 2"));
        QCOMPARE(x->evaluados.at(0).nombre, QStringLiteral("Evaluado 1"));
        QCOMPARE(x->evaluados.at(0).documento, QStringLiteral("1000"));
        QCOMPARE(x->evaluados.at(0).remoto, 3); // the keypad it answered on
        QCOMPARE(x->evaluados.at(1).correctas, 1);
    }

    void reintentosYFallasPorEvaluado() {
        EntornoPrueba e;
        De1& db = e.de1();
        SesionPrueba s = guardarSesionPrueba(db, {"11", "22", "12"}, "12", kDia);
        QCOMPARE(catalogo::filas(db, "SesionesExamen"), 1);
        db.ejecutar("DELETE FROM EvaluadosSesion");
        db.ejecutar("DELETE FROM RespuestasSesion");
        db.ejecutar("DELETE FROM SesionesExamen");
        db.ejecutar("DELETE FROM PreguntasSesion");

        // An examinee whose keys cannot be stored keeps none of his rows, shared ones
        // included; the others are stored. The retry joins the same examination.
        db.ejecutar("CREATE TRIGGER falla BEFORE INSERT ON RespuestasSesion "
                    "WHEN NEW.Posicion = 2 BEGIN SELECT RAISE(ABORT, 'disco lleno'); END");
        const QList<PreguntaExamen> preguntas = CargarPreguntas(db, s.examen);
        MatrizRespuestas m(3, 2);
        m.fijar(1, 0, u'1');
        SesionRegistrada registrada;
        registrada.grupo = s.grupo;
        const int antes = catalogo::filas(db, "DetalleExamenes");
        ResultadoGuardado r = GuardarSesion(db, s.examen, s.responsable, s.personas, preguntas, m,
                                            kDia, std::nullopt, &registrada);
        QCOMPARE(r.fallidos, QList<int>{1});
        QVERIFY(r.errorBD.contains("disco lleno"));
        QCOMPARE(catalogo::filas(db, "DetalleExamenes"), antes + 2);
        QVERIFY(registrada.codigo);
        db.ejecutar("DROP TRIGGER falla");
        r = GuardarSesion(db, s.examen, s.responsable, s.personas, preguntas, m, kDia,
                          QList<int>{1}, &registrada);
        QVERIFY(r.fallidos.isEmpty());
        QCOMPARE(r.sesion, registrada.codigo);
        QCOMPARE(catalogo::filas(db, "SesionesExamen"), 1);
        const std::optional<Examinacion> x = resultados::cargar(db, *registrada.codigo);
        QCOMPARE(x->evaluados.size(), 3);
        QCOMPARE(x->evaluados.at(1).tecla(1), QStringLiteral("1"));

        // Nobody stored: no examination is recorded.
        r = GuardarSesion(db, s.examen, s.responsable, {s.personas.first() + 500}, preguntas,
                          MatrizRespuestas(1, 2), kDia);
        QCOMPARE(r.sinPersona, QList<int>{0});
        QVERIFY(!r.sesion);
        QCOMPARE(catalogo::filas(db, "SesionesExamen"), 1);
    }

    void estadisticasDeUnaExaminacion() {
        EntornoPrueba e;
        De1& db = e.de1();
        const SesionPrueba s = guardarSesionPrueba(db, kTeclas, kCorrectas, kDia);
        FiltroEstadisticas f;
        f.sesion = s.sesion;
        const EstadisticasItems est = resultados::estadisticas(db, f);
        QCOMPARE(est.evaluados, 10);
        QCOMPARE(est.tamanoGrupo, 3);
        QCOMPARE(est.preguntas.size(), 5);
        struct Esperado {
            int aciertos;
            double discriminacion;
            QMap<QString, int> teclas;
        };
        const QList<Esperado> esperados = {
            {8, 2.0 / 3, {{"1", 8}, {"2", 1}, {"", 1}}},
            {4, 1.0, {{"2", 4}, {"1", 3}, {"3", 1}, {"", 2}}},
            {4, 1.0 / 3, {{"3", 4}, {"1", 3}, {"2", 1}, {"", 2}}},
            {9, 1.0 / 3, {{"1", 9}, {"", 1}}},
            {0, 0.0, {{"3", 10}}},
        };
        for (int q = 0; q < 5; ++q) {
            const EstadisticaPregunta& p = est.preguntas.at(q);
            QCOMPARE(p.orden, q + 1);
            QCOMPARE(p.evaluados, 10);
            QCOMPARE(p.aciertos, esperados.at(q).aciertos);
            QCOMPARE(p.teclas, esperados.at(q).teclas);
            QVERIFY2(qAbs(*est.discriminacion(p) - esperados.at(q).discriminacion) < 1e-9,
                     qPrintable(QString::number(q + 1)));
        }
    }

    void estadisticasDeUnExamenEnUnPeriodo() {
        EntornoPrueba e;
        De1& db = e.de1();
        const SesionPrueba a = guardarSesionPrueba(db, kTeclas, kCorrectas, kDia.addDays(-40));
        // The exam was edited since: its questions swapped places.
        db.ejecutar("UPDATE Preguntas SET Orden = 6 - Orden");
        guardarSesionPrueba(db, {"11111", "22222"}, kCorrectas, kDia, {}, &a);
        FiltroEstadisticas f;
        f.examen = a.examen;
        f.desde = kDia.addDays(-60);
        f.hasta = kDia;
        EstadisticasItems est = resultados::estadisticas(db, f);
        QCOMPARE(est.evaluados, 12);
        QCOMPARE(est.tamanoGrupo, 3);
        QCOMPARE(est.preguntas.size(), 5);
        // Counted by question, in the order the latest examination asked them: the
        // question asked first now is the old fifth.
        QCOMPARE(est.preguntas.first().texto, QStringLiteral("Pregunta 5"));
        QCOMPARE(est.preguntas.first().aciertos, 1); // only "22222" got it
        QCOMPARE(est.preguntas.last().texto, QStringLiteral("Pregunta 1"));
        QCOMPARE(est.preguntas.last().aciertos, 8 + 1); // and "11111"

        f.desde = kDia.addDays(-10); // the older examination falls out
        est = resultados::estadisticas(db, f);
        QCOMPARE(est.evaluados, 2);
        QCOMPARE(est.tamanoGrupo, 1);
        f.examen = a.examen + 1;
        QCOMPARE(resultados::estadisticas(db, f).evaluados, 0);
        QCOMPARE(resultados::tamanoGrupo(1), 0);
        QCOMPARE(resultados::tamanoGrupo(54), 15);
    }

    void textosEnCastellano() {
        const QLocale antes;
        QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
        QCOMPARE(resultados::textoFecha(QDate(2026, 12, 6)),
                 QStringLiteral("6 de diciembre de 2026"));
        QCOMPARE(resultados::textoPorcentaje(200.0 / 3), QStringLiteral("66,67 %"));
        QLocale::setDefault(antes);
        QCOMPARE(Dialecto::leerFechaHora(QStringLiteral("2026-12-06 09:30:00")),
                 QDateTime(QDate(2026, 12, 6), QTime(9, 30)));
    }
};

QTEST_GUILESS_MAIN(TestResultados)
#include "tst_resultados.moc"
