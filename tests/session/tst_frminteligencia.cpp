// The session window driven like the operator does, with keys coming from a receiver the test
// drives.
#include "ApoyoSesion.h"
#include "DialogosDePrueba.h"
#include "EntornoPrueba.h"
#include "app/Globales.h"
#include "app/Ini.h"
#include "app/Rutas.h"
#include "data/Configuracion.h"
#include "session/FrmInteligencia.h"
#include "session/SesionExamen.h"

#include <QBuffer>
#include <QFile>
#include <QImage>
#include <QLabel>
#include <QLayout>
#include <QPushButton>
#include <QSqlQuery>
#include <QtTest>

namespace {

class SeleccionDePrueba : public Seleccion {
public:
    std::optional<GrupoSeleccionado> grupoSeleccionado() const override {
        return GrupoSeleccionado{1, "C-1", "", "Grupo", ""};
    }
    std::optional<qint32> examenSeleccionado() const override { return examen; }
    QList<EvaluadoListado> evaluados() const override { return lista; }

    std::optional<qint32> examen = 1;
    QList<EvaluadoListado> lista;
};

QByteArray png() {
    QImage img(40, 30, QImage::Format_RGB32);
    img.fill(Qt::red);
    QByteArray b;
    QBuffer buf(&b);
    buf.open(QIODevice::WriteOnly);
    img.save(&buf, "PNG");
    return b;
}

template <typename T> T* hijo(QWidget& w, const char* nombre) {
    T* t = w.findChild<T*>(QString::fromLatin1(nombre));
    Q_ASSERT(t);
    return t;
}

QString texto(QWidget& w, const char* nombre) {
    return hijo<QLabel>(w, nombre)->text();
}

int contar(De1& db, const char* tabla) {
    return db.valor(QStringLiteral("SELECT count(*) FROM ") + QLatin1String(tabla)).toInt();
}

} // namespace

class TestFrmInteligencia : public QObject {
    Q_OBJECT

    // Three examinees, three questions (correct answers 1, 2, 3).
    struct Sala {
        EntornoPrueba e;
        DialogosDePrueba dialogos;
        SeleccionDePrueba seleccion;
        ReceptorDePrueba receptor;
        RelojDePrueba reloj;

        explicit Sala(int evaluados = 3) {
            QList<PreguntaPrueba> p = {{3, 1, 16, png(), 0},
                                       {3, 2, 16, QByteArray("no es una imagen"), 0},
                                       {4, 3, 16, {}, 0}};
            crearExamen(e.de1(), 1, p);
            GuardarConfiguracion(e.de1(), "PrefijoExamenCons", "T");
            GuardarConfiguracion(e.de1(), "TxtNroExamenCons", "41");
            for (int i = 0; i < evaluados; ++i) {
                const QString nombre = QStringLiteral("Evaluado %1").arg(i + 1);
                seleccion.lista.append(
                    {crearPersona(e.de1(), QDate(1990, 1, 1 + i), nombre), nombre, "", "1"});
            }
        }
    };

