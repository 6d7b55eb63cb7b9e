// Questions read aloud: the text composed for a question, what the session reads
// through a simulated reader, and the workstation's engine when it has one.
#include "Catalogo.h"
#include "DialogosDePrueba.h"
#include "EntornoPrueba.h"
#include "ReceptorFalso.h"
#include "Tiempo.h"
#include "app/Claves.h"
#include "data/Configuracion.h"
#include "session/LecturaPregunta.h"
#include "session/PreguntasExamen.h"
#include "session/SesionExamen.h"
#include "session/ventanas/FrmInteligencia.h"
#include "session/ventanas/LectorSimulado.h"
#include "session/ventanas/LectorVoz.h"
#include "session/ventanas/LecturaEnVoz.h"

#include <QTextToSpeech>
#include <QtTest>

Q_DECLARE_METATYPE(PreguntaExamen)

namespace {

PreguntaExamen pregunta(const QString& texto, const QStringList& respuestas) {
    PreguntaExamen p;
    p.texto = texto;
    for (const QString& r : respuestas)
        p.respuestas.append({0, r, false});
    return p;
}

// Three examinees before exam 1 ("Pregunta n", answers "Respuesta n.a"), with the
// office's option to read the questions as given, and a simulated reader.
struct Sala : Seleccion {
    EntornoPrueba e;
    DialogosDePrueba dialogos;
    ReceptorFalso receptor;
    RelojDePrueba reloj;
    std::unique_ptr<FrmInteligencia> w;
    LectorSimulado* lector = nullptr;
    QList<Evaluado> lista;

    explicit Sala(const QString& opcion, std::unique_ptr<Lector> propio = {}) {
        catalogo::examen(e.de1(), 1, catalogo::preguntasSimples(2));
        lista.append(
            {0, catalogo::nuevaPersona(e.de1(), "Ana", "", QDate(1990, 1, 1)), "Ana", "", 3});
        GuardarConfiguracion(e.de1(), ajustes::kLeerPreguntas, opcion);
        w = std::make_unique<FrmInteligencia>(e.de1(), *this, receptor, 0);
        w->usarReloj(reloj);
        if (!propio) {
            auto simulado = std::make_unique<LectorSimulado>();
            lector = simulado.get();
            propio = std::move(simulado);
        }
        w->voz().usarLector(std::move(propio));
        w->show();
    }
    std::optional<Grupo> grupoSeleccionado() const override {
        return Grupo{1, "C-1", QDate(), "Grupo", ""};
    }
    std::optional<qint32> examenSeleccionado() const override { return 1; }
    QList<Evaluado> evaluados() const override { return lista; }

    void tecla(Qt::Key k) { QTest::keyClick(w.get(), k); }
    void terminarPregunta() {
        reloj.avanzar(16001);
        w->sesion().espera().actualizar();
    }
    // The session runs to its end and is stored, whatever the reader did; nothing is said.
    void hastaElFinal() {
        tecla(Qt::Key_L);
        receptor.enviar(reporteRespuestas({'2'}));
        terminarPregunta();
        terminarPregunta();
        QTRY_VERIFY(!w->isVisible());
        QCOMPARE(catalogo::filas(e.de1(), "EvaluadosSesion"), 1);
        QVERIFY(dialogos.mensajes.isEmpty());
    }
    QString texto(int i) const { return textoParaLeer(i + 1, w->sesion().preguntas().at(i)); }
};

} // namespace

