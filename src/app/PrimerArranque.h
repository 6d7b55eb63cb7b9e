#pragma once
// The first start of an installed program, before any configuration file exists:
// a configuration for an embedded catalog in the user's data folder, or the
// instructions to point the program at the office's SQL Server.

#include <QString>

namespace primerarranque {

bool faltaConfiguracion();

// The embedded catalog the created configuration names.
QString archivoCatalogoLocal();

// Writes the configuration file with "Server=sqlite:" and the catalog above, and
// makes the image store's folders under the default templates folder (which an
// office's network folder would otherwise provide). An existing configuration
// file is left alone. Empty text when done, else a Spanish message.
QString crearConfiguracionLocal();

// What to write in the configuration file to use the office's SQL Server.
QString instruccionesSqlServer();

} // namespace primerarranque
