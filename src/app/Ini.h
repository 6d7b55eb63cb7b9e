#pragma once
// The workstation's configuration file, read and written as the Windows
// profile-string functions do: "ERROR" for a missing file, section or key, at
// most 127 characters returned, names not case-sensitive, Windows-1252 text,
// other sections, keys and comments kept on write. Nothing is cached.

#include <QList>
#include <QString>

struct EntradaIni {
    QString seccion;
    QString clave;
    QString valor;
};

namespace ini {
// The configuration file's path; while it is empty the routines use "Zarn.Ini".
QString ruta();
void fijarRuta(const QString& ruta);
} // namespace ini

QString LeerIni(const QString& seccion, const QString& clave);

// Writes one value, replacing the file atomically. False when the file could not
// be written (the previous file then stays as it was).
bool EscribirIni(const QString& seccion, const QString& clave, const QString& valor);

// Writes many values with one read and one atomic write of the file.
bool EscribirIniLote(const QList<EntradaIni>& entradas);
