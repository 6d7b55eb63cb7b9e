#pragma once
// The fingerprint window: reads one finger and leaves it as the working
// fingerprint "Huella.bmp"; a thin face over CapturaHuella.

#include <QDialog>

class CapturaHuella;
class LectorHuellas;
class QLabel;
class QPushButton;

class ObtenerHuella : public QDialog {
    Q_OBJECT
public:
    // The capture box's size: the saved picture has this size too.
    static constexpr QSize kCaja = QSize(180, 240);

    explicit ObtenerHuella(LectorHuellas& lector, QWidget* parent = nullptr);
    CapturaHuella& captura() { return *captura_; }

    // Closing by any means but "Cancelar" during the processing is refused: the
    // file is already written and the window closes by itself moments later.
    void reject() override;

protected:
    void showEvent(QShowEvent* e) override;

private:
    void mostrarError();

    CapturaHuella* captura_;
    QLabel* lblTitulo_;
    QLabel* lblDescripcion_;
    QLabel* picHuella_;
    QWidget* lampara_;
    QLabel* image1_;
    QPushButton* command1_;
    bool iniciada_ = false;
};

// Makes the person editor offer "Obtener huella" with this window on the shared reader.
void instalarCapturaHuella();
