// The USB receiver link against a receiver faked by receptor_falso.py (umockdev):
// plug, search, numbering, answer reports in order, unplug and plug again.
#include "keypads/ReceptorHid.h"

#include <QElapsedTimer>
#include <QSignalSpy>
#include <QtTest>

namespace {
QByteArray salida(int b1, int b2, int b3 = 0) {
    QByteArray r(Receptor::kLargoReporte, '\0');
    r[1] = char(b1);
    r[2] = char(b2);
    r[3] = char(b3);
    return r;
}

struct Enlace {
    ReceptorHid rx{nullptr, 100};
    QSignalSpy leidos{&rx, &Receptor::leido};
    QSignalSpy enchufes{&rx, &Receptor::enchufado};
    QSignalSpy desenchufes{&rx, &Receptor::desenchufado};
    QSignalSpy cambios{&rx, &Receptor::cambiado};

    bool abrir() {
        rx.abrir(1);
        return enchufes.wait(3000) && rx.conectado();
    }
    int siguienteEstado() {
        if (leidos.isEmpty() && !leidos.wait(3000))
            return -1;
        const QByteArray r = leidos.takeFirst().at(0).toByteArray();
        return r.size() == Receptor::kLargoReporte ? quint8(r[3]) : -2;
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

    void sinReceptorAbiertoNoEscribe() {
        ReceptorHid rx;
        QVERIFY(!rx.conectado());
        QVERIFY(!rx.escribir(salida(0x01, 0x01)));
    }

    void abrirYBuscar() {
        Enlace e;
        QVERIFY(e.abrir());
        QVERIFY(e.cambios.count() >= 1);
        QVERIFY(!e.rx.escribir(QByteArray(55, '\0'))); // malformed: refused
        QVERIFY(e.rx.escribir(salida(0x01, 0x01)));
        QCOMPARE(e.siguienteEstado(), 10);
        QVERIFY(e.rx.escribir(salida(0x00, 0x52, 18)));
        QVERIFY(e.rx.escribir(salida(0x00, 0x4D, 18)));
        QVERIFY(e.rx.escribir(salida(0x01, 0x43, 0x80)));
        QCOMPARE(e.siguienteEstado(), 2);
        QVERIFY(e.rx.escribir(salida(0x00, 0x53)));
        // The numbering without a keypad found is an error of the receiver.
        QVERIFY(e.rx.escribir(salida(0x01, 0x43, 0x80)));
        QCOMPARE(e.siguienteEstado(), 8);
        e.rx.cerrar();
        QVERIFY(!e.rx.conectado());
        QVERIFY(!e.rx.escribir(salida(0x01, 0x01)));
    }

    void reportesDeRespuestaEnOrden() {
        Enlace e;
        QVERIFY(e.abrir());
        constexpr int kLote = 250, kLotes = 4;
        for (int l = 0; l < kLotes; ++l)
            QVERIFY(e.rx.escribir(salida(0x7E, 'K', kLote)));
        QTRY_COMPARE_WITH_TIMEOUT(e.leidos.count(), kLote * kLotes, 20000);
        for (int i = 0; i < e.leidos.count(); ++i) {
            const QByteArray r = e.leidos.at(i).at(0).toByteArray();
            const int n = i % kLote;
            QCOMPARE(r.size(), 56);
            QCOMPARE(r[0], '\0'); // report ID put back in front
            QCOMPARE(r[1], '\0');
            QCOMPARE(r[2], char('1' + n % 9));
            QCOMPARE(quint8(r[54]) | quint8(r[55]) << 8, n);
            QCOMPARE(r.mid(3, 51), QByteArray(51, '\0'));
        }
    }

    void desenchufarYVolverAEnchufar() {
        Enlace e;
        QVERIFY(e.abrir());
        const int cambiosAntes = e.cambios.count();
        QElapsedTimer reloj;
        QVERIFY(e.rx.escribir(salida(0x7E, 'U')));
        reloj.start();
        QVERIFY(e.desenchufes.wait(3000));
        const qint64 fuera = reloj.elapsed();
        QVERIFY2(fuera < 700, qPrintable(QStringLiteral("%1 ms").arg(fuera)));
        QVERIFY(!e.rx.conectado());
        QVERIFY(!e.rx.escribir(salida(0x01, 0x01)));
        e.enchufes.clear();
        QVERIFY(e.enchufes.wait(3000));
        QVERIFY(e.rx.conectado());
        QTRY_VERIFY(e.cambios.count() >= cambiosAntes + 2);
        // The receiver works again after coming back.
        QVERIFY(e.rx.escribir(salida(0x01, 0x01)));
        QCOMPARE(e.siguienteEstado(), 10);
        QVERIFY(e.rx.escribir(salida(0x00, 0x53)));
    }
};

QTEST_MAIN(TestReceptorHid)
#include "tst_receptorhid.moc"
