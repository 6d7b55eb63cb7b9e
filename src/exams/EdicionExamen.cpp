#include "exams/EdicionExamen.h"

#include <QPainter>

namespace {

QString clave(qsizetype posicion) {
    return QStringLiteral("K") + QString::number(posicion);
}

QString etiquetaDe(const std::optional<qint32>& codigo) {
    return codigo ? QString::number(*codigo) : QStringLiteral("new");
}

bool vacio(const QString& texto) {
    return texto.trimmed().isEmpty();
}

} // namespace

QString EdicionExamen::Pregunta::etiqueta() const {
    return etiquetaDe(codigo);
}

QString EdicionExamen::Respuesta::etiqueta() const {
    return etiquetaDe(codigo);
}

QString EdicionExamen::cargarPregunta(const QString& texto, qint32 codigo, const QImage& foto) {
    Pregunta p;
    p.texto = texto;
    p.codigo = codigo;
    p.clave = clave(preguntas_.size() + 1);
    p.foto = foto.isNull() ? QImage() : cuadrado(foto);
    preguntas_.append(p);
    preguntaSel_ = int(preguntas_.size()) - 1;
    respuestaSel_ = -1;
    return p.clave;
}

void EdicionExamen::cargarRespuesta(const QString& clavePregunta, const QString& texto,
                                    qint32 codigo, bool correcta) {
    Respuesta r;
    r.texto = texto;
    r.codigo = codigo;
    r.clave = clave(respuestas_.size() + 1);
    r.correcta = correcta;
    r.clavePregunta = clavePregunta;
    respuestas_.append(r);
}

EdicionExamen::Resultado EdicionExamen::agregarPregunta(const QString& texto) {
    if (vacio(texto))
        return Resultado::TextoVacio;
    if (preguntaListada(texto, -1))
        return Resultado::Duplicada;
    Pregunta p;
    p.texto = texto;
    p.clave = clave(preguntas_.size() + 1);
    preguntas_.append(p);
    preguntaSel_ = int(preguntas_.size()) - 1;
    respuestaSel_ = -1;
    return Resultado::Hecho;
}

EdicionExamen::Resultado EdicionExamen::corregirPregunta(const QString& texto) {
    if (vacio(texto))
        return Resultado::TextoVacio;
    if (preguntaSel_ < 0)
        return Resultado::ListaVacia;
    if (preguntaListada(texto, preguntaSel_))
        return Resultado::Duplicada;
    preguntas_[preguntaSel_].texto = texto;
    return Resultado::Hecho;
}

EdicionExamen::Resultado EdicionExamen::puedeQuitarPregunta() const {
    return preguntaSel_ < 0 ? Resultado::ListaVacia : Resultado::Hecho;
}

void EdicionExamen::quitarPregunta() {
    if (preguntaSel_ < 0)
        return;
    const QList<int> antes = preguntasListadas();
    Pregunta& p = preguntas_[preguntaSel_];
    p.texto.clear();
    p.quitada = true;
    preguntaSel_ = vecina(antes, preguntaSel_);
    respuestaSel_ = -1;
}

EdicionExamen::Resultado EdicionExamen::agregarRespuesta(const QString& texto, bool correcta) {
    if (preguntaSel_ < 0)
        return Resultado::SinPregunta;
    if (vacio(texto))
        return Resultado::TextoVacio;
    if (respuestaListada(texto, -1))
        return Resultado::Duplicada;
    Respuesta r;
    r.texto = texto;
    r.clave = clave(respuestas_.size() + 1);
    r.correcta = correcta;
    r.clavePregunta = preguntas_.at(preguntaSel_).clave;
    respuestas_.append(r);
    respuestaSel_ = int(respuestas_.size()) - 1;
    return Resultado::Hecho;
}

EdicionExamen::Resultado EdicionExamen::corregirRespuesta(const QString& texto, bool correcta) {
    if (vacio(texto))
        return Resultado::TextoVacio;
    if (respuestasListadas().isEmpty())
        return Resultado::ListaVacia;
    if (respuestaSel_ < 0)
        return Resultado::SinRespuesta;
    if (respuestaListada(texto, respuestaSel_))
        return Resultado::Duplicada;
    respuestas_[respuestaSel_].texto = texto;
    respuestas_[respuestaSel_].correcta = correcta;
    return Resultado::Hecho;
}

EdicionExamen::Resultado EdicionExamen::puedeQuitarRespuesta() const {
    if (respuestasListadas().isEmpty())
        return Resultado::ListaVacia;
    return respuestaSel_ < 0 ? Resultado::SinRespuesta : Resultado::Hecho;
}

