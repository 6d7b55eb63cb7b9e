#pragma once
// The workstation's configuration file, read and written as the Windows
// profile-string functions do: "ERROR" for a missing file, section or key, at
// most 127 characters returned, names not case-sensitive, Windows-1252 text,
// the first of a repeated section or key is the one read and written, other
// sections, keys and comments kept on write. Nothing is cached.

#include <QByteArray>
#include <QList>
#include <QString>
#include <optional>

struct EntradaIni {
    QString seccion;
    QString clave;
    QString valor;
};

namespace ini {
// The configuration file's path; while it is empty the routines use "Zarn.Ini".
QString ruta();
void fijarRuta(const QString& ruta);

// A file larger than this is not a configuration file; the answer log of a full
// room takes under 100 KB.
inline constexpr qint64 kTamanoMaximo = qint64{4} * 1024 * 1024;

// Why the configuration file cannot be used, in Spanish: not a regular file, too
// large or unreadable. Empty when it can be used or does not exist yet.
QString problema();

// The same rules applied to the file's bytes, without touching the disk.
// What LeerIni returns for these bytes.
QString leerEn(const QByteArray& datos, const QString& seccion, const QString& clave);
// Every value a read can reach, once per section and key, as LeerIni returns it.
QList<EntradaIni> entradasEn(const QByteArray& datos);
// The bytes after writing the entries; none when a section or key name cannot be
// written (empty, or holding a line break, "]" in a section, "=" in a key).
std::optional<QByteArray> escribirEn(const QByteArray& datos, const QList<EntradaIni>& entradas);
} // namespace ini

QString LeerIni(const QString& seccion, const QString& clave);

// Writes one value, replacing the file atomically. False when the file could not
// be written (the previous file then stays as it was).
bool EscribirIni(const QString& seccion, const QString& clave, const QString& valor);

// Writes many values with one read and one atomic write of the file.
bool EscribirIniLote(const QList<EntradaIni>& entradas);
