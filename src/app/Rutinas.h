#pragma once
// Small routines shared by several windows.

#include <QString>

class QWidget;

// Trims the argument in place and returns it with each blank-separated piece in
// proper case (one-letter pieces in lower case); inner double blanks are kept.
QString NombrePropio(QString& texto);

// The drive the capture windows build their working files on: "F:" when the
// program folder lies on drive F, else "C:".
QString UnidadTrabajo();
QString UnidadTrabajoDe(const QString& carpetaPrograma);

// Plays a wave file of the program folder without waiting; silent when the file
// or an audio device is missing.
void ReproducirSonido(const QString& archivo);

void MantenerEncima(QWidget* ventana, bool encima);

int CursorX();
int CursorY();
