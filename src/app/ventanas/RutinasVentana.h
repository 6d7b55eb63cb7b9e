#pragma once
// Shared routines that act on the screen or the sound device.

#include <QString>

class QWidget;

// Plays a wave file of the program folder without waiting; silent when the file
// or an audio device is missing.
void ReproducirSonido(const QString& archivo);

void MantenerEncima(QWidget* ventana, bool encima);

int CursorX();
int CursorY();
