#pragma once
// A stored examination for the results tests: a group whose members answered an
// exam of three-answer questions, stored the way the session window stores it.

#include "data/De1.h"

#include <QDate>
#include <QList>
#include <QStringList>

struct SesionPrueba {
    qint32 responsable = 0; // "Operadora Núñez", the operator who ran it
    qint32 grupo = 0;
    qint32 examen = 0;
    QList<qint32> personas;
    qint64 sesion = 0;
};

// Examinee k has the name nombres[k] (or "Evaluado k+1"), the document 1000+k and
// the keypad 3+k; teclas[k] holds his key per question, ' ' for none. `correctas`
// gives each question's correct answer (1 to 3). With `anterior` the roster and
// the exam of an earlier call are examined again.
SesionPrueba guardarSesionPrueba(De1& db, const QStringList& teclas, const QString& correctas,
                                 const QDate& dia, const QStringList& nombres = {},
                                 const SesionPrueba* anterior = nullptr);
