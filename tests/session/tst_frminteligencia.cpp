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
#include <QPushButton>
#include <QtTest>

namespace n = nombres::frmInteligencia;

class TestFrmInteligencia : public QObject {
    Q_OBJECT

    // A room of n examinees before the three-question exam 1, its window shown; `marca` as on
    // the maker's own machines.
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
            for (int i = 0; i < evaluados; ++i) {
                const QString nombre = QStringLiteral("Evaluado %1").arg(i + 1);
                lista.append({0, catalogo::nuevaPersona(e.de1(), nombre, "", QDate(1990, 1, 1)),
                              nombre, "", 3 + i});
            }
            w = std::make_unique<FrmInteligencia>(e.de1(), *this, receptor, 0);
            w->usarReloj(reloj);
            w->show();
        }
        std::optional<Grupo> grupoSeleccionado() const override {
            return Grupo{1, "C-1", QDate(), "Grupo", ""};
        }
        std::optional<qint32> examenSeleccionado() const override { return 1; }
        QList<Evaluado> evaluados() const override { return lista; }
    };

private Q_SLOTS:
    void salirDuranteElExamenPideConfirmacion() {
        Sala s;
        QTest::keyClick(s.w.get(), Qt::Key_Space);
        s.receptor.enviar(reporteRespuestas({'1', '1', '1'}));
        s.dialogos.siguienteRespuesta(Dialogos::Respuesta::No);
        QTest::keyClick(s.w.get(), Qt::Key_Escape);
        QVERIFY(s.w->isVisible());
        s.dialogos.siguienteRespuesta(Dialogos::Respuesta::Si);
        pulsar(*s.w, n::kVolver);
        QCOMPARE(s.dialogos.mensajes.size(), 2);
        QVERIFY(!s.w->isVisible());
        QCOMPARE(catalogo::filas(s.e.de1(), "Carpetas"), 0);
        QCOMPARE(LeerIni("Evaluado1", "Pregunta1"), QStringLiteral("ERROR"));
        QVERIFY(!s.receptor.abierto);
    }

    void grupoDemasiadoGrande() {
        Sala s(55);
        QTest::keyClick(s.w.get(), Qt::Key_Space);
        QVERIFY(s.dialogos.ultimo().contains("54"));
        QTest::keyClick(s.w.get(), Qt::Key_Escape); // not started: closes without asking
        QVERIFY(!s.w->isVisible());
        QCOMPARE(s.dialogos.mensajes.size(), 1);
    }

    void marcaOcultaAlFabricante() {
        Sala s(3, true);
        QVERIFY(!hijo<QLabel>(*s.w, n::kFabricante)->isVisible());
        QVERIFY(hijo<QLabel>(*s.w, n::kCuestionario)->isVisible());
    }

    void alTerminarMuestraLosResultados() {
        Sala s(2);
        QList<std::pair<qint32, qint64>> mostrados;
        s.w->mostrarResultados = [&](qint32 grupo, qint64 sesion) {
            mostrados.append({grupo, sesion});
        };
        QTest::keyClick(s.w.get(), Qt::Key_Space);
        s.receptor.enviar(reporteRespuestas({'1', '3'}));
        for (int i = 0; i < 3; ++i) {
            s.reloj.avanzar(16001);
            s.w->sesion().espera().actualizar();
        }
        QTRY_VERIFY(!s.w->isVisible());
        QCOMPARE(mostrados.size(), 1);
        QCOMPARE(mostrados.first().first, 1);
        const qint64 sesion = mostrados.first().second;
        QCOMPARE(s.e.de1()
                     .valor("SELECT count(*) FROM EvaluadosSesion WHERE Sesion = ?", {sesion})
                     .toInt(),
                 2);
        QCOMPARE(s.e.de1()
                     .valor("SELECT Tecla FROM RespuestasSesion WHERE Sesion = ? AND Posicion = 2 "
                            "AND Orden = 1",
                            {sesion})
                     .toString(),
                 QStringLiteral("3"));
    }

    void errorAlGuardarLoDice() {
        Sala s(1);
        EscribirIni("Evaluado1", "Pregunta3", "de otro examen");
        QTest::keyClick(s.w.get(), Qt::Key_Space);
        s.e.de1().ejecutar("DROP TABLE DetalleExamenes");
        s.dialogos.siguienteRespuesta(Dialogos::Respuesta::Si); // try again: fails again
        s.dialogos.siguienteRespuesta(Dialogos::Respuesta::No);
        for (int i = 0; i < 3; ++i) {
            s.reloj.avanzar(16001);
            s.w->sesion().espera().actualizar();
        }
        QTRY_VERIFY(!s.w->isVisible());
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
