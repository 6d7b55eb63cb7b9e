#pragma once
// The indexes the program keeps for itself so that no operator action reads a
// whole large table: on every engine the members of a group by group; on the
// embedded catalog also a trigram index over the persons' names and documents and
// over the groups' course and description (kept in step with their tables by
// triggers), and the folders by person.

#include <QString>
#include <QStringList>
#include <functional>

class De1;

namespace indices {

// Progress of a long step, from 0 to 100.
using Avance = std::function<void(int porciento)>;

// The trigram index beside a table: its name is the table's followed by "Texto",
// its rowid is the table's key and its columns are the ones searched.
struct IndiceTexto {
    QString tabla;
    QString clave;
    QStringList columnas;
    QString nombre() const { return tabla + QStringLiteral("Texto"); }
};
const IndiceTexto& personas();
const IndiceTexto& grupos();

// Creates what is missing and fills the trigram indexes from the rows already
// there. Runs inside the schema upgrade's exclusive transaction. Throws ErrorBD.
// Returns the number of statements that created something.
int crear(De1& de1, const Avance& avance = {});
// Drops every index made here, with the triggers, from an embedded catalog (the
// catalog generator fills a large catalog faster without them and builds them
// once at the end).
void quitar(De1& de1);

} // namespace indices
