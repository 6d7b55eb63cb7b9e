#pragma once
// Shared routines that act on the screen or the sound device.

#include <QString>

class QWidget;

// Plays one of the program's own wave files without waiting; silent when the file
// or an audio device is missing.
void ReproducirSonido(const QString& archivo);

void MantenerEncima(QWidget* ventana, bool encima);

int CursorX();
int CursorY();
