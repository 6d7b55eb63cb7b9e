// The session in a room with two screens: the questions full screen on the projector the
// operator chose, the console on the other one, the grid that never tells the room a key,
// "Siguiente pregunta" and the room's options.
#include "Catalogo.h"
#include "DialogosDePrueba.h"
#include "EntornoPrueba.h"
#include "ReceptorFalso.h"
#include "Tiempo.h"
#include "Ventanas.h"
#include "app/Claves.h"
#include "app/Ini.h"
#include "data/Configuracion.h"
#include "session/SesionExamen.h"
#include "session/TableroRespuestas.h"
#include "session/ventanas/FrmConsola.h"
#include "session/ventanas/FrmInteligencia.h"
#include "session/ventanas/FrmOpcionesSala.h"
#include "session/ventanas/NombresFrmConsola.h"
#include "session/ventanas/NombresFrmInteligencia.h"
#include "session/ventanas/NombresFrmOpcionesSala.h"

#include <QAbstractButton>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QScreen>
#include <QTemporaryDir>
#include <QToolButton>
#include <QtTest>

namespace n = nombres::frmInteligencia;
namespace nc = nombres::frmConsola;
namespace no = nombres::frmOpcionesSala;

namespace {

const QRect kPrincipal(0, 0, 1366, 768); // as main() describes it

// Every text a window shows or tells a screen reader.
QStringList textos(const QWidget& ventana) {
    QStringList t{ventana.windowTitle()};
    for (const QWidget* w : ventana.findChildren<QWidget*>()) {
        t << w->accessibleName() << w->accessibleDescription() << w->toolTip();
        if (const auto* l = qobject_cast<const QLabel*>(w))
            t << l->text();
        if (const auto* b = qobject_cast<const QAbstractButton*>(w))
            t << b->text();
    }
    return t;
}

QList<QToolButton*> celdas(FrmConsola& c) {
    return c.findChildren<QToolButton*>(nc::kCelda);
}

} // namespace

class TestSalaExamen : public QObject {
    Q_OBJECT

    // A room of n examinees before the three-question exam 1, with the projector chosen
    // (none: left to the rule), the office's "Siguiente pregunta" as given; shown.
    struct Sala : Seleccion {
        EntornoPrueba e;
        DialogosDePrueba dialogos;
        ReceptorFalso receptor;
        RelojDePrueba reloj;
        QList<Evaluado> lista;
        std::unique_ptr<FrmInteligencia> w;

        explicit Sala(const QString& proyector = {}, bool siguiente = false, int evaluados = 3) {
            catalogo::examen(e.de1(), 1, catalogo::preguntasSimples(3));
            GuardarConfiguracion(e.de1(), ajustes::kContadorCarpetas, "41");
            GuardarConfiguracion(e.de1(), ajustes::kSiguientePregunta, siguiente ? "1" : "0");
            EscribirIni(claves::kPantallaProyector, proyector);
            for (int i = 0; i < evaluados; ++i)
                lista.append({0, catalogo::nuevaPersona(e.de1(), "E", "", QDate(1990, 1, 1)),
                              QStringLiteral("Evaluado %1").arg(i + 1), QString::number(3000 + i),
                              3 + i});
            w = std::make_unique<FrmInteligencia>(e.de1(), *this, receptor, 0);
            w->usarReloj(reloj);
            w->show();
            // The console follows the view once it is on screen.
            QTRY_VERIFY(consola().isVisible());
        }
        std::optional<Grupo> grupoSeleccionado() const override {
            return Grupo{1, "C-1", QDate(), "Grupo", ""};
        }
        std::optional<qint32> examenSeleccionado() const override { return 1; }
        QList<Evaluado> evaluados() const override { return lista; }

