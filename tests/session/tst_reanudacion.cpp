// A session interrupted on this workstation, met at the next start: resumed in the session
// window, scored as received, discarded or left for later; and the journal the window keeps.
#include "Catalogo.h"
#include "DialogosDePrueba.h"
#include "EntornoPrueba.h"
#include "ReceptorFalso.h"
#include "Tiempo.h"
#include "Ventanas.h"
#include "session/DiarioSesion.h"
#include "session/RegistroResultados.h"
#include "session/SesionExamen.h"
#include "session/ventanas/FrmInteligencia.h"
#include "session/ventanas/NombresFrmInteligencia.h"
#include "session/ventanas/ReanudacionSesion.h"

#include <QFile>
#include <QLabel>
#include <QtTest>

namespace n = nombres::frmInteligencia;
using reanudacion::Desenlace;
Q_DECLARE_METATYPE(reanudacion::Desenlace)
Q_DECLARE_METATYPE(std::optional<int>)

namespace {

// A group of two before exam 1 (three questions), interrupted during question 2: the first
// examinee had answered 1 to question 1 and the second 3 to question 2.
struct Puesto {
    EntornoPrueba e;
    DialogosDePrueba dialogos;
    ReceptorFalso receptor;
    RelojDePrueba reloj;
    QWidget principal;
    qint32 grupo = 0;
    QList<qint32> personas;
    IdentidadDiario identidad;
    QString ruta = DiarioSesion::rutaPredeterminada();

    explicit Puesto(qint32 examen = 1) {
        catalogo::examen(e.de1(), 1, catalogo::preguntasSimples(3));
        grupo = catalogo::grupo(e.de1(), "C-7", "Mañana", 0);
        for (const char* nombre : {"Ana", "Bruno"}) {
            personas << catalogo::nuevaPersona(e.de1(), nombre, "", QDate(1990, 1, 1));
            catalogo::miembro(e.de1(), grupo, personas.last(), int(personas.size()) + 4);
        }
        identidad = {"sesion-1", grupo, examen, 9, QDateTime(QDate::currentDate(), QTime(8, 5)),
                     personas};
        DiarioSesion d;
        d.crear(ruta, identidad);
        d.preguntaMostrada(0);
        d.reporte(0, reporteRespuestas({'1'}));
        d.preguntaTerminada(0);
        d.preguntaMostrada(1);
        d.reporte(1, reporteRespuestas({0, '3'}));
    }

    Desenlace ofrecer(const std::function<void(FrmInteligencia&)>& enVentana = {}) {
        reanudacion::Opciones o;
        o.preparar = [this](FrmInteligencia& w) {
            w.usarReloj(reloj);
            w.mostrarResultados = [](qint32, qint64) {};
        };
        o.abrirModal = [&enVentana](QDialog& d) {
            d.show();
            if (enVentana)
                enVentana(static_cast<FrmInteligencia&>(d));
        };
        return reanudacion::ofrecerReanudacion(e.de1(), &principal, receptor, o);
    }

    QString teclas(int posicion) {
        return e.de1()
            .valor("SELECT Teclas FROM EvaluadosSesion WHERE Posicion = ?", {posicion})
            .toString();
    }
};

} // namespace

class TestReanudacion : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void reanudarEnLaVentana() {
        Puesto p;
        p.dialogos.siguienteOpcion(0);
        const Desenlace d = p.ofrecer([&p](FrmInteligencia& w) {
            // The question that was running, its countdown started again, its keys kept.
            QCOMPARE(hijo<QLabel>(w, n::kPregunta)->text(), QStringLiteral("Pregunta 2"));
            QCOMPARE(hijo<QLabel>(w, n::kTiempo)->text(), QStringLiteral("16"));
            p.receptor.enviar(reporteRespuestas({'2'}));
            for (int i = 0; i < 2; ++i) {
                p.reloj.avanzar(16001);
                w.sesion().espera().actualizar();
            }
            QTRY_VERIFY(!w.isVisible());
        });
        QCOMPARE(d, Desenlace::Reanudado);
        const DialogosDePrueba::Mensaje& pregunta = p.dialogos.mensajes.first();
        QVERIFY(pregunta.texto.contains("Mañana"));
        QVERIFY(pregunta.texto.contains("Pregunta en curso: 2 de 3"));
        QCOMPARE(
            p.dialogos.botonesOfrecidos.first(),
            QStringList({"Reanudar el examen", "Calificar y guardar lo recibido", "Descartar"}));
        // Stored once, keys from before and after the stop; the journal is gone.
        QCOMPARE(catalogo::filas(p.e.de1(), "SesionesExamen"), 1);
        QCOMPARE(p.teclas(1), QStringLiteral("12 "));
        QCOMPARE(p.teclas(2), QStringLiteral(" 3 "));
        QVERIFY(!QFile::exists(p.ruta));
        QVERIFY(!p.receptor.abierto);

