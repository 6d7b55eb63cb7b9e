#pragma once
// What the main window holds as the program's current selection: the windows it
// opens read the selected group, the roster and the selected test through this.

#include <QList>
#include <QString>
#include <optional>

struct GrupoSeleccionado {
    qint32 codigo = 0;
    QString curso;
    QString fecha;
    QString descripcion;
    QString responsable;
};

struct EvaluadoListado {
    qint32 codigoPersona = 0;
    QString nombre;
    QString documento;
    QString control; // the keypad column as shown: a number or "no asignado"
};

class Seleccion {
public:
    virtual ~Seleccion() = default;
    virtual std::optional<GrupoSeleccionado> grupoSeleccionado() const = 0;
    // The tag (CodigoExamen) of the selected test.
    virtual std::optional<qint32> examenSeleccionado() const = 0;
    // The roster rows, in the order shown.
    virtual QList<EvaluadoListado> evaluados() const = 0;
};
