// The photograph window and its webcam windows, driven as the operator does,
// with the simulated camera and a scanner the test drives (SANE's own backend
// through the same scanning step: tst_obtenerfirma, tst_escanersane).
#include "Capturas.h"
#include "app/Claves.h"
#include "app/Ini.h"
#include "persons/AlmacenImagenes.h"
#include "persons/CamaraSimulada.h"
#include "persons/Escaner.h"
#include "persons/ventanas/FrmEncuadre.h"
#include "persons/ventanas/FrmSelectCam.h"
#include "persons/ventanas/FrmWebcam.h"
#include "persons/ventanas/ObtenerFoto.h"
#include "persons/ventanas/VistaCamara.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QScopeGuard>
#include <QScrollBar>
#include <QtTest>

namespace {

// A scanner whose every answer the test gives.
class EscanerDePrueba : public Escaner {
public:
    QList<DispositivoEscaner> dispositivos{{"falso:0", "Escáner de prueba"}};
    int pedidos = 0;
    int cancelaciones = 0;
    void listar() override {
        QTimer::singleShot(0, this, [this] { Q_EMIT listados(dispositivos, QString()); });
    }
    QString dispositivo; // the last one asked for
    int adquirir(const QString& d) override {
        dispositivo = d;
        return ++pedidos;
    }
    void cancelar() override { ++cancelaciones; }
};

struct Ventana : VentanaDePrueba<ObtenerFoto> {
    Ventana() {
        qputenv("Tmp", QFile::encodeName(e.ruta("tmp")));
        QDir().mkpath(e.ruta("tmp"));
        EscribirIni(claves::kCamara, "Simulada");
    }
    void abrir() {
        f = std::make_unique<ObtenerFoto>();
        f->show();
    }
    void webcam(const std::function<void(FrmWebcam*)>& antes = {}) {
        tomarDeWebcam(f.get(), antes);
    }
};

} // namespace

class TestObtenerFoto : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void escanerElegidoCanceladoYFallido() {
        Ventana v;
        EscanerDePrueba escaner;
        fijarEscanerCompartido(&escaner);
        const auto restaurar = qScopeGuard([] { fijarEscanerCompartido(nullptr); });
        v.abrir();
        QVERIFY(!v.f->findChild<QPushButton*>("Command1")); // no dead "Obtener desde cámara"
        QVERIFY(QDir(v.e.raiz() + "/Fotos").exists());
        auto* text1 = v.c<QLineEdit>("Text1");
        QImage img(1000, 750, QImage::Format_RGB32);
        img.fill(Qt::blue);

        // Two devices: the one chosen scans, the window waiting meanwhile.
        escaner.dispositivos.append(DispositivoEscaner{"falso:1", "Otro escáner"});
        v.dlg.siguienteEleccion(1);
        v.c<QPushButton>("Command2")->click();
        QTRY_COMPARE(escaner.pedidos, 1);
        QCOMPARE(escaner.dispositivo, QStringLiteral("falso:1"));
        QVERIFY(!v.c("Command8")->isEnabled());
        Q_EMIT escaner.progreso(1, 40);
        QCOMPARE(v.c<QProgressBar>("BarraEscaner")->value(), 40);
        Q_EMIT escaner.adquirida(1, img);
        QCOMPARE(text1->text(), QStringLiteral("(Obtenida desde dispositivo twain)"));
        QCOMPARE(v.f->edicion().original().width(), 600); // shrunk
        QTRY_VERIFY(v.c("Command8")->isEnabled());
        QVERIFY(!v.c<QCheckBox>("Check1")->isChecked() && v.c("H1")->isEnabled());
        QCOMPARE(v.c<QLabel>("Im1")->pixmap().size(), QSize(267, 267));
        QVERIFY(!v.c("PanelEscaner")->isVisible());
        escaner.dispositivos.removeLast();
        const QImage tomada = v.f->edicion().original();
        QImage otra(800, 600, QImage::Format_RGB32);
        otra.fill(Qt::red);

