// Storing and loading exams against a temporary embedded catalog.
#include "EntornoPrueba.h"
#include "exams/EdicionExamen.h"
#include "exams/RepositorioExamenes.h"

#include <QSqlQuery>
#include <QSqlRecord>
#include <QtTest>

namespace {

// Three questions, red, green and blue, with answers "<n>a" and "<n>b" (correct).
EdicionExamen tresPreguntas(const QString& descripcion) {
    EdicionExamen e;
    e.descripcion = descripcion;
    const QList<QColor> colores = {Qt::red, Qt::green, Qt::blue};
    for (int n = 1; n <= 3; ++n) {
        e.agregarPregunta(QStringLiteral("P%1").arg(n));
        QImage img(60, 30, QImage::Format_RGB32);
        img.fill(colores.at(n - 1));
        e.fijarFoto(img);
        e.agregarRespuesta(QStringLiteral("%1a").arg(n), false);
        e.agregarRespuesta(QStringLiteral("%1b").arg(n), true);
    }
    return e;
}

int contar(De1& db, const QString& tabla) {
    return db.valor(QStringLiteral("SELECT count(*) FROM ") + tabla).toInt();
}

// One text per row, the columns joined by '|'.
QStringList filas(De1& db, const QString& sql, const QVariantList& parametros) {
    QStringList r;
    QSqlQuery q = db.ejecutar(sql, parametros);
    while (q.next()) {
        QStringList c;
        for (int i = 0; i < q.record().count(); ++i)
            c << q.value(i).toString();
        r << c.join(u'|');
    }
    return r;
}

QStringList preguntas(De1& db, qint32 examen) {
    return filas(db, "SELECT Pregunta, Orden FROM Preguntas WHERE Valoracion = ? ORDER BY Orden",
                 {examen});
}

QStringList respuestas(De1& db, qint32 examen, const QString& pregunta) {
    return filas(db,
                 "SELECT r.Respuesta, r.Orden, r.Correcta FROM Respuestas r JOIN Preguntas p "
                 "ON r.Pregunta = p.CodigoPregunta WHERE p.Valoracion = ? AND p.Pregunta = ? "
                 "ORDER BY r.Orden",
                 {examen, pregunta});
}

QColor colorFoto(De1& db, qint32 examen, const QString& pregunta) {
    const QByteArray b =
        db.valor("SELECT Foto FROM Preguntas WHERE Valoracion = ? AND Pregunta = ?",
                 {examen, pregunta})
            .toByteArray();
    const QImage img = QImage::fromData(b, "BMP");
    if (!b.startsWith("BM") || img.width() != EdicionExamen::kLadoFoto ||
        img.height() != EdicionExamen::kLadoFoto)
        return {};
    return img.pixelColor(10, 10);
}

} // namespace

