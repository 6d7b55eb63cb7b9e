#pragma once
// The persons (table Personas) and what the person editor offers with them: the
// document types and cities, new cities, the new person's row with his images,
// the batches of matches the roster editor lists, the persons a roster import
// matches and what the reports show of a person.

#include "data/De1.h"
#include "persons/DatosPersona.h"

#include <QDate>
#include <QList>
#include <QStringList>
#include <optional>

struct ElementoLista {
    qint64 codigo = 0;
    QString texto;
};

// A person as the lists show him.
struct PersonaListada {
    qint32 codigo = 0;
    QString nombre;
    QString documento;
};

// What a printed report shows of a person besides his name and document.
struct FichaPersona {
    QString tipoDocumento; // the document type's description
    QString sexo;          // as stored: "M", "F"
    QDate nacimiento;
    QString domicilio;
    QString ciudad;
    QString telefono;
};

// The field the persons filters search, in the order their choice lists show them.
enum class CampoPersona { Nombre, Documento };

class RepositorioPersonas {
public:
    explicit RepositorioPersonas(De1& de1) : de1_(de1) {}

    // Document types and cities ordered by their description. Throw ErrorBD.
    QList<ElementoLista> documentos();
    QList<ElementoLista> ciudades();

    struct Ciudad {
        qint64 codigo = 0;
        QString nombre;
        bool agregada = false;
    };
    // The city of that name, added with Provincia 1 when there is none. The name
    // is used as given (the caller puts it in proper case). Throws ErrorBD.
    Ciudad buscarOAgregarCiudad(const QString& nombre);
    // The same inside a transaction the caller holds.
    Ciudad buscarOAgregarCiudadEnTransaccion(const QString& nombre);

    // The row's columns in the order they are written, from validated data.
    static Columnas valoresFila(const DatosPersona& datos, const Dialecto& dialecto);
    // Adds the person's row in one transaction and returns his code. Throws ErrorBD
    // (nothing is written then).
    qint64 guardar(const DatosPersona& datos);
    // The same inside a transaction the caller holds.
    qint64 guardarEnTransaccion(const DatosPersona& datos);
    // Stores the pending working images (photograph, signature, fingerprint) under
    // the person's code; returns one message per image that could not be stored.
    static QStringList guardarImagenes(qint64 codigoPersona);

    // Up to `cuantas` persons with a code above `desde`, in code order, whose name
    // or document contains the text (case ignored; accents, wildcards and quotes
    // meaning themselves); a blank text matches everyone. Each call reads a
    // bounded part of the table: `hasta` is the code the next batch starts after,
    // and `fin` says no person past it matches. A batch may come back short of
    // `cuantas` without being the last. Throws ErrorBD.
    struct Lote {
        QList<PersonaListada> filas;
        qint32 hasta = 0;
        bool fin = true;
    };
    Lote buscar(CampoPersona campo, const QString& texto, qint32 desde, int cuantas);

    // The persons stored under any of the documents (compared as stored), in code
    // order. Throws ErrorBD.
    QList<PersonaListada> porDocumentos(const QStringList& documentos);
    // The persons with those codes, in code order; codes with no person are left
    // out. Throws ErrorBD.
    QList<PersonaListada> porCodigos(const QList<qint32>& codigos);
    // None when there is no such person. Throws ErrorBD.
    std::optional<FichaPersona> ficha(qint32 codigo);

private:
    // Runs `select` (ending in "IN (%1)") over the values, a batch at a time.
    QList<PersonaListada> listarEn(const QString& select, const QVariantList& valores);
    QList<ElementoLista> lista(const QString& sql);
    De1& de1_;
};
