// The exam editor's in-memory state: keys, removals, duplicates and selection.
#include "exams/EdicionExamen.h"

#include <QtTest>

using R = EdicionExamen::Resultado;

namespace {
QStringList textosListados(const EdicionExamen& e) {
    QStringList r;
    for (int i : e.preguntasListadas())
        r << e.preguntas().at(i).texto;
    return r;
}
QStringList respuestasListadas(const EdicionExamen& e) {
    QStringList r;
    for (int i : e.respuestasListadas())
        r << e.respuestas().at(i).texto;
    return r;
}
} // namespace

class TestEdicionExamen : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void clavesNoSeReusanYQuitadasQuedan() {
        EdicionExamen e;
        const QString k1 = e.cargarPregunta(QStringLiteral("Cargada"), 70, QImage());
        QCOMPARE(k1, QStringLiteral("K1"));
        QCOMPARE(e.agregarPregunta(QStringLiteral("A")), R::Hecho);
        QCOMPARE(e.preguntaSeleccionada()->clave, QStringLiteral("K2"));
        QCOMPARE(e.preguntaSeleccionada()->etiqueta(), QStringLiteral("new"));
        QCOMPARE(e.agregarRespuesta(QStringLiteral("r1"), true), R::Hecho);
        e.quitarPregunta();
        // The removed entry stays, emptied; the neighbour takes the selection.
        QCOMPARE(e.preguntas().size(), 2);
        QVERIFY(e.preguntas().at(1).quitada);
        QVERIFY(e.preguntas().at(1).texto.isEmpty());
        QCOMPARE(e.preguntaSeleccionada()->clave, QStringLiteral("K1"));
        QCOMPARE(e.preguntaSeleccionada()->etiqueta(), QStringLiteral("70"));

        QCOMPARE(e.agregarPregunta(QStringLiteral("A")), R::Hecho); // the removed one is not listed
        QCOMPARE(e.preguntaSeleccionada()->clave, QStringLiteral("K3"));
        QCOMPARE(e.agregarRespuesta(QStringLiteral("r1"), false), R::Hecho);
        QCOMPARE(e.respuestaSeleccionada()->clave, QStringLiteral("K2"));
        e.quitarRespuesta();
        QCOMPARE(e.agregarRespuesta(QStringLiteral("r2"), false), R::Hecho);
        QCOMPARE(e.respuestaSeleccionada()->clave, QStringLiteral("K3"));
        QCOMPARE(textosListados(e), (QStringList{"Cargada", "A"}));
        QCOMPARE(respuestasListadas(e), QStringList{"r2"});

