#pragma once
// What the signature window holds and does, without its controls: the source
// picture (as drawn, opened or scanned; what framing shows and what
// "Firma.bmp" holds) and the picture shown in the 233 x 133 display box, the
// source or its framed part. "Aceptar" writes the shown picture stretched over
// the box, rendered from the picture itself.

#include <QImage>
#include <QSize>
#include <QString>

class EdicionFirma {
public:
    // The display box: 3500 x 2000 twips at 15 twips per pixel.
    static constexpr QSize kCaja{233, 133};
    // A drawing wider than this is shrunk.
    static constexpr int kAnchoMaximoPad = 700;
    // A file 601 pixels wide or more is shrunk to this.
    static constexpr int kAnchoMaximoArchivo = 600;

    enum class Origen { Pad, Archivo, Escaner };

    bool tieneFirma() const { return !fuente_.isNull(); }
    const QImage& fuente() const { return fuente_; }
    // The source or its framed part, at its own size.
    const QImage& mostrada() const { return mostrada_; }
    // The shown picture stretched over the display box.
    QImage paraCaja() const;

    // Takes a new source: shrunk as its origin asks, written as "Firma.bmp" and
    // shown whole. Returns an empty text when done, else the message; the window's
    // signature and "Firma.bmp" then stay as they were.
    QString tomar(const QImage& imagen, Origen origen);
    // What the pad left when the examinee drew nothing new: the "Firma.bmp" of an
    // earlier drawing in this person's capture, shown as it is. False when there
    // is none or it holds no ink.
    bool recuperarFuente();
    // The framed pixels replace the shown picture; the source stays whole so the
    // operator can frame again.
    void encuadrada(const QImage& imagen);

    // Writes what the box shows as the working signature, atomically. Returns an
    // empty text when done, else the message.
    QString guardar(const QString& ruta) const;

    // A picture of a single colour: a pad accepted without a stroke.
    static bool enBlanco(const QImage& imagen);
    // A picture file as an opaque picture (transparency on white). Null with the
    // message in `error` when it cannot be read.
    static QImage leerArchivo(const QString& ruta, QString* error);

private:
    QImage fuente_;
    QImage mostrada_;
};
