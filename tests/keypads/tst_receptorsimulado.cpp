// The simulated receiver answers like the real one; the factory picks it, with
// its keypad panel, when the settings ask for it.
#include "EntornoPrueba.h"
#include "ReceptorFalso.h"
#include "app/Claves.h"
#include "keypads/FabricaReceptor.h"
#include "keypads/ReceptorSimulado.h"
#include "keypads/ventanas/PanelControles.h"
#include "keypads/ventanas/PanelSimulado.h"

#include <QSignalSpy>
#include <QtTest>

namespace {
const QByteArray kBuscar = reporte({0, 0x01, 0x01});
const QByteArray kParar = reporte({0, 0x00, 0x53});
const QByteArray kC = reporte({0, 0x01, 0x43, 0x80});
QByteArray R(int n) {
    return reporte({0, 0x00, 0x52, n});
}
QByteArray M(int n) {
    return reporte({0, 0x00, 0x4D, n});
}

// A receiver open and plugged in, with short delays so tests run fast.
struct Banco {
    ReceptorSimulado rx;
    QSignalSpy leidos{&rx, &Receptor::leido};
    QSignalSpy dentro{&rx, &Receptor::enchufado};
    Banco() {
        rx.fijarDemoraBusqueda(20);
        rx.fijarDemoraConfirmacion(5);
        rx.abrir();
    }
    // Waits for the next status report and returns its status byte.
    int siguienteEstado() {
        if (leidos.isEmpty() && !leidos.wait(2000))
            return -1;
        return quint8(leidos.takeFirst().at(0).toByteArray().at(3));
    }
};
} // namespace

class TestReceptorSimulado : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void busquedaYNumeracion() {
        Banco b;
        b.rx.escribir(kBuscar); // a stopped search never reports "found"
        b.rx.escribir(kParar);
        QVERIFY(!b.leidos.wait(100));
        QVERIFY(b.rx.escribir(kC)); // numbering with no keypad found
        QCOMPARE(b.siguienteEstado(), ReceptorSimulado::kErrorComando);
        // Out of range, "R" and "M" inconsistent, then a sound numbering.
        const QList<std::pair<QByteArrayList, int>> intentos{
            {{R(17)}, ReceptorSimulado::kFueraDeRango},
            {{R(5), M(6)}, ReceptorSimulado::kErrorComando},
            {{R(18), M(18), kC}, ReceptorSimulado::kDatosEnviados}};
        for (const auto& [comandos, estado] : intentos) {
            QVERIFY(b.rx.escribir(kBuscar));
            QCOMPARE(b.siguienteEstado(), ReceptorSimulado::kEncontrado);
            for (const QByteArray& c : comandos)
                QVERIFY(b.rx.escribir(c));
            QCOMPARE(b.siguienteEstado(), estado);
        }
        QCOMPARE(b.rx.programados(), QList<int>{18});
        b.rx.escribir(kParar);
        QVERIFY(!b.leidos.wait(100)); // nothing late
        b.rx.escribir(kBuscar);       // a search ended by an error reports no "found" either
        b.rx.provocarEstado(4);
        QCOMPARE(b.siguienteEstado(), 4);
        QVERIFY(!b.leidos.wait(100));
        QVERIFY(!b.rx.escribir(QByteArray(55, '\0'))); // malformed
    }

    void enchufarYDesenchufar() {
        Banco b;
        QSignalSpy fuera(&b.rx, &Receptor::desenchufado);
        QSignalSpy cambios(&b.rx, &Receptor::cambiado);
        QCOMPARE(b.dentro.count(), 0); // reported after abrir(), not inside it
        QVERIFY(b.dentro.wait(500));
        b.rx.escribir(kBuscar);
        b.rx.pulsarTecla(0, '1'); // queued, then the receiver goes away
        b.rx.desenchufar();
        QVERIFY(fuera.wait(500));
        QVERIFY(!b.rx.escribir(kBuscar));
        QVERIFY(!b.rx.pulsarTecla(0, '1'));
        b.rx.enchufar();
        QVERIFY(b.dentro.wait(500));
        QCOMPARE(cambios.count(), 3);
        QVERIFY(!b.leidos.wait(100)); // neither the search nor the key survived
        b.rx.cerrar();                // closed: nothing is reported, writes are refused
        QVERIFY(!b.rx.escribir(kBuscar));
        b.rx.desenchufar();
        b.rx.enchufar();
        QVERIFY(!b.dentro.wait(100));
    }

    void reportesDeRespuesta() {
        Banco b;
        QVERIFY(b.rx.pulsarTecla(0, '3'));
        QVERIFY(b.rx.pulsarTecla(53, '0'));
        QVERIFY(!b.rx.pulsarTecla(54, '1'));
        QVERIFY(!b.rx.pulsarTecla(-1, '1'));
        QTRY_COMPARE(b.leidos.count(), 2);
        QCOMPARE(b.leidos.at(0).at(0).toByteArray(), reporte({0, 0, '3'}));
        QByteArray ultima = reporte({});
        ultima[55] = '0';
        QCOMPARE(b.leidos.at(1).at(0).toByteArray(), ultima);
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
        for (int i = 0; i < kTotal; ++i)
            QVERIFY(b.rx.enviarRespuestas(QByteArray(1, char(i & 0xFF)) + char(i >> 8)));
        QTRY_COMPARE(recibidos, kTotal);
        QVERIFY(enOrden);
    }

    void fabricaEligeElSimuladoConSuPanel() {
        EntornoPrueba e(false);
        QVERIFY(EscribirIni(claves::kReceptor, "Simulado"));
        acompanarReceptorSimuladoConPanel();
        auto* rx = qobject_cast<ReceptorSimulado*>(&receptorCompartido());
        QVERIFY(rx);
        QCOMPARE(&receptorCompartido(), rx); // made once
        rx->abrir();
        QVERIFY(panelReceptorCompartido() && panelReceptorCompartido()->isVisible());
        rx->cerrar();
        QVERIFY(!panelReceptorCompartido()->isVisible());
    }
};

QTEST_MAIN(TestReceptorSimulado)
#include "tst_receptorsimulado.moc"
