#pragma once
// A group of examinees and an examinee of a group: the one shape of each that
// the lists, the editors, the keypad window and the session share.

#include <QDate>
#include <QString>

struct Grupo {
    qint32 codigo = 0; // CodigoGrupo; 0 for a group not stored yet
    QString curso;
    QDate fecha;
    QString descripcion;
    QString responsable; // NombreResponsable
};

// A member of a group: the person, and the keypad he answers on.
struct Evaluado {
    qint64 codigoGrupoPersona = 0; // the member's own row
    qint32 codigoPersona = 0;
    QString nombre;
    QString documento;
    qint32 remoto = 0; // keypad number; 0 when none (null in the catalog)
};

inline const QString kNoAsignado = QStringLiteral("no asignado");

// The keypad column as every list shows it: the number, or "no asignado".
inline QString textoControl(qint32 remoto) {
    return remoto == 0 ? kNoAsignado : QString::number(remoto);
}
