#pragma once
// A reader that reads nothing aloud and keeps what it was asked to read: for the
// tests and for workstations that rehearse without sound.

#include "session/ventanas/Lector.h"

#include <QStringList>

class LectorSimulado : public Lector {
    Q_OBJECT
public:
    using Lector::Lector;

    void leer(const QString& texto) override {
        if (motivo.isEmpty())
            leidos.append(texto);
    }
    void detener() override { ++detenciones; }
    QString motivoNoDisponible() const override { return motivo; }

    QStringList leidos;
    int detenciones = 0;
    // Set, it stands for a workstation without a speech engine.
    QString motivo;
};
