#include "session/FrmInteligencia.h"

FrmInteligencia::FrmInteligencia(De1& de1, const Seleccion& seleccion, Receptor& receptor,
                                 QWidget* parent)
    : QDialog(parent), de1_(de1), seleccion_(seleccion), receptor_(receptor) {
    setObjectName(QStringLiteral("FrmInteligencia"));
}