        // Cancelled, though it finished before it saw the cancel: nothing changes.
        v.c<QPushButton>("Command2")->click();
        QTRY_COMPARE(escaner.pedidos, 2);
        v.c<QPushButton>("CmdCancelarEscaner")->click();
        QCOMPARE(escaner.cancelaciones, 1);
        Q_EMIT escaner.adquirida(2, otra);
        QCOMPARE(v.f->edicion().original(), tomada);
        QVERIFY(v.c("Command2")->isEnabled());

        // The device's own words; nothing changes.
        v.c<QPushButton>("Command2")->click();
        QTRY_COMPARE(escaner.pedidos, 3);
        Q_EMIT escaner.fallo(3, QStringLiteral("Error during device I/O"));
        QCOMPARE(v.dlg.ultimo(), QStringLiteral("Error during device I/O"));
        QCOMPARE(v.dlg.mensajes.last().icono, Dialogos::Icono::Critico);
        QCOMPARE(v.f->edicion().original(), tomada);

        // A late answer to an old request is not taken for the new one.
        v.c<QPushButton>("Command2")->click();
        QTRY_COMPARE(escaner.pedidos, 4);
        Q_EMIT escaner.adquirida(3, otra);
        QCOMPARE(v.f->edicion().original(), tomada);
        Q_EMIT escaner.adquirida(4, otra);
        QCOMPARE(v.f->edicion().original().width(), 598); // 800 shrunk by 1 % steps

