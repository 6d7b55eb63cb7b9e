#pragma once
// The camera through Qt Multimedia: the system's video inputs, a capture
// session whose frames feed the live picture, still pictures and recording.

#include "persons/Camara.h"

#include <QCameraDevice>
#include <QImageCapture>
#include <QMediaCaptureSession>
#include <QMediaDevices>
#include <QMediaRecorder>
#include <QVideoSink>
#include <memory>

class QCamera;

class CamaraQt : public Camara {
    Q_OBJECT
public:
    explicit CamaraQt(QObject* padre = nullptr);
    ~CamaraQt() override;

    QList<DispositivoCamara> dispositivos() const override;
    QByteArray actual() const override;
    bool conectar(const QByteArray& id) override;
    QList<FormatoCamara> formatos() const override;
    int formatoActual() const override;
    void fijarFormato(int indice) override;
    void capturar() override;
    bool puedeGrabar() const override;
    QString grabar(const QString& rutaSinExtension) override;
    bool grabando() const override;
    void detenerGrabacion() override;

private:
    void entradasCambiadas();

    QMediaDevices medios_;
    QMediaCaptureSession sesion_;
    QVideoSink sumidero_;
    QImageCapture foto_;
    QMediaRecorder grabadora_;
    std::unique_ptr<QCamera> camara_;
    QCameraDevice dispositivo_;
    QImage ultimo_;
    QString rutaGrabacion_;
};

// The camera the webcam window uses: simulated when "Camara" of section
// "Control" reads "Simulada", else this one.
Camara* crearCamara(QObject* padre);
