#include "groups/MenuPrincipal.h"

#include "app/Globales.h"

MenuPrincipal::MenuPrincipal(De1& de1, QWidget* parent) : QMainWindow(parent), de1_(de1) {
    setObjectName(QStringLiteral("MenuPrincipal"));
    setWindowTitle(kTituloAplicacion);
    resize(1024, 700);
}
