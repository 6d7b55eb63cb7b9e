#include "persons/FrmNMPersona.h"

FrmNMPersona::FrmNMPersona(De1& de1, QWidget* parent) : QDialog(parent), de1_(de1) {
    setObjectName(QStringLiteral("FrmNMPersona"));
    setWindowTitle(QStringLiteral("Administracion de personas"));
}
