#include "session/PreguntasExamen.h"

#include "app/Texto.h"
#include "data/De1.h"

#include <QHash>
#include <QSqlQuery>

int PreguntaExamen::posicionCorrecta() const {
    int posicion = 0;
    for (int i = 0; i < respuestas.size(); ++i)
        if (respuestas.at(i).correcta)
            posicion = i + 1;
    return posicion;
}

QList<PreguntaExamen> CargarPreguntas(De1& de1, qint32 examen) {
    const QVariant real = de1.dialecto().booleano(false);
    QList<PreguntaExamen> preguntas;
    QHash<qint32, qsizetype> indice;
    QSqlQuery q = de1.ejecutar(
        QStringLiteral("SELECT CodigoPregunta, Pregunta, Tiempo, Foto FROM Preguntas "
                       "WHERE Ensayo = ? AND Valoracion = ? ORDER BY Orden, CodigoPregunta"),
        {real, examen});
    while (q.next()) {
        PreguntaExamen p;
        p.codigo = q.value(0).toInt();
        p.texto = q.value(1).toString();
        // Tiempo is read from the leading digits of its text; none gives 0.
        p.limite = q.value(2).isNull() ? 0.0 : texto::Val(q.value(2).toString());
        p.foto = q.value(3).toByteArray();
        indice.insert(p.codigo, preguntas.size());
        preguntas.append(p);
    }
    if (preguntas.isEmpty())
        return preguntas;
    QSqlQuery r = de1.ejecutar(
        QStringLiteral("SELECT r.Pregunta, r.CodigoRespuesta, r.Respuesta, r.Correcta "
                       "FROM Respuestas r INNER JOIN Preguntas p ON r.Pregunta = p.CodigoPregunta "
                       "WHERE p.Ensayo = ? AND p.Valoracion = ? "
                       "ORDER BY r.Pregunta, r.Orden, r.CodigoRespuesta"),
        {real, examen});
    while (r.next()) {
        const auto it = indice.constFind(r.value(0).toInt());
        if (it == indice.constEnd())
            continue;
        RespuestaExamen a;
        a.codigo = r.value(1).toInt();
        a.texto = r.value(2).toString();
        a.correcta = r.value(3).toBool();
        preguntas[*it].respuestas.append(a);
    }
    return preguntas;
}