        FrmConsola& consola() { return w->consola(); }
        void avanzar(int ms) {
            reloj.avanzar(ms);
            w->sesion().espera().actualizar();
        }
    };

private Q_SLOTS:
    void vistaEnLaPantallaElegida_data() {
        QTest::addColumn<QString>("elegida");
        QTest::addColumn<QString>("vista");
        QTest::addColumn<QString>("consola");
        // Which screen wins is the placement's business; here, that the windows follow it.
        QTest::newRow("sin elegir") << QString() << "Proyector"
                                    << "Principal";
        QTest::newRow("la principal") << "Principal"
                                      << "Principal"
                                      << "Proyector";
    }
    void vistaEnLaPantallaElegida() {
        QFETCH(QString, elegida);
        QFETCH(QString, vista);
        QFETCH(QString, consola);
        Sala s(elegida);
        QVERIFY(QTest::qWaitForWindowExposed(s.w.get()));
        QVERIFY(s.w->isFullScreen());
        QCOMPARE(s.w->screen()->name(), vista);
        QCOMPARE(s.w->geometry(), s.w->screen()->geometry());
        QVERIFY(s.consola().isVisible());
        QCOMPARE(s.consola().screen()->name(), consola);
        QVERIFY(!s.consola().isFullScreen());
    }

    // Unplugging the projector mid-question moves the view over; the question goes on and
    // keys still count. The console, now a small window over the view, still shows the whole
    // room.
    void proyectorDesconectado() {
        Sala s(QStringLiteral("Proyector"), false, 54);
        QTest::keyClick(s.w.get(), Qt::Key_Space);
        QCOMPARE(s.w->screen()->name(), QStringLiteral("Proyector"));
        auto* pregunta = hijo<QLabel>(s.w.get(), n::kPregunta);
        const int enProyector = pregunta->font().pixelSize();
        QScreen* principal = QGuiApplication::primaryScreen();
        s.w->pantallas = [principal] { return QList<QScreen*>{principal}; };
        s.w->colocarEnSala();
        QCOMPARE(s.w->screen()->name(), QStringLiteral("Principal"));
        QVERIFY(s.w->isFullScreen());
        QTRY_COMPARE(s.w->geometry(), kPrincipal);
        // The type follows the screen: as large on each as its height allows.
        QVERIFY(pregunta->font().pixelSize() < enProyector);
        QVERIFY(pregunta->font().pixelSize() >= 24);
        QCOMPARE(s.consola().screen()->name(), QStringLiteral("Principal"));
        s.receptor.enviar(reporteRespuestas({'2'}));
        QCOMPARE(s.w->sesion().matriz().celda(0, 0), QChar(u'2'));

        QTRY_VERIFY(s.consola().width() < kPrincipal.width() / 2);
        const QList<QToolButton*> c = celdas(s.consola());
        QCOMPARE(c.size(), 54);
        QTRY_VERIFY(c.last()->parentWidget()->rect().contains(c.last()->geometry()));
        QRegion ocupado;
        for (QToolButton* b : c) {
            QVERIFY(b->isVisible());
            QVERIFY(b->parentWidget()->rect().contains(b->geometry()));
            QVERIFY(!ocupado.intersects(b->geometry()));
            ocupado += b->geometry();
        }
    }

    // The mended fault: the view used to show "Control…Pregunta…Tecla…" after each key.
    // Keys here are characters nothing else on screen holds.
    void nadieVeLaTecla() {
        Sala s;
        QTest::keyClick(s.w.get(), Qt::Key_Space);
        const QList<char> teclas{char(0xA7), 0, char(0xB6)}; // "§", none, "¶"
        s.receptor.enviar(reporteRespuestas(teclas));
        s.receptor.enviar(reporteRespuestas({0, 0, char(0xA4)}));  // "¤": a change of mind
        QCOMPARE(s.w->sesion().matriz().celda(2, 0), QChar(u'¤')); // it did arrive
        QCOMPARE(hijo<QLabel>(s.w.get(), n::kTitulo)->text(), FrmInteligencia::kTituloExamen);
        const QStringList vistos = textos(*s.w) + textos(s.consola());
        for (const QString& t : vistos)
            for (QChar c : {u'§', u'¶', u'¤'})
                QVERIFY2(!t.contains(c), qPrintable(t));
        QVERIFY(!vistos.join(u' ').contains(QStringLiteral("Tecla")));

        const QList<QToolButton*> c = celdas(s.consola());
        QCOMPARE(c.size(), 3);
        QVERIFY(c.at(1)->accessibleName().contains(QStringLiteral("sin respuesta")));
        QVERIFY(c.at(2)->accessibleName().contains(QStringLiteral("respondió")));
        QCOMPARE(hijo<QLabel>(s.consola(), nc::kRespondidos)->text(),
                 QStringLiteral("Respondieron: 2 de 3"));
        s.avanzar(16001);
        QCOMPARE(hijo<QLabel>(s.consola(), nc::kRespondidos)->text(),
                 QStringLiteral("Respondieron: 0 de 3"));
        QCOMPARE(hijo<QLabel>(s.consola(), nc::kPregunta)->text(),
                 QStringLiteral("Pregunta 2 de 3"));
    }

