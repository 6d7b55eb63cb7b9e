#include "keypads/ModeloMiembros.h"

void ModeloMiembros::cargar(QList<Evaluado> miembros) {
    beginResetModel();
    miembros_ = std::move(miembros);
    endResetModel();
}

void ModeloMiembros::fijarRemoto(int fila, int remoto) {
    if (fila < 0 || fila >= miembros_.size())
        return;
    miembros_[fila].remoto = remoto;
    const QModelIndex i = index(fila, Remoto);
    Q_EMIT dataChanged(i, i, {Qt::DisplayRole});
}

int ModeloMiembros::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : int(miembros_.size());
}

int ModeloMiembros::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : NumColumnas;
}

QVariant ModeloMiembros::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= miembros_.size())
        return {};
    const Evaluado& m = miembros_.at(index.row());
    if (role == Qt::UserRole)
        return m.codigoPersona;
    if (role != Qt::DisplayRole)
        return {};
    switch (index.column()) {
    case Nombre:
        return m.nombre;
    case Documento:
        return m.documento;
    case Remoto:
        return textoControl(m.remoto);
    default:
        return {};
    }
}

QVariant ModeloMiembros::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
        return {};
    switch (section) {
    case Nombre:
        return QStringLiteral("Nombre");
    case Documento:
        return QStringLiteral("Documento");
    case Remoto:
        return QStringLiteral("Remoto");
    default:
        return {};
    }
}

void FiltroMiembros::fijar(CampoPersona campo, const QString& texto) {
    campo_ = campo;
    texto_ = texto;
    invalidateRowsFilter();
}

bool FiltroMiembros::filterAcceptsRow(int fila, const QModelIndex& padre) const {
    if (texto_.trimmed().isEmpty())
        return true;
    const QModelIndex i = sourceModel()->index(
        fila, campo_ == CampoPersona::Nombre ? ModeloMiembros::Nombre : ModeloMiembros::Documento,
        padre);
    // The text as typed (not trimmed), wildcards and quotes meaning themselves.
    return i.data().toString().contains(texto_, Qt::CaseInsensitive);
}
