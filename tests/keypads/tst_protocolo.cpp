// The receiver's command protocol: reports sent, statuses handled, numbers given.
#include "ReceptorFalso.h"
#include "keypads/ProtocoloReceptor.h"
#include "keypads/Temporizador.h"

#include <QSignalSpy>
#include <QtTest>

namespace {

// Time stepped by hand: each step runs the one pending call.
class TemporizadorManual : public Temporizador {
public:
    void programar(int ms, std::function<void()> a) override {
        esperas.append(ms);
        accion = std::move(a);
    }
    void cancelar() override { accion = nullptr; }
    bool pendiente() const override { return bool(accion); }
    void avanzar(int pasos = 1) {
        for (int i = 0; i < pasos && accion; ++i) {
            auto a = std::move(accion);
            accion = nullptr;
            a();
        }
    }
    QList<int> esperas;
    std::function<void()> accion;
};

QByteArray estado(int codigo) {
    QByteArray r(Receptor::kLargoReporte, '\0');
    r[3] = char(codigo);
    return r;
}

// A protocol wired to a manual timer, recording what it sends and says.
struct Banco {
    TemporizadorManual reloj;
    ProtocoloReceptor protocolo{reloj};
    QList<QByteArray> enviados;
    QStringList textos;
    QList<std::pair<int, int>> confirmados;
    std::optional<FilaAsignable> fila = FilaAsignable{42, 15};

    Banco() {
        protocolo.fijarFilaActual([this] { return fila; });
        QObject::connect(&protocolo, &ProtocoloReceptor::reporte,
                         [this](const QByteArray& r) { enviados.append(r); });
        QObject::connect(&protocolo, &ProtocoloReceptor::texto,
                         [this](const QString& t) { textos.append(t); });
        QObject::connect(&protocolo, &ProtocoloReceptor::confirmado, [this](int c, int n) {
            confirmados.append({c, n});
        });
    }
    // Search started and the keypad found: the sequence has been sent.
    void hastaSecuenciaEnviada() {
        protocolo.iniciarBusqueda();
        protocolo.recibir(estado(10));
        reloj.avanzar(4); // tick, then "R", "M", "C"
    }
};

} // namespace

