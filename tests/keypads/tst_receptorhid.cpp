// The USB receiver link against a receiver faked by receptor_falso.py (umockdev):
// plug, search, numbering, answer reports in order, unplug and plug again.
#include "ReceptorFalso.h"
#include "keypads/ReceptorHid.h"

#include <QElapsedTimer>
#include <QSignalSpy>
#include <QtEndian>
#include <QtTest>

namespace {
const QByteArray kBuscar = reporte({0, 0x01, 0x01});
const QByteArray kParar = reporte({0, 0x00, 0x53});
const QByteArray kC = reporte({0, 0x01, 0x43, 0x80});

struct Enlace {
    explicit Enlace(int periodoMs = 100) : rx(nullptr, periodoMs) {}
    ReceptorHid rx;
    QSignalSpy leidos{&rx, &Receptor::leido};
    QSignalSpy enchufes{&rx, &Receptor::enchufado};
    QSignalSpy desenchufes{&rx, &Receptor::desenchufado};
    QSignalSpy cambios{&rx, &Receptor::cambiado};

    bool abrir() {
        rx.abrir();
        return enchufes.wait(3000) && rx.conectado();
    }
    int siguienteEstado() {
        if (leidos.isEmpty() && !leidos.wait(3000))
            return -1;
        const QByteArray r = leidos.takeFirst().at(0).toByteArray();
        return r.size() == Receptor::kLargoReporte ? quint8(r[3]) : -2;
    }
    // The gaps, in milliseconds, between the writes the receiver took since the last asking.
    QList<double> separaciones() {
        if (!rx.escribir(reporte({0, 0x7E, 'G'})) || (leidos.isEmpty() && !leidos.wait(3000)))
            return {};
        const QByteArray r = leidos.takeFirst().at(0).toByteArray();
        QList<double> ms;
        for (qsizetype i = 0; i < quint8(r[1]); ++i)
            ms << qFromLittleEndian<quint32>(r.constData() + 2 + 4 * i) / 1000.0;
        return ms;
    }
};
} // namespace

class TestReceptorHid : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase() {
        if (!qEnvironmentVariableIsSet("TAVELMO_RECEPTOR_FALSO"))
            QSKIP("necesita el receptor falso: tests/keypads/receptor_falso.py con "
                  "umockdev-wrapper (prueba keypads/receptor_hid_umockdev)");
    }

    void abrirYBuscar() {
        Enlace e;
        QVERIFY(!e.rx.escribir(kBuscar)); // not open yet
        QVERIFY(e.abrir());
        QTRY_VERIFY(e.cambios.count() >= 1);           // reported after the plug, maybe not yet
        QVERIFY(!e.rx.escribir(QByteArray(55, '\0'))); // malformed: refused
        QVERIFY(e.rx.escribir(kBuscar));
        QCOMPARE(e.siguienteEstado(), 10);
        QVERIFY(e.rx.escribir(reporte({0, 0x00, 0x52, 18})));
        QVERIFY(e.rx.escribir(reporte({0, 0x00, 0x4D, 18})));
        QVERIFY(e.rx.escribir(kC));
        QCOMPARE(e.siguienteEstado(), 2);
        QVERIFY(e.rx.escribir(kParar));
        QVERIFY(e.rx.escribir(kC)); // numbering with no keypad found: receiver error
        QCOMPARE(e.siguienteEstado(), 8);
        e.rx.cerrar();
        QVERIFY(!e.rx.conectado());
        QVERIFY(!e.rx.escribir(kBuscar));
    }

    void escriturasSeparadas() {
        // Checked every second: a write held back until the next check would show.
        Enlace e(1000);
        QVERIFY(e.abrir());
        e.separaciones();  // from here on
        QTest::qWait(150); // the receiver can take a write now: it goes out at once
        QElapsedTimer reloj;
        reloj.start();
        QVERIFY(e.rx.escribir(kBuscar));
        QCOMPARE(e.siguienteEstado(), 10); // answered 50 ms after the search arrives
        QVERIFY2(reloj.elapsed() < 400, qPrintable(QString::number(reloj.elapsed())));
        for (const QByteArray& r : {reporte({0, 0x00, 0x52, 3}), reporte({0, 0x00, 0x4D, 3}), kC})
            QVERIFY(e.rx.escribir(r)); // queued at once, as fast as the caller can
        QCOMPARE(e.siguienteEstado(), 2);
        const QList<double> ms = e.separaciones();
        qInfo() << "separaciones (ms):" << ms;
        QCOMPARE(ms.size(), 5); // asking, search, "R", "M", "C", asking
        for (double s : ms)
            QVERIFY2(s >= 100 && s < 400, qPrintable(QString::number(s)));
    }

    void reportesDeRespuestaEnOrden() {
        Enlace e;
        QVERIFY(e.abrir());
        constexpr int kLote = 250, kLotes = 4;
        for (int l = 0; l < kLotes; ++l)
            QVERIFY(e.rx.escribir(reporte({0, 0x7E, 'K', kLote})));
        QTRY_COMPARE_WITH_TIMEOUT(e.leidos.count(), qsizetype{kLote} * kLotes, 20000);
        for (qsizetype i = 0; i < e.leidos.count(); ++i) {
            const auto n = static_cast<int>(i % kLote);
            QByteArray esperado = reporte({0, 0, '1' + n % 9}); // report ID put back in front
            esperado[54] = char(n & 0xFF);
            esperado[55] = char(n >> 8);
            QCOMPARE(e.leidos.at(i).at(0).toByteArray(), esperado);
        }
    }

    void desenchufarYVolverAEnchufar() {
        Enlace e;
        QVERIFY(e.abrir());
        const qsizetype cambiosAntes = e.cambios.count();
        QElapsedTimer reloj;
        QVERIFY(e.rx.escribir(reporte({0, 0x7E, 'U'})));
        reloj.start();
        QVERIFY(e.desenchufes.wait(3000));
        QVERIFY2(reloj.elapsed() < 700, qPrintable(QString::number(reloj.elapsed())));
        QVERIFY(!e.rx.conectado());
        QVERIFY(!e.rx.escribir(kBuscar));
        e.enchufes.clear();
        QVERIFY(e.enchufes.wait(3000));
        QTRY_VERIFY(e.cambios.count() >= cambiosAntes + 2);
        QVERIFY(e.rx.escribir(kBuscar)); // it works again after coming back
        QCOMPARE(e.siguienteEstado(), 10);
        QVERIFY(e.rx.escribir(kParar));
    }
};

QTEST_MAIN(TestReceptorHid)
#include "tst_receptorhid.moc"
