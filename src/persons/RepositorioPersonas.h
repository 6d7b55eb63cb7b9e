#pragma once
// Reads and writes of the person editor: the document types and cities it
// offers, new cities, and the new person's row with his images.

#include "data/De1.h"
#include "persons/DatosPersona.h"

#include <QList>
#include <QStringList>

struct ElementoLista {
    qint64 codigo = 0;
    QString texto;
};

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

private:
    QList<ElementoLista> lista(const QString& sql);
    De1& de1_;
};
