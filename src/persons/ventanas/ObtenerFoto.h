#pragma once
// "Obtener fotografía": takes the photograph from a scanner or the webcam, turns,
// frames and adjusts it, and on "Aceptar" writes what the display box shows as
// the working photograph "Foto.jpg" for the person editor. The picture work is
// EdicionFoto's; this window only mirrors it.

#include "persons/EdicionFoto.h"
#include "persons/ventanas/VentanaCaptura.h"

class QCheckBox;
class QScrollBar;

class ObtenerFoto : public VentanaCaptura {
    Q_OBJECT
public:
    explicit ObtenerFoto(QWidget* padre = nullptr);

    const EdicionFoto& edicion() const { return edicion_; }

private:
    void construir();
    void escaneada(const QImage& imagen) override;
    void webcam();
    void rotar();
    void encuadrar();
    void deshacer();
    void aceptar() override;
    void ajusteCambiado();
    // Shows the adjustment on the controls and the picture in the box.
    void mostrar(const EdicionFoto::Ajustes& ajustes);
    void habilitar(bool habilitado) override;

    EdicionFoto edicion_;
    bool mostrando_ = false;

    QCheckBox* check1_ = nullptr;
    QScrollBar* h1_ = nullptr;
    QScrollBar* h2_ = nullptr;
    QLabel* l1_ = nullptr;
    QLabel* l2_ = nullptr;
};

// Installs this window as the person editor's photograph capture.
void instalarCapturaFoto();
