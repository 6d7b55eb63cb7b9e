#pragma once
// The person editor: creates one new examinee with his images.

#include <QDialog>

class De1;

class FrmNMPersona : public QDialog {
    Q_OBJECT
public:
    explicit FrmNMPersona(De1& de1, QWidget* parent = nullptr);
    // The code of the person saved, 0 until a save succeeded.
    qint64 codigoGuardado() const { return codigoGuardado_; }

private:
    De1& de1_;
    qint64 codigoGuardado_ = 0;
};