        // Removing the last listed question leaves nothing selected.
        e.quitarPregunta();
        e.quitarPregunta();
        QVERIFY(!e.preguntaSeleccionada());
        QCOMPARE(e.puedeQuitarPregunta(), R::ListaVacia);
        QVERIFY(e.preguntasListadas().isEmpty());
    }

    void duplicadosConComparacionExacta() {
        EdicionExamen e;
        QCOMPARE(e.agregarPregunta(QStringLiteral("  \t")), R::TextoVacio);
        QCOMPARE(e.agregarPregunta(QStringLiteral("Señal")), R::Hecho);
        QCOMPARE(e.agregarPregunta(QStringLiteral("señal")), R::Hecho);
        QCOMPARE(e.agregarPregunta(QStringLiteral("Señal ")), R::Hecho);
        QCOMPARE(e.agregarPregunta(QStringLiteral("Señal")), R::Duplicada);
        QCOMPARE(textosListados(e), (QStringList{"Señal", "señal", "Señal "}));
        // Stored as typed: the trim only decides emptiness.
        QCOMPARE(e.preguntas().at(2).texto, QStringLiteral("Señal "));

        // Changing: its own text is no duplicate, another listed one is.
        QCOMPARE(e.corregirPregunta(QStringLiteral("Señal ")), R::Hecho);
        QCOMPARE(e.corregirPregunta(QStringLiteral("señal")), R::Duplicada);
        QCOMPARE(e.corregirPregunta(QStringLiteral(" ")), R::TextoVacio);
        QCOMPARE(e.corregirPregunta(QStringLiteral("Otra")), R::Hecho);
        QCOMPARE(textosListados(e), (QStringList{"Señal", "señal", "Otra"}));

        QCOMPARE(e.agregarRespuesta(QStringLiteral("Sí"), true), R::Hecho);
        QCOMPARE(e.agregarRespuesta(QStringLiteral("sí"), false), R::Hecho);
        QCOMPARE(e.agregarRespuesta(QStringLiteral("Sí"), false), R::Duplicada);
        QCOMPARE(e.agregarRespuesta(QStringLiteral(""), false), R::TextoVacio);
        QCOMPARE(e.corregirRespuesta(QStringLiteral("Sí"), false), R::Duplicada);
        QCOMPARE(e.corregirRespuesta(QStringLiteral("sí"), true), R::Hecho);
        QVERIFY(e.respuestaSeleccionada()->correcta);
    }

    void respuestasDeLaPreguntaSeleccionada() {
        EdicionExamen e;
        QCOMPARE(e.agregarRespuesta(QStringLiteral("huérfana"), false), R::SinPregunta);
        QCOMPARE(e.corregirRespuesta(QStringLiteral("x"), false), R::ListaVacia);
        QCOMPARE(e.puedeQuitarRespuesta(), R::ListaVacia);
        QVERIFY(e.respuestas().isEmpty());

        e.agregarPregunta(QStringLiteral("P1"));
        e.agregarRespuesta(QStringLiteral("a"), true);
        e.agregarRespuesta(QStringLiteral("b"), false);
        e.agregarPregunta(QStringLiteral("P2"));
        QVERIFY(e.respuestasListadas().isEmpty());
        QCOMPARE(e.agregarRespuesta(QStringLiteral("a"), false), R::Hecho); // other question's text
        QCOMPARE(respuestasListadas(e), QStringList{"a"});

        QVERIFY(e.seleccionarPregunta(QStringLiteral("K1")));
        QVERIFY(!e.respuestaSeleccionada());
        QCOMPARE(respuestasListadas(e), (QStringList{"a", "b"}));
        // With answers listed but none chosen, nothing is changed by guess.
        QCOMPARE(e.corregirRespuesta(QStringLiteral("c"), false), R::SinRespuesta);
        QCOMPARE(e.puedeQuitarRespuesta(), R::SinRespuesta);
        // An answer of another question cannot be selected from here.
        QVERIFY(!e.seleccionarRespuesta(QStringLiteral("K3")));
        QVERIFY(e.seleccionarRespuesta(QStringLiteral("K1")));
        e.quitarRespuesta();
        QCOMPARE(e.respuestaSeleccionada()->texto, QStringLiteral("b"));
        QCOMPARE(respuestasListadas(e), QStringList{"b"});

        // A removed question cannot be selected; its answers stay with it.
        e.quitarPregunta();
        QVERIFY(!e.seleccionarPregunta(QStringLiteral("K1")));
        QCOMPARE(e.preguntaSeleccionada()->texto, QStringLiteral("P2"));
        QCOMPARE(e.respuestasDe(QStringLiteral("K1")).size(), 1);
    }

    void preguntasDudosas() {
        EdicionExamen e;
        e.agregarPregunta(QStringLiteral("sin respuestas"));
        e.agregarPregunta(QStringLiteral("dos correctas"));
        e.agregarRespuesta(QStringLiteral("a"), true);
        e.agregarRespuesta(QStringLiteral("b"), true);
        e.agregarPregunta(QStringLiteral("ninguna correcta"));
        e.agregarRespuesta(QStringLiteral("a"), false);
        e.agregarPregunta(QStringLiteral("bien"));
        e.agregarRespuesta(QStringLiteral("a"), false);
        e.agregarRespuesta(QStringLiteral("b"), true);
        QCOMPARE(e.preguntasDudosas(),
                 (QStringList{"sin respuestas", "dos correctas", "ninguna correcta"}));
        // A removed correct answer no longer counts.
        e.seleccionarRespuesta(e.respuestas().last().clave);
        e.quitarRespuesta();
        QVERIFY(e.preguntasDudosas().contains(QStringLiteral("bien")));
    }

    void fotoEstiradaAlCuadrado() {
        EdicionExamen e;
        QImage ancha(40, 10, QImage::Format_RGB32);
        ancha.fill(Qt::red);
        for (int y = 0; y < 10; ++y)
            for (int x = 20; x < 40; ++x)
                ancha.setPixelColor(x, y, Qt::blue);
        QVERIFY(!e.fijarFoto(ancha)); // no question selected
        e.agregarPregunta(QStringLiteral("P"));
        QVERIFY(e.preguntaSeleccionada()->foto.isNull());
        QVERIFY(!e.fijarFoto(QImage()));
        QVERIFY(e.fijarFoto(ancha));
        const QImage& f = e.preguntaSeleccionada()->foto;
        const int lado = EdicionExamen::kLadoFoto;
        QCOMPARE(f.size(), QSize(lado, lado));
        // Stretched, not letterboxed: the halves fill the whole height.
        QCOMPARE(f.pixelColor(5, 2), QColor(Qt::red));
        QCOMPARE(f.pixelColor(5, lado - 3), QColor(Qt::red));
        QCOMPARE(f.pixelColor(lado - 5, lado - 3), QColor(Qt::blue));
        // No picture at all stores a blank square.
        QCOMPARE(EdicionExamen::cuadrado(QImage()).pixelColor(0, 0), QColor(Qt::white));
    }
};

QTEST_GUILESS_MAIN(TestEdicionExamen)
#include "tst_edicionexamen.moc"
