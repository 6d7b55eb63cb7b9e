// The session's journal: what it keeps, what a damaged tail costs, a session
// resumed or scored from it, and a session process killed at any moment.
#include "Catalogo.h"
#include "EntornoPrueba.h"
#include "ReceptorFalso.h"
#include "Tiempo.h"
#include "session/DiarioSesion.h"
#include "session/RegistroRespuestas.h"
#include "session/RegistroResultados.h"
#include "session/SesionExamen.h"

#include <QFile>
#include <QProcess>
#include <QSignalSpy>
#include <QtTest>
#include <csignal>
#include <sys/resource.h>

namespace {

IdentidadDiario identidad(const QString& texto = QStringLiteral("a1b2"),
                          const QList<qint32>& personas = {11, 12, 13}) {
    return {texto, 4, 1, 9, QDateTime(QDate(2026, 3, 5), QTime(9, 30, 15, 250)), personas};
}

// The keys of examinee k in question order, a space where none came (as stored).
QString teclasDe(const MatrizRespuestas& m, int k) {
    QString s;
    for (int q = 0; q < m.preguntas(); ++q)
        s += m.celda(k, q).isEmpty() ? QStringLiteral(" ") : m.celda(k, q);
    return s;
}

} // namespace

class TestDiario : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void idaYVuelta() {
        EntornoPrueba e(false);
        const QString ruta = e.ruta("Sesion.diario");
        const IdentidadDiario id = identidad();
        {
            DiarioSesion d;
            QVERIFY(d.crear(ruta, id));
            d.preguntaMostrada(0);
            d.reporte(0, reporteRespuestas({'1', 0, '3'}));
            d.preguntaTerminada(0);
            d.preguntaMostrada(1);
            d.reporte(1, reporteRespuestas({0, '2'}));
            // Each append is in the file at once, before any flush to the disk.
            QCOMPARE(leerDiario(ruta)->reportes.size(), 2);
        }
        const std::optional<LecturaDiario> l = leerDiario(ruta);
        QVERIFY(l);
        QCOMPARE(l->identidad, id);
        QVERIFY(!l->preguntaTerminada);
        QCOMPARE(l->preguntaReanudar(), 1);
        QCOMPARE(l->reportes.at(0).reporte, reporteRespuestas({'1', 0, '3'}));
        QCOMPARE(l->reportes.at(1).pregunta, 1);
        QVERIFY(!l->colaIgnorada);
        QCOMPARE(l->largoValido, QFileInfo(ruta).size());

