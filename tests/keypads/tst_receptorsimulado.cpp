// The simulated receiver answers like the real one, and its keypad panel turns
// key presses into answer reports.
#include "EntornoPrueba.h"
#include "app/Ini.h"
#include "keypads/FabricaReceptor.h"
#include "keypads/PanelControles.h"
#include "keypads/ReceptorSimulado.h"

#include <QPushButton>
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
const QByteArray kBuscar = salida(0x01, 0x01);
const QByteArray kParar = salida(0x00, 0x53);
QByteArray R(int n) {
    return salida(0x00, 0x52, n);
}
QByteArray M(int n) {
    return salida(0x00, 0x4D, n);
}
const QByteArray kC = salida(0x01, 0x43, 0x80);

int estado(const QList<QVariant>& senal) {
    return quint8(senal.at(0).toByteArray().at(3));
}

// A receiver open and plugged in, with short delays so tests run fast.
struct Banco {
    ReceptorSimulado rx;
    QSignalSpy leidos{&rx, &Receptor::leido};
    Banco() {
        rx.fijarDemoraBusqueda(20);
        rx.fijarDemoraConfirmacion(5);
        rx.abrir(1);
    }
    // Waits for the next status report and returns its status byte.
    int siguienteEstado() {
        if (leidos.isEmpty() && !leidos.wait(2000))
            return -1;
        return estado(leidos.takeFirst());
    }
};
} // namespace

class TestReceptorSimulado : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void busquedaYNumeracion() {
        Banco b;
        // A stopped search never reports "found".
        b.rx.escribir(kBuscar);
        b.rx.escribir(kParar);
        QVERIFY(!b.leidos.wait(100));

