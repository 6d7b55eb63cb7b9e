#include "session/ResultadosExamen.h"

#include "data/De1.h"
#include "groups/RepositorioGrupos.h"
#include "session/Calificacion.h"

#include <QHash>
#include <QSqlQuery>
#include <algorithm>
#include <array>
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
        QSqlQuery q =
            de1.ejecutar(QStringLiteral("SELECT CodigoSesion, Grupo, DescripcionGrupo, Examen, "
                                        "DescripcionExamen, Fecha, Responsable FROM SesionesExamen "
                                        "WHERE CodigoSesion = ?"),
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
    }
    if (x.responsable)
        x.nombreResponsable = RepositorioGrupos(de1).nombreResponsable(x.responsable);
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

    // Each examination's questions, as places into the list of distinct questions
    // (by CodigoPregunta), whose texts are the latest examination's.
    struct Formulada {
        qsizetype indice;
        int correcta;
    };
    QHash<qint64, QList<Formulada>> preguntasDe;
    QHash<qint32, qsizetype> indice;
    {
        QSqlQuery q = de1.ejecutar(
            QStringLiteral("SELECT p.Sesion, p.Pregunta, p.Orden, p.Texto, p.Correcta, "
                           "p.Respuestas FROM PreguntasSesion p JOIN SesionesExamen s "
                           "ON s.CodigoSesion = p.Sesion WHERE %1 "
                           "ORDER BY s.Fecha, s.CodigoSesion, p.Orden")
                .arg(donde),
            parametros);
        while (q.next()) {
            const qint32 codigo = q.value(1).toInt();
            auto it = indice.find(codigo);
            if (it == indice.end()) {
                it = indice.insert(codigo, r.preguntas.size());
                r.preguntas.append(EstadisticaPregunta());
            }
            EstadisticaPregunta& p = r.preguntas[*it];
            p.codigo = codigo;
            p.orden = q.value(2).toInt();
            p.texto = q.value(3).toString();
            p.correcta = q.value(4).toInt();
            p.opciones = q.value(5).toInt();
            preguntasDe[q.value(0).toLongLong()].append({*it, p.correcta});
        }
    }

    struct Examinado {
        qint64 sesion;
        int posicion;
        double proporcion;
        QString teclas;
    };
    QList<Examinado> examinados;
    {
        // Examinees with no question asked cannot be ranked.
        QSqlQuery q = de1.ejecutar(
            QStringLiteral("SELECT v.Sesion, v.Posicion, v.Correctas, v.Incorrectas, v.Teclas "
                           "FROM EvaluadosSesion v JOIN SesionesExamen s "
                           "ON s.CodigoSesion = v.Sesion "
                           "WHERE %1 AND v.Correctas + v.Incorrectas > 0")
                .arg(donde),
            parametros);
        while (q.next()) {
            const int bien = q.value(2).toInt();
            const int mal = q.value(3).toInt();
            examinados.append({q.value(0).toLongLong(), q.value(1).toInt(),
                               double(bien) / double(bien + mal), q.value(4).toString()});
        }
    }
    r.evaluados = int(examinados.size());
    r.tamanoGrupo = tamanoGrupo(r.evaluados);
    // Ranked by their share of correct answers (best first; ties by examination
    // and roster place): the upper group is the first k, the lower one the last k.
    std::sort(examinados.begin(), examinados.end(), [](const Examinado& a, const Examinado& b) {
        if (a.proporcion != b.proporcion)
            return a.proporcion > b.proporcion;
        return a.sesion != b.sesion ? a.sesion < b.sesion : a.posicion < b.posicion;
    });

    // Keys counted per question: ASCII ones in a table, any other in a map.
    struct Conteo {
        std::array<int, 128> ascii{};
        QHash<char16_t, int> otras;
    };
    QList<Conteo> conteos(r.preguntas.size());
    for (qsizetype i = 0; i < examinados.size(); ++i) {
        const Examinado& e = examinados.at(i);
        const bool superior = i < r.tamanoGrupo;
        const bool inferior = i >= examinados.size() - r.tamanoGrupo;
        const QList<Formulada> preguntas = preguntasDe.value(e.sesion);
        for (qsizetype q = 0; q < preguntas.size(); ++q) {
            const QChar c = q < e.teclas.size() ? e.teclas.at(q) : QChar(u' ');
            const QString tecla = c == u' ' ? QString() : QString(c);
            const Formulada& a = preguntas.at(q);
            EstadisticaPregunta& p = r.preguntas[a.indice];
            const bool acierto = ValorTecla(tecla) == a.correcta;
            ++p.evaluados;
            p.aciertos += acierto;
            p.aciertosSuperior += superior && acierto;
            p.aciertosInferior += inferior && acierto;
            Conteo& n = conteos[a.indice];
            if (c.unicode() < 128)
                ++n.ascii[c.unicode()];
            else
                ++n.otras[c.unicode()];
        }
    }
    for (qsizetype i = 0; i < r.preguntas.size(); ++i) {
        const Conteo& n = conteos.at(i);
        for (int c = 0; c < 128; ++c)
            if (n.ascii[c])
                r.preguntas[i].teclas.insert(c == ' ' ? QString() : QString(QChar(c)), n.ascii[c]);
        for (auto it = n.otras.cbegin(); it != n.otras.cend(); ++it)
            r.preguntas[i].teclas.insert(QString(QChar(it.key())), it.value());
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

QString textoTecla(const QString& tecla) {
    return tecla.isEmpty() ? QStringLiteral("—") : tecla;
}

} // namespace resultados
