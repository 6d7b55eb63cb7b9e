#include "groups/RepositorioMiembros.h"

#include "data/De1.h"

#include <QSet>

QList<Evaluado> RepositorioMiembros::evaluados(qint32 grupo) {
    QSqlQuery q = de1_.ejecutar(
        QStringLiteral("SELECT gp.CodigoGrupoPersona, p.CodigoPersona, p.NombrePersona, "
                       "p.Documento, gp.Remoto FROM GruposPersonas gp INNER JOIN Personas p "
                       "ON gp.Persona = p.CodigoPersona WHERE gp.Grupo = ? "
                       "ORDER BY gp.CodigoGrupoPersona"),
        {grupo});
    QList<Evaluado> evaluados;
    while (q.next())
        evaluados.append({q.value(0).toLongLong(), q.value(1).toInt(), q.value(2).toString(),
                          q.value(3).toString(), q.value(4).isNull() ? 0 : q.value(4).toInt()});
    return evaluados;
}

void RepositorioMiembros::fijarPersonas(qint32 grupo, const QList<qint32>& personas) {
    const QSet<qint32> quedan(personas.cbegin(), personas.cend());
    Transaccion t(de1_);
    QSet<qint32> guardadas;
    {
        QSqlQuery q = de1_.ejecutar(
            QStringLiteral("SELECT gp.Persona FROM GruposPersonas gp INNER JOIN Personas p "
                           "ON gp.Persona = p.CodigoPersona WHERE gp.Grupo = ?"),
            {grupo});
        while (q.next())
            guardadas.insert(q.value(0).toInt());
    }
    for (const qint32 p : std::as_const(guardadas))
        if (!quedan.contains(p))
            de1_.ejecutar(
                QStringLiteral("DELETE FROM GruposPersonas WHERE Persona = ? AND Grupo = ?"),
                {p, grupo});
    insertarNuevas(grupo, personas, guardadas);
    t.confirmar();
}

void RepositorioMiembros::fijarControles(qint32 grupo, const QList<Evaluado>& evaluados) {
    // Each member's own row, not a rewrite of the group: the roster may have
    // changed on another workstation since this list was read.
    Transaccion t(de1_);
    for (const Evaluado& e : evaluados)
        de1_.ejecutar(QStringLiteral("UPDATE GruposPersonas SET Remoto = ? "
                                     "WHERE CodigoGrupoPersona = ? AND Grupo = ?"),
                      {e.remoto, e.codigoGrupoPersona, grupo});
    t.confirmar();
}

QList<qint32> RepositorioMiembros::agregarEnTransaccion(qint32 grupo,
                                                        const QList<qint32>& personas) {
    QSet<qint32> guardadas;
    {
        QSqlQuery q = de1_.ejecutar(
            QStringLiteral("SELECT Persona FROM GruposPersonas WHERE Grupo = ?"), {grupo});
        while (q.next())
            guardadas.insert(q.value(0).toInt());
    }
    return insertarNuevas(grupo, personas, guardadas);
}

QList<qint32> RepositorioMiembros::insertarNuevas(qint32 grupo, const QList<qint32>& personas,
                                                  QSet<qint32>& guardadas) {
    QList<qint32> agregadas;
    for (const qint32 p : personas) {
        if (guardadas.contains(p))
            continue;
        de1_.insertar(QStringLiteral("GruposPersonas"),
                      {{QStringLiteral("Grupo"), grupo},
                       {QStringLiteral("Persona"), p},
                       {QStringLiteral("Remoto"), QVariant()}},
                      QStringLiteral("CodigoGrupoPersona"));
        guardadas.insert(p); // a person listed twice gets one row
        agregadas << p;
    }
    return agregadas;
}

void RepositorioMiembros::quitarGrupo(qint32 grupo) {
    de1_.ejecutar(QStringLiteral("DELETE FROM GruposPersonas WHERE Grupo = ?"), {grupo});
}
