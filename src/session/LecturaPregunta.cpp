#include "session/LecturaPregunta.h"

#include "session/PreguntasExamen.h"

#include <QStringList>

namespace {

QString frase(const QString& texto) {
    QString f = texto.simplified();
    if (!f.isEmpty() && !QStringView(u".?!:;…").contains(f.back()))
        f += u'.';
    return f;
}

} // namespace

QString textoParaLeer(int numero, const PreguntaExamen& pregunta) {
    QStringList partes{QStringLiteral("Pregunta %1.").arg(numero)};
    if (const QString texto = frase(pregunta.texto); !texto.isEmpty())
        partes << texto;
    for (int i = 0; i < pregunta.respuestas.size(); ++i) {
        const QString respuesta = frase(pregunta.respuestas.at(i).texto);
        // An answer without text still has its key: it is named all the same.
        partes << (respuesta.isEmpty()
                       ? QStringLiteral("Respuesta %1.").arg(i + 1)
                       : QStringLiteral("Respuesta %1: %2").arg(QString::number(i + 1), respuesta));
    }
    return partes.join(u' ');
}
