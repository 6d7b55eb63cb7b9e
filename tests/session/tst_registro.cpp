// Result records: the folder of the day, its number, the examination row and its result item.
#include "ApoyoSesion.h"
#include "EntornoPrueba.h"
#include "data/Configuracion.h"
#include "session/Calificacion.h"
#include "session/MatrizRespuestas.h"
#include "session/PreguntasExamen.h"
#include "session/RegistroResultados.h"

#include <QtTest>

namespace {

const QDate kHoy(2026, 12, 6);

Calificacion nota() {
    return Calificar({}, MatrizRespuestas(1, 0), 0);
}

} // namespace

class TestRegistro : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void unaCarpetaYUnNumeroPorDia_data() {
        QTest::addColumn<QString>("prefijo");
        QTest::addColumn<QString>("contador");
        QTest::addColumn<QString>("numero");
        QTest::addColumn<QString>("guardado");
        QTest::newRow("con prefijo") << "T"
                                     << "41"
                                     << "T00000042"
                                     << "42";
        QTest::newRow("nueve cifras") << ""
                                      << "123456789"
                                      << "23456790"
                                      << "123456790";
    }
    void unaCarpetaYUnNumeroPorDia() {
        QFETCH(QString, prefijo);
        QFETCH(QString, contador);
        QFETCH(QString, numero);
        QFETCH(QString, guardado);
        EntornoPrueba e;
        De1& db = e.de1();
        GuardarConfiguracion(db, "PrefijoExamenCons", prefijo);
        GuardarConfiguracion(db, "TxtNroExamenCons", contador);
        const qint32 persona = crearPersona(db, QDate(1990, 5, 5));
        QVERIFY(RegistroResultados(db, kHoy).guardar(persona, 3, nota()));
        // The same day again, after the date format changed: the same folder and number.
        db.ejecutar("UPDATE Carpetas SET DescripcionCarpeta = 'Teorico 2026-12-06'");
        QVERIFY(RegistroResultados(db, kHoy).guardar(persona, 4, nota()));
        QCOMPARE(contar(db, "Carpetas"), 1);
        QCOMPARE(contar(db, "DetalleExamenes"), 2);
        QCOMPARE(db.valor("SELECT NumeroCarpetaCons FROM Carpetas").toString(), numero);
        QCOMPARE(LeerConfiguracion(db, "TxtNroExamenCons"), guardado);
    }

    void edadPorDiasDeNacido() {
        EntornoPrueba e;
        const qint32 a = crearPersona(e.de1(), kHoy.addDays(-6574));
        const qint32 b = crearPersona(e.de1(), kHoy.addDays(-6575));
        const qint32 sinFecha = crearPersona(e.de1(), QDate());
        for (qint32 p : {a, b, sinFecha})
            QVERIFY(RegistroResultados(e.de1(), kHoy).guardar(p, 1, nota()));
        const QString sql = "SELECT EdadCarpeta FROM Carpetas WHERE Persona = ?";
        QCOMPARE(e.de1().valor(sql, {a}).toInt(), 17);
        QCOMPARE(e.de1().valor(sql, {b}).toInt(), 18);
        QVERIFY(e.de1().valor(sql, {sinFecha}).isNull());
    }

    void personaInexistenteYErrorNoEscribenNada() {
        EntornoPrueba e;
        GuardarConfiguracion(e.de1(), "TxtNroExamenCons", "5");
        const qint32 persona = crearPersona(e.de1(), QDate(1980, 1, 1));
        ObtenerCodigoItem(e.de1(), "Porcentaje de Respuestas");
        e.de1().ejecutar("DROP TABLE Resultados"); // the last of an examinee's three rows fails
        PreguntaExamen p;
        p.respuestas = {{1, "a", true}};
        const ResultadoGuardado g =
            GuardarSesion(e.de1(), 1, {persona + 100, persona}, {p}, MatrizRespuestas(2, 1), kHoy);
        QCOMPARE(g.sinPersona, QList<int>{0});
        QCOMPARE(g.fallidos, QList<int>{1});
        QCOMPARE(g.guardados, 0);
        QCOMPARE(contar(e.de1(), "Carpetas"), 0);
        QCOMPARE(contar(e.de1(), "DetalleExamenes"), 0);
        QCOMPARE(LeerConfiguracion(e.de1(), "TxtNroExamenCons"), QStringLiteral("5"));
    }
};

QTEST_GUILESS_MAIN(TestRegistro)
#include "tst_registro.moc"