        // A new session never overwrites a journal nobody dealt with.
        DiarioSesion otro;
        QVERIFY(otro.crear(ruta, identidad("c3d4")));
        QCOMPARE(leerDiario(ruta + ".anterior")->reportes.size(), 2);
        QVERIFY(leerDiario(ruta)->reportes.isEmpty());
        otro.eliminar();
        QVERIFY(!QFile::exists(ruta));
    }

    void colaDanada_data() {
        QTest::addColumn<QString>("dano");
        QTest::addColumn<int>("reportes"); // -1: no session at all
        QTest::newRow("último registro cortado") << "cortar" << 2;
        QTest::newRow("último registro alterado") << "alterar" << 2;
        QTest::newRow("basura al final") << "basura" << 3;
        QTest::newRow("largo imposible") << "largo" << 3;
        QTest::newRow("primer registro a medias") << "cabecera" << -1;
        QTest::newRow("otro archivo") << "firma" << -1;
        QTest::newRow("vacío") << "vacio" << -1;
    }
    void colaDanada() {
        QFETCH(QString, dano);
        QFETCH(int, reportes);
        EntornoPrueba e(false);
        const QString ruta = e.ruta("Sesion.diario");
        {
            DiarioSesion d;
            QVERIFY(d.crear(ruta, identidad()));
            d.preguntaMostrada(0);
            for (int i = 0; i < 3; ++i)
                d.reporte(0, reporteRespuestas({char('1' + i)}));
        }
        QFile f(ruta);
        QVERIFY(f.open(QIODevice::ReadWrite));
        const qint64 largo = f.size();
        if (dano == "cortar") {
            f.resize(largo - 10);
        } else if (dano == "alterar") {
            f.seek(largo - 5);
            f.write("X");
        } else if (dano == "basura") {
            f.seek(largo);
            f.write("\x01\x02\x03");
        } else if (dano == "largo") {
            f.seek(largo);
            f.write(QByteArray("\xf0\xff\xff\x0f\0\0\0\0R", 9));
        } else if (dano == "cabecera") {
            f.resize(20);
        } else if (dano == "firma") {
            f.seek(0);
            f.write("NODIARIO");
        } else {
            f.resize(0);
        }
        f.close();
        std::optional<LecturaDiario> l = leerDiario(ruta);
        if (reportes < 0) {
            QVERIFY(!l);
            return;
        }
        QVERIFY(l);
        QVERIFY(l->colaIgnorada);
        QCOMPARE(l->reportes.size(), reportes);
        QCOMPARE(l->reportes.last().reporte, reporteRespuestas({char('0' + reportes)}));

        // Going on after it cuts the damaged tail off, so what follows is read.
        {
            DiarioSesion d;
            QVERIFY(d.continuar(ruta, *l));
            d.reporte(0, reporteRespuestas({'9'}));
        }
        l = leerDiario(ruta);
        QVERIFY(!l->colaIgnorada);
        QCOMPARE(l->reportes.size(), reportes + 1);
        QCOMPARE(l->reportes.last().reporte, reporteRespuestas({'9'}));
    }

    void fallosDeEscrituraNoDetienenNada() {
        EntornoPrueba e(false);
        {
            // The data folder is gone: said once, and the session runs without a journal.
            DiarioSesion d;
            QSignalSpy fallos(&d, &DiarioSesion::fallo);
            QVERIFY(!d.crear(e.ruta("no/existe/Sesion.diario"), identidad()));
            d.reporte(0, reporteRespuestas({'1'}));
            QCOMPARE(fallos.size(), 1);
            QVERIFY(d.error().contains("no/existe"));
        }
        // A full disk (a file size limit stands in for it): said once; whole records stay
        // readable and appending resumes once there is room.
        const QString ruta = e.ruta("Sesion.diario");
        DiarioSesion d;
        QSignalSpy fallos(&d, &DiarioSesion::fallo);
        QVERIFY(d.crear(ruta, identidad()));
        const auto anterior = std::signal(SIGXFSZ, SIG_IGN);
        rlimit limite{};
        getrlimit(RLIMIT_FSIZE, &limite);
        const rlimit original = limite;
        limite.rlim_cur = rlim_t(QFileInfo(ruta).size() + 200);
        QCOMPARE(setrlimit(RLIMIT_FSIZE, &limite), 0);
        for (int i = 0; i < 10; ++i)
            d.reporte(0, reporteRespuestas({'1'}));
        setrlimit(RLIMIT_FSIZE, &original);
        std::signal(SIGXFSZ, anterior);
        QCOMPARE(fallos.size(), 1);
        const int guardados = int(leerDiario(ruta)->reportes.size());
        QVERIFY(guardados >= 1 && guardados < 10 && !leerDiario(ruta)->colaIgnorada);
        d.reporte(0, reporteRespuestas({'2'}));
        d.cerrar();
        QCOMPARE(leerDiario(ruta)->reportes.size(), guardados + 1);
        QCOMPARE(fallos.size(), 1);
    }

    // Resuming at the running question is walked through by the kill test and the window.
    void laSesionAnotaAntesDeAplicar() {
        EntornoPrueba e;
        catalogo::examen(e.de1(), 1, catalogo::preguntasSimples(3));
        const QString ruta = e.ruta("Sesion.diario");
        RelojDePrueba reloj;
        SesionExamen s(e.de1(), reloj);
        DiarioSesion d;
        QVERIFY(d.crear(ruta, identidad("x", {11, 12})));
        s.usarDiario(&d);
        s.recibirReporte(reporteRespuestas({'1'})); // before the start: neither kept nor applied
        QVERIFY(s.iniciar(1, {11, 12}).isEmpty());
        qsizetype anotadosAlAplicar = -1;
        connect(&s, &SesionExamen::teclaRecibida, this,
                [&] { anotadosAlAplicar = leerDiario(ruta)->reportes.size(); });
        s.recibirReporte(reporteRespuestas({'2', '3'}));
        QCOMPARE(anotadosAlAplicar, 1);
        reloj.avanzar(1500);
        s.espacio();
        s.recibirReporte(reporteRespuestas({0, '1'}));
        s.recibirReporte(reporteRespuestas({0, '2'})); // the second key of a question counts
        d.cerrar();

        // A journal whose last question had ended goes straight to storing.
        std::optional<LecturaDiario> l = leerDiario(ruta);
        QCOMPARE(l->reportes.size(), 3);
        l->preguntaTerminada = true;
        l->preguntaMostrada = 2;
        SesionExamen fin(e.de1(), reloj);
        QSignalSpy terminado(&fin, &SesionExamen::examenTerminado);
        QVERIFY(fin.reanudar(*l).isEmpty());
        QCOMPARE(terminado.size(), 1);
        QCOMPARE(teclasDe(fin.matriz(), 1), QStringLiteral("32 "));
    }

    void unDiarioSeGuardaUnaSolaVez() {
        EntornoPrueba e;
        catalogo::examen(e.de1(), 1, catalogo::preguntasSimples(3));
        const qint32 a = catalogo::nuevaPersona(e.de1(), "Ana", "", QDate(1990, 1, 1));
        const qint32 b = catalogo::nuevaPersona(e.de1(), "Bruno", "", QDate(1990, 1, 1));
        LecturaDiario l;
        l.identidad = identidad("d-1", {a, b});
        l.reportes = {{0, reporteRespuestas({'1', '2'})},
                      {2, reporteRespuestas({'3'})},
                      {7, reporteRespuestas({'1'})}}; // a question the exam no longer has
        l.preguntaMostrada = 2;
        QVERIFY(!RegistroRespuestas::sesionDelDiario(e.de1(), "d-1"));

        const ResultadoGuardado r = GuardarDiario(e.de1(), l);
        QCOMPARE(r.guardados, 2);
        QVERIFY(!r.yaRegistrada);
        QCOMPARE(RegistroRespuestas::sesionDelDiario(e.de1(), "d-1"), r.sesion);
        QVERIFY(!RegistroRespuestas::sesionDelDiario(e.de1(), ""));
        QCOMPARE(e.de1().valor("SELECT Teclas FROM EvaluadosSesion WHERE Posicion = 1").toString(),
                 QStringLiteral("1 3"));
        // For the operator who ran it, on the day it ran.
        QCOMPARE(e.de1().valor("SELECT Responsable FROM SesionesExamen").toInt(), 9);
        QCOMPARE(Dialecto::leerFecha(e.de1().valor("SELECT Fecha FROM DetalleExamenes")),
                 QDate(2026, 3, 5));

        // Stored again (a crash came between the commit and the journal's removal): nothing.
        const ResultadoGuardado otra = GuardarDiario(e.de1(), l);
        QVERIFY(otra.yaRegistrada);
        QCOMPARE(otra.guardados, 0);
        QCOMPARE(otra.sesion, r.sesion);
        QCOMPARE(catalogo::filas(e.de1(), "DetalleExamenes"), 2);
        QCOMPARE(catalogo::filas(e.de1(), "SesionesExamen"), 1);
    }

    void muerteSubita_data() {
        QTest::addColumn<int>("teclas");
        QTest::newRow("antes de la primera tecla") << 0;
        QTest::newRow("a media pregunta") << 37;
        QTest::newRow("muy avanzado") << 150;
    }
    void muerteSubita() {
        QFETCH(int, teclas);
        constexpr int kEvaluados = 4;
        constexpr int kPreguntas = 20;
        EntornoPrueba e;
        catalogo::examen(e.de1(), 1, catalogo::preguntasSimples(kPreguntas));
        for (int k = 1; k <= kEvaluados; ++k)
            QCOMPARE(catalogo::nuevaPersona(e.de1(), "P", "", QDate(1990, 1, 1)), k);
        const QString ruta = e.ruta("Sesion.diario");

        QProcess hijo;
        QList<QByteArray> impresas;
        bool listo = false;
        auto leer = [&] {
            while (hijo.canReadLine()) {
                const QByteArray linea = hijo.readLine().trimmed();
                if (linea == "listo")
                    listo = true;
                else if (!linea.isEmpty() && linea != "fin")
                    impresas << linea;
            }
        };
        connect(&hijo, &QProcess::readyReadStandardOutput, this, [&] {
            leer();
            if (listo && impresas.size() >= teclas && hijo.state() == QProcess::Running)
                hijo.kill(); // SIGKILL: no handler, no flush, nothing of the program runs
        });
        hijo.start(QStringLiteral(HIJO_DIARIO),
                   {e.archivoCatalogo(), ruta, QString::number(kEvaluados), "10"});
        QVERIFY(hijo.waitForStarted());
        QTRY_COMPARE_WITH_TIMEOUT(hijo.state(), QProcess::NotRunning, 30000);
        QCOMPARE(hijo.exitStatus(), QProcess::CrashExit);
        leer();
        QVERIFY(impresas.size() >= teclas);

        const std::optional<LecturaDiario> l = leerDiario(ruta);
        QVERIFY(l);
        // Every key printed is in the journal, in order, under its question.
        QVERIFY(l->reportes.size() >= impresas.size());
        for (qsizetype i = 0; i < impresas.size(); ++i) {
            const QList<QByteArray> campos = impresas.at(i).split(' ');
            const ReporteDiario& r = l->reportes.at(i);
            QCOMPARE(r.pregunta, campos.at(1).toInt());
            QCOMPARE(r.reporte.at(2 + campos.at(2).toInt()), campos.at(3).at(0));
        }
        const MatrizRespuestas recibida = SesionExamen::matrizDelDiario(*l, kPreguntas);

        // Scoring what was received stores exactly those keys.
        const ResultadoGuardado g = GuardarDiario(e.de1(), *l);
        QCOMPARE(g.guardados, kEvaluados);
        for (int k = 0; k < kEvaluados; ++k)
            QCOMPARE(e.de1()
                         .valor("SELECT Teclas FROM EvaluadosSesion WHERE Posicion = ?", {k + 1})
                         .toString(),
                     teclasDe(recibida, k));

        // Resuming goes on from the question that was running, with the same keys.
        RelojDePrueba reloj;
        SesionExamen s(e.de1(), reloj);
        QVERIFY(s.reanudar(*l).isEmpty());
        QCOMPARE(s.preguntaActual(), l->preguntaReanudar());
        // The last key printed was for that question or the one before (its end was
        // journaled before the kill).
        const int ultima = impresas.isEmpty() ? 0 : impresas.last().split(' ').at(1).toInt();
        QVERIFY(s.preguntaActual() == ultima || s.preguntaActual() == ultima + 1);
        for (int k = 0; k < kEvaluados; ++k)
            QCOMPARE(teclasDe(s.matriz(), k), teclasDe(recibida, k));
    }
};

QTEST_GUILESS_MAIN(TestDiario)
#include "tst_diario.moc"
