#pragma once
// A camera without hardware for rehearsals, the demo and the tests: two devices
// giving a moving generated picture at the frame rate of the chosen format.

#include "persons/Camara.h"

#include <QElapsedTimer>
#include <QTimer>

class CamaraSimulada : public Camara {
    Q_OBJECT
public:
    explicit CamaraSimulada(QObject* padre = nullptr);

    QList<DispositivoCamara> dispositivos() const override;
    QByteArray actual() const override { return actual_; }
    bool conectar(const QByteArray& id) override;
    QList<FormatoCamara> formatos() const override;
    int formatoActual() const override { return actual_.isEmpty() ? -1 : formato_; }
    void fijarFormato(int indice) override;
    void capturar() override;
    bool puedeGrabar() const override { return false; }
    QString grabar(const QString& rutaSinExtension) override;
    bool grabando() const override { return false; }
    void detenerGrabacion() override {}

    // As if the device were unplugged.
    void desconectar();
    // The last picture given; null before the first one.
    const QImage& ultimoCuadro() const { return ultimo_; }

private:
    void preparar();
    void siguienteCuadro();

    QByteArray actual_;
    QList<QByteArray> desenchufadas_;
    int formato_ = 0;
    QTimer reloj_;
    QElapsedTimer desde_;
    QImage fondo_;
    QImage ultimo_;
    qint64 numero_ = 0;
};
