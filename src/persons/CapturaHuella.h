#pragma once
// Taking one fingerprint: up to ten attempts of about 0.6 s while the reader
// waits for a finger, the status lamp blinking between red and dark red; then
// the finger drawn into the capture box, saved as the working fingerprint
// "Huella.bmp", and a short blinking as processing feedback.
//
// The attempts and the blinking are timers and the reader reports on its own,
// so the interface never waits inside a handler.

#include <QColor>
#include <QImage>
#include <QObject>
#include <QSize>
#include <QTimer>

class LectorHuellas;

// The finger scaled into the box, centred on white and keeping its proportions:
// what the window shows and what is saved.
QImage dibujarHuella(const QImage& dedo, QSize caja);

class CapturaHuella : public QObject {
    Q_OBJECT
public:
    enum class Estado { Inactiva, Esperando, Procesando, Terminada };

    struct Tiempos {
        int intentos = 10;
        int pausaMs = 100;  // from an attempt's start to the dark lamp
        int esperaMs = 500; // then ten waits of 50 ms, and the lamp is red again
        int parpadeosLentos = 10;
        int parpadeoLentoMs = 70;
        int parpadeosRapidos = 60;
        int parpadeoRapidoMs = 10;
    };

    static inline const QColor kRojo = QColor(255, 0, 0);
    static inline const QColor kRojoOscuro = QColor(128, 0, 0);

    CapturaHuella(LectorHuellas& lector, QSize caja, QObject* parent = nullptr);
    ~CapturaHuella() override;

    void fijarTiempos(const Tiempos& tiempos) { tiempos_ = tiempos; }
    void iniciar();
    // The operator gave up: the reader stops and nothing is saved. Ignored
    // while processing, when the file is already written.
    void cancelar();

    Estado estado() const { return estado_; }
    // 1 to 10 while waiting.
    int intento() const { return intento_; }
    QColor colorLampara() const { return lampara_; }

Q_SIGNALS:
    void lampara(const QColor& color);
    // The reader is missing or failed: the window shows its error texts while the
    // attempts run out.
    void errorLector();
    // The finger drawn into the box; processing begins.
    void huellaDibujada(const QImage& dibujo);
    // The working fingerprint could not be written (a Spanish message).
    void errorArchivo(const QString& mensaje);
    // The end: with the working file written, or without any file.
    void terminada(bool conArchivo);

private:
    void siguienteIntento();
    void alCapturar(const QImage& dedo);
    void alFallar(const QString& mensaje);
    void parpadear();
    void terminar(bool conArchivo);
    void fijarLampara(const QColor& color);

    LectorHuellas& lector_;
    QSize caja_;
    Tiempos tiempos_;
    Estado estado_ = Estado::Inactiva;
    int intento_ = 0;
    int parpadeos_ = 0;
    bool oscuroPendiente_ = false;
    QColor lampara_ = kRojo;
    QTimer reloj_;
};