        // The next start finds nothing to offer.
        p.dialogos.limpiar();
        QCOMPARE(p.ofrecer(), Desenlace::SinDiario);
        QVERIFY(p.dialogos.mensajes.isEmpty());
    }

    void laEleccion_data() {
        QTest::addColumn<std::optional<int>>("eleccion");
        QTest::addColumn<Desenlace>("desenlace");
        QTest::addColumn<int>("sesiones");
        QTest::addColumn<bool>("diarioQueda");
        QTest::addColumn<bool>("apartado");
        QTest::newRow("calificar y guardar")
            << std::optional<int>(1) << Desenlace::Guardado << 1 << false << false;
        QTest::newRow("descartar")
            << std::optional<int>(2) << Desenlace::Descartado << 0 << false << true;
        QTest::newRow("cerrar sin elegir")
            << std::optional<int>() << Desenlace::Aplazado << 0 << true << false;
    }
    void laEleccion() {
        QFETCH(std::optional<int>, eleccion);
        QFETCH(Desenlace, desenlace);
        QFETCH(int, sesiones);
        QFETCH(bool, diarioQueda);
        QFETCH(bool, apartado);
        Puesto p;
        p.dialogos.siguienteOpcion(eleccion);
        QCOMPARE(p.ofrecer(), desenlace);
        QCOMPARE(catalogo::filas(p.e.de1(), "SesionesExamen"), sesiones);
        QCOMPARE(QFile::exists(p.ruta), diarioQueda);
        QCOMPARE(QFile::exists(p.ruta + ".descartado"), apartado);
        if (sesiones) {
            // Exactly the keys received, nothing for the questions never reached.
            QCOMPARE(p.teclas(1), QStringLiteral("1  "));
            QCOMPARE(p.teclas(2), QStringLiteral(" 3 "));
            QVERIFY(p.dialogos.ultimo().contains("2 evaluado"));
        }
    }

    void diariosQueNoSePuedenUsar() {
        {
            // Stored before the program stopped: removed with a notice, nothing asked.
            Puesto p;
            GuardarDiario(p.e.de1(), *leerDiario(p.ruta));
            QCOMPARE(p.ofrecer(), Desenlace::YaGuardado);
            QVERIFY(!QFile::exists(p.ruta));
            QVERIFY(p.dialogos.botonesOfrecidos.isEmpty());
            QVERIFY(p.dialogos.ultimo().contains("ya estaba guardado"));
        }
        {
            // Its exam was deleted since: said clearly, the journal kept aside.
            Puesto p(99);
            QCOMPARE(p.ofrecer(), Desenlace::Fallido);
            QVERIFY(p.dialogos.ultimo().contains("ya no existe"));
            QVERIFY(QFile::exists(p.ruta + ".descartado"));
        }
        {
            // A torn tail and a person deleted since: both said, the rest used.
            Puesto p;
            QFile f(p.ruta);
            QVERIFY(f.open(QIODevice::Append));
            f.write("\x10\0\0", 3);
            f.close();
            p.e.de1().ejecutar("DELETE FROM Personas WHERE CodigoPersona = ?", {p.personas.at(1)});
            p.dialogos.siguienteOpcion(1);
            QCOMPARE(p.ofrecer(), Desenlace::Guardado);
            const QString texto = p.dialogos.mensajes.first().texto;
            QVERIFY(texto.contains("se ignoró"));
            QVERIFY(texto.contains("1 de los 2 evaluados"));
            QCOMPARE(p.teclas(1), QStringLiteral("1  "));
            QCOMPARE(catalogo::filas(p.e.de1(), "EvaluadosSesion"), 1);
        }
    }

    void laVentanaLlevaSuDiario() {
        Puesto p;
        QFile::remove(p.ruta);
        struct Sel : Seleccion {
            QList<Evaluado> lista;
            std::optional<Grupo> grupoSeleccionado() const override {
                return Grupo{3, "C", QDate(), "G", ""};
            }
            std::optional<qint32> examenSeleccionado() const override { return 1; }
            QList<Evaluado> evaluados() const override { return lista; }
        } sel;
        for (qint32 c : p.personas)
            sel.lista.append({0, c, "", "", 0});
        FrmInteligencia w(p.e.de1(), sel, p.receptor, 5);
        w.usarReloj(p.reloj);
        w.show();
        QTest::keyClick(&w, Qt::Key_Space);
        p.receptor.enviar(reporteRespuestas({'2', '1'}));
        const std::optional<LecturaDiario> l = leerDiario(p.ruta);
        QVERIFY(l);
        QCOMPARE(l->identidad.responsable, 5);
        QCOMPARE(l->identidad.personas, p.personas);
        QCOMPARE(l->reportes.size(), 1);
        // Abandoned at the operator's word: nothing to offer at the next start.
        p.dialogos.siguienteRespuesta(Dialogos::Respuesta::Si);
        QTest::keyClick(&w, Qt::Key_Escape);
        QVERIFY(!w.isVisible());
        QVERIFY(!QFile::exists(p.ruta));
    }
};

QTEST_MAIN(TestReanudacion)
#include "tst_reanudacion.moc"
