#pragma once
// The exam editor's two lists over its edit: the questions kept, and the kept
// answers of the selected question. Each row carries its entry's key under
// Qt::UserRole and the entry's code (or "new") under kRolEtiqueta.

#include "exams/EdicionExamen.h"

#include <QAbstractTableModel>
#include <QList>

inline constexpr int kRolEtiqueta = Qt::UserRole + 1;

// One column, "Pregunta": the questions in the order they were added.
class ModeloPreguntas : public QAbstractTableModel {
    Q_OBJECT
public:
    ModeloPreguntas(const EdicionExamen& edicion, QObject* padre);
    // Follows the edit after a change.
    void recargar();
    // The row of the entry with that key, or -1.
    int fila(const QString& clave) const;

    int rowCount(const QModelIndex& padre = {}) const override;
    int columnCount(const QModelIndex& padre = {}) const override;
    QVariant data(const QModelIndex& indice, int rol) const override;
    QVariant headerData(int seccion, Qt::Orientation orientacion, int rol) const override;

private:
    const EdicionExamen& edicion_;
    QList<int> filas_;
};

// "Respuesta" and "Correcta" ("Si"/"No"): the selected question's answers.
class ModeloRespuestas : public QAbstractTableModel {
    Q_OBJECT
public:
    ModeloRespuestas(const EdicionExamen& edicion, QObject* padre);
    void recargar();
    int fila(const QString& clave) const;

    int rowCount(const QModelIndex& padre = {}) const override;
    int columnCount(const QModelIndex& padre = {}) const override;
    QVariant data(const QModelIndex& indice, int rol) const override;
    QVariant headerData(int seccion, Qt::Orientation orientacion, int rol) const override;

private:
    const EdicionExamen& edicion_;
    QList<int> filas_;
};
