// Storing and loading exams against a temporary embedded catalog.
#include "EntornoPrueba.h"
#include "exams/EdicionExamen.h"
#include "exams/RepositorioExamenes.h"

#include <QSqlQuery>
#include <QtTest>

namespace {

QImage lisa(const QColor& color) {
    QImage img(60, 30, QImage::Format_RGB32);
    img.fill(color);
    return img;
}

// An exam of three questions with their own colour and answers "<n>a", "<n>b".
EdicionExamen tresPreguntas(const QString& descripcion) {
    EdicionExamen e;
    e.descripcion = descripcion;
    const QList<QColor> colores = {Qt::red, Qt::green, Qt::blue};
    for (int n = 1; n <= 3; ++n) {
        e.agregarPregunta(QStringLiteral("P%1").arg(n));
        e.fijarFoto(lisa(colores.at(n - 1)));
        e.agregarRespuesta(QStringLiteral("%1a").arg(n), false);
        e.agregarRespuesta(QStringLiteral("%1b").arg(n), true);
    }
    return e;
}

int contar(De1& db, const QString& tabla) {
    return db.valor(QStringLiteral("SELECT count(*) FROM ") + tabla).toInt();
}

// "Pregunta|Orden" of an exam's questions, by Orden.
QStringList preguntasGuardadas(De1& db, qint32 examen) {
    QStringList r;
    QSqlQuery q = db.ejecutar(
        "SELECT Pregunta, Orden FROM Preguntas WHERE Valoracion = ? ORDER BY Orden", {examen});
    while (q.next())
        r << q.value(0).toString() + u'|' + q.value(1).toString();
    return r;
}

// "Respuesta|Orden|Correcta" of a question's answers, by Orden.
QStringList respuestasGuardadas(De1& db, qint32 examen, const QString& pregunta) {
    QStringList r;
    QSqlQuery q = db.ejecutar("SELECT r.Respuesta, r.Orden, r.Correcta FROM Respuestas r "
                              "JOIN Preguntas p ON r.Pregunta = p.CodigoPregunta "
                              "WHERE p.Valoracion = ? AND p.Pregunta = ? ORDER BY r.Orden",
                              {examen, pregunta});
    while (q.next())
        r << QStringList{q.value(0).toString(), q.value(1).toString(),
                         q.value(2).toBool() ? "1" : "0"}
                 .join(u'|');
    return r;
}

QImage fotoGuardada(De1& db, qint32 examen, const QString& pregunta) {
    return QImage::fromData(db.valor("SELECT Foto FROM Preguntas WHERE Valoracion = ? "
                                     "AND Pregunta = ?",
                                     {examen, pregunta})
                                .toByteArray(),
                            "BMP");
}

} // namespace

class TestRepositorioExamenes : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void nuevoExamenConSusFilas() {
        EntornoPrueba entorno;
        De1& db = entorno.de1();
        RepositorioExamenes repo(db);
        EdicionExamen e = tresPreguntas(QStringLiteral("Teórico B "));
        const auto r = repo.guardar(e, std::nullopt);
        QCOMPARE(r.estado, RepositorioExamenes::Estado::Guardado);
        QCOMPARE(r.codigoExamen, 1); // empty table

        QSqlQuery ex = db.ejecutar("SELECT CodigoExamen, DescripcionExamen, TipoExamen, "
                                   "Disponible, Ejecutable FROM Examenes");
        QVERIFY(ex.next());
        QCOMPARE(ex.value(0).toInt(), 1);
        QCOMPARE(ex.value(1).toString(), QStringLiteral("Teórico B "));
        QCOMPARE(ex.value(2).toString(), QStringLiteral("T"));
        QCOMPARE(ex.value(3).toInt(), 1);
        QCOMPARE(ex.value(4).toString(), QStringLiteral("Teórico B "));

        QCOMPARE(preguntasGuardadas(db, 1), (QStringList{"P1|1", "P2|2", "P3|3"}));
        QCOMPARE(db.valor("SELECT count(*) FROM Preguntas WHERE Ensayo = 0 AND Tiempo = 16 "
                          "AND Tipo = 'T' AND Valoracion = 1")
                     .toInt(),
                 3);
        QCOMPARE(respuestasGuardadas(db, 1, "P2"), (QStringList{"2a|1|0", "2b|2|1"}));
        QCOMPARE(contar(db, "Respuestas"), 6);

