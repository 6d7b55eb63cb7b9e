#pragma once
// A receiver for tests: records the reports written to it and lets the test play
// the receiver's side (plug, unplug, status and answer reports).

#include "keypads/Receptor.h"

#include <QList>

class ReceptorFalso : public Receptor {
public:
    void abrir(qint16 d) override {
        dueno = d;
        abierto = true;
    }
    void cerrar() override { abierto = false; }
    bool escribir(const QByteArray& reporte) override {
        escritos.append(reporte);
        return presente;
    }
    bool conectado() const override { return presente; }

    void enchufar() {
        presente = true;
        Q_EMIT enchufado();
    }
    void desenchufar() {
        presente = false;
        Q_EMIT desenchufado();
    }
    // A status report: byte 3 carries the code.
    void estado(int codigo) {
        QByteArray r(kLargoReporte, '\0');
        r[3] = char(codigo);
        Q_EMIT leido(r);
    }

    QList<QByteArray> escritos;
    bool abierto = false;
    bool presente = true;
    qint16 dueno = 0;
};

// The 56-byte output report the program should send: the given leading bytes, zeros after.
inline QByteArray reporteSalida(std::initializer_list<int> bytes) {
    QByteArray r(Receptor::kLargoReporte, '\0');
    int i = 0;
    for (int b : bytes)
        r[i++] = char(b);
    return r;
}
