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

int contar(De1& db, const char* tabla) {
    return db.valor(QStringLiteral("SELECT count(*) FROM ") + QLatin1String(tabla)).toInt();
}

// One text per row, the columns joined by '|'.
QStringList filas(De1& db, const QString& sql, const QVariantList& parametros = {}) {
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
    const int lado = EdicionExamen::kLadoFoto;
    return b.startsWith("BM") && img.size() == QSize(lado, lado) ? img.pixelColor(10, 10)
                                                                 : QColor();
}

} // namespace

class TestRepositorioExamenes : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void nuevoExamenCodigosYFotos() {
        EntornoPrueba entorno;
        De1& db = entorno.de1();
        RepositorioExamenes repo(db);
        const auto r = repo.guardar(tresPreguntas("Teórico B "), std::nullopt);
        QCOMPARE(r.estado, RepositorioExamenes::Estado::Guardado);
        QCOMPARE(r.codigoExamen, 1); // empty table
        QCOMPARE(filas(db, "SELECT * FROM Examenes"), QStringList{"1|Teórico B |T|1|Teórico B "});
        QCOMPARE(
            filas(db, "SELECT Pregunta, Orden, Ensayo, Tiempo, Tipo FROM Preguntas ORDER BY Orden"),
            (QStringList{"P1|1|0|16|T", "P2|2|0|16|T", "P3|3|0|16|T"}));
        QCOMPARE(respuestas(db, 1, "P2"), (QStringList{"2a|1|0", "2b|2|1"}));
        QCOMPARE(colorFoto(db, 1, "P3"), QColor(Qt::blue)); // a Windows bitmap of the square

        // A new code goes above the highest, gaps stay; an unreadable picture loads empty.
        for (int c : {40, 7})
            db.insertarSinIdentidad("Examenes", {{"CodigoExamen", c}, {"DescripcionExamen", c}});
        db.insertar("Preguntas", {{"Valoracion", 40}, {"Pregunta", "x"}, {"Foto", "no es imagen"}},
                    "CodigoPregunta");
        EdicionExamen e;
        QVERIFY(!repo.cargar(99, e));
        QVERIFY(repo.cargar(40, e));
        QVERIFY(e.preguntas().at(0).foto.isNull());
        e.descripcion = QStringLiteral("Nuevo");
        QCOMPARE(repo.guardar(e, std::nullopt).codigoExamen, 41);
        QCOMPARE(colorFoto(db, 41, "x"), QColor(Qt::white)); // its blank square
    }

    void cargarQuitarGuardarYFallar() {
        EntornoPrueba entorno;
        De1& db = entorno.de1();
        RepositorioExamenes repo(db);
        repo.guardar(tresPreguntas("Examen"), std::nullopt);
        repo.guardar(tresPreguntas("Otro"), std::nullopt);
        // Only the exact text of another exam is the same description.
        QCOMPARE(repo.guardar(tresPreguntas("Otro"), std::nullopt).estado,
                 RepositorioExamenes::Estado::DescripcionDuplicada);
        QCOMPARE(contar(db, "Preguntas"), 6);
        for (const char* d : {"otro", "Otro "})
            QCOMPARE(repo.guardar(tresPreguntas(d), std::nullopt).estado,
                     RepositorioExamenes::Estado::Guardado);

        EdicionExamen e;
        QVERIFY(repo.cargar(1, e));
        e.descripcion = QStringLiteral("Otro");
        QCOMPARE(repo.guardar(e, 1).estado, RepositorioExamenes::Estado::DescripcionDuplicada);
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
        e.descripcion = QStringLiteral("Examen"); // its own description is no duplicate
        QCOMPARE(repo.guardar(e, 1).estado, RepositorioExamenes::Estado::Guardado);

        QCOMPARE(preguntas(db, 1), (QStringList{"P1|1", "P3|2", "P4|3"}));
        QCOMPARE(db.valor("SELECT count(*) FROM Respuestas WHERE Pregunta = ?", {codigoP2}).toInt(),
                 0);
        QCOMPARE(db.valor("SELECT count(*) FROM Respuestas WHERE Respuesta = 'x'").toInt(), 0);
        // The third keeps its picture and answers, numbered again from 1.
        QCOMPARE(respuestas(db, 1, "P3"), (QStringList{"3b|1|1", "3c|2|0"}));
        QCOMPARE(colorFoto(db, 1, "P3"), QColor(Qt::blue));

        // A failure half-way through another exam leaves it as it was.
        db.ejecutar("CREATE TRIGGER falla BEFORE INSERT ON Respuestas "
                    "WHEN NEW.Respuesta = 'rompe' BEGIN SELECT RAISE(ABORT, 'disco lleno'); END");
        EdicionExamen otro;
        QVERIFY(repo.cargar(2, otro));
        otro.seleccionarPregunta("K1");
        otro.quitarPregunta();
        otro.corregirPregunta("P2 cambiada");
        otro.agregarRespuesta("rompe", false);
        otro.descripcion = QStringLiteral("Nombre nuevo");
        QVERIFY_THROWS_EXCEPTION(ErrorBD, repo.guardar(otro, 2));
        QCOMPARE(filas(db, "SELECT DescripcionExamen FROM Examenes WHERE CodigoExamen = 2"),
                 QStringList{"Otro"});
        QCOMPARE(preguntas(db, 2), (QStringList{"P1|1", "P2|2", "P3|3"}));
        QCOMPARE(contar(db, "Respuestas"), 6 * 3 + 2 + 2 + 1);
    }
};

QTEST_MAIN(TestRepositorioExamenes)
#include "tst_repositorioexamenes.moc"
