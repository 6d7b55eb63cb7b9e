#pragma once
// The groups (table Grupos) with their responsible persons (Responsables) and the
// users the group editor offers (Usuarios).

#include "groups/Grupo.h"

#include <QList>
#include <QStringList>
#include <optional>

class De1;

class RepositorioGrupos {
public:
    explicit RepositorioGrupos(De1& de1) : de1_(de1) {}

    // Newest group first; a group whose responsible person is missing is not
    // listed. Throws ErrorBD (as every call below).
    QList<Grupo> grupos();
    // The same list a batch at a time: up to `cuantas` groups with a code below
    // `antesDe`, or, with `cuantas` 0, every group down to the code `hasta`.
    QList<Grupo> grupos(qint32 antesDe, int cuantas, qint32 hasta = 0);
    enum class Campo { Curso, Descripcion };
    // The codes of the newest `cuantas` listed groups whose course or description
    // holds the text (case ignored), newest first.
    QList<qint32> buscar(Campo campo, const QString& texto, int cuantas);
    std::optional<Grupo> leer(qint32 codigo);
    // The group's description, empty when there is no such group.
    QString descripcion(qint32 codigo);
    // Finds the responsible person by name, adding him when missing, and adds the
    // group (code 0) or rewrites it, all in one transaction. Returns its code.
    qint32 guardar(const Grupo& grupo);
    // Removes the group and its member rows (the persons stay), in one transaction.
    void eliminar(qint32 codigo);

    QStringList usuariosActivos();
    // The name of the responsible person with that code, empty when there is none.
    QString nombreResponsable(qint32 codigo);

private:
    De1& de1_;
};
