#pragma once
// "Obtener firma": the signature drawn on the pad (opened at once), taken from a
// picture file or from a scanner, framed, and on "Aceptar" written as the
// working signature "Firma.jpg" for the person editor. The picture work is
// EdicionFirma's; this window only mirrors it.

#include "persons/EdicionFirma.h"
#include "persons/ventanas/VentanaCaptura.h"

class ObtenerFirma : public VentanaCaptura {
    Q_OBJECT
public:
    explicit ObtenerFirma(QWidget* padre = nullptr);

    const EdicionFirma& edicion() const { return edicion_; }

protected:
    void showEvent(QShowEvent* evento) override;

private:
    void construir();
    void desdePad();
    void desdeArchivo();
    void escaneada(const QImage& imagen) override;
    void encuadrar();
    void aceptar() override;
    // Takes the picture as the new signature; false (with the message shown) when
    // it could not be kept.
    bool tomar(const QImage& imagen, EdicionFirma::Origen origen);
    void mostrar();

    EdicionFirma edicion_;
    bool padAbierto_ = false; // the pad opens once, with the window
};

// Installs this window as the person editor's signature capture.
void instalarCapturaFirma();