    // Ends the question on screen as its time runs out.
    static void agotarTiempo(FrmInteligencia& w, RelojDePrueba& reloj) {
        reloj.avanzar(16001);
        w.sesion().espera().actualizar();
    }

private Q_SLOTS:
    void examenCompleto() {
        Globales::ResponsableActual = 5;
        Globales::DuenoReceptor = 0;
        Sala s;
        FrmInteligencia w(s.e.de1(), s.seleccion, s.receptor);
        w.usarReloj(s.reloj);
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        QCOMPARE(Globales::DuenoReceptor, 2);
        QVERIFY(s.receptor.abierto);
        QCOMPARE(s.receptor.dueno, 2);
        QCOMPARE(texto(w, "LblTitulo"), FrmInteligencia::kTituloListo);
        QCOMPARE(texto(w, "lblEstado"), QStringLiteral("Dispositivo desconectado"));
        QVERIFY(hijo<QLabel>(w, "Label2")->isVisible());
        QCOMPARE(texto(w, "Label2"), QStringLiteral("QUENVAR"));
        s.receptor.enchufar(true);
        QCOMPARE(texto(w, "lblEstado"), QStringLiteral("Dispositivo conectado"));

        s.receptor.enviar(reporteRespuestas({'3', '3', '3'})); // not started: discarded
        QTest::keyClick(&w, Qt::Key_Space);
        QCOMPARE(texto(w, "LblTitulo"), FrmInteligencia::kTituloExamen);
        QCOMPARE(texto(w, "LblPregunta"), QStringLiteral("Pregunta 1"));
        QCOMPARE(texto(w, "LblTiempo"), QStringLiteral("16"));
        QCOMPARE(w.findChildren<QLabel*>("LblRespuesta").size(), 3);
        QCOMPARE(hijo<QLabel>(w, "ImgPregunta")->pixmap().toImage().pixelColor(20, 15),
                 QColor(Qt::red));

        // Question 1: examinee 1 changes his mind, examinee 2 answers, 3 does not.
        s.receptor.enviar(reporteRespuestas({'2', 0, 0}));
        s.receptor.enviar(reporteRespuestas({'1', '2', 0}));
        QCOMPARE(texto(w, "LblTitulo"), QStringLiteral("Control1Pregunta0Tecla2"));
        QTest::keyClick(&w, Qt::Key_Space); // within the first second: ignored
        QCOMPARE(w.sesion().preguntaActual(), 0);
        s.reloj.avanzar(1500);
        QTest::keyClick(&w, Qt::Key_Space);
        QCOMPARE(w.sesion().preguntaActual(), 1);

        // Question 2: an undecodable picture shows the default one; the receiver
        // goes away and comes back, the session goes on.
        QVERIFY(!hijo<QLabel>(w, "ImgPregunta")->pixmap().isNull());
        QCOMPARE(w.findChildren<QLabel*>("LblRespuesta").size(), 3);
        s.receptor.enviar(reporteRespuestas({'2', '2', 'B'}));
        s.receptor.enchufar(false);
        QCOMPARE(texto(w, "lblEstado"), QStringLiteral("Dispositivo desconectado"));
        s.receptor.enchufar(true);
        agotarTiempo(w, s.reloj);

        // Question 3: without a picture.
        QCOMPARE(texto(w, "LblPregunta"), QStringLiteral("Pregunta 3"));
        QCOMPARE(w.findChildren<QLabel*>("LblRespuesta").size(), 4);
        QVERIFY(!hijo<QLabel>(w, "ImgPregunta")->pixmap().isNull());
        s.receptor.enviar(reporteRespuestas({'3', '1', '3'}));
        agotarTiempo(w, s.reloj);
        QCOMPARE(texto(w, "LblTitulo"), FrmInteligencia::kTituloGuardando);
        QTRY_VERIFY(!w.isVisible());
        QCOMPARE(w.result(), int(QDialog::Accepted));
        QVERIFY(s.dialogos.mensajes.isEmpty());
        QVERIFY(!s.receptor.abierto);
        QCOMPARE(Globales::DuenoReceptor, 0);

        // 1: 1,2,3 = 3 of 3; 2: 2,2,1 = 1 of 3; 3: -,B,3 = 1 of 3.
        De1& db = s.e.de1();
        QCOMPARE(contar(db, "Carpetas"), 3);
        QSqlQuery q = db.ejecutar(
            "SELECT c.Persona, c.Resultado, c.NumeroCarpetaCons, r.Valor, r.Percentil, "
            "d.Responsable FROM Carpetas c JOIN DetalleExamenes d ON d.Carpeta = c.CodigoCarpeta "
            "JOIN Resultados r ON r.DetalleExamen = d.CodigoDetalleExamen ORDER BY c.Persona");
        QStringList filas;
        while (q.next())
            filas << QStringLiteral("%1 %2 %3 %4/%5 %6")
                         .arg(q.value(0).toInt())
                         .arg(q.value(1).toString(), q.value(2).toString())
                         .arg(q.value(3).toInt())
                         .arg(q.value(4).toInt())
                         .arg(q.value(5).toInt());
        const qint32 p1 = s.seleccion.lista.at(0).codigoPersona;
        QCOMPARE(filas, QStringList({QStringLiteral("%1 Aprobado T00000042 3/0 5").arg(p1),
                                     QStringLiteral("%1 Reprobado T00000043 1/2 5").arg(p1 + 1),
                                     QStringLiteral("%1 Reprobado T00000044 1/2 5").arg(p1 + 2)}));
        QCOMPARE(LeerIni("Evaluado1", "Pregunta1"), QStringLiteral("1"));
        QCOMPARE(LeerIni("Evaluado3", "Pregunta1"), QString());
        QCOMPARE(LeerIni("Evaluado3", "Pregunta2"), QStringLiteral("B"));
        QCOMPARE(LeerIni("Evaluado2", "Pregunta3"), QStringLiteral("1"));
    }

