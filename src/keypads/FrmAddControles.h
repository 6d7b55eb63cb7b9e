#pragma once
// Keypad assignment: pairs each examinee of the selected group with a keypad.

#include <QDialog>

class De1;
class Receptor;
class Seleccion;

class FrmAddControles : public QDialog {
    Q_OBJECT
public:
    FrmAddControles(De1& de1, const Seleccion& seleccion, Receptor& receptor,
                    QWidget* parent = nullptr);

private:
    De1& de1_;
    const Seleccion& seleccion_;
    Receptor& receptor_;
};