        escaner.dispositivos.clear();
        v.c<QPushButton>("Command2")->click();
        QTRY_COMPARE(v.dlg.ultimo(), QStringLiteral("No se encontró ningún escáner."));
    }

    void ventanaDeWebcam() {
        Ventana v;
        v.abrir();
        v.webcam([&](FrmWebcam* w) {
            // "&Formato" offers the camera's formats; the picture follows the choice.
            v.dlg.siguienteEleccion(1);
            hijo<QAction>(w, QStringLiteral("mnuFormato"))->trigger();
            QCOMPARE(v.dlg.opcionesElegidas.last().at(1),
                     QStringLiteral("320 x 240, 30 cuadros por segundo"));
            QTRY_COMPARE(w->vista()->tamanoVideo(), QSize(320, 240));

            // "Select" switches the live picture to the other camera.
            alAbrirModal<FrmSelectCam>([](FrmSelectCam* s) {
                auto* lista = hijo<QComboBox>(s, QStringLiteral("cmboSource"));
                QCOMPARE(lista->currentText(), QStringLiteral("Cámara simulada 1"));
                lista->setCurrentIndex(1);
                hijo<QPushButton>(s, QStringLiteral("cmdSelect"))->click();
            });
            hijo<QAction>(w, QStringLiteral("mnuSeleccionar"))->trigger();
            QCOMPARE(w->camara().actual(), QByteArray("simulada-2"));
            QCOMPARE(hijo<QLabel>(w, QStringLiteral("LblDispositivo"))->text(),
                     QStringLiteral("Cámara simulada 2"));
            w->vista()->reiniciarCuenta();
            QTRY_VERIFY(w->vista()->cuadrosPintados() >= 2);
            QCOMPARE(w->vista()->tamanoVideo(), QSize(640, 480));

            // A camera service error: the box titled "Error".
            Q_EMIT w->camara().error(QStringLiteral("Fallo del servicio"));
            QCOMPARE(v.dlg.mensajes.last().icono, Dialogos::Icono::Critico);
        });
        // The second camera's picture is the one taken (its green background).
        QVERIFY(qGreen(v.f->edicion().original().pixel(2, 470)) >
                qBlue(v.f->edicion().original().pixel(2, 470)));
    }

    void camaraQueDesaparece() {
        Ventana v;
        v.abrir();
        v.webcam([&](FrmWebcam* w) {
            auto& camara = static_cast<CamaraSimulada&>(w->camara());
            hijo<QPushButton>(w, QStringLiteral("Command1"))->click(); // capture asked...
            camara.desconectar();                                      // ...and the camera goes
            QVERIFY2(v.dlg.ultimo().contains("se desconectó"), qPrintable(v.dlg.ultimo()));
            QVERIFY(!hijo(w, "Command1")->isEnabled());
            QTest::qWait(50);
            QVERIFY(w->isVisible()); // the half-taken picture was not saved
            QCOMPARE(v.dlg.mensajes.size(), 1);
            hijo<QPushButton>(w, QStringLiteral("Command2"))->click();
        });
        QVERIFY(!v.f->edicion().tieneFoto());
        QVERIFY(v.c<QLineEdit>("Text1")->text().isEmpty());
        QVERIFY(!QFile::exists(QDir(v.e.ruta("tmp")).filePath("Foto.jpg")));
    }

    void ajustesGuardadosGiroEncuadreYAceptar() {
        Ventana v;
        // The webcam's stored adjustment, shown on the bars.
        EscribirIni("Foto", "Brillo", "20");
        EscribirIni("Foto", "Contraste", "-10");
        v.abrir();
        v.webcam();
        const QString instantanea = QDir(v.e.ruta("tmp")).filePath("Foto.jpg");
        QCOMPARE(v.c<QLineEdit>("Text1")->text(), QDir::toNativeSeparators(instantanea));
        auto* h1 = v.c<QScrollBar>("H1");
        auto* l1 = v.c<QLabel>("L1");
        auto* im1 = v.c<QLabel>("Im1");
        QVERIFY(!v.c<QCheckBox>("Check1")->isChecked() && l1->isVisible());
        QCOMPARE(h1->value(), 20);
        QCOMPARE(v.c<QScrollBar>("H2")->value(), -10);
        QCOMPARE(v.c<QLabel>("L2")->text(), QStringLiteral("-10"));

        // Dragging the thumb moves only the read-out; the value set recomputes.
        const QImage inicial = im1->pixmap().toImage();
        h1->setSliderDown(true);
        h1->setSliderPosition(60);
        QCOMPARE(l1->text(), QStringLiteral("60"));
        QCOMPARE(v.f->edicion().ajustes().brillo, 20);
        h1->setSliderDown(false);
        QCOMPARE(v.f->edicion().ajustes().brillo, 60);
        QVERIFY(im1->pixmap().toImage() != inicial);
        h1->triggerAction(QAbstractSlider::SliderSingleStepSub); // the arrow clicked
        QCOMPARE(l1->text(), QStringLiteral("59"));

        // Turn, then undo: the bars follow (the picture work is EdicionFoto's).
        v.c<QPushButton>("Command6")->click();
        v.c<QPushButton>("Command7")->click();
        QCOMPARE(h1->value(), 0);
        QCOMPARE(v.f->edicion().original().size(), QSize(480, 640));

        // Framing, on top, then automatic levels.
        alAbrirModal<FrmEncuadre>([](FrmEncuadre* f) {
            QVERIFY(f->windowFlags().testFlag(Qt::WindowStaysOnTopHint));
            hijo<QPushButton>(f, QStringLiteral("Command1"))->click();
        });
        v.c<QPushButton>("Command3")->click();
        QCOMPARE(v.f->edicion().original(), v.f->edicion().fuente().copy(0, 0, 267, 267));
        QVERIFY(v.c<QCheckBox>("Check1")->isChecked());
        QVERIFY(!h1->isEnabled() && !l1->isVisible());

        // A snapshot cancelled changes nothing.
        const QImage antes = v.f->edicion().original();
        v.webcam([](FrmWebcam* w) { hijo<QPushButton>(w, QStringLiteral("Command2"))->click(); });
        QCOMPARE(v.f->edicion().original(), antes);

        // Accept writes the box as "Foto.jpg" (a second accept replacing it is EdicionFoto's).
        const QString foto = almacen::archivoTrabajo(almacen::TipoImagen::Foto);
        v.c<QPushButton>("Command4")->click();
        QCOMPARE(v.f->result(), int(QDialog::Accepted));
        QCOMPARE(QImage(foto).size(), QSize(267, 267));

        // Accept with nothing taken keeps the photograph there is.
        v.abrir();
        v.c<QPushButton>("Command4")->click();
        QVERIFY(!v.f->isVisible());
        QVERIFY(QFile::exists(foto));
        QVERIFY(v.dlg.mensajes.isEmpty());
    }
};

QTEST_MAIN(TestObtenerFoto)
#include "tst_obtenerfoto.moc"
