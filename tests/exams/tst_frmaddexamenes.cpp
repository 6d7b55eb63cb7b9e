// The exam editor window driven by its controls, with the dialogs answered.
#include "DialogosDePrueba.h"
#include "EntornoPrueba.h"
#include "Ventanas.h"
#include "app/Aplicacion.h"
#include "exams/RepositorioExamenes.h"
#include "exams/ventanas/FrmAddExamenes.h"
#include "exams/ventanas/NombresFrmAddExamenes.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QTreeView>
#include <QtTest>

using Icono = Dialogos::Icono;
using Botones = Dialogos::Botones;
namespace n = nombres::frmAddExamenes;

namespace {

// Types the text (when given) into the field and clicks the button.
void clic(QWidget& w, const QString& boton, const QString& campo = {}, const QString& texto = {}) {
    if (!campo.isEmpty())
        hijo<QLineEdit>(w, campo)->setText(texto);
    pulsar(w, boton);
}

QStringList filas(QWidget& w, const QString& lista, int col = 0) {
    return columna(hijo<QTreeView>(w, lista), col);
}

void clicFila(QWidget& w, const QString& lista, int fila) {
    auto* v = hijo<QTreeView>(w, lista);
    QTest::mouseClick(v->viewport(), Qt::LeftButton, {},
                      v->visualRect(v->model()->index(fila, 0)).center());
}

void marcarCorrecta(QWidget& w, bool si) {
    hijo<QCheckBox>(w, n::kCorrecta)->setChecked(si);
}

QString caja(const QString& texto, Icono icono, const QString& titulo,
             Botones botones = Botones::Aceptar) {
    return QStringList{texto, QString::number(int(icono)), titulo, QString::number(int(botones))}
        .join(u'|');
}
// The last message as "texto|icono|titulo|botones", to compare in one go.
QString ultimo(const DialogosDePrueba& d) {
    const auto m = d.mensajes.value(d.mensajes.size() - 1);
    return caja(m.texto, m.icono, m.titulo, m.botones);
}

} // namespace

class TestFrmAddExamenes : public QObject {
    Q_OBJECT
private Q_SLOTS:
    // Each row: the edits made ("boton" or "boton:campo=texto"), the box the last one shows.
    void mensajesDeLasEdiciones_data() {
        QTest::addColumn<QStringList>("pasos");
        QTest::addColumn<QString>("esperado");
        const Icono X = Icono::Critico;
        const QString uno = n::kAgregarPregunta + ":" + n::kPregunta + "=Uno";
        const QString a = n::kAgregarRespuesta + ":" + n::kRespuesta + "=a";
        QTest::newRow("pregunta vacia")
            << QStringList{n::kAgregarPregunta + ":" + n::kPregunta + "=   "}
            << caja("ERROR: Debe ingresar una pregunta", X, "Nueva Pregunta");
        QTest::newRow("corregir sin preguntas")
            << QStringList{n::kCorregirPregunta + ":" + n::kPregunta + "=x"}
            << caja("ERROR: No hay preguntas a modificar", X, "Modificar Pregunta");
        QTest::newRow("quitar sin preguntas")
            << QStringList{n::kQuitarPregunta}
            << caja("ERROR: No hay preguntas a eliminar", X, "Eliminar Pregunta");
        QTest::newRow("respuesta sin pregunta")
            << QStringList{a} << caja("ERROR: Debe seleccionar una pregunta", X, "Nueva Respuesta");
        QTest::newRow("pregunta duplicada")
            << QStringList{uno, uno} << caja("ERROR: Pregunta duplicada", X, "Nueva Pregunta");
        QTest::newRow("pregunta corregida")
            << QStringList{uno, n::kCorregirPregunta + ":" + n::kPregunta + "=Primera"}
            << caja("Pregunta modificada exitosamente", Icono::Informacion, "Modificar Pregunta");
        QTest::newRow("respuesta vacia")
            << QStringList{uno, n::kAgregarRespuesta + ":" + n::kRespuesta + "= "}
            << caja("ERROR: Debe ingresar una respuesta", X, "Nueva Respuesta");
        QTest::newRow("respuesta duplicada")
            << QStringList{uno, a, a} << caja("ERROR: Respuesta duplicada", X, "Nueva Respuesta");
        QTest::newRow("corregir sin respuestas")
            << QStringList{uno, n::kCorregirRespuesta + ":" + n::kRespuesta + "=b"}
            << caja("ERROR: No hay respuestas a modificar", X, "Modificar Respuesta");
        QTest::newRow("respuesta corregida")
            << QStringList{uno, a, n::kCorregirRespuesta + ":" + n::kRespuesta + "=b"}
            << caja("Respuesta modificada exitosamente", Icono::Informacion, "Modificar Respuesta");
        QTest::newRow("quitar respuesta pregunta")
            << QStringList{uno, a, n::kQuitarRespuesta}
            << caja("Esta seguro que desea eliminar la respuesta seleccionada?", Icono::Pregunta,
                    "Eliminar Respuesta", Botones::AceptarCancelar);
        QTest::newRow("quitar pregunta pregunta")
            << QStringList{uno, n::kQuitarPregunta}
            << caja("Esta seguro que desea eliminar la pregunta seleccionada?", Icono::Pregunta,
                    "Eliminar Pregunta", Botones::AceptarCancelar);
        QTest::newRow("sin descripcion")
            << QStringList{n::kAceptar}
            << caja("ERROR: Debe ingresar la descripcion del examen", X, kTituloAplicacion);
    }
    void mensajesDeLasEdiciones() {
        QFETCH(QStringList, pasos);
        QFETCH(QString, esperado);
        EntornoPrueba entorno;
        DialogosDePrueba d;
        FrmAddExamenes f(entorno.de1(), ModoExamen::Nuevo, std::nullopt);
        f.show();
        for (const QString& paso : pasos) {
            const QString boton = paso.section(u':', 0, 0);
            const QString campo = paso.section(u':', 1).section(u'=', 0, 0);
            clic(f, boton, campo, paso.section(u'=', 1));
        }
        QCOMPARE(ultimo(d), esperado);
    }

