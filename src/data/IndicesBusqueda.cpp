#include "data/IndicesBusqueda.h"

#include "data/De1.h"

#include <QSqlQuery>

namespace indices {

const IndiceTexto& personas() {
    static const IndiceTexto i{QStringLiteral("Personas"),
                               QStringLiteral("CodigoPersona"),
                               {QStringLiteral("NombrePersona"), QStringLiteral("Documento")}};
    return i;
}

const IndiceTexto& grupos() {
    static const IndiceTexto i{QStringLiteral("Grupos"),
                               QStringLiteral("CodigoGrupo"),
                               {QStringLiteral("NroCurso"), QStringLiteral("Descripcion")}};
    return i;
}

namespace {

// Keys filled per statement while a trigram index is built: small enough for the
// progress to move, large enough for the statements not to cost.
constexpr qint64 kTramo = 25000;

struct Indice {
    QString nombre;
    QString tabla;
    QString columnas;
};

// Plain indexes: the members of a group on every engine (the program's own table);
// on the embedded catalog, which this program created, also a person's folders.
QList<Indice> indicesComunes(Dialecto::Motor motor) {
    QList<Indice> l{{QStringLiteral("IX_GruposPersonas_Grupo"), QStringLiteral("GruposPersonas"),
                     QStringLiteral("Grupo, CodigoGrupoPersona")}};
    if (motor == Dialecto::Motor::Sqlite)
        l.append({QStringLiteral("IX_Carpetas_Persona"), QStringLiteral("Carpetas"),
                  QStringLiteral("Persona")});
    return l;
}

bool existeIndice(De1& de1, const Indice& i) {
    const bool sqlServer = de1.dialecto().motor() == Dialecto::Motor::SqlServer;
    return de1
        .valor(sqlServer ? QStringLiteral("SELECT 1 FROM sys.indexes WHERE name = ? AND "
                                          "object_id = OBJECT_ID(?)")
                         : QStringLiteral("SELECT 1 FROM sqlite_master WHERE type = 'index' AND "
                                          "name = ? AND tbl_name = ?"),
               {i.nombre, i.tabla})
        .isValid();
}

QStringList disparadores(const IndiceTexto& i) {
    const QString t = i.nombre();
    const QString cols = i.columnas.join(QStringLiteral(", "));
    QStringList nuevos;
    for (const QString& c : i.columnas)
        nuevos << QStringLiteral("new.") + c;
    const QString insertar = QStringLiteral("DELETE FROM %1 WHERE rowid = new.%2; "
                                            "INSERT INTO %1 (rowid, %3) VALUES (new.%2, %4);")
                                 .arg(t, i.clave, cols, nuevos.join(QStringLiteral(", ")));
    const QString borrar = QStringLiteral("DELETE FROM %1 WHERE rowid = old.%2;").arg(t, i.clave);
    return {
        QStringLiteral("CREATE TRIGGER %1_ai AFTER INSERT ON %2 BEGIN %3 END")
            .arg(t, i.tabla, insertar),
        QStringLiteral("CREATE TRIGGER %1_ad AFTER DELETE ON %2 BEGIN %3 END")
            .arg(t, i.tabla, borrar),
        QStringLiteral("CREATE TRIGGER %1_au AFTER UPDATE OF %2, %3 ON %4 BEGIN %5 %6 END")
            .arg(t, i.clave, cols, i.tabla, borrar, insertar),
    };
}

bool completo(De1& de1, const IndiceTexto& i) {
    if (!de1.existeTabla(i.nombre()))
        return false;
    const QVariant n = de1.valor(
        QStringLiteral("SELECT count(*) FROM sqlite_master WHERE type = 'trigger' AND name IN "
                       "(?, ?, ?)"),
        {i.nombre() + QStringLiteral("_ai"), i.nombre() + QStringLiteral("_ad"),
         i.nombre() + QStringLiteral("_au")});
    return n.toInt() == 3;
}

// Creates the index and its triggers anew and fills it from the table's rows.
void quitar(De1& de1, const IndiceTexto& i) {
    const QString t = i.nombre();
    for (const QString& sufijo :
         {QStringLiteral("_ai"), QStringLiteral("_ad"), QStringLiteral("_au")})
        de1.ejecutar(QStringLiteral("DROP TRIGGER IF EXISTS ") + t + sufijo);
    de1.ejecutar(QStringLiteral("DROP TABLE IF EXISTS ") + t);
}

int crearTexto(De1& de1, const IndiceTexto& i, int desdePorciento, int hastaPorciento,
               const Avance& avance) {
    const QString t = i.nombre();
    int ejecutadas = 0;
    // An index left without some trigger may have missed changes: built again.
    quitar(de1, i);
    // Trigrams folded to lower case, accents kept, with the column they occur in
    // but not where: half the work of building it with positions, and a row
    // holding all of a text's trigrams is checked for the text by the reader.
    de1.ejecutar(QStringLiteral("CREATE VIRTUAL TABLE %1 USING fts5(%2, tokenize = 'trigram', "
                                "detail = column)")
                     .arg(t, i.columnas.join(QStringLiteral(", "))));
    ++ejecutadas;
    for (const QString& d : disparadores(i)) {
        de1.ejecutar(d);
        ++ejecutadas;
    }
    QSqlQuery limites =
        de1.ejecutar(QStringLiteral("SELECT min(%1), max(%1) FROM %2").arg(i.clave, i.tabla));
    if (!limites.next() || limites.value(0).isNull())
        return ejecutadas;
    const qint64 primera = limites.value(0).toLongLong();
    const qint64 ultima = limites.value(1).toLongLong();
    limites.finish();
    const QString llenar = QStringLiteral("INSERT INTO %1 (rowid, %2) SELECT %3, %2 FROM %4 "
                                          "WHERE %3 >= ? AND %3 < ?")
                               .arg(t, i.columnas.join(QStringLiteral(", ")), i.clave, i.tabla);
    for (qint64 desde = primera; desde <= ultima; desde += kTramo) {
        de1.ejecutar(llenar, {desde, desde + kTramo});
        if (avance) {
            const qint64 hecho = desde + kTramo - primera;
            const qint64 total = ultima - primera + 1;
            avance(desdePorciento +
                   int((hastaPorciento - desdePorciento) * std::min(hecho, total) / total));
        }
    }
    return ejecutadas;
}

} // namespace

void quitar(De1& de1) {
    if (de1.dialecto().motor() != Dialecto::Motor::Sqlite)
        return;
    quitar(de1, personas());
    quitar(de1, grupos());
    for (const Indice& i : indicesComunes(Dialecto::Motor::Sqlite))
        de1.ejecutar(QStringLiteral("DROP INDEX IF EXISTS ") + i.nombre);
}

int crear(De1& de1, const Avance& avance) {
    int ejecutadas = 0;
    const Dialecto::Motor motor = de1.dialecto().motor();
    // A table an older version never created gets nothing here.
    for (const Indice& i : indicesComunes(motor))
        if (de1.existeTabla(i.tabla) && !existeIndice(de1, i)) {
            de1.ejecutar(
                QStringLiteral("CREATE INDEX %1 ON %2 (%3)").arg(i.nombre, i.tabla, i.columnas));
            ++ejecutadas;
        }
    if (motor != Dialecto::Motor::Sqlite)
        return ejecutadas;
    // The persons are most of the work: they take the progress up to 90.
    if (de1.existeTabla(personas().tabla) && !completo(de1, personas()))
        ejecutadas += crearTexto(de1, personas(), 0, 90, avance);
    if (de1.existeTabla(grupos().tabla) && !completo(de1, grupos()))
        ejecutadas += crearTexto(de1, grupos(), 90, 100, avance);
    return ejecutadas;
}

} // namespace indices
