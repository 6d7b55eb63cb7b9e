#include "persons/ventanas/CajaSinDatos.h"

#include <QTimer>

void CajaSinDatos::focusInEvent(QFocusEvent* e) {
    QLineEdit::focusInEvent(e);
    seleccionar();
    QTimer::singleShot(0, this, [this] {
        if (hasFocus())
            seleccionar();
    });
}

void CajaSinDatos::seleccionar() {
    setSelection(0, int(qMin<qsizetype>(40, text().size())));
}