        // Pictures are Windows bitmaps of the square.
        const QByteArray foto =
            db.valor("SELECT Foto FROM Preguntas WHERE Pregunta = 'P3'").toByteArray();
        QVERIFY(foto.startsWith("BM"));
        const QImage img = fotoGuardada(db, 1, "P3");
        QCOMPARE(img.size(), QSize(EdicionExamen::kLadoFoto, EdicionExamen::kLadoFoto));
        QCOMPARE(img.pixelColor(10, 10), QColor(Qt::blue));
    }

    void codigoNuevoSobreElMayor() {
        EntornoPrueba entorno;
        De1& db = entorno.de1();
        for (int c : {3, 40, 7})
            db.insertarSinIdentidad(
                "Examenes", {{"CodigoExamen", c}, {"DescripcionExamen", QString::number(c)}});
        EdicionExamen e;
        e.descripcion = QStringLiteral("Nuevo");
        QCOMPARE(RepositorioExamenes(db).guardar(e, std::nullopt).codigoExamen, 41);
    }

    void descripcionDuplicadaNoGuardaNada() {
        EntornoPrueba entorno;
        De1& db = entorno.de1();
        RepositorioExamenes repo(db);
        QCOMPARE(repo.guardar(tresPreguntas("Clase A"), std::nullopt).codigoExamen, 1);
        QCOMPARE(repo.guardar(tresPreguntas("Clase B"), std::nullopt).codigoExamen, 2);

        const auto r = repo.guardar(tresPreguntas("Clase A"), std::nullopt);
        QCOMPARE(r.estado, RepositorioExamenes::Estado::DescripcionDuplicada);
        QCOMPARE(contar(db, "Examenes"), 2);
        QCOMPARE(contar(db, "Preguntas"), 6);
        // Only the exact text is the same description.
        QCOMPARE(repo.guardar(tresPreguntas("clase a"), std::nullopt).estado,
                 RepositorioExamenes::Estado::Guardado);
        QCOMPARE(repo.guardar(tresPreguntas("Clase A "), std::nullopt).estado,
                 RepositorioExamenes::Estado::Guardado);

        // Renaming an exam onto another one's description is refused as well;
        // keeping its own description is not a duplicate.
        EdicionExamen b;
        QVERIFY(repo.cargar(2, b));
        b.descripcion = QStringLiteral("Clase A");
        QCOMPARE(repo.guardar(b, 2).estado, RepositorioExamenes::Estado::DescripcionDuplicada);
        b.descripcion = QStringLiteral("Clase B");
        QCOMPARE(repo.guardar(b, 2).estado, RepositorioExamenes::Estado::Guardado);
    }

    void cargarQuitarYVolverAGuardar() {
        EntornoPrueba entorno;
        De1& db = entorno.de1();
        RepositorioExamenes repo(db);
        QCOMPARE(repo.guardar(tresPreguntas("Examen"), std::nullopt).codigoExamen, 1);
        QCOMPARE(repo.guardar(tresPreguntas("Otro"), std::nullopt).codigoExamen, 2);
        const int respuestasOtro = 6;

        EdicionExamen e;
        QVERIFY(repo.cargar(1, e));
        QCOMPARE(e.descripcion, QStringLiteral("Examen"));
        QCOMPARE(e.preguntas().size(), 3);
        QCOMPARE(e.preguntaSeleccionada()->texto, QStringLiteral("P3")); // the last loaded
        QCOMPARE(e.respuestas().size(), 6);
        QCOMPARE(e.respuestas().at(3).clavePregunta, QStringLiteral("K2"));
        QVERIFY(e.respuestas().at(3).correcta);
        QCOMPARE(e.preguntas().at(1).foto.pixelColor(3, 3), QColor(Qt::green));
        const qint32 codigoP2 = *e.preguntas().at(1).codigo;

        // Remove the second question and the first answer of the third; add a
        // question and remove another one that was never stored.
        QVERIFY(e.seleccionarPregunta("K2"));
        e.quitarPregunta();
        QVERIFY(e.seleccionarPregunta("K3"));
        QVERIFY(e.seleccionarRespuesta(e.respuestas().at(4).clave));
        e.quitarRespuesta();
        e.agregarRespuesta(QStringLiteral("3c"), false);
        e.agregarPregunta(QStringLiteral("Efímera"));
        e.agregarRespuesta(QStringLiteral("x"), true);
        e.quitarPregunta();
        e.agregarPregunta(QStringLiteral("P4"));
        e.agregarRespuesta(QStringLiteral("4a"), true);
        e.descripcion = QStringLiteral("Examen cambiado");
        QCOMPARE(repo.guardar(e, 1).codigoExamen, 1);

        QCOMPARE(
            db.valor("SELECT DescripcionExamen FROM Examenes WHERE CodigoExamen = 1").toString(),
            QStringLiteral("Examen cambiado"));
        QCOMPARE(preguntasGuardadas(db, 1), (QStringList{"P1|1", "P3|2", "P4|3"}));
        QCOMPARE(db.valor("SELECT count(*) FROM Respuestas WHERE Pregunta = ?", {codigoP2}).toInt(),
                 0);
        QCOMPARE(db.valor("SELECT count(*) FROM Preguntas WHERE Pregunta = 'Efímera'").toInt(), 0);
        QCOMPARE(db.valor("SELECT count(*) FROM Respuestas WHERE Respuesta = 'x'").toInt(), 0);
        // The third keeps its picture and its answers, renumbered from 1.
        QCOMPARE(respuestasGuardadas(db, 1, "P3"), (QStringList{"3b|1|1", "3c|2|0"}));
        QCOMPARE(fotoGuardada(db, 1, "P3").pixelColor(5, 5), QColor(Qt::blue));
        // A question without a picture stores its blank square.
        QCOMPARE(fotoGuardada(db, 1, "P4").pixelColor(5, 5), QColor(Qt::white));
        // The other exam is untouched.
        QCOMPARE(preguntasGuardadas(db, 2), (QStringList{"P1|1", "P2|2", "P3|3"}));
        QCOMPARE(contar(db, "Respuestas"), respuestasOtro + 2 + 2 + 1);
    }

    void cargarSinFotoOExamenInexistente() {
        EntornoPrueba entorno;
        De1& db = entorno.de1();
        db.insertarSinIdentidad("Examenes", {{"CodigoExamen", 5}, {"DescripcionExamen", "Viejo"}});
        db.insertar(
            "Preguntas",
            {{"Valoracion", 5}, {"Pregunta", "segunda"}, {"Orden", 2}, {"Foto", QVariant()}},
            "CodigoPregunta");
        db.insertar("Preguntas",
                    {{"Valoracion", 5},
                     {"Pregunta", "primera"},
                     {"Orden", 1},
                     {"Foto", QByteArray("no es una imagen")}},
                    "CodigoPregunta");
        EdicionExamen e;
        RepositorioExamenes repo(db);
        QVERIFY(!repo.cargar(99, e));
        QVERIFY(e.preguntas().isEmpty());
        QVERIFY(repo.cargar(5, e));
        QCOMPARE(e.preguntas().at(0).texto, QStringLiteral("primera"));
        QVERIFY(e.preguntas().at(0).foto.isNull());
        QVERIFY(e.preguntas().at(1).foto.isNull());
    }

    void unFalloNoDejaNadaAMedias() {
        EntornoPrueba entorno;
        De1& db = entorno.de1();
        RepositorioExamenes repo(db);
        QCOMPARE(repo.guardar(tresPreguntas("Examen"), std::nullopt).codigoExamen, 1);
        db.ejecutar("CREATE TRIGGER falla BEFORE INSERT ON Respuestas "
                    "WHEN NEW.Respuesta = 'rompe' BEGIN SELECT RAISE(ABORT, 'disco lleno'); END");

        EdicionExamen e;
        QVERIFY(repo.cargar(1, e));
        QVERIFY(e.seleccionarPregunta("K1"));
        e.quitarPregunta();
        e.corregirPregunta(QStringLiteral("P2 cambiada"));
        e.agregarRespuesta(QStringLiteral("rompe"), false);
        e.descripcion = QStringLiteral("Nombre nuevo");
        QVERIFY_THROWS_EXCEPTION(ErrorBD, repo.guardar(e, 1));
        QCOMPARE(db.valor("SELECT DescripcionExamen FROM Examenes").toString(),
                 QStringLiteral("Examen"));
        QCOMPARE(preguntasGuardadas(db, 1), (QStringList{"P1|1", "P2|2", "P3|3"}));
        QCOMPARE(contar(db, "Respuestas"), 6);

        EdicionExamen nuevo = tresPreguntas("Nuevo");
        nuevo.agregarRespuesta(QStringLiteral("rompe"), false);
        QVERIFY_THROWS_EXCEPTION(ErrorBD, repo.guardar(nuevo, std::nullopt));
        QCOMPARE(contar(db, "Examenes"), 1);
        QCOMPARE(contar(db, "Preguntas"), 3);
        // The state was not touched: a second try stores it once the cause is gone.
        db.ejecutar("DROP TRIGGER falla");
        QCOMPARE(repo.guardar(nuevo, std::nullopt).codigoExamen, 2);
        QCOMPARE(respuestasGuardadas(db, 2, "P3"), (QStringList{"3a|1|0", "3b|2|1", "rompe|3|0"}));
    }
};

QTEST_MAIN(TestRepositorioExamenes)
#include "tst_repositorioexamenes.moc"
