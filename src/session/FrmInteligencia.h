#pragma once
// The exam session: runs the selected test for the listed examinees.

#include <QDialog>

class De1;
class Receptor;
class Seleccion;

class FrmInteligencia : public QDialog {
    Q_OBJECT
public:
    FrmInteligencia(De1& de1, const Seleccion& seleccion, Receptor& receptor,
                    QWidget* parent = nullptr);

private:
    De1& de1_;
    const Seleccion& seleccion_;
    Receptor& receptor_;
};
