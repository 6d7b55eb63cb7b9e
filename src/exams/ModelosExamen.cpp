#include "exams/ModelosExamen.h"

ModeloPreguntas::ModeloPreguntas(const EdicionExamen& edicion, QObject* padre)
    : QAbstractTableModel(padre), edicion_(edicion) {}

void ModeloPreguntas::recargar() {
    beginResetModel();
    filas_ = edicion_.preguntasListadas();
    endResetModel();
}

int ModeloPreguntas::fila(const QString& clave) const {
    for (int i = 0; i < filas_.size(); ++i)
        if (edicion_.preguntas().at(filas_.at(i)).clave == clave)
            return i;
    return -1;
}

int ModeloPreguntas::rowCount(const QModelIndex& padre) const {
    return padre.isValid() ? 0 : int(filas_.size());
}

int ModeloPreguntas::columnCount(const QModelIndex& padre) const {
    return padre.isValid() ? 0 : 1;
}

QVariant ModeloPreguntas::data(const QModelIndex& indice, int rol) const {
    if (!indice.isValid() || indice.row() >= filas_.size())
        return {};
    const EdicionExamen::Pregunta& p = edicion_.preguntas().at(filas_.at(indice.row()));
    switch (rol) {
    case Qt::DisplayRole:
        return p.texto;
    case Qt::UserRole:
        return p.clave;
    case kRolEtiqueta:
        return p.etiqueta();
    default:
        return {};
    }
}

QVariant ModeloPreguntas::headerData(int seccion, Qt::Orientation orientacion, int rol) const {
    if (orientacion == Qt::Horizontal && rol == Qt::DisplayRole && seccion == 0)
        return QStringLiteral("Pregunta");
    return {};
}

ModeloRespuestas::ModeloRespuestas(const EdicionExamen& edicion, QObject* padre)
    : QAbstractTableModel(padre), edicion_(edicion) {}

void ModeloRespuestas::recargar() {
    beginResetModel();
    filas_ = edicion_.respuestasListadas();
    endResetModel();
}

int ModeloRespuestas::fila(const QString& clave) const {
    for (int i = 0; i < filas_.size(); ++i)
        if (edicion_.respuestas().at(filas_.at(i)).clave == clave)
            return i;
    return -1;
}

int ModeloRespuestas::rowCount(const QModelIndex& padre) const {
    return padre.isValid() ? 0 : int(filas_.size());
}

int ModeloRespuestas::columnCount(const QModelIndex& padre) const {
    return padre.isValid() ? 0 : 2;
}

QVariant ModeloRespuestas::data(const QModelIndex& indice, int rol) const {
    if (!indice.isValid() || indice.row() >= filas_.size())
        return {};
    const EdicionExamen::Respuesta& r = edicion_.respuestas().at(filas_.at(indice.row()));
    switch (rol) {
    case Qt::DisplayRole:
        if (indice.column() == 0)
            return r.texto;
        return r.correcta ? QStringLiteral("Si") : QStringLiteral("No");
    case Qt::UserRole:
        return r.clave;
    case kRolEtiqueta:
        return r.etiqueta();
    default:
        return {};
    }
}

QVariant ModeloRespuestas::headerData(int seccion, Qt::Orientation orientacion, int rol) const {
    if (orientacion != Qt::Horizontal || rol != Qt::DisplayRole)
        return {};
    if (seccion == 0)
        return QStringLiteral("Respuesta");
    if (seccion == 1)
        return QStringLiteral("Correcta");
    return {};
}
