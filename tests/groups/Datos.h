#pragma once
// Rows for the groups tests, written straight to the catalog.

#include "data/De1.h"

#include <QDate>

namespace datos {

inline qint32 responsable(De1& db, const QString& nombre) {
    return qint32(
        db.insertar("Responsables", {{"NombreResponsable", nombre}}, "CodigoResponsable"));
}

inline qint32 persona(De1& db, const QString& nombre, const QString& documento) {
    return qint32(db.insertar("Personas", {{"NombrePersona", nombre}, {"Documento", documento}},
                              "CodigoPersona"));
}

inline qint32 grupo(De1& db, const QString& curso, const QString& descripcion, qint32 resp,
                    const QDate& fecha = QDate(2024, 3, 5)) {
    return qint32(db.insertar("Grupos",
                              {{"NroCurso", curso},
                               {"Descripcion", descripcion},
                               {"Responsable", resp},
                               {"Fecha", db.dialecto().fecha(fecha)}},
                              "CodigoGrupo"));
}

inline void miembro(De1& db, qint32 grupo, qint32 persona, const QVariant& remoto = {}) {
    db.insertar("GruposPersonas", {{"Grupo", grupo}, {"Persona", persona}, {"Remoto", remoto}},
                "CodigoGrupoPersona");
}

inline void test(De1& db, int codigo, const QString& descripcion, const QString& tipo = "T") {
    db.insertarSinIdentidad(
        "Examenes",
        {{"CodigoExamen", codigo}, {"DescripcionExamen", descripcion}, {"TipoExamen", tipo}});
}

inline int contar(De1& db, const QString& sql, const QVariantList& p = {}) {
    return db.valor(sql, p).toInt();
}

} // namespace datos