class TestLectura : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void textoDeLaPregunta_data() {
        QTest::addColumn<PreguntaExamen>("pregunta");
        QTest::addColumn<QString>("leido");
        QTest::newRow("pregunta y respuestas")
            << pregunta("¿Qué indica la luz roja?", {"Detenerse", "Avanzar con cuidado."})
            << "Pregunta 3. ¿Qué indica la luz roja? Respuesta 1: Detenerse. "
               "Respuesta 2: Avanzar con cuidado.";
        QTest::newRow("renglones y blancos")
            << pregunta("  La señal\nde la figura \t ", {"Ceda\r\nel paso"})
            << "Pregunta 3. La señal de la figura. Respuesta 1: Ceda el paso.";
        QTest::newRow("respuesta sin texto: su tecla igual")
            << pregunta("Elija", {"%1 y %2", " "})
            << "Pregunta 3. Elija. Respuesta 1: %1 y %2. Respuesta 2.";
    }
    void textoDeLaPregunta() {
        QFETCH(PreguntaExamen, pregunta);
        QFETCH(QString, leido);
        QCOMPARE(textoParaLeer(3, pregunta), leido);
    }

    void seLeeAlMostrarConLaOpcion_data() {
        QTest::addColumn<QString>("opcion");
        QTest::addColumn<bool>("alMostrar");
        QTest::newRow("encendida") << "1" << true;
        QTest::newRow("apagada") << "0" << false;
        QTest::newRow("sin fijar") << "" << false;
    }
    void seLeeAlMostrarConLaOpcion() {
        QFETCH(QString, opcion);
        QFETCH(bool, alMostrar);
        Sala s(opcion);
        QCOMPARE(s.w->voz().alMostrar(), alMostrar);
        s.tecla(Qt::Key_L); // nothing on screen yet
        QVERIFY(s.lector->leidos.isEmpty());
        s.tecla(Qt::Key_Space);
        const QStringList primera = alMostrar ? QStringList{s.texto(0)} : QStringList();
        QCOMPARE(s.lector->leidos, primera);
        // "L" reads the question on screen again, whatever the option.
        s.tecla(Qt::Key_L);
        QCOMPARE(s.lector->leidos, primera + QStringList{s.texto(0)});
        s.lector->leidos.clear();
        s.terminarPregunta();
        QVERIFY(s.lector->detenciones >= 1); // a question over is not read on
        QCOMPARE(s.lector->leidos, alMostrar ? QStringList{s.texto(1)} : QStringList());
    }

    void sinMotorLaSesionSigue() {
        auto lector = std::make_unique<LectorSimulado>();
        lector->motivo = LectorVoz::kSinMotor;
        LectorSimulado* sinMotor = lector.get();
        Sala s("1", std::move(lector));
        s.tecla(Qt::Key_Space);
        s.hastaElFinal();
        QVERIFY(sinMotor->leidos.isEmpty());

        LectorVoz voz(QStringLiteral("ninguno"));
        QCOMPARE(voz.motivoNoDisponible(), LectorVoz::kSinMotor);
        voz.leer(QStringLiteral("nada")); // reads nothing, fails nothing
    }

    void motorDelEquipo() {
        // flite speaks offline; with no sound device it may fail to play, which
        // must neither hang nor stop the session.
        if (!QTextToSpeech::availableEngines().contains(QStringLiteral("flite")))
            QSKIP("El motor de voz flite no está instalado.");
        auto propio = std::make_unique<LectorVoz>(QStringLiteral("flite"));
        LectorVoz* voz = propio.get();
        QCOMPARE(voz->motivoNoDisponible(), QString());
        QTextToSpeech* motor = voz->motor();
        QVERIFY(motor);
        QSignalSpy estados(motor, &QTextToSpeech::stateChanged);
        Sala s("1", std::move(propio));
        s.tecla(Qt::Key_Space);
        QTRY_VERIFY_WITH_TIMEOUT(!estados.isEmpty(), 20000);
        const auto alcanzado = estados.first().first().value<QTextToSpeech::State>();
        QVERIFY2(alcanzado == QTextToSpeech::Speaking || alcanzado == QTextToSpeech::Error,
                 qPrintable(QString::number(alcanzado)));
        s.hastaElFinal();
    }
};

QTEST_MAIN(TestLectura)
#include "tst_lectura.moc"
