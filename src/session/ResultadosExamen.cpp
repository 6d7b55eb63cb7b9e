#include "session/ResultadosExamen.h"

#include "data/De1.h"
#include "session/Calificacion.h"

#include <QHash>
#include <QSqlQuery>
#include <algorithm>
#include <cmath>

double EvaluadoRegistrado::porcentaje() const {
    const int n = preguntas();
    return n > 0 ? double(correctas) * 100.0 / double(n) : 0.0;
}

bool EvaluadoRegistrado::aprobado() const {
    return resultado == Calificacion::kAprobado;
}

QString EvaluadoRegistrado::tecla(int orden) const {
    if (orden < 1 || orden > teclas.size() || teclas.at(orden - 1) == QChar(u'\0'))
        return QString();
    return QString(teclas.at(orden - 1));
}

int Examinacion::aprobados() const {
    return int(std::count_if(evaluados.cbegin(), evaluados.cend(),
                             [](const EvaluadoRegistrado& e) { return e.aprobado(); }));
}

double EstadisticaPregunta::proporcion() const {
    return evaluados > 0 ? double(aciertos) / double(evaluados) : 0.0;
}

std::optional<double> EstadisticasItems::discriminacion(const EstadisticaPregunta& p) const {
    if (tamanoGrupo <= 0)
        return std::nullopt;
    return double(p.aciertosSuperior - p.aciertosInferior) / double(tamanoGrupo);
}

