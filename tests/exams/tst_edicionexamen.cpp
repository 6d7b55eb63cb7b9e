// The exam editor's in-memory state: keys, removals, duplicates and selection,
// and the two lists that show it.
#include "exams/EdicionExamen.h"
#include "exams/ModelosExamen.h"

#include <QPainter>
#include <QtTest>

using R = EdicionExamen::Resultado;

namespace {
QStringList listadas(const EdicionExamen& e, bool preguntas) {
    QStringList r;
    for (int i : preguntas ? e.preguntasListadas() : e.respuestasListadas())
        r << (preguntas ? e.preguntas().at(i).texto : e.respuestas().at(i).texto);
    return r;
}
} // namespace

class TestEdicionExamen : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void clavesNoSeReusanYQuitadasQuedan() {
        EdicionExamen e;
        QCOMPARE(e.cargarPregunta("Cargada", 70, QImage()), QStringLiteral("K1"));
        e.agregarPregunta("A");
        e.agregarRespuesta("r1", true);
        e.quitarPregunta();
        // The removed entry stays, emptied; its neighbour takes the selection.
        QCOMPARE(e.preguntas().size(), 2);
        QVERIFY(e.preguntas().at(1).quitada && e.preguntas().at(1).texto.isEmpty());
        QCOMPARE(e.preguntaSeleccionada()->etiqueta(), QStringLiteral("70"));

        QCOMPARE(e.agregarPregunta("A"), R::Hecho); // the removed one is not listed
        QCOMPARE(e.preguntaSeleccionada()->clave, QStringLiteral("K3"));
        e.agregarRespuesta("r1", false);
        e.quitarRespuesta();
        e.agregarRespuesta("r2", false);
        QCOMPARE(e.respuestaSeleccionada()->clave, QStringLiteral("K3"));
        QCOMPARE(listadas(e, true), (QStringList{"Cargada", "A"}));
        QCOMPARE(listadas(e, false), QStringList{"r2"});

        e.quitarPregunta();
        e.quitarPregunta();
        QVERIFY(!e.preguntaSeleccionada());
        QCOMPARE(e.puedeQuitarPregunta(), R::ListaVacia);
    }

    void duplicadosExactosYRespuestasDeLaPreguntaSeleccionada() {
        EdicionExamen e;
        QCOMPARE(e.agregarRespuesta("huérfana", false), R::SinPregunta);
        QCOMPARE(e.agregarPregunta("  \t"), R::TextoVacio);
        for (const char* t : {"P1", "p1", "P1 "})
            QCOMPARE(e.agregarPregunta(t), R::Hecho);
        QCOMPARE(e.agregarPregunta("P1"), R::Duplicada);
        QCOMPARE(e.corregirPregunta("p1"), R::Duplicada);
        QCOMPARE(e.corregirPregunta("P1 "), R::Hecho); // its own text
        QCOMPARE(e.agregarRespuesta("a", false), R::Hecho);
        QVERIFY(e.seleccionarPregunta("K1"));
        e.agregarRespuesta("a", true); // another question's text
        QCOMPARE(e.agregarRespuesta("A", false), R::Hecho);
        QCOMPARE(e.agregarRespuesta("a", false), R::Duplicada);
        QCOMPARE(e.corregirRespuesta("a", false), R::Duplicada);
        QVERIFY(e.seleccionarPregunta("K3") && e.seleccionarPregunta("K1"));
        QCOMPARE(listadas(e, false), (QStringList{"a", "A"}));
        // Answers listed but none chosen: nothing is changed by guess.
        QCOMPARE(e.corregirRespuesta("c", false), R::SinRespuesta);
        QVERIFY(!e.seleccionarRespuesta("K1")); // belongs to "P1 "
        QVERIFY(e.seleccionarRespuesta("K2"));
        e.quitarRespuesta();
        QCOMPARE(e.respuestaSeleccionada()->texto, QStringLiteral("A"));
        // A removed question cannot be selected; its answers stay with it.
        e.quitarPregunta();
        QVERIFY(!e.seleccionarPregunta("K1"));
        QCOMPARE(e.respuestasDe("K1").size(), 1);
    }

    void preguntasDudosasYFoto() {
        EdicionExamen e;
        e.agregarPregunta("sin respuestas");
        e.agregarPregunta("dos correctas");
        e.agregarRespuesta("a", true);
        e.agregarRespuesta("b", true);
        e.agregarPregunta("bien");
        e.agregarRespuesta("a", false);
        e.agregarRespuesta("b", true);
        QCOMPARE(e.preguntasDudosas(), (QStringList{"sin respuestas", "dos correctas"}));

        // A picture is stretched into the square, not letterboxed.
        QImage ancha(40, 10, QImage::Format_RGB32);
        ancha.fill(Qt::red);
        QPainter(&ancha).fillRect(20, 0, 20, 10, Qt::blue);
        QVERIFY(!e.fijarFoto(QImage()));
        QVERIFY(e.fijarFoto(ancha));
        const QImage& f = e.preguntaSeleccionada()->foto;
        const int lado = EdicionExamen::kLadoFoto;
        QCOMPARE(f.size(), QSize(lado, lado));
        QCOMPARE(f.pixelColor(5, lado - 3), QColor(Qt::red));
        QCOMPARE(f.pixelColor(lado - 5, 2), QColor(Qt::blue));
    }

    void listasMuestranLoGuardadoYLoNuevo() {
        EdicionExamen e;
        ModeloPreguntas preguntas(e, nullptr);
        ModeloRespuestas respuestas(e, nullptr);
        e.cargarPregunta("Cargada", 70, QImage());
        e.cargarRespuesta(e.preguntaSeleccionada()->clave, "vieja", 90, true);
        e.agregarPregunta("Quitada");
        e.quitarPregunta();
        e.seleccionarPregunta(QStringLiteral("K1"));
        e.agregarRespuesta("nueva", false);
        preguntas.recargar();
        respuestas.recargar();

        // Removed entries are not listed; rows carry their key and code or "new".
        QCOMPARE(preguntas.rowCount(), 1);
        QCOMPARE(preguntas.index(0, 0).data(), "Cargada");
        QCOMPARE(preguntas.index(0, 0).data(kRolEtiqueta), "70");
        QCOMPARE(preguntas.fila(QStringLiteral("K1")), 0);
        QCOMPARE(preguntas.fila(QStringLiteral("K2")), -1);
        QCOMPARE(respuestas.rowCount(), 2);
        QCOMPARE(respuestas.index(0, 1).data(), "Si");
        QCOMPARE(respuestas.index(1, 1).data(), "No");
        QCOMPARE(respuestas.index(1, 0).data(kRolEtiqueta), "new");
        QCOMPARE(respuestas.index(1, 0).data(Qt::UserRole), e.respuestaSeleccionada()->clave);
        // The answers follow the selected question.
        e.agregarPregunta("Otra");
        respuestas.recargar();
        QCOMPARE(respuestas.rowCount(), 0);
    }
};

QTEST_GUILESS_MAIN(TestEdicionExamen)
#include "tst_edicionexamen.moc"
