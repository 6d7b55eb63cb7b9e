#pragma once
// A camera with a live picture: the devices the system has, the one connected,
// its picture formats, still pictures and video recording. The webcam windows
// talk only to this; the program makes the Qt Multimedia one, or the simulated
// one when "Camara" of section "Control" reads "Simulada".

#include <QByteArray>
#include <QImage>
#include <QList>
#include <QObject>
#include <QSize>
#include <QString>

struct DispositivoCamara {
    QByteArray id;
    QString descripcion;
};

struct FormatoCamara {
    QSize resolucion;
    double cuadrosPorSegundo = 0;
    // "640 x 480, 30 cuadros por segundo"
    QString texto() const;
};

class Camara : public QObject {
    Q_OBJECT
public:
    using QObject::QObject;

    virtual QList<DispositivoCamara> dispositivos() const = 0;
    // The connected device's id; empty when none is.
    virtual QByteArray actual() const = 0;
    // Connects the device and starts its live picture (`cuadro`). False when the
    // device is not there; the one connected before then stays.
    virtual bool conectar(const QByteArray& id) = 0;

    virtual QList<FormatoCamara> formatos() const = 0;
    // Index into formatos(); -1 when unknown.
    virtual int formatoActual() const = 0;
    virtual void fijarFormato(int indice) = 0;

    // Takes a still picture: answers with `capturada` or `error`.
    virtual void capturar() = 0;

    virtual bool puedeGrabar() const = 0;
    // Starts recording video without sound to the path with the extension of the
    // container the platform records added; returns that path, or an empty text
    // after `error`.
    virtual QString grabar(const QString& rutaSinExtension) = 0;
    virtual bool grabando() const = 0;
    // Ends the recording: `grabacionTerminada` follows once the file is complete.
    virtual void detenerGrabacion() = 0;

Q_SIGNALS:
    void cuadro(const QImage& imagen);
    void capturada(const QImage& imagen);
    // The camera service's own words.
    void error(const QString& texto);
    // The connected device went away: its live picture has ended.
    void desconectada();
    void grabacionTerminada(const QString& ruta);
};
