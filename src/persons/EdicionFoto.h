#pragma once
// What the photograph window holds and does, without its controls: the picture
// as acquired (what framing shows), the unadjusted picture, the adjustment and
// the picture shown in the 267 x 267 display box, which is what "Aceptar" writes.
// The adjustment's table is made from the unadjusted picture and applied to it
// stretched over the box, so moving a scroll bar costs a box's worth of pixels
// whatever the picture's size, and what is written is exactly what was shown.

#include "persons/AjusteImagen.h"

#include <QImage>
#include <QSize>
#include <QString>

class EdicionFoto {
public:
    // The display box: 4000 x 4000 twips at 15 twips per pixel.
    static constexpr QSize kCaja{267, 267};
    // A scanned picture wider than this is shrunk.
    static constexpr int kAnchoMaximoEscaner = 600;
    static constexpr int kAjusteMinimo = -100;
    static constexpr int kAjusteMaximo = 100;

    struct Ajustes {
        int brillo = 0;
        int contraste = 0;
        bool automatico = false;
        bool operator==(const Ajustes&) const = default;
    };

    // The adjustment a new webcam picture starts with: "Brillo" and "Contraste" of
    // section "Foto"; automatic levels when "Brillo" is missing.
    static Ajustes ajustesWebcam();

    bool tieneFoto() const { return !original_.isNull(); }
    // The picture framing starts from.
    const QImage& fuente() const { return fuente_; }
    // The unadjusted picture every adjustment starts again from.
    const QImage& original() const { return original_; }
    const Ajustes& ajustes() const { return ajustes_; }

    // A scanned picture: shrunk to at most 600 pixels wide, no adjustment.
    void desdeEscaner(const QImage& imagen);
    // A webcam picture, kept at its size, with the given adjustment.
    void desdeWebcam(const QImage& imagen, const Ajustes& ajustes);
    // A quarter turn of the unadjusted picture and of the source, keeping the
    // adjustment.
    void rotar();
    // The framed pixels become the unadjusted picture; the source stays whole so
    // the operator can frame again.
    void encuadrada(const QImage& imagen);
    void fijarAjustes(const Ajustes& ajustes);
    // Back to the unadjusted picture.
    void deshacer() { fijarAjustes({}); }

    // The adjusted picture stretched over the display box.
    const QImage& paraCaja() const { return mostrada_; }
    // Writes what the box shows as the working photograph, atomically. Returns an
    // empty text when done, else the message.
    QString guardar(const QString& ruta) const;

private:
    void originalCambiado();
    void recalcular();

    QImage fuente_;
    QImage original_;
    Ajustes ajustes_;
    QImage caja_;                 // the unadjusted picture stretched over the box
    imagen::Tabla nivelesAuto_{}; // automatic levels of the unadjusted picture
    QImage mostrada_;
};