    // When the grid offers it is the grid's business; here, that the real click moves on.
    void siguientePreguntaConUnClic() {
        Sala s(QString(), true);
        auto* siguiente = hijo<QPushButton>(s.consola(), nc::kSiguiente);
        QTest::keyClick(s.w.get(), Qt::Key_Space);
        s.receptor.enviar(reporteRespuestas({'1', '1'}));
        QTest::mouseClick(siguiente, Qt::LeftButton);
        QCOMPARE(s.w->sesion().preguntaActual(), 0);
        s.receptor.enviar(reporteRespuestas({0, 0, '1'}));
        QTest::mouseClick(siguiente, Qt::LeftButton);
        QCOMPARE(s.w->sesion().preguntaActual(), 1);
        QVERIFY(!siguiente->isEnabled());
    }

    // Space and Esc work from the console as from the view, even with one of its
    // buttons focused; leaving mid-exam asks, and stores nothing.
    void tecladoDesdeLaConsola() {
        Sala s;
        auto* volver = hijo<QPushButton>(s.consola(), nc::kVolver);
        volver->setFocus();
        QTest::keyClick(volver, Qt::Key_Space);
        QCOMPARE(s.w->sesion().estado(), SesionExamen::Estado::EnPregunta);
        QVERIFY(!hijo<QPushButton>(s.consola(), nc::kOpciones)->isEnabled());
        s.receptor.enviar(reporteRespuestas({'1', '1', '1'}));
        s.avanzar(1500);
        QTest::keyClick(&s.consola(), Qt::Key_Space);
        QCOMPARE(s.w->sesion().preguntaActual(), 1);
        QCOMPARE(hijo<QLabel>(s.consola(), nc::kTiempo)->text(),
                 QStringLiteral("Tiempo restante: 16 s"));
        s.dialogos.siguienteRespuesta(Dialogos::Respuesta::No);
        QTest::keyClick(celdas(s.consola()).first(), Qt::Key_Escape);
        QCOMPARE(s.dialogos.mensajes.size(), 1);
        QVERIFY(s.w->isVisible());
        s.dialogos.siguienteRespuesta(Dialogos::Respuesta::Si);
        QTest::mouseClick(volver, Qt::LeftButton);
        QVERIFY(!s.w->isVisible());
        QVERIFY(!s.consola().isVisible());
        QVERIFY(!s.receptor.abierto);
        QCOMPARE(catalogo::filas(s.e.de1(), "Carpetas"), 0);
        QCOMPARE(LeerIni("Evaluado1", "Pregunta1"), QStringLiteral("ERROR"));
    }

    void fichaDelEvaluado() {
        Sala s;
        QVERIFY(!hijo(s.consola(), nc::kFicha)->isVisible());
        QTest::mouseClick(celdas(s.consola()).at(1), Qt::LeftButton);
        QVERIFY(hijo(s.consola(), nc::kFicha)->isVisible());
        QCOMPARE(hijo<QLabel>(s.consola(), nc::kNombreFicha)->text(), QStringLiteral("Evaluado 2"));
        QVERIFY(hijo<QLabel>(s.consola(), nc::kDocumentoFicha)->text().contains("3001"));
        QVERIFY(!hijo<QLabel>(s.consola(), nc::kFotoFicha)->pixmap().isNull());
    }

