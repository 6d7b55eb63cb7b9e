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

// The folder of the executable, unless a test set another one (which then also
// holds the program's own files).
QString carpetaPrograma();
void fijarCarpetaPrograma(const QString& carpeta);

// The program's own read-only files ("wap.bin", "Anonimo.jpg", "Pregunta.jpg",
// "Bien.wav"): beside the executable in a build and on Windows; in the installed
// data folder (the executable's ../share/tavelmo) otherwise.
QString carpetaArchivosPrograma();
QString archivoPrograma(const QString& nombre);
// The choice above for an executable in `carpetaEjecutable`.
QString elegirCarpetaArchivos(const QString& carpetaEjecutable);
// True when the program's files come from an installed data folder.
bool instalado();

// Where the program writes: the working image files ("Foto.jpg", ...) and the
// default templates folder. Off Windows the per-user data folder, created on first
// use, since an installed program folder is not writable; on Windows the program
// folder, as the office knows it.
QString carpetaTrabajo();
void fijarCarpetaTrabajo(const QString& carpeta);
QString enCarpetaTrabajo(const QString& nombre);

// Chosen once at start-up; the person image store lives under it.
QString carpetaPlantillas();
void fijarCarpetaPlantillas(const QString& carpeta);

} // namespace rutas
