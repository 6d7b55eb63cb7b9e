#pragma once
// The entry routine's choices, apart from the windows: configuration file,
// templates folder, catalog connection, schema upgrade and operator code.

#include "data/De1.h"
#include "data/IndicesBusqueda.h"

#include <QString>

namespace arranque {

// "Red" + "\Templates" when that folder exists, else "Templates" in the folder the
// program writes to (rutas::carpetaTrabajo).
QString elegirCarpetaPlantillas(const QString& red, const QString& carpetaTrabajo);

// The key "Server" of section "Control": "sqlite:FILE" is an embedded catalog (a
// relative FILE is taken from the configuration file's folder); anything else is
// the SQL Server instance, reached through the ODBC driver named by "Driver".
ConfigConexion conexion(const QString& server, const QString& driver,
                        const QString& carpetaConfiguracion);

// The operator's code: the command line read as a number, halves to even.
qint32 responsable(const QString& lineaComandos);

// A configuration file that start-up cannot use; the text says why, in Spanish.
struct ErrorConfiguracion {
    QString texto;
};

// What start-up leaves for the windows.
struct Inicio {
    qint32 responsable = 0; // the operator's code
    QString aviso;          // what the operator must be told first, or empty
};

// Steps of start-up up to the main window: sets the configuration path and the
// templates folder, opens the catalog and upgrades the schema. Throws
// ErrorConfiguracion when the configuration file is not a file that can be read,
// and ErrorBD when the catalog cannot be reached or upgraded; the configuration
// tells which catalog was tried. The notice says a new embedded catalog was
// created, and where. A long upgrade (the search indexes of a large catalog, at
// the first start after it) tells its progress.
Inicio ejecutar(De1& de1, const QString& lineaComandos, ConfigConexion* usada = nullptr,
                const indices::Avance& avance = {});

// The notice of a new embedded catalog made at the given file.
QString avisoCatalogoNuevo(const QString& archivo);

} // namespace arranque