    void listasSiguenLasEdiciones() {
        EntornoPrueba entorno;
        DialogosDePrueba d;
        FrmAddExamenes f(entorno.de1(), ModoExamen::Nuevo, std::nullopt);
        f.show();
        clic(f, n::kAgregarPregunta, n::kPregunta, "Uno");
        clic(f, n::kAgregarPregunta, n::kPregunta, "P1");
        clicFila(f, n::kPreguntas, 0);
        clic(f, n::kCorregirPregunta, n::kPregunta, "Primera");
        QCOMPARE(filas(f, n::kPreguntas), (QStringList{"Primera", "P1"}));

        marcarCorrecta(f, true);
        clic(f, n::kAgregarRespuesta, n::kRespuesta, "Detenerse");
        marcarCorrecta(f, false);
        clic(f, n::kAgregarRespuesta, n::kRespuesta, "Seguir");
        QCOMPARE(filas(f, n::kRespuestas, 1), (QStringList{"Si", "No"}));
        clicFila(f, n::kRespuestas, 0);
        clic(f, n::kCorregirRespuesta, n::kRespuesta, "Frenar");
        QCOMPARE(filas(f, n::kRespuestas), (QStringList{"Frenar", "Seguir"}));

        // A removal the operator cancels removes nothing.
        clicFila(f, n::kRespuestas, 1);
        d.siguienteRespuesta(Dialogos::Respuesta::Cancelar);
        clic(f, n::kQuitarRespuesta);
        QCOMPARE(filas(f, n::kRespuestas).size(), 2);
        clic(f, n::kQuitarRespuesta);
        QCOMPARE(filas(f, n::kRespuestas), QStringList{"Frenar"});
        // The neighbour takes the selection of a removed question, with its answers.
        clic(f, n::kQuitarPregunta);
        QCOMPARE(filas(f, n::kPreguntas), QStringList{"P1"});
        QCOMPARE(hijo<QLineEdit>(f, n::kPregunta)->text(), QStringLiteral("P1"));
        QCOMPARE(filas(f, n::kRespuestas), QStringList());
    }

