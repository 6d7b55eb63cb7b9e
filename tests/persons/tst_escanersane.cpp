// The scanner through SANE's own "test" backend: a folder named by
// SANE_CONFIG_DIR that loads only that backend, as a real scanner would be.
#include "Capturas.h"
#include "persons/EscanerSane.h"

#include <QProcess>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QtTest>

namespace {

// A colour pattern of 629 x 787 pixels (80 x 100 mm at 200 dpi).
const char* const kPrueba = R"(number_of_devices 1
mode Color
depth 8
resolution 200.0
test-picture "Color pattern"
geometry_min 0.0
geometry_max 200.0
tl_x 0.0
tl_y 0.0
br_x 80.0
br_y 100.0
)";

// SANE reads its configuration once per process, so each case runs in a process
// of its own: the test program started again on that case, with SANE_CONFIG_DIR
// naming a folder that loads only the test backend with the case's settings.
bool esHijo() {
    return qEnvironmentVariableIsSet("TAVELMO_CASO_SANE");
}

QString ejecutarAparte(const char* caso, const QByteArray& extra) {
    QTemporaryDir dir;
    if (!configurarSane(dir, QByteArray(kPrueba) + extra))
        return QStringLiteral("no config folder");
    QProcess p;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("TAVELMO_CASO_SANE", "1");
    p.setProcessEnvironment(env);
    p.setProcessChannelMode(QProcess::MergedChannels);
    p.start(QCoreApplication::applicationFilePath(), {QString::fromLatin1(caso)});
    if (!p.waitForFinished(120000) || p.exitStatus() != QProcess::NormalExit || p.exitCode() != 0)
        return QString::fromLocal8Bit(p.readAll());
    return QString();
}

#define EN_PROCESO_PROPIO(caso, extra)                                                             \
    if (!esHijo()) {                                                                               \
        const QString salida = ejecutarAparte(caso, extra);                                        \
        QVERIFY2(salida.isEmpty(), qPrintable(salida));                                            \
        return;                                                                                    \
    }

} // namespace

class TestEscanerSane : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void listaYAdquiereComoScanimage() {
        EN_PROCESO_PROPIO("listaYAdquiereComoScanimage", "number_of_devices 2\n");
        EscanerSane escaner;
        QSignalSpy listados(&escaner, &Escaner::listados);
        escaner.listar();
        QTRY_COMPARE(listados.size(), 1);
        const auto lista = listados.at(0).at(0).value<QList<DispositivoEscaner>>();
        QCOMPARE(listados.at(0).at(1).toString(), QString());
        QCOMPARE(lista.size(), 2);
        QCOMPARE(lista.at(0).nombre, QStringLiteral("test:0"));
        QVERIFY2(lista.at(0).descripcion.contains("test:0"), qPrintable(lista.at(0).descripcion));

        QSignalSpy adquirida(&escaner, &Escaner::adquirida);
        QSignalSpy progreso(&escaner, &Escaner::progreso);
        const int pedido = escaner.adquirir(QStringLiteral("test:1"));
        QTRY_COMPARE_WITH_TIMEOUT(adquirida.size(), 1, 20000);
        QCOMPARE(adquirida.at(0).at(0).toInt(), pedido);
        QVERIFY(!progreso.isEmpty());
        QCOMPARE(progreso.last().at(1).toInt(), 100);
        const QImage img = adquirida.at(0).at(1).value<QImage>();

        // The same device read by SANE's own front end gives the same pixels.
        QProcess scanimage;
        scanimage.start(QStringLiteral("scanimage"), {"-d", "test:1", "--format=png"});
        QVERIFY(scanimage.waitForFinished(30000));
        QImage esperada;
        QVERIFY(esperada.loadFromData(scanimage.readAllStandardOutput(), "PNG"));
        QCOMPARE(img.size(), esperada.size());
        QCOMPARE(img, esperada.convertToFormat(QImage::Format_RGB32));
    }

    void cancelaAMitad() {
        // Small reads with a pause: the scan takes seconds.
        EN_PROCESO_PROPIO("cancelaAMitad", "read-limit true\nread-limit-size 4096\n"
                                           "read-delay true\nread-delay-duration 200000\n");
        EscanerSane escaner;
        QSignalSpy progreso(&escaner, &Escaner::progreso);
        QSignalSpy cancelada(&escaner, &Escaner::cancelada);
        QSignalSpy adquirida(&escaner, &Escaner::adquirida);
        const int pedido = escaner.adquirir(QStringLiteral("test:0"));
        QTRY_VERIFY(!progreso.isEmpty());
        escaner.cancelar();
        QTRY_COMPARE_WITH_TIMEOUT(cancelada.size(), 1, 5000);
        QCOMPARE(cancelada.at(0).at(0).toInt(), pedido);
        QVERIFY(progreso.last().at(1).toInt() < 50);
        QTest::qWait(100);
        QCOMPARE(adquirida.size(), 0);
    }

    void fallaConElTextoDeSane() {
        EN_PROCESO_PROPIO("fallaConElTextoDeSane", "read-status-code \"SANE_STATUS_IO_ERROR\"\n");
        EscanerSane escaner;
        QSignalSpy fallo(&escaner, &Escaner::fallo);
        QSignalSpy adquirida(&escaner, &Escaner::adquirida);
        escaner.adquirir(QStringLiteral("test:0"));
        QTRY_COMPARE_WITH_TIMEOUT(fallo.size(), 1, 20000);
        const QString texto = fallo.at(0).at(1).toString();
        QVERIFY2(texto.contains("test:0") && texto.contains("Error during device I/O"),
                 qPrintable(texto));
        QCOMPARE(adquirida.size(), 0);

        // A device that is not there.
        escaner.adquirir(QStringLiteral("test:7"));
        QTRY_COMPARE_WITH_TIMEOUT(fallo.size(), 2, 20000);
        QVERIFY2(fallo.at(1).at(1).toString().contains("No se pudo abrir el escáner"),
                 qPrintable(fallo.at(1).at(1).toString()));
    }
};

QTEST_MAIN(TestEscanerSane)
#include "tst_escanersane.moc"
