#pragma once
// The arithmetic of the framing windows: a frame over a picture, in twips (15 to
// the pixel), that grows, shrinks and moves by fixed steps without leaving the
// picture, follows the mouse freely, and finally selects the pixels under it.

#include <QColor>
#include <QImage>
#include <QRectF>
#include <QSize>
#include <array>

class Encuadre {
public:
    static constexpr int kTwipsPorPixel = 15;
    // Shrinking stops once the frame is narrower than this.
    static constexpr double kAnchoMinimo = 50;
    // Growing and moving keep the frame this far inside the picture.
    static constexpr double kMargen = 1;
    static constexpr double kPasoLento = 2;
    static constexpr double kPasoRapido = 10;
    // Side of the eight square handles.
    static constexpr double kManija = 110;

    // Photograph: steps of 8 twips, so a square frame stays square. Signature:
    // steps of 1 %, so the proportions stay.
    enum class Tipo { Foto, Firma };
    // In the order of the move buttons.
    enum class Direccion { Izquierda, Arriba, Derecha, Abajo };

    // The frame starts at the picture's corner with the size of the capture
    // window's display box: 4000 x 4000 twips for the photograph, 3500 x 2000 for
    // the signature.
    static QSizeF marcoInicial(Tipo tipo);

    Encuadre(Tipo tipo, QSize imagenPixeles);

    Tipo tipo() const { return tipo_; }
    const QRectF& marco() const { return marco_; }
    void fijarMarco(const QRectF& marco) { marco_ = marco; }
    QSizeF imagenTwips() const { return imagen_; }

    // One step each; false when the step was not taken (an edge, or too small).
    bool crecer();
    bool achicar();
    bool mover(Direccion direccion, bool rapido);
    // Dragging: the frame's corner goes where the mouse puts it, even off the picture.
    void llevarEsquinaA(QPointF esquina) { marco_.moveTopLeft(esquina); }
    bool contiene(QPointF punto) const;

    // Handles on the corners and edge midpoints, clockwise from the top left.
    std::array<QRectF, 8> manijas() const;

    // The frame in pixels of the picture.
    QRect rectPixeles() const;
    // The pixels under the frame; where the frame lies off the picture, `fondo`.
    QImage recortar(const QImage& fuente, const QColor& fondo) const;

    // A scroll bar that shifts the picture by ten twips per unit: from 50 (the
    // picture 500 twips in from the viewport's corner) to the value that puts the
    // picture's far edge 1000 twips inside the viewport. Extents in twips; the
    // second value can be below the first.
    struct Rango {
        int minimo;
        int maximo;
    };
    static Rango rangoBarra(double extensionImagen, double extensionVista);

    static double aTwips(double pixeles) { return pixeles * kTwipsPorPixel; }
    static double aPixeles(double twips) { return twips / kTwipsPorPixel; }

private:
    bool dentro(const QRectF& r) const;

    Tipo tipo_;
    QSizeF imagen_;
    QRectF marco_;
};
