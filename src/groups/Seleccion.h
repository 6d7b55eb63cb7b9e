#pragma once
// What the main window holds as the program's current selection: the windows it
// opens read the selected group, the roster and the selected test through this.

#include "groups/Grupo.h"

#include <QList>
#include <optional>

class Seleccion {
public:
    virtual ~Seleccion() = default;
    virtual std::optional<Grupo> grupoSeleccionado() const = 0;
    // The tag (CodigoExamen) of the selected test.
    virtual std::optional<qint32> examenSeleccionado() const = 0;
    // The roster, in the order shown (the order keypad positions follow).
    virtual QList<Evaluado> evaluados() const = 0;
};
