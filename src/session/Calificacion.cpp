#include "session/Calificacion.h"

#include "app/Claves.h"
#include "session/MatrizRespuestas.h"
#include "session/PreguntasExamen.h"

int ValorTecla(const QString& celda) {
    if (celda.isEmpty())
        return 0;
    const QChar c = celda.at(0);
    if (celda.size() == 1 && c >= u'0' && c <= u'9')
        return c.unicode() - u'0';
    return -1;
}

Calificacion Calificar(const QList<PreguntaExamen>& preguntas, const MatrizRespuestas& matriz,
                       int evaluado) {
    Calificacion c;
    for (int q = 0; q < preguntas.size(); ++q) {
        ++c.preguntas;
        if (ValorTecla(matriz.celda(evaluado, q)) == preguntas.at(q).posicionCorrecta())
            ++c.correctas;
        else
            ++c.incorrectas;
    }
    c.porcentaje = c.preguntas > 0 ? double(c.correctas) * 100.0 / double(c.preguntas) : 0.0;
    c.veredicto = c.porcentaje >= Calificacion::kPorcentajeAprobacion ? Calificacion::kAprobado
                                                                      : Calificacion::kReprobado;
    return c;
}

QList<EntradaIni> EntradasRegistroRespuestas(const MatrizRespuestas& matriz, int evaluados,
                                             int preguntas) {
    QList<EntradaIni> entradas;
    entradas.reserve(qsizetype(evaluados) * preguntas);
    for (int k = 0; k < evaluados; ++k)
        for (int q = 0; q < preguntas; ++q) {
            const ClaveIni clave = claves::respuestaRegistrada(k + 1, q + 1);
            entradas.append({clave.seccion, clave.clave, matriz.celda(k, q)});
        }
    return entradas;
}
