#pragma once
// A box holding the default "Sin datos": on receiving the focus it selects its
// first 40 characters so that typing replaces the default. The selection is made
// again once the event that brought the focus (a click) is over.

#include <QLineEdit>

class CajaSinDatos : public QLineEdit {
    Q_OBJECT
public:
    using QLineEdit::QLineEdit;

protected:
    void focusInEvent(QFocusEvent* e) override;

private:
    void seleccionar();
};
