// The USB receiver link against a receiver faked by receptor_falso.py (umockdev):
// plug, search, numbering, answer reports in order, unplug and plug again.
#include "ReceptorFalso.h"
#include "keypads/ReceptorHid.h"

#include <QElapsedTimer>
#include <QSignalSpy>
#include <QtTest>

namespace {
const QByteArray kBuscar = reporte({0, 0x01, 0x01});
const QByteArray kParar = reporte({0, 0x00, 0x53});
const QByteArray kC = reporte({0, 0x01, 0x43, 0x80});

struct Enlace {
    ReceptorHid rx{nullptr, 100};
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
        QVERIFY(e.cambios.count() >= 1);
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

    void reportesDeRespuestaEnOrden() {
        Enlace e;
        QVERIFY(e.abrir());
        constexpr int kLote = 250, kLotes = 4;
        for (int l = 0; l < kLotes; ++l)
            QVERIFY(e.rx.escribir(reporte({0, 0x7E, 'K', kLote})));
        QTRY_COMPARE_WITH_TIMEOUT(e.leidos.count(), kLote * kLotes, 20000);
        for (int i = 0; i < e.leidos.count(); ++i) {
            const int n = i % kLote;
            QByteArray esperado = reporte({0, 0, '1' + n % 9}); // report ID put back in front
            esperado[54] = char(n & 0xFF);
            esperado[55] = char(n >> 8);
            QCOMPARE(e.leidos.at(i).at(0).toByteArray(), esperado);
        }
    }

    void desenchufarYVolverAEnchufar() {
        Enlace e;
        QVERIFY(e.abrir());
        const int cambiosAntes = e.cambios.count();
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
