#pragma once
// "Obtener firma": the signature drawn on the pad (opened at once), taken from a
// picture file or from a scanner, framed, and on "Aceptar" written as the
// working signature "Firma.jpg" for the person editor. The picture work is
// EdicionFirma's; this window only mirrors it.

#include "persons/EdicionFirma.h"

#include <QDialog>

class PanelEscaner;
class QLabel;
class QLineEdit;

class ObtenerFirma : public QDialog {
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
    void escanear();
    void escaneada(const QImage& imagen);
    void encuadrar();
    void aceptar();
    // Takes the picture as the new signature; false (with the message shown) when
    // it could not be kept.
    bool tomar(const QImage& imagen, EdicionFirma::Origen origen);
    void mostrar();
    void habilitar(bool habilitado);

    EdicionFirma edicion_;
    bool padAbierto_ = false; // the pad opens once, with the window

    QLabel* im1_ = nullptr;
    QLineEdit* text1_ = nullptr;
    PanelEscaner* escaner_ = nullptr;
    QList<QWidget*> acciones_; // disabled while the scanner works
};

// Installs this window as the person editor's signature capture.
void instalarCapturaFirma();
