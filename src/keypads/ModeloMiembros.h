#pragma once
// The keypad assignment window's list: the group's examinees with the keypad
// each one was given, and the filter over them.

#include "groups/Grupo.h"
#include "persons/RepositorioPersonas.h"

#include <QAbstractTableModel>
#include <QList>
#include <QSortFilterProxyModel>
#include <QString>

class ModeloMiembros : public QAbstractTableModel {
    Q_OBJECT
public:
    enum Columna { Nombre, Documento, Remoto, NumColumnas };

    using QAbstractTableModel::QAbstractTableModel;

    void cargar(QList<Evaluado> miembros);
    const QList<Evaluado>& miembros() const { return miembros_; }
    void fijarRemoto(int fila, int remoto);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;

private:
    QList<Evaluado> miembros_;
};

// Shows the members whose name or document contains the text, taken literally
// and ignoring case; a text of blanks shows everyone.
class FiltroMiembros : public QSortFilterProxyModel {
    Q_OBJECT
public:
    using QSortFilterProxyModel::QSortFilterProxyModel;
    void fijar(CampoPersona campo, const QString& texto);

protected:
    bool filterAcceptsRow(int fila, const QModelIndex& padre) const override;

private:
    CampoPersona campo_ = CampoPersona::Documento;
    QString texto_;
};
