// The receiver's command protocol: reports sent, statuses handled, numbers given.
#include "ReceptorFalso.h"
#include "Tiempo.h"
#include "keypads/ProtocoloReceptor.h"

#include <QtTest>

namespace {

using Pares = QList<std::pair<int, int>>;

// A protocol on a manual timer, recording what it sends, says and confirms.
struct Banco {
    TemporizadorManual reloj;
    ProtocoloReceptor p{reloj};
    QList<QByteArray> enviados;
    QStringList textos;
    Pares confirmados;
    std::optional<FilaAsignable> fila = FilaAsignable{42, 15};

    Banco() {
        p.fijarFilaActual([this] { return fila; });
        QObject::connect(&p, &ProtocoloReceptor::reporte, [this](auto r) { enviados << r; });
        QObject::connect(&p, &ProtocoloReceptor::texto, [this](auto t) { textos << t; });
        QObject::connect(&p, &ProtocoloReceptor::confirmado, [this](int c, int n) {
            confirmados.append({c, n});
        });
    }
    void estado(int codigo) { p.recibir(reporte({0, 0, 0, codigo})); }
    void hastaSecuenciaEnviada() { // search, keypad found, "R", "M" and "C" sent
        p.iniciarBusqueda();
        estado(10);
        reloj.avanzar(4);
    }
    bool activo() const { return p.estado() != ProtocoloReceptor::Estado::Inactivo; }
};

} // namespace

class TestProtocolo : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void numerosYRespuestas() {
        // row, number sent, number stored
        for (const auto& [fila, enviado, guardado] : QList<std::array<int, 3>>{
                 {1, 3, 3}, {14, 16, 16}, {15, 18, 17}, {20, 23, 22}, {96, 99, 98}, {97, 10, 99}}) {
            QCOMPARE(numeroEnviado(fila), enviado);
            QCOMPARE(numeroPendiente(fila), guardado);
        }
        QByteArray r = reporte({0, '9', '1', 0, 0, 0, 0, '3'}); // byte 1 is no position
        r[55] = '0';
        const QList<std::pair<int, char>> todas{{0, '1'}, {5, '3'}, {53, '0'}};
        QCOMPARE(decodificarRespuestas(r, 80), todas);
        QCOMPARE(decodificarRespuestas(r, 5), todas.mid(0, 1)); // beyond the examinees
        QCOMPARE(decodificarRespuestas(r.left(8), 54), todas.mid(0, 2));
    }

    void busquedaYAsignacionCompletas() {
        Banco b;
        b.fila.reset();
        b.p.iniciarBusqueda();
        b.p.iniciarBusqueda(); // already searching: ignored
        QCOMPARE(b.enviados, QList<QByteArray>{reporte({0, 1, 1, 0})});
        QCOMPARE(b.textos, QStringList{"Buscando Remoto..."});
        b.reloj.avanzar(3); // nothing heard: the poll goes on
        b.estado(10);
        b.reloj.avanzar(2);
        QCOMPARE(b.enviados.size(), 1); // no row selected: nothing to give a number to
        b.fila = FilaAsignable{7, 15};
        b.reloj.avanzar(2);
        QCOMPARE(b.textos.last(), QStringLiteral("Control remoto encontrado"));
        b.fila = FilaAsignable{9, 20}; // selected meanwhile: changes neither "M" nor the row
        b.reloj.avanzar(2);
        QCOMPARE(b.enviados.mid(1),
                 (QList<QByteArray>{reporte({0, 0, 0x52, 18}), reporte({0, 0, 0x4D, 18}),
                                    reporte({0, 1, 0x43, 0x80})}));
        b.estado(2);
        b.reloj.avanzar();
        QCOMPARE(b.textos.last(), QStringLiteral("Datos enviados exitosamente"));
        QCOMPARE(b.confirmados, (Pares{{7, 17}}));
        // The stop command and the next search leave byte 3 as "C" set it.
        QCOMPARE(b.enviados.last(), reporte({0, 0, 0x53, 0x80}));
        QVERIFY(!b.activo() && !b.reloj.pendiente());
        b.estado(2); // heard between searches
        b.p.iniciarBusqueda();
        QCOMPARE(b.enviados.last(), reporte({0, 1, 1, 0x80}));
        b.reloj.avanzar(3);
        b.estado(2); // confirms no number sent in this search
        b.reloj.avanzar();
        QVERIFY(b.activo());
        QCOMPARE(b.confirmados.size(), 1);
        QCOMPARE(b.reloj.esperas, QSet<int>{100});
    }

    void errores() {
        const QStringList textos{"El control no responde",  "",
                                 "Valor fuera de rango",    "La frecuencia no esta disponible",
                                 "Valo no permitido",       "Activacion de buzzer",
                                 "Desactivacion de buzzer", "Error de comando",
                                 "Error inesperado"};
        for (int codigo : {1, 3, 4, 5, 6, 7, 8, 9}) {
            Banco b;
            b.hastaSecuenciaEnviada();
            b.estado(codigo);
            b.reloj.avanzar();
            QCOMPARE(b.textos.last(), textos.at(codigo - 1));
            QCOMPARE(b.enviados.last(), reporte({0, 0, 0x53, 0x80}));
            QVERIFY(!b.activo() && b.confirmados.isEmpty());
        }
        Banco b; // codes with no meaning change nothing
        b.p.iniciarBusqueda();
        for (int codigo : {0, 11, 255})
            b.estado(codigo);
        b.reloj.avanzar();
        QVERIFY(b.activo());
        QCOMPARE(b.textos.size(), 1);
    }

    void colaEnOrdenYReenvio() {
        Banco b;
        b.p.iniciarBusqueda();
        for (int i = 0; i < 5; ++i)
            b.estado(10); // "found" again and again while the poll waits
        b.estado(0);      // a later report with no meaning does not hide it
        b.reloj.avanzar(4);
        b.estado(10); // still repeated during the sequence, then the confirmation
        b.estado(10);
        b.estado(2);
        b.reloj.avanzar(); // one sequence, and the confirmation at the next tick
        QCOMPARE(b.confirmados, (Pares{{42, 17}}));
        QCOMPARE(b.enviados.size(), 5); // search, "R", "M", "C", stop
        // An answer heard behind a "found" goes first: no sequence before it.
        b.hastaSecuenciaEnviada();
        b.estado(10);
        b.estado(3);
        b.reloj.avanzar();
        QCOMPARE(b.textos.last(), QStringLiteral("Valor fuera de rango"));
        QCOMPARE(b.enviados.size(), 10);
        // With no newer report a found keypad is sent the sequence on every tick.
        b.hastaSecuenciaEnviada();
        b.reloj.avanzar(4);
        QCOMPARE(b.enviados.size(), 17);
        QCOMPARE(b.enviados.mid(14), b.enviados.mid(11, 3));
        b.p.cancelar(); // the window closes: no stop command
        QVERIFY(!b.activo() && !b.reloj.pendiente());
        QCOMPARE(b.enviados.size(), 17);
    }
};

QTEST_GUILESS_MAIN(TestProtocolo)
#include "tst_protocolo.moc"
