#include "session/RegistroRespuestas.h"

#include "data/De1.h"
#include "exams/RepositorioExamenes.h"
#include "groups/RepositorioGrupos.h"
#include "groups/RepositorioMiembros.h"
#include "persons/RepositorioPersonas.h"
#include "session/Calificacion.h"
#include "session/MatrizRespuestas.h"
#include "session/PreguntasExamen.h"

#include <QSqlQuery>
#include <QStringList>

RegistroRespuestas::RegistroRespuestas(De1& de1, const QList<PreguntaExamen>& preguntas,
                                       const MatrizRespuestas& matriz)
    : de1_(de1), preguntas_(preguntas), matriz_(matriz) {}

qint64 RegistroRespuestas::crearSesion(qint32 grupo, qint32 examen, qint32 responsable,
                                       const QDateTime& momento, const QString& diario) {
    const QString descripcionGrupo = grupo ? RepositorioGrupos(de1_).descripcion(grupo) : QString();
    const qint64 sesion = de1_.insertar(
        QStringLiteral("SesionesExamen"),
        {{QStringLiteral("Grupo"), grupo},
         {QStringLiteral("DescripcionGrupo"), descripcionGrupo},
         {QStringLiteral("Examen"), examen},
         {QStringLiteral("DescripcionExamen"), RepositorioExamenes(de1_).descripcion(examen)},
         {QStringLiteral("Fecha"), de1_.dialecto().fechaHora(momento)},
         {QStringLiteral("Responsable"), responsable},
         {QStringLiteral("Diario"),
          diario.isEmpty() ? QVariant(QMetaType(QMetaType::QString)) : QVariant(diario)}},
        QStringLiteral("CodigoSesion"));
    for (qsizetype i = 0; i < preguntas_.size(); ++i) {
        const PreguntaExamen& p = preguntas_.at(i);
        de1_.insertarSinIdentidad(QStringLiteral("PreguntasSesion"),
                                  {{QStringLiteral("Sesion"), sesion},
                                   {QStringLiteral("Orden"), int(i + 1)},
                                   {QStringLiteral("Pregunta"), p.codigo},
                                   {QStringLiteral("Texto"), p.texto},
                                   {QStringLiteral("Correcta"), p.posicionCorrecta()},
                                   {QStringLiteral("Respuestas"), int(p.respuestas.size())}});
    }
    return sesion;
}

std::optional<qint64> RegistroRespuestas::sesionDelDiario(De1& de1, const QString& diario) {
    if (diario.isEmpty())
        return std::nullopt;
    QSqlQuery q = de1.ejecutar(de1.dialecto().primeraFila(QStringLiteral(
                                   "SELECT CodigoSesion FROM SesionesExamen WHERE Diario = ?")),
                               {diario});
    if (!q.next())
        return std::nullopt;
    return q.value(0).toLongLong();
}

void RegistroRespuestas::descartarSesion(qint64 sesion) {
    de1_.ejecutar(QStringLiteral("DELETE FROM PreguntasSesion WHERE Sesion = ?"), {sesion});
    de1_.ejecutar(QStringLiteral("DELETE FROM SesionesExamen WHERE CodigoSesion = ?"), {sesion});
}

void RegistroRespuestas::leerRoster(qint32 grupo) {
    personas_.emplace();
    if (!grupo)
        return;
    for (const Evaluado& e : RepositorioMiembros(de1_).evaluados(grupo))
        personas_->insert(e.codigoPersona, {e.nombre, e.documento, e.remoto});
}

void RegistroRespuestas::guardarEvaluado(qint64 sesion, qint32 grupo, int lugar, qint32 persona,
                                         std::optional<qint64> detalleExamen,
                                         const Calificacion& c) {
    if (!personas_)
        leerRoster(grupo);
    Persona datos = personas_->value(persona);
    if (!personas_->contains(persona)) {
        // Not in the group's roster (a session without a group): the person alone.
        for (const PersonaListada& p : RepositorioPersonas(de1_).porCodigos({persona}))
            datos = {p.nombre, p.documento, 0};
        personas_->insert(persona, datos);
    }
    const int posicion = lugar + 1;
    const QString& nombre = datos.nombre;
    const QString& documento = datos.documento;
    const qint32 remoto = datos.remoto;
    QString teclas;
    teclas.reserve(preguntas_.size());
    for (int q = 0; q < preguntas_.size(); ++q) {
        const QString tecla = matriz_.celda(lugar, q);
        teclas += tecla.isEmpty() ? QChar(u' ') : tecla.at(0);
    }
    de1_.insertarSinIdentidad(
        QStringLiteral("EvaluadosSesion"),
        {{QStringLiteral("Sesion"), sesion},
         {QStringLiteral("Posicion"), posicion},
         {QStringLiteral("Persona"), persona},
         {QStringLiteral("DetalleExamen"), detalleExamen ? QVariant(*detalleExamen) : QVariant()},
         {QStringLiteral("Remoto"), remoto ? QVariant(remoto) : QVariant()},
         {QStringLiteral("NombrePersona"), nombre},
         {QStringLiteral("Documento"), documento},
         {QStringLiteral("Correctas"), c.correctas},
         {QStringLiteral("Incorrectas"), c.incorrectas},
         {QStringLiteral("Resultado"), c.veredicto},
         {QStringLiteral("Teclas"), teclas}});

    // Many rows per statement: a session of 54 examinees and 100 questions is
    // 5,400 rows, written while the operator waits.
    const int total = int(preguntas_.size());
    for (int desde = 0; desde < total; desde += kFilasPorSentencia) {
        const int hasta = std::min(total, desde + kFilasPorSentencia);
        QStringList marcas;
        QVariantList valores;
        valores.reserve(qsizetype(hasta - desde) * 5);
        for (int q = desde; q < hasta; ++q) {
            const QString tecla = matriz_.celda(lugar, q);
            const bool acierto = ValorTecla(tecla) == preguntas_.at(q).posicionCorrecta();
            marcas << QStringLiteral("(?, ?, ?, ?, ?)");
            valores << sesion << posicion << q + 1
                    << (tecla.isEmpty() ? QVariant(QMetaType(QMetaType::QString)) : QVariant(tecla))
                    << (acierto ? 1 : 0);
        }
        de1_.ejecutar(QStringLiteral("INSERT INTO RespuestasSesion (Sesion, Posicion, Orden, "
                                     "Tecla, Acierto) VALUES ") +
                          marcas.join(QStringLiteral(", ")),
                      valores);
    }
}
