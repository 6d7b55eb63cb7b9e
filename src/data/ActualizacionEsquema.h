#pragma once

#include "data/IndicesBusqueda.h"

class De1;

// Brings the program's own tables (Grupos, GruposPersonas, and the sessions'
// record SesionesExamen, PreguntasSesion, EvaluadosSesion, RespuestasSesion) up
// to the current version, recorded as "DBVersionTavelmo" in the settings table.
// All in one exclusive transaction: a failure leaves nothing created and no
// version written, and two programs upgrading at once do it one after the other. A table
// or column that already exists is not created again. Throws ErrorBD.
// Returns the number of statements executed. A long step (the search indexes of
// a large catalog, once) tells its progress.
int ActualizarEsquema(De1& de1, const indices::Avance& avance = {});

inline constexpr int kVersionEsquema = 5;
