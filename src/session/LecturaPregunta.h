#pragma once
// What is read aloud for a question: its number, its text, and each answer with
// the key that chooses it.

#include <QString>

struct PreguntaExamen;

// "Pregunta 3. <text>. Respuesta 1: <text>. Respuesta 2: ..." (`numero` 1-based).
// Line breaks and runs of blanks read as one space; each part ends in a stop so
// the voice pauses between them.
QString textoParaLeer(int numero, const PreguntaExamen& pregunta);
