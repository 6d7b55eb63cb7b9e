#include "session/RegistroRespuestas.h"

#include "app/Globales.h"
#include "data/De1.h"
#include "session/Calificacion.h"
#include "session/MatrizRespuestas.h"
#include "session/PreguntasExamen.h"

#include <QSqlQuery>
#include <QStringList>

RegistroRespuestas::RegistroRespuestas(De1& de1, const QList<PreguntaExamen>& preguntas,
                                       const MatrizRespuestas& matriz)
    : de1_(de1), preguntas_(preguntas), matriz_(matriz) {}

qint64 RegistroRespuestas::crearSesion(qint32 grupo, qint32 examen, const QDateTime& momento) {
    const QVariant descripcionGrupo =
        grupo ? de1_.valor(QStringLiteral("SELECT Descripcion FROM Grupos WHERE CodigoGrupo = ?"),
                           {grupo})
              : QVariant();
    const QVariant descripcionExamen = de1_.valor(
        QStringLiteral("SELECT DescripcionExamen FROM Examenes WHERE CodigoExamen = ?"), {examen});
    const qint64 sesion =
        de1_.insertar(QStringLiteral("SesionesExamen"),
                      {{QStringLiteral("Grupo"), grupo},
                       {QStringLiteral("DescripcionGrupo"), descripcionGrupo.toString()},
                       {QStringLiteral("Examen"), examen},
                       {QStringLiteral("DescripcionExamen"), descripcionExamen.toString()},
                       {QStringLiteral("Fecha"), de1_.dialecto().fechaHora(momento)},
                       {QStringLiteral("Responsable"), Globales::ResponsableActual}},
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

void RegistroRespuestas::descartarSesion(qint64 sesion) {
    de1_.ejecutar(QStringLiteral("DELETE FROM PreguntasSesion WHERE Sesion = ?"), {sesion});
    de1_.ejecutar(QStringLiteral("DELETE FROM SesionesExamen WHERE CodigoSesion = ?"), {sesion});
}

void RegistroRespuestas::guardarEvaluado(qint64 sesion, qint32 grupo, int lugar, qint32 persona,
                                         std::optional<qint64> detalleExamen,
                                         const Calificacion& c) {
    if (!remotos_) {
        remotos_.emplace();
        if (grupo) {
            QSqlQuery q = de1_.ejecutar(
                QStringLiteral("SELECT Persona, Remoto FROM GruposPersonas WHERE Grupo = ?"),
                {grupo});
            while (q.next())
                remotos_->insert(q.value(0).toInt(), q.value(1).toInt());
        }
    }
    QSqlQuery p = de1_.ejecutar(
        QStringLiteral("SELECT NombrePersona, Documento FROM Personas WHERE CodigoPersona = ?"),
        {persona});
    QString nombre, documento;
    if (p.next()) {
        nombre = p.value(0).toString();
        documento = p.value(1).toString();
    }
    p.finish();
    const int posicion = lugar + 1;
    const qint32 remoto = remotos_->value(persona, 0);
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
