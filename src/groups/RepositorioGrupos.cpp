#include "groups/RepositorioGrupos.h"

#include "data/De1.h"
#include "groups/RepositorioMiembros.h"

namespace {

QString texto(const QVariant& v) {
    return v.isNull() ? QString() : v.toString();
}

} // namespace

namespace {
const QString kSelectGrupos = QStringLiteral(
    "SELECT g.CodigoGrupo, g.NroCurso, g.Fecha, g.Descripcion, r.NombreResponsable "
    "FROM Grupos g INNER JOIN Responsables r ON g.Responsable = r.CodigoResponsable");

QList<Grupo> leerGrupos(QSqlQuery& q) {
    QList<Grupo> grupos;
    while (q.next())
        grupos.append({q.value(0).toInt(), texto(q.value(1)), Dialecto::leerFecha(q.value(2)),
                       texto(q.value(3)), texto(q.value(4))});
    return grupos;
}
} // namespace

QList<Grupo> RepositorioGrupos::grupos() {
    QSqlQuery q = de1_.ejecutar(kSelectGrupos + QStringLiteral(" ORDER BY g.CodigoGrupo DESC"));
    return leerGrupos(q);
}

QList<Grupo> RepositorioGrupos::grupos(qint32 antesDe, int cuantas, qint32 hasta) {
    const QString sql =
        kSelectGrupos +
        QStringLiteral(
            " WHERE g.CodigoGrupo < ? AND g.CodigoGrupo >= ? ORDER BY g.CodigoGrupo DESC");
    QSqlQuery q = de1_.ejecutar(cuantas > 0 ? de1_.dialecto().primerasFilas(sql, cuantas) : sql,
                                {antesDe, hasta});
    return leerGrupos(q);
}

QList<qint32> RepositorioGrupos::buscar(Campo campo, const QString& buscado, int cuantas) {
    const QString columna =
        campo == Campo::Curso ? QStringLiteral("NroCurso") : QStringLiteral("Descripcion");
    const Dialecto& d = de1_.dialecto();
    QList<qint32> codigos;
    // Just past the newest group, so that a short text's windows start at it.
    qint64 desde =
        de1_.valor(QStringLiteral("SELECT max(CodigoGrupo) FROM Grupos")).toLongLong() + 1;
    // The search is one press of a button: it goes on, a bounded query at a
    // time, until it has the rows asked for or has passed the oldest group.
    while (codigos.size() < cuantas && desde > 0) {
        const int faltan = cuantas - int(codigos.size());
        const Dialecto::Condicion c =
            d.contiene(indices::grupos(), columna, buscado, desde, true, faltan);
        QSqlQuery q = de1_.ejecutar(
            d.primerasFilas(QStringLiteral("SELECT g.CodigoGrupo, g.%2 FROM Grupos g INNER JOIN "
                                           "Responsables r ON g.Responsable = "
                                           "r.CodigoResponsable WHERE %1 ORDER BY g.CodigoGrupo "
                                           "DESC")
                                .arg(c.sql, columna),
                            faltan),
            c.parametros);
        int leidas = 0;
        while (q.next()) {
            ++leidas;
            desde = q.value(0).toInt();
            if (!c.verificar || Dialecto::contieneTexto(q.value(1).toString(), buscado))
                codigos << q.value(0).toInt();
        }
        if (c.ventana == 0) {
            if (leidas < faltan)
                break;
            continue;
        }
        // The whole window was read: the next one starts below it.
        if (leidas < faltan)
            desde = c.parametros.at(1).toLongLong();
    }
    return codigos;
}

std::optional<Grupo> RepositorioGrupos::leer(qint32 codigo) {
    QSqlQuery q = de1_.ejecutar(
        QStringLiteral("SELECT g.NroCurso, g.Fecha, g.Descripcion, r.NombreResponsable "
                       "FROM Grupos g INNER JOIN Responsables r "
                       "ON g.Responsable = r.CodigoResponsable WHERE g.CodigoGrupo = ?"),
        {codigo});
    if (!q.next())
        return std::nullopt;
    return Grupo{codigo, texto(q.value(0)), Dialecto::leerFecha(q.value(1)), texto(q.value(2)),
                 texto(q.value(3))};
}

QString RepositorioGrupos::descripcion(qint32 codigo) {
    return texto(de1_.valor(QStringLiteral("SELECT Descripcion FROM Grupos WHERE CodigoGrupo = ?"),
                            {codigo}));
}

qint32 RepositorioGrupos::guardar(const Grupo& grupo) {
    Transaccion t(de1_);
    // The first row of that name, as the office's other programs find it.
    const QVariant encontrado = de1_.valor(
        de1_.dialecto().primeraFila(QStringLiteral("SELECT CodigoResponsable FROM Responsables "
                                                   "WHERE NombreResponsable = ? "
                                                   "ORDER BY CodigoResponsable")),
        {grupo.responsable});
    const qint64 responsable =
        encontrado.isValid()
            ? encontrado.toLongLong()
            : de1_.insertar(QStringLiteral("Responsables"),
                            {{QStringLiteral("NombreResponsable"), grupo.responsable}},
                            QStringLiteral("CodigoResponsable"));
    const QVariant fecha = de1_.dialecto().fecha(grupo.fecha);
    qint32 codigo = grupo.codigo;
    if (codigo != 0) {
        const QSqlQuery q = de1_.ejecutar(
            QStringLiteral("UPDATE Grupos SET Fecha = ?, NroCurso = ?, Descripcion = ?, "
                           "Responsable = ? WHERE CodigoGrupo = ?"),
            {fecha, grupo.curso, grupo.descripcion, responsable, codigo});
        if (q.numRowsAffected() == 0)
            throw ErrorBD(QStringLiteral("El grupo ya no existe en la base de datos."));
    } else {
        codigo =
            static_cast<qint32>(de1_.insertar(QStringLiteral("Grupos"),
                                              {{QStringLiteral("NroCurso"), grupo.curso},
                                               {QStringLiteral("Responsable"), responsable},
                                               {QStringLiteral("Descripcion"), grupo.descripcion},
                                               {QStringLiteral("Fecha"), fecha}},
                                              QStringLiteral("CodigoGrupo")));
    }
    t.confirmar();
    return codigo;
}

void RepositorioGrupos::eliminar(qint32 codigo) {
    Transaccion t(de1_);
    RepositorioMiembros(de1_).quitarGrupo(codigo);
    de1_.ejecutar(QStringLiteral("DELETE FROM Grupos WHERE CodigoGrupo = ?"), {codigo});
    t.confirmar();
}

QStringList RepositorioGrupos::usuariosActivos() {
    QSqlQuery q =
        de1_.ejecutar(QStringLiteral("SELECT NombreUsuario FROM Usuarios WHERE Eliminado = ?"),
                      {de1_.dialecto().booleano(false)});
    QStringList nombres;
    while (q.next())
        nombres << texto(q.value(0));
    return nombres;
}

QString RepositorioGrupos::nombreResponsable(qint32 codigo) {
    return texto(de1_.valor(
        QStringLiteral("SELECT NombreResponsable FROM Responsables WHERE CodigoResponsable = ?"),
        {codigo}));
}
