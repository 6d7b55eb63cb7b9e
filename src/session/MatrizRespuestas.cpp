#include "session/MatrizRespuestas.h"

void MatrizRespuestas::reconstruir(int evaluados, int preguntas) {
    evaluados_ = std::max(0, evaluados);
    preguntas_ = std::max(0, preguntas);
    celdas_.assign(size_t(evaluados_) * size_t(preguntas_), u'\0');
}

QString MatrizRespuestas::celda(int evaluado, int pregunta) const {
    if (evaluado < 0 || evaluado >= evaluados_ || pregunta < 0 || pregunta >= preguntas_)
        return QString();
    const char16_t c = celdas_[size_t(evaluado) * size_t(preguntas_) + size_t(pregunta)];
    return c ? QString(QChar(c)) : QString();
}

bool MatrizRespuestas::fijar(int evaluado, int pregunta, QChar tecla) {
    if (evaluado < 0 || evaluado >= evaluados_ || pregunta < 0 || pregunta >= preguntas_ ||
        tecla.isNull())
        return false;
    celdas_[size_t(evaluado) * size_t(preguntas_) + size_t(pregunta)] = tecla.unicode();
    return true;
}
