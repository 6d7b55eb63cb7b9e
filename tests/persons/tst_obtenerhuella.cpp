// The fingerprint window against libfprint's own virtual image reader (a UNIX
// socket stands in for the finger). The person editor's capture is tried in
// tst_frmnmpersona with the simulated reader.
#include "DialogosDePrueba.h"
#include "EntornoPrueba.h"
#include "Ventanas.h"
#include "persons/AlmacenImagenes.h"
#include "persons/CapturaHuella.h"
#include "persons/LectorFprint.h"
#include "persons/LectorHuellasSimulado.h"
#include "persons/ventanas/ObtenerHuella.h"

#include <QLabel>
#include <QLocalSocket>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QtTest>
#include <memory>

using almacen::TipoImagen;

namespace {

// libfprint's virtual image reader, listening on a socket of its own while open.
// `variable` names the driver: FP_VIRTUAL_IMAGE captures images, FP_VIRTUAL_DEVICE
// cannot; none leaves the machine without a reader.
struct LectorVirtual {
    QTemporaryDir dir;
    QString socket;
    std::unique_ptr<LectorFprint> lector;

    explicit LectorVirtual(const char* variable = "FP_VIRTUAL_IMAGE",
                           const QString& ruta = QString()) {
        qunsetenv("FP_VIRTUAL_IMAGE");
        qunsetenv("FP_VIRTUAL_DEVICE");
        socket = ruta.isEmpty() ? dir.filePath(QStringLiteral("lector.sock")) : ruta;
        if (variable)
            qputenv(variable, QFile::encodeName(socket));
        lector = std::make_unique<LectorFprint>();
    }
};

// The finger side of the virtual reader: width and height as native 32-bit
// integers, then the grey bytes row by row. Negative headers are the driver's
// test commands (-1 asks for a retry, -2 reports a device error).
class Dedo {
public:
    explicit Dedo(const QString& ruta) {
        s_.connectToServer(ruta);
        QVERIFY2(s_.waitForConnected(2000), qPrintable(s_.errorString()));
    }
    void cabecera(qint32 a, qint32 b) {
        const qint32 h[2] = {a, b};
        s_.write(reinterpret_cast<const char*>(h), sizeof h);
        s_.flush();
    }
    void enviar(const QImage& gris) {
        cabecera(gris.width(), gris.height());
        for (int y = 0; y < gris.height(); ++y)
            s_.write(reinterpret_cast<const char*>(gris.constScanLine(y)), gris.width());
        s_.flush();
    }

private:
    QLocalSocket s_;
};

QString archivo() {
    return almacen::archivoTrabajo(TipoImagen::Huella);
}

CapturaHuella::Tiempos rapidos(int intentos = 2) {
    CapturaHuella::Tiempos t;
    t.intentos = intentos;
    t.parpadeosLentos = t.parpadeosRapidos = 1;
    return t;
}

void verificarError(ObtenerHuella& v) {
    auto* titulo = hijo<QLabel>(&v, QStringLiteral("LblTitulo"));
    QTRY_COMPARE(titulo->text(), QStringLiteral("Error al inicilalizar el lector."));
    QCOMPARE(titulo->palette().color(QPalette::WindowText), QColor(255, 0, 0));
    QVERIFY(hijo(&v, QStringLiteral("Image1"))->isVisible());
    QVERIFY(!hijo(&v, QStringLiteral("PicHuella"))->isVisible());
}

} // namespace

