#include "groups/DatosGrupos.h"

#include "data/De1.h"

#include <QSet>

namespace grupos {

namespace {

QString texto(const QVariant& v) {
    return v.isNull() ? QString() : v.toString();
}

} // namespace

QVector<FilaGrupo> cargarGrupos(De1& de1) {
    QSqlQuery q = de1.ejecutar(QStringLiteral(
        "SELECT g.CodigoGrupo, g.NroCurso, g.Fecha, g.Descripcion, r.NombreResponsable "
        "FROM Grupos g INNER JOIN Responsables r ON g.Responsable = r.CodigoResponsable "
        "ORDER BY g.CodigoGrupo DESC"));
    QVector<FilaGrupo> filas;
    while (q.next())
        filas.push_back({q.value(0).toInt(), texto(q.value(1)), q.value(2).toDate(),
                         texto(q.value(3)), texto(q.value(4))});
    return filas;
}

QVector<FilaEvaluado> cargarEvaluados(De1& de1, qint32 codigoGrupo) {
    QSqlQuery q = de1.ejecutar(
        QStringLiteral("SELECT p.CodigoPersona, p.NombrePersona, p.Documento, gp.Remoto "
                       "FROM GruposPersonas gp INNER JOIN Personas p "
                       "ON gp.Persona = p.CodigoPersona WHERE gp.Grupo = ? "
                       // The keypad window and the session count keypad positions in this order.
                       "ORDER BY gp.CodigoGrupoPersona"),
        {codigoGrupo});
    QVector<FilaEvaluado> filas;
    while (q.next())
        filas.push_back({q.value(0).toInt(), texto(q.value(1)), texto(q.value(2)),
                         q.value(3).isNull() ? 0 : q.value(3).toInt()});
    return filas;
}

QVector<FilaTest> cargarTests(De1& de1) {
    QSqlQuery q = de1.ejecutar(QStringLiteral(
        "SELECT CodigoExamen, DescripcionExamen FROM Examenes WHERE TipoExamen = 'T'"));
    QVector<FilaTest> filas;
    while (q.next())
        filas.push_back({q.value(0).toInt(), texto(q.value(1))});
    return filas;
}

QString textoControl(qint32 remoto) {
    return remoto == 0 ? kNoAsignado : QString::number(remoto);
}

QList<int> buscarGrupos(const QVector<FilaGrupo>& filas, const QString& buscado, int campo) {
    QList<int> encontradas;
    const QString t = buscado.toUpper();
    for (int i = 0; i < filas.size(); ++i) {
        const QString& c = campo == 0 ? filas.at(i).curso : filas.at(i).descripcion;
        if (c.toUpper().contains(t))
            encontradas << i;
    }
    return encontradas;
}

void eliminarGrupo(De1& de1, qint32 codigoGrupo) {
    Transaccion t(de1);
    de1.ejecutar(QStringLiteral("DELETE FROM GruposPersonas WHERE Grupo = ?"), {codigoGrupo});
    de1.ejecutar(QStringLiteral("DELETE FROM Grupos WHERE CodigoGrupo = ?"), {codigoGrupo});
    t.confirmar();
}

QStringList usuariosActivos(De1& de1) {
    QSqlQuery q =
        de1.ejecutar(QStringLiteral("SELECT NombreUsuario FROM Usuarios WHERE Eliminado = ?"),
                     {de1.dialecto().booleano(false)});
    QStringList nombres;
    while (q.next())
        nombres << texto(q.value(0));
    return nombres;
}

QString nombreResponsable(De1& de1, qint32 codigoResponsable) {
    return texto(de1.valor(
        QStringLiteral("SELECT NombreResponsable FROM Responsables WHERE CodigoResponsable = ?"),
        {codigoResponsable}));
}

std::optional<DatosGrupo> leerGrupo(De1& de1, qint32 codigoGrupo) {
    QSqlQuery q = de1.ejecutar(
        QStringLiteral("SELECT g.Fecha, g.NroCurso, g.Descripcion, r.NombreResponsable "
                       "FROM Grupos g INNER JOIN Responsables r "
                       "ON g.Responsable = r.CodigoResponsable WHERE g.CodigoGrupo = ?"),
        {codigoGrupo});
    if (!q.next())
        return std::nullopt;
    return DatosGrupo{q.value(0).toDate(), texto(q.value(1)), texto(q.value(2)), texto(q.value(3))};
}

qint32 guardarGrupo(De1& de1, std::optional<qint32> codigoGrupo, const DatosGrupo& datos) {
    Transaccion t(de1);
    // The first row of that name, as the office's other programs find it.
    const QVariant encontrado = de1.valor(
        de1.dialecto().primeraFila(QStringLiteral("SELECT CodigoResponsable FROM Responsables "
                                                  "WHERE NombreResponsable = ? "
                                                  "ORDER BY CodigoResponsable")),
        {datos.responsable});
    const qint64 responsable =
        encontrado.isValid()
            ? encontrado.toLongLong()
            : de1.insertar(QStringLiteral("Responsables"),
                           {{QStringLiteral("NombreResponsable"), datos.responsable}},
                           QStringLiteral("CodigoResponsable"));
    const QVariant fecha = de1.dialecto().fecha(datos.fecha);
    qint32 codigo = 0;
    if (codigoGrupo) {
        QSqlQuery q = de1.ejecutar(
            QStringLiteral("UPDATE Grupos SET Fecha = ?, NroCurso = ?, Descripcion = ?, "
                           "Responsable = ? WHERE CodigoGrupo = ?"),
            {fecha, datos.curso, datos.descripcion, responsable, *codigoGrupo});
        if (q.numRowsAffected() == 0)
            throw ErrorBD(QStringLiteral("El grupo ya no existe en la base de datos."));
        codigo = *codigoGrupo;
    } else {
        codigo =
            static_cast<qint32>(de1.insertar(QStringLiteral("Grupos"),
                                             {{QStringLiteral("NroCurso"), datos.curso},
                                              {QStringLiteral("Responsable"), responsable},
                                              {QStringLiteral("Descripcion"), datos.descripcion},
                                              {QStringLiteral("Fecha"), fecha}},
                                             QStringLiteral("CodigoGrupo")));
    }
    t.confirmar();
    return codigo;
}

QVector<FilaPersona> miembros(De1& de1, qint32 codigoGrupo) {
    QVector<FilaPersona> filas;
    for (const FilaEvaluado& e : cargarEvaluados(de1, codigoGrupo))
        filas.push_back({e.codigo, e.nombre, e.documento});
    return filas;
}

void escribirMiembros(De1& de1, qint32 codigoGrupo, const QList<qint32>& personas) {
    const QSet<qint32> quedan(personas.cbegin(), personas.cend());
    Transaccion t(de1);
    QSet<qint32> guardadas;
    {
        QSqlQuery q = de1.ejecutar(
            QStringLiteral("SELECT gp.Persona FROM GruposPersonas gp INNER JOIN Personas p "
                           "ON gp.Persona = p.CodigoPersona WHERE gp.Grupo = ?"),
            {codigoGrupo});
        while (q.next())
            guardadas.insert(q.value(0).toInt());
    }
    for (qint32 p : std::as_const(guardadas))
        if (!quedan.contains(p))
            de1.ejecutar(
                QStringLiteral("DELETE FROM GruposPersonas WHERE Persona = ? AND Grupo = ?"),
                {p, codigoGrupo});
    for (qint32 p : personas) {
        if (guardadas.contains(p))
            continue;
        de1.insertar(QStringLiteral("GruposPersonas"),
                     {{QStringLiteral("Grupo"), codigoGrupo},
                      {QStringLiteral("Persona"), p},
                      {QStringLiteral("Remoto"), QVariant()}},
                     QStringLiteral("CodigoGrupoPersona"));
        guardadas.insert(p); // a person listed twice gets one row
    }
    t.confirmar();
}

} // namespace grupos
