#include "persons/Escaner.h"

#include "persons/EscanerSane.h"

#include <QCoreApplication>
#include <QPointer>

namespace {
Escaner* gInstalado = nullptr;
QPointer<Escaner> gCreado;
} // namespace

Escaner& escanerCompartido() {
    if (gInstalado)
        return *gInstalado;
    // Owned by the application so its thread ends before Qt does.
    if (!gCreado)
        gCreado = new EscanerSane(QCoreApplication::instance());
    return *gCreado;
}

void fijarEscanerCompartido(Escaner* escaner) {
    gInstalado = escaner;
}
