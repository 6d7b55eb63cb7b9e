// The exam editor window driven by its controls, with the dialogs answered.
#include "DialogosDePrueba.h"
#include "EntornoPrueba.h"
#include "app/Globales.h"
#include "exams/RepositorioExamenes.h"
#include "exams/ventanas/FrmAddExamenes.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTreeView>
#include <QtTest>

using Icono = Dialogos::Icono;
using Botones = Dialogos::Botones;

namespace {

template <class T> T* hijo(QWidget* w, const char* nombre) {
    T* c = w->findChild<T*>(QString::fromLatin1(nombre));
    if (!c)
        qFatal("Falta el control %s", nombre);
    return c;
}

// Types the text (when given) into the field and clicks the button.
void clic(QWidget* w, const char* boton, const char* campo = nullptr, const QString& texto = {}) {
    if (campo)
        hijo<QLineEdit>(w, campo)->setText(texto);
    QTest::mouseClick(hijo<QPushButton>(w, boton), Qt::LeftButton);
}

QStringList filas(QWidget* w, const char* lista, int columna = 0) {
    auto* v = hijo<QTreeView>(w, lista);
    QStringList r;
    for (int i = 0; i < v->model()->rowCount(); ++i)
        r << v->model()->index(i, columna).data().toString();
    return r;
}

void clicFila(QWidget* w, const char* lista, int fila) {
    auto* v = hijo<QTreeView>(w, lista);
    QTest::mouseClick(v->viewport(), Qt::LeftButton, {},
                      v->visualRect(v->model()->index(fila, 0)).center());
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
    void nuevoExamenMensajesYGuardado() {
        EntornoPrueba entorno;
        DialogosDePrueba d;
        EdicionExamen existente;
        existente.descripcion = QStringLiteral("Clase B");
        RepositorioExamenes(entorno.de1()).guardar(existente, std::nullopt);
        FrmAddExamenes f(entorno.de1(), 1, std::nullopt);
        f.show();
        const Icono X = Icono::Critico;
        clic(&f, "Command1", "txtPregunta", "   ");
        QCOMPARE(ultimo(d), caja("ERROR: Debe ingresar una pregunta", X, "Nueva Pregunta"));
        clic(&f, "Command2", "txtPregunta", "x");
        QCOMPARE(ultimo(d), caja("ERROR: No hay preguntas a modificar", X, "Modificar Pregunta"));
        clic(&f, "Command3");
        QCOMPARE(ultimo(d), caja("ERROR: No hay preguntas a eliminar", X, "Eliminar Pregunta"));
        clic(&f, "Command6", "txtRespuesta", "a");
        QCOMPARE(ultimo(d), caja("ERROR: Debe seleccionar una pregunta", X, "Nueva Respuesta"));

        clic(&f, "Command1", "txtPregunta", "Uno");
        clic(&f, "Command1", "txtPregunta", "P1");
        clic(&f, "Command1", "txtPregunta", "Uno");
        QCOMPARE(ultimo(d), caja("ERROR: Pregunta duplicada", X, "Nueva Pregunta"));
        QCOMPARE(filas(&f, "LvPreguntas"), (QStringList{"Uno", "P1"}));
        clicFila(&f, "LvPreguntas", 0);
        clic(&f, "Command2", "txtPregunta", "Primera");
        QCOMPARE(ultimo(d), caja("Pregunta modificada exitosamente", Icono::Informacion,
                                 "Modificar Pregunta"));

        clic(&f, "Command6", "txtRespuesta", " ");
        QCOMPARE(ultimo(d), caja("ERROR: Debe ingresar una respuesta", X, "Nueva Respuesta"));
        hijo<QCheckBox>(&f, "Check1")->setChecked(true);
        clic(&f, "Command6", "txtRespuesta", "Detenerse");
        hijo<QCheckBox>(&f, "Check1")->setChecked(false);
        clic(&f, "Command6", "txtRespuesta", "Seguir");
        clic(&f, "Command6", "txtRespuesta", "Detenerse");
        QCOMPARE(ultimo(d), caja("ERROR: Respuesta duplicada", X, "Nueva Respuesta"));
        QCOMPARE(filas(&f, "LvRespuestas", 1), (QStringList{"Si", "No"}));
        clicFila(&f, "LvRespuestas", 0);
        clic(&f, "Command5", "txtRespuesta", "Frenar");
        QCOMPARE(ultimo(d), caja("Respuesta modificada exitosamente", Icono::Informacion,
                                 "Modificar Respuesta"));
        QCOMPARE(filas(&f, "LvRespuestas"), (QStringList{"Frenar", "Seguir"}));

        clicFila(&f, "LvRespuestas", 1);
        d.siguienteRespuesta(Dialogos::Respuesta::Cancelar);
        clic(&f, "Command4");
        QCOMPARE(ultimo(d), caja("Esta seguro que desea eliminar la respuesta seleccionada?",
                                 Icono::Pregunta, "Eliminar Respuesta", Botones::AceptarCancelar));
        QCOMPARE(filas(&f, "LvRespuestas").size(), 2);
        clic(&f, "Command4");
        QCOMPARE(filas(&f, "LvRespuestas"), QStringList{"Frenar"});
        clic(&f, "Command3");
        QCOMPARE(ultimo(d), caja("Esta seguro que desea eliminar la pregunta seleccionada?",
                                 Icono::Pregunta, "Eliminar Pregunta", Botones::AceptarCancelar));
        QCOMPARE(filas(&f, "LvPreguntas"), QStringList{"P1"});
        QCOMPARE(hijo<QLineEdit>(&f, "txtPregunta")->text(), QStringLiteral("P1"));

        // Saving: description required, a question without a correct answer is named.
        clic(&f, "CmdAceptar");
        QCOMPARE(ultimo(d),
                 caja("ERROR: Debe ingresar la descripcion del examen", X, kTituloAplicacion));
        clic(&f, "Command6", "txtRespuesta", "a"); // not marked correct
        d.siguienteRespuesta(Dialogos::Respuesta::Cancelar);
        clic(&f, "CmdAceptar", "TxtDescripcion", "Clase B");
        QCOMPARE(d.mensajes.last().botones, Botones::AceptarCancelar);
        QVERIFY(d.ultimo().contains(QStringLiteral("P1")));
        QCOMPARE(entorno.de1().valor("SELECT count(*) FROM Examenes").toInt(), 1);

        hijo<QCheckBox>(&f, "Check1")->setChecked(true);
        clic(&f, "Command5", "txtRespuesta", "a");
        clic(&f, "CmdAceptar");
        QCOMPARE(ultimo(d),
                 caja("La descripcion del examen ya existe", Icono::Ninguno, kTituloAplicacion));
        QVERIFY(f.isVisible());
        QCOMPARE(filas(&f, "LvRespuestas"), QStringList{"a"});

        // A database failure also keeps the window open with everything entered.
        entorno.de1().ejecutar("ALTER TABLE Respuestas RENAME TO Otra");
        clic(&f, "CmdAceptar", "TxtDescripcion", "Clase C");
        QVERIFY(d.ultimo().startsWith(QStringLiteral("No se pudo guardar el examen")));
        QVERIFY(f.isVisible());
        QCOMPARE(entorno.de1().valor("SELECT count(*) FROM Examenes").toInt(), 1);
        entorno.de1().ejecutar("ALTER TABLE Otra RENAME TO Respuestas");
        clic(&f, "CmdAceptar");
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

        FrmAddExamenes f(entorno.de1(), 2, codigo);
        f.show();
        QCOMPARE(hijo<QLineEdit>(&f, "TxtDescripcion")->text(), QStringLiteral("Señales"));
        QCOMPARE(filas(&f, "LvPreguntas"), (QStringList{"Uno", "Dos"}));
        // The last question is shown with its picture and answers.
        QCOMPARE(hijo<QLineEdit>(&f, "txtPregunta")->text(), QStringLiteral("Dos"));
        QCOMPARE(filas(&f, "LvRespuestas", 1), (QStringList{"No", "Si"}));
        QCOMPARE(hijo<QLabel>(&f, "picFoto")->pixmap().toImage().pixelColor(50, 50),
                 QColor(Qt::green));

        clicFila(&f, "LvPreguntas", 0);
        QCOMPARE(filas(&f, "LvRespuestas"), QStringList{"1a"});
        const QImage blanca = f.edicion().preguntaSeleccionada()->foto;
        d.siguienteArchivo(entorno.carpetaPrograma() + QStringLiteral("/Bien.wav")); // no picture
        clic(&f, "Command7");
        QVERIFY(d.ultimo().startsWith(QStringLiteral("No se pudo leer la imagen")));
        QCOMPARE(f.edicion().preguntaSeleccionada()->foto, blanca);
        d.siguienteArchivo(entorno.carpetaPrograma() + QStringLiteral("/Pregunta.jpg"));
        clic(&f, "Command7");
        QVERIFY(f.edicion().preguntaSeleccionada()->foto != blanca);

        clic(&f, "CmdAceptar", "TxtDescripcion", "Señales viales");
        QVERIFY(!f.isVisible());
        QCOMPARE(f.codigoGuardado(), std::optional<qint32>(codigo));
        QCOMPARE(entorno.de1().valor("SELECT DescripcionExamen FROM Examenes").toString(),
                 QStringLiteral("Señales viales"));
    }
};

QTEST_MAIN(TestFrmAddExamenes)
#include "tst_frmaddexamenes.moc"
