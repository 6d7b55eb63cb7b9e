#pragma once
// A receiver for tests: records the reports written to it and lets the test play
// the receiver's side (plug, unplug, status and answer reports).

#include "keypads/Receptor.h"

#include <QList>

// A 56-byte report: the given leading bytes, zeros after.
inline QByteArray reporte(std::initializer_list<int> bytes) {
    QByteArray r(Receptor::kLargoReporte, '\0');
    int i = 0;
    for (int b : bytes)
        r[i++] = char(b);
    return r;
}

// An answer report: teclas[p] for keypad position p (0 = none).
inline QByteArray reporteRespuestas(const QList<char>& teclas) {
    QByteArray r(Receptor::kLargoReporte, '\0');
    for (int p = 0; p < teclas.size(); ++p)
        r[p + 2] = teclas.at(p);
    return r;
}

class ReceptorFalso : public Receptor {
public:
    void abrir() override { abierto = true; }
    void cerrar() override { abierto = false; }
    bool escribir(const QByteArray& r) override {
        escritos.append(r);
        return presente;
    }
    bool conectado() const override { return presente; }
    void enchufar(bool si) {
        presente = si;
        si ? Q_EMIT enchufado() : Q_EMIT desenchufado();
    }
    void estado(int codigo) { Q_EMIT leido(reporte({0, 0, 0, codigo})); }
    void enviar(const QByteArray& r) { Q_EMIT leido(r); }

    QList<QByteArray> escritos;
    bool presente = true;
    bool abierto = false;
};
