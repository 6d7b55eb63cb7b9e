#pragma once
// "Obtener fotografía": takes the photograph from a scanner or the webcam, turns,
// frames and adjusts it, and on "Aceptar" writes what the display box shows as
// the working photograph "Foto.jpg" for the person editor. The picture work is
// EdicionFoto's; this window only mirrors it.

#include "persons/EdicionFoto.h"

#include <QDialog>

class PanelEscaner;
class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QScrollBar;

class ObtenerFoto : public QDialog {
    Q_OBJECT
public:
    explicit ObtenerFoto(QWidget* padre = nullptr);

    const EdicionFoto& edicion() const { return edicion_; }

private:
    void construir();
    void escanear();
    void escaneada(const QImage& imagen);
    void webcam();
    void rotar();
    void encuadrar();
    void deshacer();
    void aceptar();
    void ajusteCambiado();
    // Shows the adjustment on the controls and the picture in the box.
    void mostrar(const EdicionFoto::Ajustes& ajustes);
    void habilitar(bool habilitado);

    EdicionFoto edicion_;
    bool mostrando_ = false;

    QLabel* im1_ = nullptr;
    QLineEdit* text1_ = nullptr;
    QCheckBox* check1_ = nullptr;
    QScrollBar* h1_ = nullptr;
    QScrollBar* h2_ = nullptr;
    QLabel* l1_ = nullptr;
    QLabel* l2_ = nullptr;
    PanelEscaner* escaner_ = nullptr;
    QList<QWidget*> acciones_; // disabled while the scanner works
};

// Installs this window as the person editor's photograph capture.
void instalarCapturaFoto();