    void guardarAvisaYNoPierdeNada() {
        EntornoPrueba entorno;
        DialogosDePrueba d;
        EdicionExamen existente;
        existente.descripcion = QStringLiteral("Clase B");
        RepositorioExamenes(entorno.de1()).guardar(existente, std::nullopt);
        FrmAddExamenes f(entorno.de1(), ModoExamen::Nuevo, std::nullopt);
        f.show();
        clic(f, n::kAgregarPregunta, n::kPregunta, "P1");
        // A question without a correct answer is named before anything is stored.
        clic(f, n::kAgregarRespuesta, n::kRespuesta, "a");
        d.siguienteRespuesta(Dialogos::Respuesta::Cancelar);
        clic(f, n::kAceptar, n::kDescripcion, "Clase B");
        QCOMPARE(d.mensajes.last().botones, Botones::AceptarCancelar);
        QVERIFY(d.ultimo().contains(QStringLiteral("P1")));
        QCOMPARE(entorno.de1().valor("SELECT count(*) FROM Examenes").toInt(), 1);

        marcarCorrecta(f, true);
        clic(f, n::kCorregirRespuesta, n::kRespuesta, "a");
        clic(f, n::kAceptar);
        QCOMPARE(ultimo(d),
                 caja("La descripcion del examen ya existe", Icono::Ninguno, kTituloAplicacion));
        QVERIFY(f.isVisible());
        QCOMPARE(filas(f, n::kRespuestas), QStringList{"a"});

        // A database failure also keeps the window open with everything entered.
        entorno.de1().ejecutar("ALTER TABLE Respuestas RENAME TO Otra");
        clic(f, n::kAceptar, n::kDescripcion, "Clase C");
        QVERIFY(d.ultimo().startsWith(QStringLiteral("No se pudo guardar el examen.\n\n")));
        QCOMPARE(d.mensajes.last().titulo, kTituloAplicacion);
        QVERIFY(f.isVisible());
        QCOMPARE(entorno.de1().valor("SELECT count(*) FROM Examenes").toInt(), 1);
        entorno.de1().ejecutar("ALTER TABLE Otra RENAME TO Respuestas");
        clic(f, n::kAceptar);
        QCOMPARE(f.result(), int(QDialog::Accepted));
        QCOMPARE(f.codigoGuardado(), std::optional<qint32>(2));
    }

    void modificarMuestraElExamenYSuFoto() {
        EntornoPrueba entorno;
        DialogosDePrueba d;
        EdicionExamen e = {};
        e.descripcion = QStringLiteral("Señales");
        e.agregarPregunta("Uno");
        e.agregarRespuesta("1a", true);
        e.agregarPregunta("Dos");
        QImage verde(10, 10, QImage::Format_RGB32);
        verde.fill(Qt::green);
        e.fijarFoto(verde);
        e.agregarRespuesta("2a", false);
        e.agregarRespuesta("2b", true);
        const qint32 codigo =
            RepositorioExamenes(entorno.de1()).guardar(e, std::nullopt).codigoExamen;

        FrmAddExamenes f(entorno.de1(), ModoExamen::Modificar, codigo);
        f.show();
        QCOMPARE(hijo<QLineEdit>(f, n::kDescripcion)->text(), QStringLiteral("Señales"));
        QCOMPARE(
            ordenTabulacion(f),
            (QStringList{n::kDescripcion, n::kPreguntas, n::kPregunta, n::kAgregarPregunta,
                         n::kCorregirPregunta, n::kQuitarPregunta, n::kElegirImagen, n::kRespuestas,
                         n::kRespuesta, n::kCorrecta, n::kAgregarRespuesta, n::kCorregirRespuesta,
                         n::kQuitarRespuesta, n::kAceptar, n::kCancelar}));
        QVERIFY(rotulosAccesibles(f));
        QCOMPARE(filas(f, n::kPreguntas), (QStringList{"Uno", "Dos"}));
        // The last question is shown with its picture and answers.
        QCOMPARE(hijo<QLineEdit>(f, n::kPregunta)->text(), QStringLiteral("Dos"));
        QCOMPARE(filas(f, n::kRespuestas, 1), (QStringList{"No", "Si"}));
        QCOMPARE(hijo<QLabel>(f, n::kImagen)->pixmap().toImage().pixelColor(50, 50),
                 QColor(Qt::green));

        clicFila(f, n::kPreguntas, 0);
        QCOMPARE(filas(f, n::kRespuestas), QStringList{"1a"});
        const QImage blanca = f.edicion().preguntaSeleccionada()->foto;
        d.siguienteArchivo(entorno.carpetaPrograma() + QStringLiteral("/Bien.wav")); // no picture
        clic(f, n::kElegirImagen);
        QVERIFY(d.ultimo().startsWith(QStringLiteral("No se pudo leer la imagen")));
        QCOMPARE(f.edicion().preguntaSeleccionada()->foto, blanca);
        d.siguienteArchivo(entorno.carpetaPrograma() + QStringLiteral("/Pregunta.jpg"));
        clic(f, n::kElegirImagen);
        QVERIFY(f.edicion().preguntaSeleccionada()->foto != blanca);

        clic(f, n::kAceptar, n::kDescripcion, "Señales viales");
        QVERIFY(!f.isVisible());
        QCOMPARE(f.codigoGuardado(), std::optional<qint32>(codigo));
        QCOMPARE(entorno.de1().valor("SELECT DescripcionExamen FROM Examenes").toString(),
                 QStringLiteral("Señales viales"));
    }
};

QTEST_MAIN(TestFrmAddExamenes)
#include "tst_frmaddexamenes.moc"
