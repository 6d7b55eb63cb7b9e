#pragma once
// A scanner or other image device that gives one picture at a time. Every call
// returns at once; the answers come as signals on the caller's thread. The
// photograph and signature windows use it through PanelEscaner.

#include <QImage>
#include <QList>
#include <QObject>
#include <QString>

struct DispositivoEscaner {
    QString nombre;      // what adquirir() takes
    QString descripcion; // what the operator reads
};

class Escaner : public QObject {
    Q_OBJECT
public:
    using QObject::QObject;

    // Looks for the devices: answers with `listados`.
    virtual void listar() = 0;
    // Acquires one picture from the named device and returns the request's number;
    // answers with any number of `progreso`, then exactly one of `adquirida`,
    // `fallo` or `cancelada`, all carrying that number.
    virtual int adquirir(const QString& nombre) = 0;
    // Stops the running acquisition, if any; it then ends with `cancelada`.
    virtual void cancelar() = 0;

Q_SIGNALS:
    // `error` is empty unless the devices could not be looked for.
    void listados(const QList<DispositivoEscaner>& dispositivos, const QString& error);
    // Percentage 0..100, or -1 while the device does not say how much is left.
    void progreso(int pedido, int porcentaje);
    void adquirida(int pedido, const QImage& imagen);
    // The device's own words: nothing of the picture is handed over.
    void fallo(int pedido, const QString& texto);
    void cancelada(int pedido);
};

// The scanner the windows use: SANE's, made on first use and kept for the life of
// the application. Tests may install another one (nullptr goes back).
Escaner& escanerCompartido();
void fijarEscanerCompartido(Escaner* escaner);