        QVERIFY(b.rx.escribir(kBuscar));
        QCOMPARE(b.siguienteEstado(), ReceptorSimulado::kEncontrado);
        QVERIFY(b.rx.escribir(R(18)));
        QVERIFY(b.rx.escribir(M(18)));
        QVERIFY(b.rx.escribir(kC));
        QCOMPARE(b.siguienteEstado(), ReceptorSimulado::kDatosEnviados);
        QCOMPARE(b.rx.programados(), QList<int>{18});
        QVERIFY(b.rx.escribir(kParar));
        QVERIFY(!b.leidos.wait(100)); // nothing late
    }

    void erroresDelReceptor() {
        Banco b;
        // A provoked error ends the search: no "found" follows.
        b.rx.escribir(kBuscar);
        b.rx.provocarEstado(4);
        QCOMPARE(b.siguienteEstado(), 4);
        QVERIFY(!b.leidos.wait(100));
        // Numbering without a keypad found, out of range, or inconsistent.
        b.rx.escribir(kC);
        QCOMPARE(b.siguienteEstado(), ReceptorSimulado::kErrorComando);
        b.rx.escribir(kBuscar);
        QCOMPARE(b.siguienteEstado(), ReceptorSimulado::kEncontrado);
        b.rx.escribir(R(17));
        QCOMPARE(b.siguienteEstado(), ReceptorSimulado::kFueraDeRango);
        b.rx.escribir(kBuscar);
        QCOMPARE(b.siguienteEstado(), ReceptorSimulado::kEncontrado);
        b.rx.escribir(R(5));
        b.rx.escribir(M(6));
        QCOMPARE(b.siguienteEstado(), ReceptorSimulado::kErrorComando);
        QVERIFY(b.rx.programados().isEmpty());
        QVERIFY(!b.rx.escribir(QByteArray(55, '\0'))); // malformed
    }

    void enchufarYDesenchufar() {
        ReceptorSimulado rx;
        QSignalSpy leidos(&rx, &Receptor::leido);
        QSignalSpy fuera(&rx, &Receptor::desenchufado);
        QSignalSpy dentro(&rx, &Receptor::enchufado);
        QSignalSpy cambios(&rx, &Receptor::cambiado);
        rx.fijarDemoraBusqueda(20);
        rx.abrir(1);
        QCOMPARE(dentro.count(), 0); // reported after abrir(), not inside it
        QVERIFY(dentro.wait(500));
        rx.escribir(kBuscar);
        rx.pulsarTecla(0, '1'); // queued, then the receiver goes away
        rx.desenchufar();
        QVERIFY(fuera.wait(500));
        QCOMPARE(cambios.count(), 2);
        QVERIFY(!rx.escribir(kBuscar));
        QVERIFY(!rx.pulsarTecla(0, '1'));
        rx.enchufar();
        QVERIFY(dentro.wait(500));
        QCOMPARE(cambios.count(), 3);
        // Neither the search nor the pending key survived the unplug.
        QVERIFY(!leidos.wait(100));
        // Closed: nothing is reported, writes are refused.
        rx.cerrar();
        QVERIFY(!rx.escribir(kBuscar));
        rx.desenchufar();
        rx.enchufar();
        QVERIFY(!dentro.wait(100));
    }

    void reportesDeRespuesta() {
        Banco b;
        QVERIFY(b.rx.pulsarTecla(0, '3'));
        QVERIFY(b.rx.pulsarTecla(53, '0'));
        QVERIFY(!b.rx.pulsarTecla(54, '1'));
        QVERIFY(!b.rx.pulsarTecla(-1, '1'));
        QTRY_COMPARE(b.leidos.count(), 2);
        QByteArray esperado(56, '\0');
        esperado[2] = '3';
        QCOMPARE(b.leidos.at(0).at(0).toByteArray(), esperado);
        esperado.fill('\0');
        esperado[55] = '0';
        QCOMPARE(b.leidos.at(1).at(0).toByteArray(), esperado);
    }

    void numeroYPosicion() {
        // Keypad r+2 (18 on from row 15) answers at position r-1; 17 is never used.
        QCOMPARE(ReceptorSimulado::posicionDeControl(16), 13);
        QCOMPARE(ReceptorSimulado::posicionDeControl(17), -1);
        QCOMPARE(ReceptorSimulado::posicionDeControl(18), 14);
        QCOMPARE(ReceptorSimulado::posicionDeControl(58), -1);
        for (int p = 0; p < ReceptorSimulado::kPosiciones; ++p)
            QCOMPARE(ReceptorSimulado::posicionDeControl(ReceptorSimulado::controlDePosicion(p)),
                     p);
    }

    void muchosReportesEnOrdenSinPerdida() {
        Banco b;
        constexpr int kTotal = 20000;
        int recibidos = 0;
        bool enOrden = true;
        QObject::connect(&b.rx, &Receptor::leido, [&](const QByteArray& r) {
            const int n = quint8(r[2]) | quint8(r[3]) << 8;
            enOrden = enOrden && n == (recibidos & 0xFFFF);
            ++recibidos;
        });
        for (int i = 0; i < kTotal; ++i) {
            QByteArray teclas(2, '\0');
            teclas[0] = char(i & 0xFF);
            teclas[1] = char((i >> 8) & 0xFF);
            QVERIFY(b.rx.enviarRespuestas(teclas));
        }
        QTRY_COMPARE(recibidos, kTotal);
        QVERIFY(enOrden);
    }

    void panelPulsaTeclas() {
        Banco b;
        PanelControles panel(b.rx, 3);
        panel.show();
        QCOMPARE(panel.posiciones(), (QList<int>{0, 1, 2}));
        auto* tecla = panel.findChild<QPushButton*>("Control2Tecla7");
        QVERIFY(tecla);
        QVERIFY(!tecla->accessibleName().isEmpty());
        QVERIFY(panel.findChild<QPushButton*>("Control0Tecla0"));
        QVERIFY(!panel.findChild<QPushButton*>("Control3Tecla1"));
        tecla->click();
        QTRY_COMPARE(b.leidos.count(), 1);
        QCOMPARE(b.leidos.at(0).at(0).toByteArray().at(4), '7');

        // With no count it follows the keypads the receiver numbers.
        PanelControles asignados(b.rx);
        asignados.show();
        QVERIFY(asignados.posiciones().isEmpty());
        b.leidos.clear();
        b.rx.escribir(kBuscar);
        QCOMPARE(b.siguienteEstado(), ReceptorSimulado::kEncontrado);
        b.rx.escribir(R(18));
        b.rx.escribir(M(18));
        b.rx.escribir(kC);
        QCOMPARE(b.siguienteEstado(), ReceptorSimulado::kDatosEnviados);
        QCOMPARE(asignados.posiciones(), QList<int>{14});
        auto* nueva = asignados.findChild<QPushButton*>("Control14Tecla5");
        QVERIFY(nueva);
        QVERIFY(nueva->isVisible());
    }

    void fabricaEligeElSimulado() {
        EntornoPrueba e(false);
        QVERIFY(EscribirIni("Control", "Receptor", "Simulado"));
        Receptor& r = receptorCompartido();
        auto* sim = qobject_cast<ReceptorSimulado*>(&r);
        QVERIFY(sim);
        QCOMPARE(&receptorCompartido(), &r); // made once
        r.abrir(2);
        QVERIFY(panelReceptorCompartido());
        QVERIFY(panelReceptorCompartido()->isVisible());
        r.cerrar();
        QVERIFY(!panelReceptorCompartido()->isVisible());

        ReceptorSimulado propio;
        fijarReceptorCompartido(&propio);
        QCOMPARE(&receptorCompartido(), static_cast<Receptor*>(&propio));
        fijarReceptorCompartido(nullptr);
        QCOMPARE(&receptorCompartido(), &r);
    }
};

QTEST_MAIN(TestReceptorSimulado)
#include "tst_receptorsimulado.moc"
