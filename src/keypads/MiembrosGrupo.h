#pragma once
// The members of a group with their keypad numbers, as the keypad assignment
// window loads and stores them, and the list model it shows them in.

#include <QAbstractTableModel>
#include <QList>
#include <QSortFilterProxyModel>
#include <QString>

class De1;

struct MiembroGrupo {
    qint64 codigoGrupoPersona = 0; // the member's own row
    qint32 codigoPersona = 0;
    QString nombre;
    QString documento;
    int remoto = 0; // keypad number; 0 = none
};

inline const QString kNoAsignado = QStringLiteral("no asignado");

// The group's members in the order they were added (the order the keypad
// positions follow). Throws ErrorBD.
QList<MiembroGrupo> cargarMiembrosGrupo(De1& de1, qint32 grupo);
// Stores the keypad numbers of the given members, all or nothing. Only their
// Remoto changes: members another workstation added or removed meanwhile stay
// as they are. Throws ErrorBD.
void guardarMiembrosGrupo(De1& de1, qint32 grupo, const QList<MiembroGrupo>& miembros);

class ModeloMiembros : public QAbstractTableModel {
    Q_OBJECT
public:
    enum Columna { Nombre, Documento, Remoto, NumColumnas };

    using QAbstractTableModel::QAbstractTableModel;

    void cargar(QList<MiembroGrupo> miembros);
    const QList<MiembroGrupo>& miembros() const { return miembros_; }
    void fijarRemoto(int fila, int remoto);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;

private:
    QList<MiembroGrupo> miembros_;
};

// Shows the members whose name (campo 0) or document (campo 1) contains the text,
// taken literally and ignoring case; a text of blanks shows everyone.
class FiltroMiembros : public QSortFilterProxyModel {
    Q_OBJECT
public:
    using QSortFilterProxyModel::QSortFilterProxyModel;
    void fijar(int campo, const QString& texto);

protected:
    bool filterAcceptsRow(int fila, const QModelIndex& padre) const override;

private:
    int campo_ = 1;
    QString texto_;
};
