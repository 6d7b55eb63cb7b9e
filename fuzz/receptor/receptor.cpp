// The receiver's answer reports and command protocol. The input is a script of
// steps: start a search, a report arrives, the timer fires, the window closes,
// another row is selected. Every report sent is one report long, a number is
// confirmed only for a row that was selected and only after this search sent
// it, and nothing stays scheduled once the protocol is idle. Answer reports
// decode to exactly their non-zero bytes.
#include "keypads/Receptor.h"
#include "../Comun.h"
#include "keypads/ProtocoloReceptor.h"
#include "keypads/Temporizador.h"

#include <QCoreApplication>
#include <QMultiHash>

namespace {

class TemporizadorManual : public Temporizador {
public:
    void programar(int, std::function<void()> accion) override { accion_ = std::move(accion); }
    void cancelar() override { accion_ = nullptr; }
    bool pendiente() const override { return bool(accion_); }
    void disparar() {
        auto accion = std::move(accion_);
        accion_ = nullptr;
        if (accion)
            accion();
    }

private:
    std::function<void()> accion_;
};

void respuestas(const QByteArray& reporte, int evaluados) {
    const QList<std::pair<int, char>> teclas = decodificarRespuestas(reporte, evaluados);
    const int posiciones =
        std::max(0, std::min({evaluados, Receptor::kPosiciones, int(reporte.size()) - 2}));
    int anterior = -1;
    int noNulas = 0;
    for (int p = 0; p < posiciones; ++p)
        noNulas += reporte.at(p + 2) != 0;
    EXIGIR(teclas.size() == noNulas);
    for (const auto& [posicion, tecla] : teclas) {
        EXIGIR(posicion > anterior && posicion < posiciones);
        EXIGIR(tecla != 0 && tecla == reporte.at(posicion + 2));
        anterior = posicion;
    }
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
    static QCoreApplication app(*argc, *argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* datos, size_t largo) {
    const uint8_t* p = datos;
    const uint8_t* fin = datos + largo;
    const auto byte = [&]() -> int { return p < fin ? *p++ : 0; };

    TemporizadorManual temporizador;
    ProtocoloReceptor protocolo(temporizador);
    std::optional<FilaAsignable> fila;
    QMultiHash<int, int> filasVistas; // clave -> posicion
    bool enviadoRegistro = false;
    protocolo.fijarFilaActual([&] { return fila; });
    QObject::connect(&protocolo, &ProtocoloReceptor::reporte, [&](const QByteArray& r) {
        EXIGIR(r.size() == Receptor::kLargoReporte);
        if (r.at(2) == 'R')
            enviadoRegistro = true;
    });
    QObject::connect(&protocolo, &ProtocoloReceptor::confirmado, [&](int clave, int numero) {
        EXIGIR(enviadoRegistro);
        bool conocida = false;
        for (auto it = filasVistas.constFind(clave); it != filasVistas.cend() && it.key() == clave;
             ++it)
            conocida = conocida || numeroPendiente(*it) == numero;
        EXIGIR(conocida);
    });

    while (p < fin) {
        switch (byte() % 7) {
        case 0:
            if (protocolo.estado() == ProtocoloReceptor::Estado::Inactivo)
                enviadoRegistro = false; // a new search confirms only what it sends
            protocolo.iniciarBusqueda();
            break;
        case 1: { // a report of any length
            const int n = byte() % 70;
            const qsizetype resto = qsizetype(fin - p);
            const QByteArray r(reinterpret_cast<const char*>(p), std::min<qsizetype>(n, resto));
            p += r.size();
            protocolo.recibir(r);
            respuestas(r, byte() - 8);
            break;
        }
        case 2: { // a status report
            QByteArray r(Receptor::kLargoReporte, '\0');
            r[3] = char(byte());
            protocolo.recibir(r);
            break;
        }
        case 3:
        case 4:
            temporizador.disparar();
            break;
        case 5:
            protocolo.cancelar();
            EXIGIR(protocolo.estado() == ProtocoloReceptor::Estado::Inactivo);
            EXIGIR(!temporizador.pendiente());
            break;
        case 6: {
            const int clave = byte();
            if (clave == 0) {
                fila.reset();
            } else {
                // Rows of a group: a place in its list, never far past a few hundred.
                const int posicion = byte() * 2 - 16;
                fila = FilaAsignable{clave, posicion};
                filasVistas.insert(clave, posicion);
            }
            break;
        }
        }
        // Idle, nothing is left to be sent later.
        if (protocolo.estado() == ProtocoloReceptor::Estado::Inactivo)
            EXIGIR(!temporizador.pendiente());
    }
    return 0;
}
