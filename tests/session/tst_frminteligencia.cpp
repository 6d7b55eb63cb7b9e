// The session window driven like the operator does, with keys coming from a receiver the test
// drives.
#include "Catalogo.h"
#include "DialogosDePrueba.h"
#include "EntornoPrueba.h"
#include "ReceptorFalso.h"
#include "Tiempo.h"
#include "Ventanas.h"
#include "app/Claves.h"
#include "app/Ini.h"
#include "app/Rutas.h"
#include "data/Configuracion.h"
#include "session/SesionExamen.h"
#include "session/ventanas/FrmInteligencia.h"
#include "session/ventanas/NombresFrmInteligencia.h"

#include <QFile>
#include <QLabel>
#include <QtTest>

namespace n = nombres::frmInteligencia;

class TestFrmInteligencia : public QObject {
    Q_OBJECT

    // n examinees before the three-question exam 1, its window shown; `marca` as on the
    // maker's own machines.
    struct Sala : Seleccion {
        EntornoPrueba e;
        DialogosDePrueba dialogos;
        ReceptorFalso receptor;
        RelojDePrueba reloj;
        QList<Evaluado> lista;
        std::unique_ptr<FrmInteligencia> w;

        explicit Sala(int evaluados = 3, bool marca = false) {
            QFile archivoMarca(rutas::local(rutas::archivoMarca()));
            if (marca)
                archivoMarca.open(QIODevice::WriteOnly);
            catalogo::examen(e.de1(), 1, catalogo::preguntasSimples(3));
            GuardarConfiguracion(e.de1(), ajustes::kContadorCarpetas, "41");
            for (int i = 0; i < evaluados; ++i)
                lista.append({0, catalogo::nuevaPersona(e.de1(), "E", "", QDate(1990, 1, 1)),
                              QStringLiteral("Evaluado %1").arg(i + 1), "", 3 + i});
            w = std::make_unique<FrmInteligencia>(e.de1(), *this, receptor, 0);
            w->usarReloj(reloj);
            w->show();
        }
        std::optional<Grupo> grupoSeleccionado() const override {
            return Grupo{1, "C-1", QDate(), "Grupo", ""};
        }
        std::optional<qint32> examenSeleccionado() const override { return 1; }
        QList<Evaluado> evaluados() const override { return lista; }

        void hastaElFinal() {
            for (int i = 0; i < 3; ++i) {
                reloj.avanzar(16001);
                w->sesion().espera().actualizar();
            }
            QTRY_VERIFY(!w->isVisible());
        }
    };

private Q_SLOTS:
    void grupoDemasiadoGrandeYMarca() {
        Sala s(55, true);
        QVERIFY(!hijo<QLabel>(*s.w, n::kFabricante)->isVisible());
        QVERIFY(hijo<QLabel>(*s.w, n::kCuestionario)->isVisible());
        QTest::keyClick(s.w.get(), Qt::Key_Space);
        QVERIFY(s.dialogos.ultimo().contains("54"));
        QTest::keyClick(s.w.get(), Qt::Key_Escape); // not started: closes without asking
        QVERIFY(!s.w->isVisible());
        QCOMPARE(s.dialogos.mensajes.size(), 1);
    }

    void alTerminarMuestraLosResultados() {
        Sala s(2);
        QList<std::pair<qint32, qint64>> mostrados;
        s.w->mostrarResultados = [&](qint32 grupo, qint64 sesion) {
            mostrados.append({grupo, sesion});
        };
        QTest::keyClick(s.w.get(), Qt::Key_Space);
        s.receptor.enviar(reporteRespuestas({'1', '3'}));
        s.hastaElFinal();
        QCOMPARE(mostrados, (QList<std::pair<qint32, qint64>>{{1, 1}}));
        QCOMPARE(s.e.de1()
                     .valor("SELECT group_concat(Tecla) FROM RespuestasSesion WHERE Sesion = 1")
                     .toString(),
                 QStringLiteral("1,3"));
    }

    void errorAlGuardarLoDice() {
        Sala s(1);
        EscribirIni("Evaluado1", "Pregunta3", "de otro examen");
        QTest::keyClick(s.w.get(), Qt::Key_Space);
        s.e.de1().ejecutar("DROP TABLE DetalleExamenes");
        s.dialogos.siguienteRespuesta(Dialogos::Respuesta::Si); // try again: fails again
        s.dialogos.siguienteRespuesta(Dialogos::Respuesta::No);
        s.hastaElFinal();
        QCOMPARE(s.dialogos.mensajes.size(), 2);
        QVERIFY(s.dialogos.ultimo().contains("Evaluado 1"));
        QVERIFY(s.dialogos.ultimo().contains("DetalleExamenes"));
        QCOMPARE(catalogo::filas(s.e.de1(), "Carpetas"), 0);
        QCOMPARE(LeerConfiguracion(s.e.de1(), ajustes::kContadorCarpetas), QStringLiteral("41"));
        QCOMPARE(LeerIni("Evaluado1", "Pregunta3"), QString()); // the log is written all the same
        QCOMPARE(catalogo::filas(s.e.de1(), "SesionesExamen"), 0);
    }
};

QTEST_MAIN(TestFrmInteligencia)
#include "tst_frminteligencia.moc"
