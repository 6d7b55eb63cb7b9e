#pragma once
// Small helpers so every window builds its controls the same way: actions drawn
// as labels or pictures are real buttons, and inputs carry their label's text.

#include <QString>

class QLabel;
class QPushButton;
class QWidget;
class QIcon;

// A flat button that looks like a clickable label (keyboard and screen-reader reachable).
QPushButton* botonEnlace(const QString& texto, const QString& nombreObjeto, QWidget* padre);
// The same look for a button made elsewhere (a window's .ui); its text names it.
void comoEnlace(QPushButton* boton);
// A flat button showing a picture, with an accessible name.
QPushButton* botonImagen(const QIcon& icono, const QString& nombreAccesible,
                         const QString& nombreObjeto, QWidget* padre);
void comoImagen(QPushButton* boton, const QIcon& icono, const QString& nombreAccesible);
// Gives the input its label's text as accessible name and makes the label its buddy.
void rotular(QLabel* etiqueta, QWidget* entrada);