    void salirDuranteElExamenPideConfirmacion() {
        Sala s;
        FrmInteligencia w(s.e.de1(), s.seleccion, s.receptor);
        w.usarReloj(s.reloj);
        w.show();
        QTest::keyClick(&w, Qt::Key_Space);
        s.receptor.enviar(reporteRespuestas({'1', '1', '1'}));
        s.dialogos.siguienteRespuesta(Dialogos::Respuesta::No);
        QTest::keyClick(&w, Qt::Key_Escape);
        QCOMPARE(s.dialogos.mensajes.size(), 1);
        QCOMPARE(s.dialogos.mensajes.at(0).botones, Dialogos::Botones::SiNo);
        QVERIFY(w.isVisible());
        QCOMPARE(w.sesion().estado(), SesionExamen::Estado::EnPregunta);
        s.dialogos.siguienteRespuesta(Dialogos::Respuesta::Si);
        hijo<QPushButton>(w, "Command4")->click();
        QVERIFY(!w.isVisible());
        QCOMPARE(w.result(), int(QDialog::Rejected));
        QCOMPARE(contar(s.e.de1(), "Carpetas"), 0);
        QCOMPARE(LeerIni("Evaluado1", "Pregunta1"), QStringLiteral("ERROR"));
        QVERIFY(!s.receptor.abierto);
    }

    void examenSinPreguntasCierraSinGuardar() {
        Sala s;
        s.seleccion.examen = 42;
        FrmInteligencia w(s.e.de1(), s.seleccion, s.receptor);
        w.show();
        QTest::keyClick(&w, Qt::Key_Space);
        QTRY_VERIFY(!w.isVisible());
        QCOMPARE(contar(s.e.de1(), "Carpetas"), 0);
        QCOMPARE(LeerIni("Evaluado1", "Pregunta1"), QStringLiteral("ERROR"));
    }

    void grupoDemasiadoGrande() {
        Sala s(55);
        FrmInteligencia w(s.e.de1(), s.seleccion, s.receptor);
        w.show();
        QTest::keyClick(&w, Qt::Key_Space);
        QCOMPARE(s.dialogos.mensajes.size(), 1);
        QVERIFY(s.dialogos.ultimo().contains("54"));
        QCOMPARE(texto(w, "LblTitulo"), FrmInteligencia::kTituloListo);
        QCOMPARE(w.sesion().estado(), SesionExamen::Estado::Lista);
        QTest::keyClick(&w, Qt::Key_Escape); // not started: closes without asking
        QVERIFY(!w.isVisible());
        QCOMPARE(s.dialogos.mensajes.size(), 1);
    }

    void marcaOcultaAlFabricante() {
        Sala s;
        QFile marca(rutas::local(rutas::archivoMarca()));
        QVERIFY(marca.open(QIODevice::WriteOnly));
        marca.close();
        FrmInteligencia w(s.e.de1(), s.seleccion, s.receptor);
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        QVERIFY(!hijo<QLabel>(w, "Label2")->isVisible());
        QVERIFY(hijo<QLabel>(w, "Label3")->isVisible());
        // "# Cuestionario #" takes the maker label's place at the left edge.
        QCOMPARE(hijo<QLabel>(w, "Label3")->x(), w.layout()->contentsMargins().left());
    }

    void errorAlGuardarLoDice() {
        Sala s(1);
        FrmInteligencia w(s.e.de1(), s.seleccion, s.receptor);
        w.usarReloj(s.reloj);
        w.show();
        QTest::keyClick(&w, Qt::Key_Space);
        s.e.de1().ejecutar("DROP TABLE DetalleExamenes");
        s.dialogos.siguienteRespuesta(Dialogos::Respuesta::Si); // try again: fails again
        s.dialogos.siguienteRespuesta(Dialogos::Respuesta::No);
        for (int i = 0; i < 3; ++i)
            agotarTiempo(w, s.reloj);
        QTRY_VERIFY(!w.isVisible());
        QCOMPARE(s.dialogos.mensajes.size(), 2);
        QCOMPARE(s.dialogos.mensajes.at(0).icono, Dialogos::Icono::Critico);
        QVERIFY(s.dialogos.ultimo().contains("Evaluado 1"));
        QVERIFY(s.dialogos.ultimo().contains("DetalleExamenes"));
        QCOMPARE(contar(s.e.de1(), "Carpetas"), 0);
        QCOMPARE(LeerConfiguracion(s.e.de1(), "TxtNroExamenCons"), QStringLiteral("41"));
        QCOMPARE(LeerIni("Evaluado1", "Pregunta3"), QString()); // the log is written all the same
    }
};

QTEST_MAIN(TestFrmInteligencia)
#include "tst_frminteligencia.moc"
