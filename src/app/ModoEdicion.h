#pragma once
// What the group editor and the person editor are opened for. The office's
// programs know these as the letters "N", "M" and "Z".

enum class ModoEdicion {
    NuevoGrupo,      // "N": the group editor starts empty
    ModificarGrupo,  // "M": the group editor shows the selected group
    PersonaDelGrupo, // "Z": a new person started from the roster editor
};
