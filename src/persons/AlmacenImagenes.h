#pragma once
// The person image store: working image files in the working folder (the hand-off
// between the capture windows and the person editor) and stored files under the
// templates folder, named from the person code and protected from casual change.

#include <QImage>
#include <QSize>
#include <QString>
#include <QStringList>

namespace almacen {

enum class TipoImagen { Foto, Firma, Huella };

// "Foto.jpg", "Firma.jpg" or "Huella.bmp" in the working folder (rutas::carpetaTrabajo).
QString archivoTrabajo(TipoImagen tipo);
// "Firma.bmp" in the working folder: the signature as drawn, opened or scanned,
// before it is framed and accepted as "Firma.jpg".
QString fuenteFirma();
// The 8-digit person number: zero-padded, only the last 8 digits of longer codes.
QString numeroPersona(qint64 codigoPersona);
// Templates folder + "~pha/~pha$" + number + ".pha" (resp. ~sia, ~fia).
QString rutaGuardada(TipoImagen tipo, qint64 codigoPersona);
// The stored photograph when there is one, else the placeholder "Anonimo.jpg".
QString fotoParaMostrar(qint64 codigoPersona);
// The stored photograph decoded, shrunk while decoding to fit `caja` when it is
// larger (a valid `caja` only); a null image when there is none or it cannot be
// read (a damaged file is no error).
QImage leerFoto(qint64 codigoPersona, const QSize& caja = {});
// Clears the protection of the file at the path, when there is one, and returns
// the path unchanged so it can be used as a copy target.
QString hacerEscribible(const QString& ruta);
// True when the stored file carries its protection (read-only; on Windows also
// hidden and system).
bool estaProtegido(const QString& ruta);
// Deletes the working files that exist, and the signature's source. Returns the
// ones that could not be deleted (a stale capture must not be taken for a new
// person's).
QStringList borrarArchivosTrabajo();
// Copies the kind's working file, when there is one, over the stored file and
// protects it. Returns an empty text when done or when nothing was pending, else a
// Spanish message naming the file. A failed copy leaves the stored file as it was.
QString guardarPendiente(TipoImagen tipo, qint64 codigoPersona);

} // namespace almacen
