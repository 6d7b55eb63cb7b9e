#pragma once
// The questions of an exam as a session runs them, with their answers: read
// once when the session starts and used both on screen and as the answer key.

#include <QByteArray>
#include <QList>
#include <QString>

class De1;

struct RespuestaExamen {
    qint32 codigo = 0;
    QString texto;
    bool correcta = false;
};

struct PreguntaExamen {
    qint32 codigo = 0;
    QString texto;
    double limite = 0;                 // seconds, as read from Tiempo
    QByteArray foto;                   // picture file bytes; empty when there is none
    QList<RespuestaExamen> respuestas; // in Orden

    // 1-based place of the last answer marked correct; 0 when none is.
    int posicionCorrecta() const;
};

// The exam's real questions (Ensayo = 0) in Orden, each with its answers in Orden.
// Two statements whatever the number of questions. Throws ErrorBD.
QList<PreguntaExamen> CargarPreguntas(De1& de1, qint32 examen);