namespace resultados {

namespace {

// The examinations the filter covers, as a WHERE condition on SesionesExamen s.
std::pair<QString, QVariantList> condicion(const De1& de1, const FiltroEstadisticas& f) {
    if (f.sesion)
        return {QStringLiteral("s.CodigoSesion = ?"), {*f.sesion}};
    const Dialecto& d = de1.dialecto();
    return {QStringLiteral("s.Examen = ? AND s.Fecha >= ? AND s.Fecha < ?"),
            {f.examen, d.fecha(f.desde), d.fecha(f.hasta.addDays(1))}};
}

} // namespace

int tamanoGrupo(int evaluados) {
    if (evaluados < 2)
        return 0;
    return std::max(1, int(std::lround(double(evaluados) * kFraccionGrupo)));
}

QList<ExaminacionListada> examinacionesDeGrupo(De1& de1, qint32 grupo) {
    QList<ExaminacionListada> lista;
    QSqlQuery q = de1.ejecutar(
        QStringLiteral("SELECT s.CodigoSesion, s.Fecha, s.Examen, s.DescripcionExamen, "
                       "COUNT(v.Posicion), SUM(CASE WHEN v.Resultado = ? THEN 1 ELSE 0 END) "
                       "FROM SesionesExamen s LEFT JOIN EvaluadosSesion v ON v.Sesion = "
                       "s.CodigoSesion WHERE s.Grupo = ? "
                       "GROUP BY s.CodigoSesion, s.Fecha, s.Examen, s.DescripcionExamen "
                       "ORDER BY s.Fecha DESC, s.CodigoSesion DESC"),
        {Calificacion::kAprobado, grupo});
    while (q.next()) {
        ExaminacionListada e;
        e.sesion = q.value(0).toLongLong();
        e.fecha = Dialecto::leerFechaHora(q.value(1));
        e.examen = q.value(2).toInt();
        e.descripcionExamen = q.value(3).toString();
        e.evaluados = q.value(4).toInt();
        e.aprobados = q.value(5).toInt();
        lista.append(e);
    }
    return lista;
}

std::optional<Examinacion> cargar(De1& de1, qint64 sesion) {
    Examinacion x;
    {
        QSqlQuery q = de1.ejecutar(
            QStringLiteral("SELECT s.CodigoSesion, s.Grupo, s.DescripcionGrupo, s.Examen, "
                           "s.DescripcionExamen, s.Fecha, s.Responsable, r.NombreResponsable "
                           "FROM SesionesExamen s LEFT JOIN Responsables r "
                           "ON r.CodigoResponsable = s.Responsable WHERE s.CodigoSesion = ?"),
            {sesion});
        if (!q.next())
            return std::nullopt;
        x.sesion = q.value(0).toLongLong();
        x.grupo = q.value(1).toInt();
        x.descripcionGrupo = q.value(2).toString();
        x.examen = q.value(3).toInt();
        x.descripcionExamen = q.value(4).toString();
        x.fecha = Dialecto::leerFechaHora(q.value(5));
        x.responsable = q.value(6).toInt();
        x.nombreResponsable = q.value(7).toString();
    }
    {
        QSqlQuery q =
            de1.ejecutar(QStringLiteral("SELECT Orden, Pregunta, Texto, Correcta, Respuestas "
                                        "FROM PreguntasSesion WHERE Sesion = ? ORDER BY Orden"),
                         {sesion});
        while (q.next())
            x.preguntas.append({q.value(0).toInt(), q.value(1).toInt(), q.value(2).toString(),
                                q.value(3).toInt(), q.value(4).toInt()});
    }
    const int n = int(x.preguntas.size());
    QHash<int, qsizetype> porPosicion;
    {
        // The folder number comes from the shared rows: it is the folder's, and
        // only the shared row knows whether another program renumbered it.
        QSqlQuery q = de1.ejecutar(
            QStringLiteral("SELECT v.Posicion, v.Persona, v.Remoto, v.NombrePersona, "
                           "v.Documento, v.Correctas, v.Incorrectas, v.Resultado, "
                           "v.DetalleExamen, c.NumeroCarpetaCons "
                           "FROM EvaluadosSesion v "
                           "LEFT JOIN DetalleExamenes d ON d.CodigoDetalleExamen = v.DetalleExamen "
                           "LEFT JOIN Carpetas c ON c.CodigoCarpeta = d.Carpeta "
                           "WHERE v.Sesion = ? ORDER BY v.Posicion"),
            {sesion});
        while (q.next()) {
            EvaluadoRegistrado e;
            e.posicion = q.value(0).toInt();
            e.persona = q.value(1).toInt();
            e.remoto = q.value(2).toInt();
            e.nombre = q.value(3).toString();
            e.documento = q.value(4).toString();
            e.correctas = q.value(5).toInt();
            e.incorrectas = q.value(6).toInt();
            e.resultado = q.value(7).toString();
            if (!q.value(8).isNull())
                e.detalleExamen = q.value(8).toLongLong();
            e.numeroCarpeta = q.value(9).toString();
            e.teclas = QString(n, QChar(u'\0'));
            porPosicion.insert(e.posicion, x.evaluados.size());
            x.evaluados.append(e);
        }
    }
    {
        QSqlQuery q = de1.ejecutar(QStringLiteral("SELECT Posicion, Orden, Tecla FROM "
                                                  "RespuestasSesion WHERE Sesion = ? "
                                                  "AND Tecla IS NOT NULL"),
                                   {sesion});
        while (q.next()) {
            const auto it = porPosicion.constFind(q.value(0).toInt());
            const int orden = q.value(1).toInt();
            const QString tecla = q.value(2).toString();
            if (it == porPosicion.constEnd() || orden < 1 || orden > n || tecla.isEmpty())
                continue;
            x.evaluados[*it].teclas[orden - 1] = tecla.at(0);
        }
    }
    return x;
}

EstadisticasItems estadisticas(De1& de1, const FiltroEstadisticas& filtro) {
    EstadisticasItems r;
    const auto [donde, parametros] = condicion(de1, filtro);

    // Examinees with no question asked cannot be ranked.
    const QString examinados =
        QStringLiteral("FROM EvaluadosSesion v JOIN SesionesExamen s ON s.CodigoSesion = v.Sesion "
                       "WHERE %1 AND v.Correctas + v.Incorrectas > 0")
            .arg(donde);
    r.evaluados = de1.valor(QStringLiteral("SELECT COUNT(*) ") + examinados, parametros).toInt();
    r.tamanoGrupo = tamanoGrupo(r.evaluados);

    // The questions as the latest examination asked them.
    QHash<qint32, qsizetype> indice;
    {
        QSqlQuery q = de1.ejecutar(
            QStringLiteral("SELECT p.Pregunta, p.Orden, p.Texto, p.Correcta, p.Respuestas "
                           "FROM PreguntasSesion p JOIN SesionesExamen s "
                           "ON s.CodigoSesion = p.Sesion WHERE %1 "
                           "ORDER BY s.Fecha, s.CodigoSesion, p.Orden")
                .arg(donde),
            parametros);
        while (q.next()) {
            const qint32 codigo = q.value(0).toInt();
            auto it = indice.find(codigo);
            if (it == indice.end()) {
                it = indice.insert(codigo, r.preguntas.size());
                r.preguntas.append(EstadisticaPregunta());
            }
            EstadisticaPregunta& p = r.preguntas[*it];
            p.codigo = codigo;
            p.orden = q.value(1).toInt();
            p.texto = q.value(2).toString();
            p.correcta = q.value(3).toInt();
            p.opciones = q.value(4).toInt();
        }
    }
    if (r.evaluados == 0 || r.preguntas.isEmpty())
        return r;

    // Examinees ranked by their share of correct answers (best first; ties by
    // examination and roster place, so the groups do not depend on the engine).
    // The upper group is the first k, the lower one the last k.
    QVariantList p = parametros;
    p << r.tamanoGrupo << r.evaluados - r.tamanoGrupo;
    QSqlQuery q = de1.ejecutar(
        QStringLiteral(
            "WITH e AS (SELECT v.Sesion, v.Posicion, ROW_NUMBER() OVER (ORDER BY "
            "(v.Correctas * 1.0) / (v.Correctas + v.Incorrectas) DESC, v.Sesion, v.Posicion) "
            "AS Puesto %1) "
            "SELECT p.Pregunta, r.Tecla, COUNT(*), SUM(r.Acierto), "
            "SUM(CASE WHEN e.Puesto <= ? THEN r.Acierto ELSE 0 END), "
            "SUM(CASE WHEN e.Puesto > ? THEN r.Acierto ELSE 0 END) "
            "FROM e JOIN RespuestasSesion r ON r.Sesion = e.Sesion AND r.Posicion = e.Posicion "
            "JOIN PreguntasSesion p ON p.Sesion = r.Sesion AND p.Orden = r.Orden "
            "GROUP BY p.Pregunta, r.Tecla")
            .arg(examinados),
        p);
    while (q.next()) {
        const auto it = indice.constFind(q.value(0).toInt());
        if (it == indice.constEnd())
            continue;
        EstadisticaPregunta& e = r.preguntas[*it];
        const int n = q.value(2).toInt();
        e.evaluados += n;
        e.aciertos += q.value(3).toInt();
        e.aciertosSuperior += q.value(4).toInt();
        e.aciertosInferior += q.value(5).toInt();
        e.teclas[q.value(1).isNull() ? QString() : q.value(1).toString()] += n;
    }
    std::stable_sort(r.preguntas.begin(), r.preguntas.end(),
                     [](const EstadisticaPregunta& a, const EstadisticaPregunta& b) {
                         return a.orden < b.orden;
                     });
    return r;
}

QLocale idioma() {
    const QLocale actual;
    return actual.language() == QLocale::Spanish ? actual : QLocale(QLocale::Spanish);
}

QString textoFecha(const QDate& fecha) {
    return fecha.isValid() ? idioma().toString(fecha, QStringLiteral("d 'de' MMMM 'de' yyyy"))
                           : QString();
}

QString textoFechaHora(const QDateTime& fecha) {
    return fecha.isValid() ? textoFecha(fecha.date()) + QStringLiteral(", ") +
                                 fecha.time().toString(QStringLiteral("HH:mm"))
                           : QString();
}

QString textoFechaCorta(const QDate& fecha) {
    return fecha.isValid() ? fecha.toString(QStringLiteral("dd/MM/yyyy")) : QString();
}

QString textoDecimal(double valor, int decimales) {
    return idioma().toString(valor, 'f', decimales);
}

QString textoPorcentaje(double porcentaje) {
    return textoDecimal(porcentaje) + QStringLiteral(" %");
}

QString textoControl(qint32 remoto) {
    return remoto ? QString::number(remoto) : QStringLiteral("no asignado");
}

QString textoTecla(const QString& tecla) {
    return tecla.isEmpty() ? QStringLiteral("—") : tecla;
}

} // namespace resultados
