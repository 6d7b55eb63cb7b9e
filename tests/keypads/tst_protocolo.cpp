// The receiver's command protocol: reports sent, statuses handled, numbers given.
#include "ReceptorFalso.h"
#include "keypads/ProtocoloReceptor.h"
#include "keypads/Temporizador.h"

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
        for (int i = 0; i < pasos && accion; ++i)
            std::exchange(accion, nullptr)();
    }
    QList<int> esperas;
    std::function<void()> accion;
};

using Pares = QList<std::pair<int, int>>;

// A protocol on a manual timer, recording what it sends, says and confirms.
struct Banco {
    TemporizadorManual reloj;
    ProtocoloReceptor protocolo{reloj};
    QList<QByteArray> enviados;
    QStringList textos;
    Pares confirmados;
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
    void estado(int codigo) { protocolo.recibir(reporteSalida({0, 0, 0, codigo})); }
    // Search started, keypad found, "R", "M" and "C" sent.
    void hastaSecuenciaEnviada() {
        protocolo.iniciarBusqueda();
        estado(10);
        reloj.avanzar(4);
    }
    bool activo() const { return protocolo.estado() != ProtocoloReceptor::Estado::Inactivo; }
};

} // namespace

class TestProtocolo : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void numerosYTextos() {
        // row, number sent, number stored
        const QList<std::array<int, 3>> tabla{{1, 3, 3},    {14, 16, 16}, {15, 18, 17},
                                              {20, 23, 22}, {96, 99, 98}, {97, 10, 99}};
        for (const auto& [fila, enviado, pendiente] : tabla) {
            QCOMPARE(numeroEnviado(fila), enviado);
            QCOMPARE(numeroPendiente(fila), pendiente);
        }
        QCOMPARE(textoEstado(4), QStringLiteral("La frecuencia no esta disponible"));
        QCOMPARE(textoEstado(5), QStringLiteral("Valo no permitido"));
        for (int c : {0, 11, 255})
            QVERIFY(textoEstado(c).isEmpty());
    }

    void respuestasPorPosicion() {
        QByteArray r = reporteSalida({0, '9', '1', 0, 0, 0, 0, '3'}); // byte 1 is no position
        r[55] = '0';
        const QList<std::pair<int, char>> todas{{0, '1'}, {5, '3'}, {53, '0'}};
        QCOMPARE(decodificarRespuestas(r, 54), todas);
        QCOMPARE(decodificarRespuestas(r, 80), todas);
        QCOMPARE(decodificarRespuestas(r, 5), todas.mid(0, 1)); // beyond the examinees
        QCOMPARE(decodificarRespuestas(r.left(8), 54), todas.mid(0, 2));
        QVERIFY(decodificarRespuestas(QByteArray(), 54).isEmpty());
    }

    void busquedaYAsignacionCompletas() {
        Banco b;
        b.protocolo.iniciarBusqueda();
        b.protocolo.iniciarBusqueda(); // already searching: ignored
        QCOMPARE(b.enviados, QList<QByteArray>{reporteSalida({0, 0x01, 0x01, 0})});
        QCOMPARE(b.textos, QStringList{"Buscando Remoto..."});
        b.reloj.avanzar(3); // nothing heard: the poll goes on
        QCOMPARE(b.enviados.size(), 1);

        b.estado(10);
        b.reloj.avanzar();
        QCOMPARE(b.textos.last(), QStringLiteral("Control remoto encontrado"));
        QCOMPARE(b.enviados.size(), 1); // "R" waits a pause
        b.reloj.avanzar(3);
        QCOMPARE(b.enviados.mid(1), (QList<QByteArray>{reporteSalida({0, 0, 0x52, 18}),
                                                       reporteSalida({0, 0, 0x4D, 18}),
                                                       reporteSalida({0, 0x01, 0x43, 0x80})}));
        b.estado(2);
        b.reloj.avanzar();
        QCOMPARE(b.textos.last(), QStringLiteral("Datos enviados exitosamente"));
        QCOMPARE(b.confirmados, (Pares{{42, 17}}));
        // The stop command and the next search leave byte 3 as "C" set it.
        QCOMPARE(b.enviados.last(), reporteSalida({0, 0, 0x53, 0x80}));
        QVERIFY(!b.activo() && !b.reloj.pendiente());
        b.protocolo.iniciarBusqueda();
        QCOMPARE(b.enviados.last(), reporteSalida({0, 0x01, 0x01, 0x80}));
        QCOMPARE(QSet<int>(b.reloj.esperas.begin(), b.reloj.esperas.end()), QSet<int>{100});
    }

    void erroresYCodigosSinEfecto() {
        for (int codigo : {1, 3, 4, 5, 6, 7, 8, 9}) {
            Banco b;
            b.hastaSecuenciaEnviada();
            b.estado(codigo);
            b.reloj.avanzar();
            QCOMPARE(b.textos.last(), textoEstado(codigo));
            QCOMPARE(b.enviados.last(), reporteSalida({0, 0, 0x53, 0x80}));
            QVERIFY(!b.activo() && b.confirmados.isEmpty());
        }
        Banco b;
        b.protocolo.iniciarBusqueda();
        for (int codigo : {0, 11, 255})
            b.estado(codigo);
        b.reloj.avanzar();
        QVERIFY(b.activo());
        QCOMPARE(b.textos.size(), 1);
    }

    void soloCuentaLoOidoEnEstaBusqueda() {
        Banco b;
        b.hastaSecuenciaEnviada();
        b.estado(2);
        b.reloj.avanzar();
        b.estado(2); // heard between searches
        b.protocolo.iniciarBusqueda();
        b.reloj.avanzar(3);
        QVERIFY(b.activo());
        QCOMPARE(b.textos.last(), QStringLiteral("Buscando Remoto..."));
        b.estado(2); // confirms no number sent in this search
        b.reloj.avanzar();
        QVERIFY(b.activo());
        QCOMPARE(b.confirmados.size(), 1);
    }

    void colaEnOrdenYSecuenciaSinInterrupcion() {
        Banco b;
        b.protocolo.iniciarBusqueda();
        b.estado(10);
        b.estado(0); // a later report does not hide the found keypad
        b.reloj.avanzar(2);
        b.estado(10);
        b.estado(3); // heard during the sequence: checked only once "C" is out
        b.reloj.avanzar(2);
        QCOMPARE(b.enviados.size(), 4);
        b.reloj.avanzar(4); // the 10 first: the sequence again
        QCOMPARE(b.enviados.size(), 7);
        QCOMPARE(b.enviados.mid(4, 3), b.enviados.mid(1, 3));
        b.reloj.avanzar();
        QCOMPARE(b.textos.last(), QStringLiteral("Valor fuera de rango"));
        QVERIFY(!b.activo());
    }

    void mientrasSigaEncontradoReenvia() {
        Banco b;
        b.hastaSecuenciaEnviada();
        b.reloj.avanzar(4); // no new report: the status still reads 10
        QCOMPARE(b.enviados.size(), 7);
        b.estado(0);
        b.reloj.avanzar(3);
        QCOMPARE(b.enviados.size(), 7);
        b.protocolo.cancelar(); // the window closes: no stop command
        QVERIFY(!b.activo() && !b.reloj.pendiente());
        QCOMPARE(b.enviados.size(), 7);
    }

    void filaDeLaSecuencia() {
        Banco b;
        b.fila.reset();
        b.protocolo.iniciarBusqueda();
        b.estado(10);
        b.reloj.avanzar(2);
        QCOMPARE(b.enviados.size(), 1); // no row selected: nothing to give a number to
        b.fila = FilaAsignable{7, 1};
        b.reloj.avanzar(2);
        QCOMPARE(b.enviados.at(1), reporteSalida({0, 0, 0x52, 3}));
        // Selecting another row meanwhile changes neither "M" nor who is confirmed.
        b.fila = FilaAsignable{9, 20};
        b.reloj.avanzar(2);
        QCOMPARE(b.enviados.at(2), reporteSalida({0, 0, 0x4D, 3}));
        b.estado(2);
        b.reloj.avanzar();
        QCOMPARE(b.confirmados, (Pares{{7, 3}}));
    }
};

QTEST_GUILESS_MAIN(TestProtocolo)
#include "tst_protocolo.moc"
