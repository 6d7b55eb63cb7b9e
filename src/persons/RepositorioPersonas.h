#pragma once
// The persons (table Personas) and what the person editor offers with them: the
// document types and cities, new cities, the new person's row with his images,
// and the batches of matches the roster editor lists.

#include "data/De1.h"
#include "persons/DatosPersona.h"

#include <QList>
#include <QStringList>

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

    // The row's columns in the order they are written, from validated data.
    static Columnas valoresFila(const DatosPersona& datos, const Dialecto& dialecto);
    // Adds the person's row in one transaction and returns his code. Throws ErrorBD
    // (nothing is written then).
    qint64 guardar(const DatosPersona& datos);
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

private:
    QList<ElementoLista> lista(const QString& sql);
    De1& de1_;
};
