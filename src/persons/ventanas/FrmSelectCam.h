#pragma once
// "Video Source": the cameras the system has, the connected one selected;
// "Select" connects the chosen one.

#include <QDialog>

class Camara;
class QComboBox;

class FrmSelectCam : public QDialog {
    Q_OBJECT
public:
    explicit FrmSelectCam(Camara& camara, QWidget* padre = nullptr);

private:
    void seleccionar();

    Camara& camara_;
    QComboBox* lista_ = nullptr;
};