class TestRepositorioExamenes : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void nuevoExamenConSusFilas() {
        EntornoPrueba entorno;
        De1& db = entorno.de1();
        RepositorioExamenes repo(db);
        const auto r = repo.guardar(tresPreguntas("Teórico B "), std::nullopt);
        QCOMPARE(r.estado, RepositorioExamenes::Estado::Guardado);
        QCOMPARE(r.codigoExamen, 1); // empty table
        QCOMPARE(filas(db, "SELECT * FROM Examenes", {}),
                 QStringList{"1|Teórico B |T|1|Teórico B "});
        QCOMPARE(preguntas(db, 1), (QStringList{"P1|1", "P2|2", "P3|3"}));
        QCOMPARE(db.valor("SELECT count(*) FROM Preguntas WHERE Ensayo = 0 AND Tiempo = 16 "
                          "AND Tipo = 'T'")
                     .toInt(),
                 3);
        QCOMPARE(respuestas(db, 1, "P2"), (QStringList{"2a|1|0", "2b|2|1"}));
        // Pictures are Windows bitmaps of the square.
        QCOMPARE(colorFoto(db, 1, "P3"), QColor(Qt::blue));
    }

    void codigoNuevoSobreElMayorYFotoIlegible() {
        EntornoPrueba entorno;
        De1& db = entorno.de1();
        for (int c : {3, 40, 7})
            db.insertarSinIdentidad("Examenes", {{"CodigoExamen", c}, {"DescripcionExamen", c}});
        db.insertar("Preguntas", {{"Valoracion", 40}, {"Pregunta", "x"}, {"Foto", "no es imagen"}},
                    "CodigoPregunta");
        EdicionExamen e;
        RepositorioExamenes repo(db);
        QVERIFY(!repo.cargar(99, e));
        QVERIFY(repo.cargar(40, e));
        QVERIFY(e.preguntas().at(0).foto.isNull());
        e.descripcion = QStringLiteral("Nuevo");
        QCOMPARE(repo.guardar(e, std::nullopt).codigoExamen, 41);
        QCOMPARE(colorFoto(db, 41, "x"), QColor(Qt::white)); // its blank square
    }

    void descripcionDuplicadaNoGuardaNada() {
        EntornoPrueba entorno;
        De1& db = entorno.de1();
        RepositorioExamenes repo(db);
        repo.guardar(tresPreguntas("Clase A"), std::nullopt);
        repo.guardar(tresPreguntas("Clase B"), std::nullopt);
        QCOMPARE(repo.guardar(tresPreguntas("Clase A"), std::nullopt).estado,
                 RepositorioExamenes::Estado::DescripcionDuplicada);
        QCOMPARE(contar(db, "Preguntas"), 6);
        // Only the exact text is the same description.
        for (const char* d : {"clase a", "Clase A "})
            QCOMPARE(repo.guardar(tresPreguntas(d), std::nullopt).estado,
                     RepositorioExamenes::Estado::Guardado);
        // Renaming onto another exam's description is refused; keeping its own is fine.
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
        repo.guardar(tresPreguntas("Examen"), std::nullopt);
        repo.guardar(tresPreguntas("Otro"), std::nullopt);

        EdicionExamen e;
        QVERIFY(repo.cargar(1, e));
        QCOMPARE(e.preguntaSeleccionada()->texto, QStringLiteral("P3")); // the last loaded
        QCOMPARE(e.respuestas().size(), 6);
        QVERIFY(e.respuestas().at(3).correcta && e.respuestas().at(3).clavePregunta == "K2");
        QCOMPARE(e.preguntas().at(1).foto.pixelColor(3, 3), QColor(Qt::green));
        const qint32 codigoP2 = *e.preguntas().at(1).codigo;

        // Remove the second question and the third's first answer; add a question,
        // and remove another that was never stored.
        e.seleccionarPregunta("K2");
        e.quitarPregunta();
        e.seleccionarRespuesta(e.respuestas().at(4).clave);
        e.quitarRespuesta();
        e.agregarRespuesta("3c", false);
        e.agregarPregunta("Efímera");
        e.agregarRespuesta("x", true);
        e.quitarPregunta();
        e.agregarPregunta("P4");
        e.agregarRespuesta("4a", true);
        e.descripcion = QStringLiteral("Examen cambiado");
        QCOMPARE(repo.guardar(e, 1).codigoExamen, 1);

        QCOMPARE(db.valor("SELECT DescripcionExamen FROM Examenes WHERE CodigoExamen = 1"),
                 QVariant("Examen cambiado"));
        QCOMPARE(preguntas(db, 1), (QStringList{"P1|1", "P3|2", "P4|3"}));
        QCOMPARE(db.valor("SELECT count(*) FROM Respuestas WHERE Pregunta = ?", {codigoP2}).toInt(),
                 0);
        QCOMPARE(db.valor("SELECT count(*) FROM Respuestas WHERE Respuesta = 'x'").toInt(), 0);
        // The third keeps its picture and answers, numbered again from 1.
        QCOMPARE(respuestas(db, 1, "P3"), (QStringList{"3b|1|1", "3c|2|0"}));
        QCOMPARE(colorFoto(db, 1, "P3"), QColor(Qt::blue));
        // The other exam is untouched.
        QCOMPARE(preguntas(db, 2), (QStringList{"P1|1", "P2|2", "P3|3"}));
        QCOMPARE(contar(db, "Respuestas"), 6 + 2 + 2 + 1);
    }

    void unFalloNoDejaNadaAMedias() {
        EntornoPrueba entorno;
        De1& db = entorno.de1();
        RepositorioExamenes repo(db);
        repo.guardar(tresPreguntas("Examen"), std::nullopt);
        db.ejecutar("CREATE TRIGGER falla BEFORE INSERT ON Respuestas "
                    "WHEN NEW.Respuesta = 'rompe' BEGIN SELECT RAISE(ABORT, 'disco lleno'); END");

        EdicionExamen e;
        QVERIFY(repo.cargar(1, e));
        e.seleccionarPregunta("K1");
        e.quitarPregunta();
        e.corregirPregunta("P2 cambiada");
        e.agregarRespuesta("rompe", false);
        e.descripcion = QStringLiteral("Nombre nuevo");
        QVERIFY_THROWS_EXCEPTION(ErrorBD, repo.guardar(e, 1));
        QCOMPARE(db.valor("SELECT DescripcionExamen FROM Examenes"), QVariant("Examen"));
        QCOMPARE(preguntas(db, 1), (QStringList{"P1|1", "P2|2", "P3|3"}));
        QCOMPARE(contar(db, "Respuestas"), 6);

        QCOMPARE(contar(db, "Examenes"), 1);
    }
};

QTEST_MAIN(TestRepositorioExamenes)
#include "tst_repositorioexamenes.moc"
