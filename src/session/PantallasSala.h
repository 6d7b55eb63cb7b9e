#pragma once
// Which screen shows the room the questions and which one the operator's console,
// from the screens the workstation has and the one the operator chose. Plain data
// in and out, so the rule is tried without windows or real screens.

#include <QList>
#include <QRect>
#include <QString>

struct PantallaSala {
    QString nombre;
    QRect geometria;  // the whole screen
    QRect disponible; // less the desktop's panels
    bool primaria = false;
};

struct ColocacionSala {
    // Indexes into the screens given; -1 when there is no screen at all.
    int vista = -1;
    int consola = -1;
    // The view always fills its screen.
    QRect marcoVista;
    // The console fills its own screen's free area, or, sharing the view's screen,
    // sits as a small window in its lower right corner.
    QRect marcoConsola;
    bool consolaAparte = false;
};

// The view goes to the screen named `elegida`. Without that screen (never
// chosen, or disconnected) it goes to a screen other than the primary one, the
// projector being the extra screen of a workstation; with one screen, there. The
// console takes the primary screen when the view left it free, else the first
// other screen.
ColocacionSala colocarSala(const QList<PantallaSala>& pantallas, const QString& elegida);
