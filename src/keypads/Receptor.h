#pragma once
// The link to the keypads' USB receiver: one small interface, a real receiver on
// hidapi and a simulated one for training rooms, the demo and the tests.
//
// Reports are 56 bytes laid out as the windows' buffers: byte 0 the report ID
// (always 0 on output), bytes 1 to 55 the receiver's data.

#include <QByteArray>
#include <QObject>

class Receptor : public QObject {
    Q_OBJECT
public:
    static constexpr quint16 kVendedor = 0x0461; // 1121
    static constexpr quint16 kProducto = 0x0021; // 33
    static constexpr int kLargoReporte = 56;
    // Keypad positions an answer report carries (bytes 2 to 55): the most
    // examinees one receiver can hear.
    static constexpr int kPosiciones = 54;

    using QObject::QObject;
    ~Receptor() override = default;

    // Starts listening; a receiver already plugged in is reported with
    // `enchufado` soon after.
    virtual void abrir() = 0;
    virtual void cerrar() = 0;
    // Sends one output report (56 bytes, byte 0 = report ID). False when no
    // receiver is there to take it.
    virtual bool escribir(const QByteArray& reporte) = 0;
    virtual bool conectado() const = 0;

Q_SIGNALS:
    void enchufado();
    void desenchufado();
    void cambiado();
    // One input report, in the order received; never coalesced.
    void leido(const QByteArray& reporte);
};
