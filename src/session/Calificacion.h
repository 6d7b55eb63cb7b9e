#pragma once
// Scoring of one examinee against the answer key, and the log of the raw
// answers in the configuration file.

#include "app/Ini.h"

#include <QList>
#include <QString>

class MatrizRespuestas;
struct PreguntaExamen;

struct Calificacion {
    int preguntas = 0;
    int correctas = 0;
    int incorrectas = 0;
    double porcentaje = 0;
    QString veredicto;

    static inline const QString kAprobado = QStringLiteral("Aprobado");
    static inline const QString kReprobado = QStringLiteral("Reprobado");
    static constexpr double kPorcentajeAprobacion = 60.0;

    bool aprobado() const { return veredicto == kAprobado; }
};

// The key compared with the correct position: an empty cell is 0, a decimal
// digit its value; any other key is -1 and never matches.
int ValorTecla(const QString& celda);

// Scores examinee `evaluado` (0-based row of the matrix). 60 % or more passes.
Calificacion Calificar(const QList<PreguntaExamen>& preguntas, const MatrizRespuestas& matriz,
                       int evaluado);

// The answer log: section "Evaluado" k, key "Pregunta" q (both 1-based), value
// the key received or empty; every examinee, every question.
QList<EntradaIni> EntradasRegistroRespuestas(const MatrizRespuestas& matriz, int evaluados,
                                             int preguntas);
