#pragma once
// Roster import: a CSV or XLSX file of persons (document, names and the person
// fields, one per row under a header) checked row by row before anything is
// written. Persons already stored are matched by document; new ones must pass
// the person editor's checks; the rows that fail are listed with the reason and
// left out. The import itself (new persons, new cities when the office allows
// them, the group's member rows) is one transaction.

#include "persons/DatosPersona.h"

#include <QList>
#include <QString>
#include <optional>
#include <variant>

class De1;
struct Planilla;

struct FilaImportacion {
    enum class Estado {
        Nueva,     // a new person, created and added to the group
        Existente, // already stored (matched by document): added to the group
        EnGrupo,   // already stored and already a member: nothing to do
        Invalida,  // left out, see motivo
    };
    int linea = 0; // row of the file, 1 being its first
    DatosPersona datos;
    Estado estado = Estado::Invalida;
    QString motivo;           // why the row is left out
    qint32 persona = 0;       // CodigoPersona of a stored person
    QString nombreRegistrado; // his stored name
    bool ciudadNueva = false; // the city is added with the person
};

struct PlanImportacion {
    QList<FilaImportacion> filas;
    bool columnaTipoDocumento = false; // the file names each row's document type
    QStringList columnasIgnoradas;     // headers matched to no person field

    int contar(FilaImportacion::Estado estado) const;
};

struct ResultadoImportacion {
    int creadas = 0;
    int agregadas = 0; // member rows added (new and existing persons)
    struct Miembro {
        qint32 persona = 0;
        QString nombre;
        QString documento;
    };
    QList<Miembro> miembros; // every person of the plan now in the group, in file order
};

namespace importacion {

// Checks every row of the sheet for the group. `tipoDocumento` is the document
// type of rows that name none. Throws ErrorBD. A file without a document column
// gives the message instead.
std::variant<PlanImportacion, QString> preparar(De1& de1, const Planilla& planilla, qint32 grupo,
                                                std::optional<qint64> tipoDocumento);
// Reads the file, then as above.
std::variant<PlanImportacion, QString> prepararArchivo(De1& de1, const QString& ruta, qint32 grupo,
                                                       std::optional<qint64> tipoDocumento);

// Writes the plan in one transaction: nothing is written when it fails. A
// document stored by someone else since the preview is matched, not duplicated.
// Throws ErrorBD.
ResultadoImportacion importar(De1& de1, qint32 grupo, const PlanImportacion& plan);

// A header as its field's key: lower case, no accents, letters and digits only.
QString clave(const QString& encabezado);
// Reads "31/12/1990", "31-12-1990", "1990-12-31" or a spreadsheet serial number.
QDate leerFecha(const QString& texto, bool fechas1904 = false);

} // namespace importacion
