#include "exams/RepositorioExamenes.h"

#include "data/De1.h"
#include "exams/EdicionExamen.h"
#include "exams/FotoPregunta.h"

#include <QBuffer>
#include <QHash>
#include <QSqlQuery>
#include <limits>

QList<ExamenListado> RepositorioExamenes::tests() {
    QSqlQuery q = de1_.ejecutar(QStringLiteral(
        "SELECT CodigoExamen, DescripcionExamen FROM Examenes WHERE TipoExamen = 'T'"));
    QList<ExamenListado> tests;
    while (q.next())
        tests.append({q.value(0).toInt(), q.value(1).isNull() ? QString() : q.value(1).toString()});
    return tests;
}

QString RepositorioExamenes::descripcion(qint32 codigoExamen) {
    return de1_
        .valor(QStringLiteral("SELECT DescripcionExamen FROM Examenes WHERE CodigoExamen = ?"),
               {codigoExamen})
        .toString();
}

bool RepositorioExamenes::cargar(qint32 codigoExamen, EdicionExamen& edicion) {
    QSqlQuery examen = de1_.ejecutar(
        QStringLiteral("SELECT DescripcionExamen FROM Examenes WHERE CodigoExamen = ?"),
        {codigoExamen});
    if (!examen.next())
        return false;
    edicion.descripcion = examen.value(0).toString();

    QHash<qint32, QString> claves; // CodigoPregunta -> the entry's key
    QSqlQuery preguntas =
        de1_.ejecutar(QStringLiteral("SELECT CodigoPregunta, Pregunta, Foto FROM Preguntas "
                                     "WHERE Valoracion = ? ORDER BY Orden, CodigoPregunta"),
                      {codigoExamen});
    while (preguntas.next()) {
        const qint32 codigo = preguntas.value(0).toInt();
        const QVariant foto = preguntas.value(2);
        // Bytes that are not a whole picture leave the question with its blank square.
        const QImage imagen = fotopregunta::decodificar(foto.toByteArray());
        claves.insert(codigo,
                      edicion.cargarPregunta(preguntas.value(1).toString(), codigo, imagen));
    }

    QSqlQuery respuestas = de1_.ejecutar(
        QStringLiteral("SELECT r.Pregunta, r.CodigoRespuesta, r.Respuesta, r.Correcta "
                       "FROM Respuestas r INNER JOIN Preguntas p ON r.Pregunta = p.CodigoPregunta "
                       "WHERE p.Valoracion = ? ORDER BY r.Pregunta, r.Orden, r.CodigoRespuesta"),
        {codigoExamen});
    while (respuestas.next()) {
        const auto clave = claves.constFind(respuestas.value(0).toInt());
        if (clave == claves.constEnd())
            continue;
        edicion.cargarRespuesta(*clave, respuestas.value(2).toString(), respuestas.value(1).toInt(),
                                respuestas.value(3).toBool());
    }
    return true;
}

