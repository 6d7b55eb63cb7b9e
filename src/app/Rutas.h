#pragma once
// Every path the program uses. The office's paths are written as on Windows
// ("C:\Quenvar\QuenvarMRX.ini"); elsewhere a drive's root is a folder: drive C:
// is $QUENVAR_ROOT (by default ~/.quenvar), another drive X: is $QUENVAR_ROOT/unidad-X.

#include <QString>

namespace rutas {

// A Windows-style path made local: drive letter mapped, backslashes as separators.
QString local(const QString& rutaWindows);

QString raizUnidadC();

// "C:\Quenvar\QuenvarMRX.ini"
QString archivoConfiguracion();
// "C:\QuenvarCarab.ini", whose presence hides the maker's label of the exam window.
QString archivoMarca();
// "Zarn.Ini" of the Windows folder: where the configuration routines write while
// the configuration path is still empty.
QString archivoZarn();

// The folder of the executable, unless a test set another one.
QString carpetaPrograma();
void fijarCarpetaPrograma(const QString& carpeta);
// A file of the program folder ("Anonimo.jpg", "Foto.jpg", ...).
QString enCarpetaPrograma(const QString& nombre);

// Chosen once at start-up; the person image store lives under it.
QString carpetaPlantillas();
void fijarCarpetaPlantillas(const QString& carpeta);

} // namespace rutas
