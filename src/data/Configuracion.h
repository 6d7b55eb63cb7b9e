#pragma once
// Office-wide settings: rows of Item and Valor in the table Configuracion, and
// the result items of the table Items.

#include <QString>

class De1;

// The Valor of the item; empty text when the item, the table or the value is missing.
QString LeerConfiguracion(De1& de1, const QString& item);
// Sets the item's value, adding the row when there is none. Throws ErrorBD.
void GuardarConfiguracion(De1& de1, const QString& item, const QString& valor);
// The CodigoItem of the description (the lowest when there are several), adding
// the row when there is none. Two workstations must not add it at once: callers
// that may race hold a transaction that serialises them (see RegistroResultados).
// Throws ErrorBD.
qint32 ObtenerCodigoItem(De1& de1, const QString& descripcion);
