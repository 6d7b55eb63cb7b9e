#pragma once
// The signature pad's drawing: black ink on white, strokes fed one input sample
// at a time (mouse, pen or touch).
//
// Strokes are smoothed: each new sample adds a quadratic curve from the middle
// of the previous pair of samples to the middle of the newest pair, the older
// sample as control point, so a signature drawn fast is curved rather than a
// polygon. The stretch from the last middle to the newest sample is only shown
// (`dibujarPendiente`) until the next sample or the end of the stroke replaces
// it. With pressure, the width follows the pen around the chosen width.

#include <QImage>
#include <QPointF>
#include <QRect>

class QPainter;

class LienzoFirma {
public:
    static constexpr qreal kSinPresion = -1;

    explicit LienzoFirma(QSize tamano = QSize());

    const QImage& imagen() const { return imagen_; }
    // Keeps what is drawn, cut or padded with white.
    void redimensionar(QSize tamano);
    void limpiar();

    void fijarAncho(int pixeles) { ancho_ = pixeles; }
    int ancho() const { return ancho_; }
    // The width a sample draws with: the chosen width, or with pressure (0 to 1)
    // from half of it at the lightest touch to one and a half times at the firmest.
    qreal anchoPara(qreal presion) const;

    // Each returns the area of the image that changed.
    QRect empezar(QPointF punto, qreal presion = kSinPresion);
    QRect mover(QPointF punto, qreal presion = kSinPresion);
    QRect terminar();

    bool trazando() const { return trazando_; }
    // The stretch not yet in the image, drawn over it on screen.
    void dibujarPendiente(QPainter& p) const;
    // The area `dibujarPendiente` covers.
    QRect areaPendiente() const;
    // Input samples taken since the drawing was made or cleared.
    qint64 muestras() const { return muestras_; }

private:
    struct Muestra {
        QPointF punto;
        qreal ancho;
    };
    QRect curva(const Muestra& desde, const QPointF& control, const Muestra& hasta);
    QRect punto(const Muestra& m);

    QImage imagen_;
    int ancho_ = 11;
    bool trazando_ = false;
    bool movido_ = false;
    Muestra ancla_{};    // where the drawn part of the stroke ends
    Muestra anterior_{}; // the newest sample
    qint64 muestras_ = 0;
};