void EdicionExamen::quitarRespuesta() {
    if (respuestaSel_ < 0)
        return;
    const QList<int> antes = respuestasListadas();
    Respuesta& r = respuestas_[respuestaSel_];
    r.texto.clear();
    r.quitada = true;
    respuestaSel_ = vecina(antes, respuestaSel_);
}

bool EdicionExamen::fijarFoto(const QImage& original) {
    if (preguntaSel_ < 0 || original.isNull())
        return false;
    preguntas_[preguntaSel_].foto = cuadrado(original);
    return true;
}

QImage EdicionExamen::cuadrado(const QImage& original) {
    if (original.width() == kLadoFoto && original.height() == kLadoFoto &&
        !original.hasAlphaChannel())
        return original.convertToFormat(QImage::Format_RGB32);
    QImage img(kLadoFoto, kLadoFoto, QImage::Format_RGB32);
    img.fill(Qt::white);
    if (!original.isNull()) {
        QPainter p(&img);
        p.setRenderHint(QPainter::SmoothPixmapTransform);
        p.drawImage(QRect(0, 0, kLadoFoto, kLadoFoto), original);
    }
    return img;
}

bool EdicionExamen::seleccionarPregunta(const QString& clave) {
    const int i = indicePregunta(clave);
    if (i < 0 || preguntas_.at(i).quitada)
        return false;
    if (i != preguntaSel_)
        respuestaSel_ = -1;
    preguntaSel_ = i;
    return true;
}

bool EdicionExamen::seleccionarRespuesta(const QString& clave) {
    const int i = indiceRespuesta(clave);
    if (i < 0 || !respuestasListadas().contains(i))
        return false;
    respuestaSel_ = i;
    return true;
}

const EdicionExamen::Pregunta* EdicionExamen::preguntaSeleccionada() const {
    return preguntaSel_ < 0 ? nullptr : &preguntas_.at(preguntaSel_);
}

const EdicionExamen::Respuesta* EdicionExamen::respuestaSeleccionada() const {
    return respuestaSel_ < 0 ? nullptr : &respuestas_.at(respuestaSel_);
}

QList<int> EdicionExamen::preguntasListadas() const {
    QList<int> r;
    for (int i = 0; i < preguntas_.size(); ++i)
        if (!preguntas_.at(i).quitada)
            r.append(i);
    return r;
}

QList<int> EdicionExamen::respuestasListadas() const {
    if (preguntaSel_ < 0)
        return {};
    return respuestasDe(preguntas_.at(preguntaSel_).clave);
}

QList<int> EdicionExamen::respuestasDe(const QString& clavePregunta) const {
    QList<int> r;
    for (int i = 0; i < respuestas_.size(); ++i)
        if (!respuestas_.at(i).quitada && respuestas_.at(i).clavePregunta == clavePregunta)
            r.append(i);
    return r;
}

QStringList EdicionExamen::preguntasDudosas() const {
    QStringList r;
    for (int i : preguntasListadas()) {
        int correctas = 0;
        const QList<int> suyas = respuestasDe(preguntas_.at(i).clave);
        for (int j : suyas)
            correctas += respuestas_.at(j).correcta ? 1 : 0;
        if (suyas.isEmpty() || correctas != 1)
            r.append(preguntas_.at(i).texto);
    }
    return r;
}

int EdicionExamen::indicePregunta(const QString& c) const {
    for (int i = 0; i < preguntas_.size(); ++i)
        if (preguntas_.at(i).clave == c)
            return i;
    return -1;
}

int EdicionExamen::indiceRespuesta(const QString& c) const {
    for (int i = 0; i < respuestas_.size(); ++i)
        if (respuestas_.at(i).clave == c)
            return i;
    return -1;
}

bool EdicionExamen::preguntaListada(const QString& texto, int excepto) const {
    for (int i : preguntasListadas())
        if (i != excepto && preguntas_.at(i).texto == texto)
            return true;
    return false;
}

bool EdicionExamen::respuestaListada(const QString& texto, int excepto) const {
    for (int i : respuestasListadas())
        if (i != excepto && respuestas_.at(i).texto == texto)
            return true;
    return false;
}

int EdicionExamen::vecina(const QList<int>& listados, int quitado) {
    const qsizetype pos = listados.indexOf(quitado);
    if (pos < 0)
        return -1;
    if (pos + 1 < listados.size())
        return listados.at(pos + 1);
    return pos > 0 ? listados.at(pos - 1) : -1;
}
