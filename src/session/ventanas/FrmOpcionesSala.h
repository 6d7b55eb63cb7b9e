#pragma once
// The room's options, set before an exam starts: the projector screen (this
// workstation's configuration file) and the office's options for every
// session ("Siguiente pregunta", questions read aloud; the settings table).

#include <QDialog>

class De1;
class QCheckBox;
class QComboBox;
class QLabel;

class FrmOpcionesSala : public QDialog {
    Q_OBJECT
public:
    // A non-empty `motivoSinVoz` says why questions cannot be read aloud here; the
    // option is then shown off and cannot be changed.
    FrmOpcionesSala(De1& de1, const QString& motivoSinVoz = {}, QWidget* parent = nullptr);

    void accept() override;

private:
    void cargar();

    De1& de1_;
    bool conVoz_;
    QComboBox* comboPantalla_ = nullptr;
    QCheckBox* chkSiguiente_ = nullptr;
    QCheckBox* chkLeer_ = nullptr;
};
