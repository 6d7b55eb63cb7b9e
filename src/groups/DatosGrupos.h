#pragma once
// Reads and writes of the groups windows, without widgets: the lists of the main
// window, the group editor's row and the roster write.

#include <QDate>
#include <QList>
#include <QString>
#include <QVector>
#include <optional>

class De1;

struct FilaGrupo {
    qint32 codigo = 0;
    QString curso;
    QDate fecha;
    QString descripcion;
    QString responsable;
};

struct FilaPersona {
    qint32 codigo = 0;
    QString nombre;
    QString documento;
};

struct FilaEvaluado {
    qint32 codigo = 0; // CodigoPersona
    QString nombre;
    QString documento;
    qint32 remoto = 0; // 0 when null or none
};

struct FilaTest {
    qint32 codigo = 0;
    QString descripcion;
};

// What the group editor shows and saves.
struct DatosGrupo {
    QDate fecha;
    QString curso;
    QString descripcion;
    QString responsable;
};

namespace grupos {

inline const QString kNoAsignado = QStringLiteral("no asignado");

// Newest group first; a group whose responsible person is missing is not listed.
QVector<FilaGrupo> cargarGrupos(De1& de1);
QVector<FilaEvaluado> cargarEvaluados(De1& de1, qint32 codigoGrupo);
QVector<FilaTest> cargarTests(De1& de1);

// The keypad column as the lists show it.
QString textoControl(qint32 remoto);

// Rows whose course (campo 0) or description (any other campo) contains the text,
// ignoring case.
QList<int> buscarGrupos(const QVector<FilaGrupo>& filas, const QString& texto, int campo);

// Removes the group and its member rows (the persons stay), in one transaction.
void eliminarGrupo(De1& de1, qint32 codigoGrupo);

// Group editor.
QStringList usuariosActivos(De1& de1);
// The name of the responsible person with that code, empty when there is none.
QString nombreResponsable(De1& de1, qint32 codigoResponsable);
std::optional<DatosGrupo> leerGrupo(De1& de1, qint32 codigoGrupo);
// Finds the responsible person by name, adding him when missing, and inserts
// (codigoGrupo empty) or updates the group, all in one transaction. Returns the
// group's code. Throws ErrorBD.
qint32 guardarGrupo(De1& de1, std::optional<qint32> codigoGrupo, const DatosGrupo& datos);

// Roster editor.
QVector<FilaPersona> miembros(De1& de1, qint32 codigoGrupo);
// Makes the group's member rows match the list, in one transaction: rows of
// persons no longer listed are deleted, listed persons without a row get one;
// members who stay keep their row (and their keypad number).
void escribirMiembros(De1& de1, qint32 codigoGrupo, const QList<qint32>& personas);

} // namespace grupos