    // The options store the projector in the configuration file and the office's options
    // in the settings table; the session takes them at once.
    void opcionesDesdeLaConsola() {
        Sala s(QStringLiteral("Proyector"));
        bool abierta = false;
        alAbrirModal<FrmOpcionesSala>([&](FrmOpcionesSala* d) {
            abierta = true;
            auto* combo = hijo<QComboBox>(d, no::kPantalla);
            combo->setCurrentIndex(combo->findData(QStringLiteral("Principal")));
            hijo<QCheckBox>(d, no::kSiguiente)->setChecked(true);
            hijo<QCheckBox>(d, no::kLeer)->setChecked(true);
            pulsar(*d, no::kAceptar);
        });
        QTest::mouseClick(hijo<QPushButton>(s.consola(), nc::kOpciones), Qt::LeftButton);
        QVERIFY(abierta);
        QCOMPARE(LeerIni(claves::kPantallaProyector), QStringLiteral("Principal"));
        QCOMPARE(LeerConfiguracion(s.e.de1(), ajustes::kSiguientePregunta), QStringLiteral("1"));
        QCOMPARE(LeerConfiguracion(s.e.de1(), ajustes::kLeerPreguntas), QStringLiteral("1"));
        QCOMPARE(s.w->screen()->name(), QStringLiteral("Principal"));
        QCOMPARE(s.consola().screen()->name(), QStringLiteral("Proyector"));
        QTest::keyClick(s.w.get(), Qt::Key_Space);
        s.receptor.enviar(reporteRespuestas({'1', '2', '3'}));
        QVERIFY(hijo<QPushButton>(s.consola(), nc::kSiguiente)->isEnabled());

        // Opened again, it shows what was stored.
        FrmOpcionesSala otra(s.e.de1());
        QVERIFY(hijo<QCheckBox>(otra, no::kSiguiente)->isChecked());
    }

    void opcionesSinVozYErrores() {
        EntornoPrueba e;
        DialogosDePrueba dialogos;
        GuardarConfiguracion(e.de1(), ajustes::kLeerPreguntas, "1");
        EscribirIni(claves::kPantallaProyector, QStringLiteral("HDMI-7"));
        {
            const QString motivo = QStringLiteral("No hay voces en español en este equipo.");
            FrmOpcionesSala d(e.de1(), motivo);
            d.show();
            auto* leer = hijo<QCheckBox>(d, no::kLeer);
            QVERIFY(!leer->isEnabled());
            QVERIFY(!leer->isChecked());
            QCOMPARE(hijo<QLabel>(d, no::kSinVoz)->text(), motivo);
            // An unplugged projector stays chosen until another is picked.
            QCOMPARE(hijo<QComboBox>(d, no::kPantalla)->currentData().toString(),
                     QStringLiteral("HDMI-7"));
            QVERIFY(rotulosAccesibles(d));
            pulsar(d, no::kAceptar);
            QVERIFY(!d.isVisible());
            // The office's choice, made where a voice exists, is not undone here.
            QCOMPARE(LeerConfiguracion(e.de1(), ajustes::kLeerPreguntas), QStringLiteral("1"));
            QCOMPARE(LeerIni(claves::kPantallaProyector), QStringLiteral("HDMI-7"));
        }
        FrmOpcionesSala d(e.de1());
        d.show();
        QVERIFY(hijo<QCheckBox>(d, no::kLeer)->isEnabled());
        hijo<QCheckBox>(d, no::kSiguiente)->setChecked(true);
        e.de1().ejecutar("DROP TABLE Configuracion");
        pulsar(d, no::kAceptar);
        QVERIFY(d.isVisible());
        QCOMPARE(dialogos.mensajes.size(), 1);
        QVERIFY(dialogos.ultimo().contains(QStringLiteral("opciones")));
    }
};

int main(int argc, char** argv) {
    // Two offscreen screens: the operator's (primary) and a projector to its right.
    QTemporaryDir dir;
    const QString ruta = dir.filePath(QStringLiteral("pantallas.json"));
    QFile f(ruta);
    if (!f.open(QIODevice::WriteOnly))
        return 1;
    f.write(R"({"screens": [
        {"name": "Principal", "x": 0, "y": 0, "width": 1366, "height": 768,
         "logicalDpi": 96, "dpr": 1},
        {"name": "Proyector", "x": 1366, "y": 0, "width": 1920, "height": 1080,
         "logicalDpi": 96, "dpr": 1}]})");
    f.close();
    qputenv("QT_QPA_PLATFORM", "offscreen:configfile=" + ruta.toLocal8Bit());
    QApplication app(argc, argv);
    TestSalaExamen prueba;
    return QTest::qExec(&prueba, argc, argv);
}

#include "tst_salaexamen.moc"