RepositorioExamenes::Resultado RepositorioExamenes::guardar(const EdicionExamen& edicion,
                                                            std::optional<qint32> codigoExamen) {
    const Dialecto& d = de1_.dialecto();
    Transaccion transaccion(de1_);
    if (descripcionEnUso(edicion.descripcion, codigoExamen))
        return {Estado::DescripcionDuplicada, 0};

    const Columnas datosExamen = {{QStringLiteral("TipoExamen"), QStringLiteral("T")},
                                  {QStringLiteral("Disponible"), d.booleano(true)},
                                  {QStringLiteral("Ejecutable"), edicion.descripcion},
                                  {QStringLiteral("DescripcionExamen"), edicion.descripcion}};
    bool existe = false;
    if (codigoExamen) {
        QSqlQuery q = de1_.ejecutar(
            QStringLiteral("UPDATE Examenes SET TipoExamen = ?, Disponible = ?, Ejecutable = ?, "
                           "DescripcionExamen = ? WHERE CodigoExamen = ?"),
            {QStringLiteral("T"), d.booleano(true), edicion.descripcion, edicion.descripcion,
             *codigoExamen});
        existe = q.numRowsAffected() > 0;
    }
    // An exam removed by someone else while it was being edited is written anew
    // under its code, so nothing typed is lost.
    const qint32 codigo = codigoExamen ? *codigoExamen : codigoNuevo();
    if (!existe) {
        Columnas fila = datosExamen;
        fila.prepend({QStringLiteral("CodigoExamen"), codigo});
        de1_.insertarSinIdentidad(QStringLiteral("Examenes"), fila);
    }

    int ordenPregunta = 0;
    for (const EdicionExamen::Pregunta& p : edicion.preguntas()) {
        if (p.quitada) {
            if (p.codigo) {
                de1_.ejecutar(QStringLiteral("DELETE FROM Respuestas WHERE Pregunta = ?"),
                              {*p.codigo});
                de1_.ejecutar(QStringLiteral("DELETE FROM Preguntas WHERE CodigoPregunta = ?"),
                              {*p.codigo});
            }
            continue;
        }
        ++ordenPregunta;
        const QByteArray foto = bytesFoto(p.foto);
        qint64 codigoPregunta = 0;
        bool actualizada = false;
        if (p.codigo) {
            QSqlQuery q = de1_.ejecutar(
                QStringLiteral("UPDATE Preguntas SET Pregunta = ?, Ensayo = ?, Tiempo = ?, "
                               "Tipo = ?, Valoracion = ?, Orden = ?, Foto = ? "
                               "WHERE CodigoPregunta = ?"),
                {p.texto, d.booleano(false), 16, QStringLiteral("T"), codigo, ordenPregunta, foto,
                 *p.codigo});
            actualizada = q.numRowsAffected() > 0;
            codigoPregunta = *p.codigo;
        }
        if (!actualizada)
            codigoPregunta = de1_.insertar(QStringLiteral("Preguntas"),
                                           {{QStringLiteral("Pregunta"), p.texto},
                                            {QStringLiteral("Ensayo"), d.booleano(false)},
                                            {QStringLiteral("Tiempo"), 16},
                                            {QStringLiteral("Tipo"), QStringLiteral("T")},
                                            {QStringLiteral("Valoracion"), codigo},
                                            {QStringLiteral("Orden"), ordenPregunta},
                                            {QStringLiteral("Foto"), foto}},
                                           QStringLiteral("CodigoPregunta"));

        int ordenRespuesta = 0;
        for (int i : edicion.respuestasDe(p.clave)) {
            const EdicionExamen::Respuesta& r = edicion.respuestas().at(i);
            ++ordenRespuesta;
            bool escrita = false;
            if (r.codigo) {
                QSqlQuery q = de1_.ejecutar(
                    QStringLiteral("UPDATE Respuestas SET Respuesta = ?, Pregunta = ?, Orden = ?, "
                                   "Correcta = ? WHERE CodigoRespuesta = ?"),
                    {r.texto, codigoPregunta, ordenRespuesta, d.booleano(r.correcta), *r.codigo});
                escrita = q.numRowsAffected() > 0;
            }
            if (!escrita)
                de1_.insertar(QStringLiteral("Respuestas"),
                              {{QStringLiteral("Respuesta"), r.texto},
                               {QStringLiteral("Pregunta"), codigoPregunta},
                               {QStringLiteral("Orden"), ordenRespuesta},
                               {QStringLiteral("Correcta"), d.booleano(r.correcta)}},
                              QStringLiteral("CodigoRespuesta"));
        }
    }
    for (const EdicionExamen::Respuesta& r : edicion.respuestas())
        if (r.quitada && r.codigo)
            de1_.ejecutar(QStringLiteral("DELETE FROM Respuestas WHERE CodigoRespuesta = ?"),
                          {*r.codigo});

    transaccion.confirmar();
    return {Estado::Guardado, codigo};
}

QByteArray RepositorioExamenes::bytesFoto(const QImage& foto) {
    const QImage cuadro =
        foto.width() == EdicionExamen::kLadoFoto && foto.height() == EdicionExamen::kLadoFoto
            ? foto
            : EdicionExamen::cuadrado(foto);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    cuadro.save(&buffer, "BMP");
    return bytes;
}

bool RepositorioExamenes::descripcionEnUso(const QString& descripcion,
                                           std::optional<qint32> excepto) {
    // The engine's comparison may ignore case or trailing spaces; only an exact
    // match counts as the same description.
    QSqlQuery q = de1_.ejecutar(
        QStringLiteral(
            "SELECT CodigoExamen, DescripcionExamen FROM Examenes WHERE DescripcionExamen = ?"),
        {descripcion});
    while (q.next())
        if (q.value(1).toString() == descripcion && (!excepto || q.value(0).toInt() != *excepto))
            return true;
    return false;
}

qint32 RepositorioExamenes::codigoNuevo() {
    const qint64 mayor = de1_.valor(QStringLiteral("SELECT MAX(CodigoExamen) FROM Examenes"))
                             .toLongLong(); // null on an empty table: the first code is 1
    if (mayor >= std::numeric_limits<qint16>::max())
        throw ErrorBD(
            QStringLiteral("No quedan códigos de examen libres: el mayor es %1").arg(mayor));
    return qint32(mayor + 1);
}
