#pragma once
// Item models of the groups windows. The lists hold thousands of rows, so they
// are plain vectors behind a model; the persons list fetches in batches.

#include "groups/DatosGrupos.h"

#include <QAbstractTableModel>
#include <QIcon>

class De1;

namespace iconos {
QIcon grupo();
QIcon evaluado();
} // namespace iconos

// Main window's groups: an icon column, then "Curso", "Fecha", "Descripción", "Responsable".
class ModeloGrupos : public QAbstractTableModel {
    Q_OBJECT
public:
    using QAbstractTableModel::QAbstractTableModel;
    void fijar(QVector<FilaGrupo> filas);
    const QVector<FilaGrupo>& filas() const { return filas_; }
    int rowCount(const QModelIndex& padre = {}) const override;
    int columnCount(const QModelIndex& padre = {}) const override;
    QVariant data(const QModelIndex& indice, int rol) const override;
    QVariant headerData(int seccion, Qt::Orientation o, int rol) const override;

private:
    QVector<FilaGrupo> filas_;
};

// Main window's roster: an icon column, then "Nombre", "Documento", "Control".
class ModeloEvaluados : public QAbstractTableModel {
    Q_OBJECT
public:
    using QAbstractTableModel::QAbstractTableModel;
    void fijar(QVector<FilaEvaluado> filas);
    const QVector<FilaEvaluado>& filas() const { return filas_; }
    int rowCount(const QModelIndex& padre = {}) const override;
    int columnCount(const QModelIndex& padre = {}) const override;
    QVariant data(const QModelIndex& indice, int rol) const override;
    QVariant headerData(int seccion, Qt::Orientation o, int rol) const override;

private:
    QVector<FilaEvaluado> filas_;
};

// Main window's tests: one column, the exam's description.
class ModeloTests : public QAbstractTableModel {
    Q_OBJECT
public:
    using QAbstractTableModel::QAbstractTableModel;
    void fijar(QVector<FilaTest> filas);
    const QVector<FilaTest>& filas() const { return filas_; }
    int rowCount(const QModelIndex& padre = {}) const override;
    int columnCount(const QModelIndex& padre = {}) const override;
    QVariant data(const QModelIndex& indice, int rol) const override;

private:
    QVector<FilaTest> filas_;
};

// Persons as the roster editor lists them: "Nombre" (with the icon), "Documento".
class ModeloPersonas : public QAbstractTableModel {
    Q_OBJECT
public:
    using QAbstractTableModel::QAbstractTableModel;
    void fijar(QVector<FilaPersona> filas);
    void agregar(const FilaPersona& fila);
    void quitar(int fila);
    // The row of that person, or -1.
    int buscar(qint32 codigo) const;
    const QVector<FilaPersona>& filas() const { return filas_; }
    int rowCount(const QModelIndex& padre = {}) const override;
    int columnCount(const QModelIndex& padre = {}) const override;
    QVariant data(const QModelIndex& indice, int rol) const override;
    QVariant headerData(int seccion, Qt::Orientation o, int rol) const override;

protected:
    QVector<FilaPersona> filas_;
};

// Every person whose name (campo 0) or document (campo 1) contains the filter
// text, in code order. Rows come in batches of kLote as the view scrolls, each
// batch its own short query, so a keystroke costs one small query whatever the
// number of matches and no statement stays open between batches.
class ModeloPersonasFiltrado : public ModeloPersonas {
    Q_OBJECT
public:
    static constexpr int kLote = 200;
    explicit ModeloPersonasFiltrado(De1& de1, QObject* padre = nullptr);
    // Refills from the first batch; an empty or blank text lists everyone. With
    // `releer` the table is read again even when the text only narrowed. Throws ErrorBD.
    void filtrar(int campo, const QString& texto, bool releer = false);
    // Reads the rest of the matches (what the view would fetch by scrolling).
    void cargarTodo();
    bool canFetchMore(const QModelIndex& padre) const override;
    void fetchMore(const QModelIndex& padre) override;

Q_SIGNALS:
    // A later batch failed (the view asked for it, nobody could catch it).
    void errorBD(const QString& texto);

private:
    QVector<FilaPersona> lote(qint32 desde) const;

    De1& de1_;
    int campo_ = 1;
    QString texto_;
    bool hayMas_ = false;
};
