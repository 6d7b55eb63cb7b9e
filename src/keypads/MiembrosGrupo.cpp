#include "keypads/MiembrosGrupo.h"

#include "data/De1.h"

QList<MiembroGrupo> cargarMiembrosGrupo(De1& de1, qint32 grupo) {
    QSqlQuery q = de1.ejecutar(
        QStringLiteral(
            "SELECT GruposPersonas.CodigoGrupoPersona, Personas.CodigoPersona,"
            " Personas.NombrePersona, Personas.Documento, GruposPersonas.Remoto"
            " FROM GruposPersonas INNER JOIN Personas"
            " ON GruposPersonas.Persona = Personas.CodigoPersona"
            " WHERE GruposPersonas.Grupo = ? ORDER BY GruposPersonas.CodigoGrupoPersona"),
        {grupo});
    QList<MiembroGrupo> miembros;
    while (q.next())
        miembros.append({q.value(0).toLongLong(), q.value(1).toInt(), q.value(2).toString(),
                         q.value(3).toString(), q.value(4).isNull() ? 0 : q.value(4).toInt()});
    return miembros;
}

void guardarMiembrosGrupo(De1& de1, qint32 grupo, const QList<MiembroGrupo>& miembros) {
    // Each member's own row, not a rewrite of the group: the roster may have
    // changed on another workstation since this list was read.
    Transaccion t(de1);
    for (const MiembroGrupo& m : miembros)
        de1.ejecutar(QStringLiteral("UPDATE GruposPersonas SET Remoto = ? "
                                    "WHERE CodigoGrupoPersona = ? AND Grupo = ?"),
                     {m.remoto, m.codigoGrupoPersona, grupo});
    t.confirmar();
}

void ModeloMiembros::cargar(QList<MiembroGrupo> miembros) {
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
    const MiembroGrupo& m = miembros_.at(index.row());
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
        return m.remoto == 0 ? kNoAsignado : QString::number(m.remoto);
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

void FiltroMiembros::fijar(int campo, const QString& texto) {
    campo_ = campo;
    texto_ = texto;
    invalidateRowsFilter();
}

bool FiltroMiembros::filterAcceptsRow(int fila, const QModelIndex& padre) const {
    if (texto_.trimmed().isEmpty())
        return true;
    const QModelIndex i = sourceModel()->index(
        fila, campo_ == 0 ? ModeloMiembros::Nombre : ModeloMiembros::Documento, padre);
    // The text as typed (not trimmed), wildcards and quotes meaning themselves.
    return i.data().toString().contains(texto_, Qt::CaseInsensitive);
}