class TestProtocolo : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void numerosDeLaFila_data() {
        QTest::addColumn<int>("fila");
        QTest::addColumn<int>("enviado");
        QTest::addColumn<int>("pendiente");
        QTest::newRow("1") << 1 << 3 << 3;
        QTest::newRow("14") << 14 << 16 << 16;
        QTest::newRow("15 salta el 17") << 15 << 18 << 17;
        QTest::newRow("20") << 20 << 23 << 22;
        QTest::newRow("96") << 96 << 99 << 98;
        QTest::newRow("97 solo dos cifras") << 97 << 10 << 99;
        QTest::newRow("98") << 98 << 10 << 100;
    }
    void numerosDeLaFila() {
        QFETCH(int, fila);
        QFETCH(int, enviado);
        QFETCH(int, pendiente);
        QCOMPARE(numeroEnviado(fila), enviado);
        QCOMPARE(numeroPendiente(fila), pendiente);
    }

    void textosDeEstado() {
        const QStringList esperados{"El control no responde",  "Datos enviados exitosamente",
                                    "Valor fuera de rango",    "La frecuencia no esta disponible",
                                    "Valo no permitido",       "Activacion de buzzer",
                                    "Desactivacion de buzzer", "Error de comando",
                                    "Error inesperado",        "Control remoto encontrado"};
        for (int c = 1; c <= 10; ++c)
            QCOMPARE(textoEstado(c), esperados.at(c - 1));
        for (int c : {0, 11, 255})
            QVERIFY(textoEstado(c).isEmpty());
    }

    void respuestasPorPosicion() {
        QByteArray r(Receptor::kLargoReporte, '\0');
        r[1] = '9';  // not a position
        r[2] = '1';  // position 0
        r[7] = '3';  // position 5
        r[55] = '0'; // position 53, the last one a report holds
        const QList<std::pair<int, char>> todas{{0, '1'}, {5, '3'}, {53, '0'}};
        QCOMPARE(decodificarRespuestas(r, 54), todas);
        QCOMPARE(decodificarRespuestas(r, 80), todas);
        // Positions beyond the session's examinees are not theirs.
        QCOMPARE(decodificarRespuestas(r, 5), (QList<std::pair<int, char>>{{0, '1'}}));
        QVERIFY(decodificarRespuestas(r, 0).isEmpty());
        QCOMPARE(decodificarRespuestas(r.left(8), 54),
                 (QList<std::pair<int, char>>{{0, '1'}, {5, '3'}}));
        QVERIFY(decodificarRespuestas(QByteArray(), 54).isEmpty());
    }

    void busquedaYAsignacionCompletas() {
        Banco b;
        QSignalSpy enCurso(&b.protocolo, &ProtocoloReceptor::busquedaEnCurso);
        b.protocolo.iniciarBusqueda();
        QCOMPARE(b.enviados, QList<QByteArray>{reporteSalida({0x00, 0x01, 0x01, 0x00})});
        QCOMPARE(b.textos, QStringList{"Buscando Remoto..."});
        QCOMPARE(b.protocolo.estado(), ProtocoloReceptor::Estado::Buscando);
        QCOMPARE(enCurso.size(), 1);
        QCOMPARE(enCurso.at(0).at(0).toBool(), true);

        b.reloj.avanzar(3); // nothing heard yet: the poll goes on
        QCOMPARE(b.enviados.size(), 1);
        QVERIFY(b.reloj.pendiente());

        b.protocolo.recibir(estado(10));
        b.reloj.avanzar();
        QCOMPARE(b.textos.last(), QStringLiteral("Control remoto encontrado"));
        QCOMPARE(b.protocolo.estado(), ProtocoloReceptor::Estado::Asignando);
        QCOMPARE(b.enviados.size(), 1); // the first report waits a pause
        b.reloj.avanzar(3);
        QCOMPARE(b.enviados.mid(1), (QList<QByteArray>{reporteSalida({0x00, 0x00, 0x52, 18}),
                                                       reporteSalida({0x00, 0x00, 0x4D, 18}),
                                                       reporteSalida({0x00, 0x01, 0x43, 0x80})}));
        QVERIFY(b.confirmados.isEmpty());

        b.protocolo.recibir(estado(2));
        b.reloj.avanzar();
        QCOMPARE(b.textos.last(), QStringLiteral("Datos enviados exitosamente"));
        QCOMPARE(b.confirmados, (QList<std::pair<int, int>>{{42, 17}}));
        // The stop command leaves byte 3 as "C" set it, and so does the next search.
        QCOMPARE(b.enviados.last(), reporteSalida({0x00, 0x00, 0x53, 0x80}));
        QCOMPARE(b.protocolo.estado(), ProtocoloReceptor::Estado::Inactivo);
        QVERIFY(!b.reloj.pendiente());
        QCOMPARE(enCurso.last().at(0).toBool(), false);
        b.protocolo.iniciarBusqueda();
        QCOMPARE(b.enviados.last(), reporteSalida({0x00, 0x01, 0x01, 0x80}));

        // Every wait, poll or pause, is the 100 ms of the receiver.
        for (int ms : b.reloj.esperas)
            QCOMPARE(ms, 100);
    }

    void erroresTerminanLaBusqueda() {
        for (int codigo : {1, 3, 4, 5, 6, 7, 8, 9}) {
            Banco b;
            b.hastaSecuenciaEnviada();
            b.protocolo.recibir(estado(codigo));
            b.reloj.avanzar();
            QCOMPARE(b.textos.last(), textoEstado(codigo));
            QCOMPARE(b.enviados.last(), reporteSalida({0x00, 0x00, 0x53, 0x80}));
            QCOMPARE(b.protocolo.estado(), ProtocoloReceptor::Estado::Inactivo);
            QVERIFY(b.confirmados.isEmpty());
        }
        // Codes outside 1 to 10 change nothing.
        Banco b;
        b.protocolo.iniciarBusqueda();
        for (int codigo : {0, 11, 200, 255})
            b.protocolo.recibir(estado(codigo));
        b.reloj.avanzar();
        QCOMPARE(b.protocolo.estado(), ProtocoloReceptor::Estado::Buscando);
        QCOMPARE(b.textos, QStringList{"Buscando Remoto..."});
    }

    void estadoViejoNoCuenta() {
        Banco b;
        b.hastaSecuenciaEnviada();
        b.protocolo.recibir(estado(2));
        b.reloj.avanzar();
        QCOMPARE(b.confirmados.size(), 1);
        // Reports heard between searches, or a late repeat, are not answers to the next one.
        b.protocolo.recibir(estado(2));
        b.protocolo.recibir(estado(10));
        b.protocolo.iniciarBusqueda();
        const int enviados = b.enviados.size();
        b.reloj.avanzar(5);
        QCOMPARE(b.textos.last(), QStringLiteral("Buscando Remoto..."));
        QCOMPARE(b.enviados.size(), enviados);
        // A confirmation with no number sent in this search is ignored too.
        b.protocolo.recibir(estado(2));
        b.reloj.avanzar();
        QCOMPARE(b.protocolo.estado(), ProtocoloReceptor::Estado::Buscando);
        QCOMPARE(b.confirmados.size(), 1);
    }

    void reportesEnOrdenSinPerderse() {
        Banco b;
        b.protocolo.iniciarBusqueda();
        // Two reports between ticks: the found keypad is not hidden by the later one.
        b.protocolo.recibir(estado(10));
        b.protocolo.recibir(estado(0));
        b.reloj.avanzar(4);
        QCOMPARE(b.enviados.size(), 4);
        // An answer heard during the sequence waits until the sequence is out.
        b.protocolo.recibir(estado(2));
        QCOMPARE(b.protocolo.estado(), ProtocoloReceptor::Estado::Asignando);
        b.reloj.avanzar();
        QCOMPARE(b.confirmados.size(), 1);
    }

    void secuenciaNoSeInterrumpe() {
        Banco b;
        b.protocolo.iniciarBusqueda();
        b.protocolo.recibir(estado(10));
        b.reloj.avanzar(2); // tick and "R"
        b.protocolo.recibir(estado(10));
        b.protocolo.recibir(estado(3));
        b.reloj.avanzar(2); // "M" and "C", no new check in between
        QCOMPARE(b.enviados.size(), 4);
        QCOMPARE(b.enviados.at(3).at(2), char(0x43));
        b.reloj.avanzar(); // the queued 10 sends the sequence again, the 3 waits
        QCOMPARE(b.protocolo.estado(), ProtocoloReceptor::Estado::Asignando);
        b.reloj.avanzar(4);
        QCOMPARE(b.textos.last(), QStringLiteral("Valor fuera de rango"));
        QCOMPARE(b.enviados.size(), 8);
    }

    void mientrasSigaEncontradoReenvia() {
        Banco b;
        b.hastaSecuenciaEnviada();
        b.reloj.avanzar(4); // no answer: the status still reads 10
        QCOMPARE(b.enviados.size(), 7);
        QCOMPARE(b.enviados.mid(4, 3), b.enviados.mid(1, 3));
        b.protocolo.recibir(estado(0)); // the receiver moved on
        b.reloj.avanzar(3);
        QCOMPARE(b.enviados.size(), 7);
    }

    void filaDeLaSecuencia() {
        Banco b;
        b.fila.reset();
        b.protocolo.iniciarBusqueda();
        b.protocolo.recibir(estado(10));
        b.reloj.avanzar(2);
        QCOMPARE(b.enviados.size(), 1); // no row: nothing to give a number to
        b.fila = FilaAsignable{7, 1};
        b.reloj.avanzar(2); // tick and "R"
        QCOMPARE(b.enviados.at(1), reporteSalida({0x00, 0x00, 0x52, 3}));
        // The row chosen when the keypad was found gets "M" and the confirmation,
        // whatever is selected meanwhile.
        b.fila = FilaAsignable{9, 20};
        b.reloj.avanzar(2);
        QCOMPARE(b.enviados.at(2), reporteSalida({0x00, 0x00, 0x4D, 3}));
        b.protocolo.recibir(estado(2));
        b.reloj.avanzar();
        QCOMPARE(b.confirmados, (QList<std::pair<int, int>>{{7, 3}}));
    }

    void cancelarYBusquedaRepetida() {
        Banco b;
        b.protocolo.iniciarBusqueda();
        b.protocolo.iniciarBusqueda(); // already searching
        QCOMPARE(b.enviados.size(), 1);
        b.protocolo.recibir(estado(10));
        b.reloj.avanzar(2);
        b.protocolo.cancelar(); // the window closes: no stop command
        QCOMPARE(b.enviados.size(), 2);
        QCOMPARE(b.protocolo.estado(), ProtocoloReceptor::Estado::Inactivo);
        QVERIFY(!b.reloj.pendiente());
    }
};

QTEST_GUILESS_MAIN(TestProtocolo)
#include "tst_protocolo.moc"
