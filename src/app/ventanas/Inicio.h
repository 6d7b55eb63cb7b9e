#pragma once
// What the program asks before start-up: on the first run of an installed program
// the configuration, and the operator code when the menu started it without one.

#include "app/LineaComandos.h"
#include "app/ventanas/Dialogos.h"

#include <optional>

namespace inicio {

// The desktop entry's name, so the desktop pairs the windows with the menu entry and its icon.
inline constexpr char kIdEscritorio[] = "org.tavelmo.Tavelmo";
void identificarAplicacion();

struct Decision {
    // Start-up goes on with `codigo` as the command line; else the program ends with `estado`.
    bool seguir = true;
    int estado = 0;
    QString codigo;
};

Decision antesDeArrancar(const lineacomandos::Resultado& linea, Dialogos& dialogos);

// No configuration file: says where it is expected and offers to create one for an
// embedded catalog, or shows how to use the office's SQL Server.
Decision ofrecerConfiguracion(Dialogos& dialogos);

// Asks until a valid code is typed; nothing when the operator cancels.
std::optional<qint32> pedirCodigo(Dialogos& dialogos);

} // namespace inicio