class TestObtenerHuella : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase() {
        // Never a reader of the machine running the tests.
        qputenv("FP_DRIVERS_WHITELIST", "virtual_image:virtual_device");
    }

    void dedoEnUnIntento_data() {
        QTest::addColumn<int>("intento");
        QTest::addColumn<bool>("reintento");
        QTest::newRow("primero") << 1 << false;
        // The reader asks for the finger again once; the ninth attempt still counts.
        QTest::newRow("tardio") << 9 << true;
    }
    void dedoEnUnIntento() {
        QFETCH(int, intento);
        QFETCH(bool, reintento);
        EntornoPrueba e(false);
        LectorVirtual lv;
        ObtenerHuella v(*lv.lector);
        QSignalSpy esperando(lv.lector.get(), &LectorHuellas::esperandoDedo);
        QSignalSpy lampara(&v.captura(), &CapturaHuella::lampara);
        v.show();
        QTRY_COMPARE(esperando.count(), 1);
        Dedo dedo(lv.socket);
        if (reintento) {
            QTRY_COMPARE(v.captura().intento(), 2);
            dedo.cabecera(-1, 0);
            QTRY_COMPARE(esperando.count(), 2);
        }
        QTRY_VERIFY_WITH_TIMEOUT(v.captura().intento() >= intento, 8000);
        const QImage huella = huellaSintetica();
        dedo.enviar(huella);

        QTRY_COMPARE(hijo<QLabel>(&v, QStringLiteral("LblTitulo"))->text(),
                     QStringLiteral("Procesando huella"));
        QVERIFY(!hijo(&v, QStringLiteral("Command1"))->isEnabled());
        QVERIFY(QFileInfo::exists(archivo()));
        QTest::keyClick(&v, Qt::Key_Escape); // the file is written: no way back
        QVERIFY(v.isVisible());
        QTRY_VERIFY(!v.isVisible());
        QCOMPARE(v.result(), int(QDialog::Accepted));

        // The finger scaled into the capture box, not the reader's raw picture.
        const QImage guardada(archivo());
        QCOMPARE(guardada.size(), ObtenerHuella::kCaja);
        QCOMPARE(guardada, dibujarHuella(huella, ObtenerHuella::kCaja));
        QCOMPARE(hijo<QLabel>(&v, QStringLiteral("PicHuella"))->pixmap().toImage(), guardada);

        // The lamp only ever changed between red and dark red.
        QVERIFY(lampara.count() >= qsizetype(2) * (intento - 1));
        for (int i = 0; i < lampara.count(); ++i) {
            const QColor c = lampara.at(i).at(0).value<QColor>();
            QVERIFY(c == CapturaHuella::kRojo || c == CapturaHuella::kRojoOscuro);
            if (i > 0)
                QVERIFY(c != lampara.at(i - 1).at(0).value<QColor>());
        }
    }

    void cancelarCierraEnseguidaSinArchivo() {
        EntornoPrueba e(false);
        LectorVirtual lv;
        QSignalSpy esperando(lv.lector.get(), &LectorHuellas::esperandoDedo);
        {
            ObtenerHuella v(*lv.lector);
            v.show();
            QTRY_COMPARE(esperando.count(), 1);
            QTRY_COMPARE(v.captura().intento(), 2);
            QElapsedTimer reloj;
            reloj.start();
            QTest::mouseClick(hijo(&v, QStringLiteral("Command1")), Qt::LeftButton);
            QTRY_VERIFY_WITH_TIMEOUT(!v.isVisible(), 50);
            QVERIFY(reloj.elapsed() < 50);
            QCOMPARE(v.result(), int(QDialog::Rejected));
        }
        // A finger arriving while the reader closes is no capture.
        {
            Dedo tarde(lv.socket);
            tarde.enviar(huellaSintetica());
            QTest::qWait(400);
        }
        QVERIFY(!QFileInfo::exists(archivo()));

        // The reader serves the next window.
        ObtenerHuella v(*lv.lector);
        v.show();
        QTRY_COMPARE(esperando.count(), 2);
        Dedo dedo(lv.socket);
        dedo.enviar(huellaSintetica());
        v.captura().fijarTiempos(rapidos());
        QTRY_VERIFY(!v.isVisible());
        QCOMPARE(v.result(), int(QDialog::Accepted));
        QVERIFY(QFileInfo::exists(archivo()));
    }

    void lectorAusenteOQueFalla_data() {
        QTest::addColumn<QString>("variable");
        QTest::addColumn<QString>("socket");
        QTest::addColumn<bool>("falloAlCapturar");
        QTest::addColumn<QString>("registro");
        QTest::newRow("sin lector")
            << QString() << QString() << false << QStringLiteral("No hay ningún lector");
        QTest::newRow("no abre") << QStringLiteral("FP_VIRTUAL_IMAGE")
                                 << QStringLiteral("/no/existe/lector.sock") << false
                                 << QStringLiteral("No se pudo abrir .*: Error binding");
        QTest::newRow("sin captura") << QStringLiteral("FP_VIRTUAL_DEVICE") << QString() << false
                                     << QStringLiteral("captura imágenes de huellas: Virtual");
        QTest::newRow("falla al capturar")
            << QStringLiteral("FP_VIRTUAL_IMAGE") << QString() << true << QStringLiteral("falló: ");
    }
    void lectorAusenteOQueFalla() {
        QFETCH(QString, variable);
        QFETCH(QString, socket);
        QFETCH(bool, falloAlCapturar);
        QFETCH(QString, registro);
        EntornoPrueba e(false);
        const QByteArray nombre = variable.toLatin1();
        LectorVirtual lv(variable.isEmpty() ? nullptr : nombre.constData(), socket);
        // The driver's own message goes to the log.
        QTest::ignoreMessage(
            QtWarningMsg, QRegularExpression(QStringLiteral("^Lector de huellas: .*") + registro));
        ObtenerHuella v(*lv.lector);
        const bool completo = variable.isEmpty();
        if (!completo)
            v.captura().fijarTiempos(rapidos(3));
        QSignalSpy esperando(lv.lector.get(), &LectorHuellas::esperandoDedo);
        QElapsedTimer reloj;
        reloj.start();
        v.show();
        if (falloAlCapturar) {
            QTRY_COMPARE(esperando.count(), 1);
            Dedo dedo(lv.socket);
            dedo.cabecera(-2, 5); // FP_DEVICE_ERROR_PROTO
        }
        verificarError(v);

        // The error stays up while the attempts run out (about six seconds), then
        // the window closes without a file.
        QTRY_VERIFY_WITH_TIMEOUT(!v.isVisible(), 8000);
        if (completo)
            QVERIFY2(reloj.elapsed() > 5500 && reloj.elapsed() < 7000,
                     qPrintable(QString::number(reloj.elapsed())));
        QCOMPARE(v.result(), int(QDialog::Rejected));
        QVERIFY(!QFileInfo::exists(archivo()));
    }

    // Run on its own with QT_NO_GLIB=1 (see tests/CMakeLists.txt).
    void sinBucleGlib() {
        if (LectorFprint::bucleAtiendeGlib())
            QSKIP("el bucle de eventos atiende GLib");
        EntornoPrueba e(false);
        LectorVirtual lv;
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression(QStringLiteral("QT_NO_GLIB")));
        ObtenerHuella v(*lv.lector);
        v.captura().fijarTiempos(rapidos());
        v.show();
        verificarError(v);
        QTRY_VERIFY(!v.isVisible());
        QVERIFY(!QFileInfo::exists(archivo()));
    }

    void archivoQueNoSePuedeEscribir() {
        EntornoPrueba e(false);
        DialogosDePrueba dlg;
        QVERIFY(QDir().mkpath(archivo())); // a folder where the file should go
        LectorHuellasSimulado simulado;
        ObtenerHuella v(simulado);
        v.show();
        QTRY_VERIFY(simulado.esperando());
        simulado.ponerDedo();
        QTRY_VERIFY(!v.isVisible());
        QCOMPARE(v.result(), int(QDialog::Rejected));
        QVERIFY(dlg.ultimo().startsWith(u"No se pudo escribir el archivo"));
        QVERIFY(QFileInfo(archivo()).isDir());
    }
};

QTEST_MAIN(TestObtenerHuella)
#include "tst_obtenerhuella.moc"
