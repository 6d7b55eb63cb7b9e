#include "Catalogo.h"

namespace catalogo {

qint32 responsable(De1& db, const QString& nombre) {
    return qint32(db.insertar(QStringLiteral("Responsables"),
                              {{QStringLiteral("NombreResponsable"), nombre}},
                              QStringLiteral("CodigoResponsable")));
}

qint32 nuevaPersona(De1& db, const QString& nombre, const QString& documento,
                    const QDate& nacimiento) {
    return qint32(db.insertar(QStringLiteral("Personas"),
                              {{QStringLiteral("NombrePersona"), nombre},
                               {QStringLiteral("Documento"), documento},
                               {QStringLiteral("FechaNac"), db.dialecto().fecha(nacimiento)}},
                              QStringLiteral("CodigoPersona")));
}

qint32 grupo(De1& db, const QString& curso, const QString& descripcion, qint32 responsable,
             const QDate& fecha) {
    return qint32(db.insertar(QStringLiteral("Grupos"),
                              {{QStringLiteral("NroCurso"), curso},
                               {QStringLiteral("Descripcion"), descripcion},
                               {QStringLiteral("Responsable"), responsable},
                               {QStringLiteral("Fecha"), db.dialecto().fecha(fecha)}},
                              QStringLiteral("CodigoGrupo")));
}

void miembro(De1& db, qint32 grupo, qint32 persona, const QVariant& remoto) {
    db.insertar(QStringLiteral("GruposPersonas"),
                {{QStringLiteral("Grupo"), grupo},
                 {QStringLiteral("Persona"), persona},
                 {QStringLiteral("Remoto"), remoto}},
                QStringLiteral("CodigoGrupoPersona"));
}

void test(De1& db, int codigo, const QString& descripcion, const QString& tipo) {
    db.insertarSinIdentidad(QStringLiteral("Examenes"),
                            {{QStringLiteral("CodigoExamen"), codigo},
                             {QStringLiteral("DescripcionExamen"), descripcion},
                             {QStringLiteral("TipoExamen"), tipo}});
}

void examen(De1& db, qint32 codigo, const QList<PreguntaPrueba>& preguntas) {
    test(db, codigo, QStringLiteral("Examen"));
    for (int i = int(preguntas.size()) - 1; i >= 0; --i) {
        const PreguntaPrueba& p = preguntas.at(i);
        const qint64 cp =
            db.insertar(QStringLiteral("Preguntas"),
                        {{QStringLiteral("Valoracion"), codigo},
                         {QStringLiteral("Pregunta"), QStringLiteral("Pregunta %1").arg(i + 1)},
                         {QStringLiteral("Tiempo"), p.tiempo},
                         {QStringLiteral("Orden"), i + 1},
                         {QStringLiteral("Ensayo"), p.ensayo}},
                        QStringLiteral("CodigoPregunta"));
        for (int a = 3; a >= 1; --a)
            db.insertar(
                QStringLiteral("Respuestas"),
                {{QStringLiteral("Pregunta"), cp},
                 {QStringLiteral("Respuesta"), QStringLiteral("Respuesta %1.%2").arg(i + 1).arg(a)},
                 {QStringLiteral("Correcta"), a == p.correcta ? 1 : 0},
                 {QStringLiteral("Orden"), a}},
                QStringLiteral("CodigoRespuesta"));
    }
}

QList<PreguntaPrueba> preguntasSimples(int n) {
    QList<PreguntaPrueba> l;
    for (int i = 0; i < n; ++i)
        l.append(PreguntaPrueba{1 + i % 3});
    return l;
}

int contar(De1& db, const QString& sql, const QVariantList& parametros) {
    return db.valor(sql, parametros).toInt();
}

int filas(De1& db, const QString& tabla) {
    return contar(db, QStringLiteral("SELECT count(*) FROM ") + tabla);
}

} // namespace catalogo
