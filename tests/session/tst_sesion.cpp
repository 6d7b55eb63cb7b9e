// The session without its window: the wait on a question, keys from answer reports into the
// matrix, scoring, and the result records.
#include "Catalogo.h"
#include "EntornoPrueba.h"
#include "ReceptorFalso.h"
#include "Tiempo.h"
#include "app/Claves.h"
#include "data/Configuracion.h"
#include "session/Calificacion.h"
#include "session/EsperaPregunta.h"
#include "session/MatrizRespuestas.h"
#include "session/RegistroResultados.h"
#include "session/SesionExamen.h"

#include <QSignalSpy>
#include <QThread>
#include <QUuid>
#include <QtTest>
#include <latch>
#include <limits>

static const QDate kHoy(2026, 12, 6);
static constexpr qint32 kResponsable = 7;

static bool guardarVacio(De1& db, qint32 persona, qint32 examen = 1) {
    return RegistroResultados(db, kResponsable, kHoy)
        .guardar(persona, examen, Calificar({}, MatrizRespuestas(1, 0), 0));
}

// Another workstation: its own connection to the catalog, in its own thread; a database
// error is counted in `fallas`.
template <typename F>
static QThread* otroPuesto(const QString& archivo, std::atomic<int>& fallas, F trabajo) {
    return QThread::create([archivo, &fallas, trabajo] {
        De1 db(QUuid::createUuid().toString());
        db.abrir(EntornoPrueba::conexion(archivo));
        try {
            trabajo(db);
        } catch (const ErrorBD&) {
            ++fallas;
        }
    });
}

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
        QList<catalogo::PreguntaPrueba> p = catalogo::preguntasSimples(3);
        p[1].ensayo = 1; // a trial question is not asked
        p[2].tiempo = QStringLiteral("12 segundos");
        catalogo::examen(e.de1(), 7, p);
        catalogo::examen(e.de1(), 8,
                         catalogo::preguntasSimples(5)); // another exam's questions stay out
        RelojDePrueba reloj;
        ReceptorFalso receptor;
        SesionExamen s(e.de1(), reloj);
        connect(&receptor, &Receptor::leido, &s, &SesionExamen::recibirReporte);

        receptor.enviar(reporteRespuestas({'9', '9', '9'})); // before the start: discarded
        QCOMPARE(s.iniciar(7, {11, 12, 13}), QString());
        QCOMPARE(s.preguntas().size(), 2);
        QCOMPARE(s.preguntas().at(1).limite, 12.0);
        QCOMPARE(s.preguntas().at(1).posicionCorrecta(), 3); // answers in Orden, not as stored
        receptor.enviar(reporteRespuestas({'2', 0, '1'}));
        receptor.enviar(reporteRespuestas({'3'})); // the later key of examinee 1 replaces
        QCOMPARE(s.matriz().celda(0, 0), QStringLiteral("3"));
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

    void unaCarpetaYUnNumeroPorDia_data() {
        // Folder prefix, counter before, folder number, counter after.
        QTest::addColumn<QStringList>("carpeta");
        QTest::addColumn<int>("dias"); // old on the day, by the 365.25-day rule; -1 no date
        QTest::addColumn<int>("edad"); // -1: none stored
        QTest::newRow("prefijo") << QStringList{"T", "41", "T00000042", "42"} << 6574 << 17;
        QTest::newRow("9 cifras") << QStringList{"", "123456789", "23456790", "123456790"} << 6575
                                  << 18;
        QTest::newRow("sin fecha") << QStringList{"", "0", "00000001", "1"} << -1 << -1;
    }
    void unaCarpetaYUnNumeroPorDia() {
        QFETCH(QStringList, carpeta);
        QFETCH(int, dias);
        QFETCH(int, edad);
        EntornoPrueba e;
        De1& db = e.de1();
        GuardarConfiguracion(db, ajustes::kPrefijoCarpeta, carpeta[0]);
        GuardarConfiguracion(db, ajustes::kContadorCarpetas, carpeta[1]);
        const qint32 persona =
            catalogo::nuevaPersona(db, "Persona", "", dias < 0 ? QDate() : kHoy.addDays(-dias));
        QVERIFY(guardarVacio(db, persona, 3));
        // The same day again, after the date format changed: the same folder and number.
        db.ejecutar("UPDATE Carpetas SET DescripcionCarpeta = 'Teorico 2026-12-06'");
        QVERIFY(guardarVacio(db, persona, 4));
        QCOMPARE(catalogo::filas(db, "Carpetas"), 1);
        QCOMPARE(catalogo::filas(db, "DetalleExamenes"), 2);
        QCOMPARE(db.valor("SELECT NumeroCarpetaCons FROM Carpetas").toString(), carpeta[2]);
        QCOMPARE(LeerConfiguracion(db, ajustes::kContadorCarpetas), carpeta[3]);
        const QVariant edadGuardada = db.valor("SELECT EdadCarpeta FROM Carpetas");
        QCOMPARE(edadGuardada.isNull() ? -1 : edadGuardada.toInt(), edad);
        // The operator's code goes with each examination.
        QCOMPARE(catalogo::contar(db, "SELECT min(Responsable) FROM DetalleExamenes"),
                 kResponsable);
    }

    void personaInexistenteYErrorNoEscribenNada() {
        EntornoPrueba e;
        GuardarConfiguracion(e.de1(), ajustes::kContadorCarpetas, "5");
        const qint32 persona = catalogo::nuevaPersona(e.de1(), "Persona", "", QDate(1980, 1, 1));
        ObtenerCodigoItem(e.de1(), "Porcentaje de Respuestas");
        e.de1().ejecutar("DROP TABLE Resultados"); // the last of an examinee's three rows fails
        PreguntaExamen p;
        p.respuestas = {{1, "a", true}};
        const ResultadoGuardado g = GuardarSesion(
            e.de1(), 1, kResponsable, {persona + 100, persona}, {p}, MatrizRespuestas(2, 1), kHoy);
        QCOMPARE(g.sinPersona, QList<int>{0});
        QCOMPARE(g.fallidos, QList<int>{1});
        QCOMPARE(catalogo::filas(e.de1(), "Carpetas"), 0);
        QCOMPARE(LeerConfiguracion(e.de1(), ajustes::kContadorCarpetas), QStringLiteral("5"));
    }

    void dosPuestosNuncaTomanElMismoNumero() {
        EntornoPrueba e;
        GuardarConfiguracion(e.de1(), ajustes::kContadorCarpetas, "0");
        QList<qint32> personas;
        for (int i = 0; i < 60; ++i)
            personas << catalogo::nuevaPersona(e.de1(), "Persona", "", QDate(1980, 1, 1));
        std::atomic<int> fallas = 0;
        auto puesto = [&](int desde) {
            return otroPuesto(e.archivoCatalogo(), fallas, [personas, desde](De1& db) {
                for (int i = desde; i < personas.size(); i += 2)
                    guardarVacio(db, personas.at(i));
            });
        };
        std::unique_ptr<QThread> a(puesto(0)), b(puesto(1));
        a->start();
        b->start();
        QVERIFY(a->wait(60000) && b->wait(60000));
        QCOMPARE(fallas.load(), 0);
        QCOMPARE(e.de1().valor("SELECT count(DISTINCT NumeroCarpetaCons) FROM Carpetas").toInt(),
                 60);
        QCOMPARE(LeerConfiguracion(e.de1(), ajustes::kContadorCarpetas), QStringLiteral("60"));
    }

    void dosPuestosAgreganUnSoloItem() {
        // Two workstations store their first results on a catalog without the result
        // item while a third holds the folder counter: both start at the same moment.
        EntornoPrueba e;
        GuardarConfiguracion(e.de1(), ajustes::kContadorCarpetas, "0");
        const QList<qint32> personas = {
            catalogo::nuevaPersona(e.de1(), "Persona", "", QDate(1980, 1, 1)),
            catalogo::nuevaPersona(e.de1(), "Persona", "", QDate(1981, 1, 1))};
        std::latch salida(3);
        std::atomic<int> fallas = 0;
        auto puesto = [&](int k) {
            return otroPuesto(e.archivoCatalogo(), fallas,
                              [&salida, persona = personas.at(k)](De1& db) {
                                  salida.arrive_and_wait();
                                  guardarVacio(db, persona);
                              });
        };
        std::unique_ptr<QThread> a(puesto(0)), b(puesto(1));
        {
            Transaccion tercero(e.de1());
            e.de1().ejecutar("UPDATE Configuracion SET Valor = Valor WHERE Item = ?",
                             {ajustes::kContadorCarpetas});
            a->start();
            b->start();
            salida.arrive_and_wait();
            // Held long enough for both to reach the catalog and wait for the lock; were
            // they slower, the test would prove less, never fail wrongly.
            QThread::msleep(300);
            tercero.confirmar();
        }
        QVERIFY(a->wait(60000) && b->wait(60000));
        QCOMPARE(fallas.load(), 0);
        QCOMPARE(e.de1().valor("SELECT count(*) FROM Items").toInt(), 1);
        QCOMPARE(catalogo::contar(e.de1(), "SELECT count(*) FROM Resultados WHERE Item = "
                                           "(SELECT CodigoItem FROM Items)"),
                 2);
    }
};

QTEST_GUILESS_MAIN(TestSesion)
#include "tst_sesion.moc"
