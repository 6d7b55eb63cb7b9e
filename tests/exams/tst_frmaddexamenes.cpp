// The exam editor window driven by its controls, with the dialogs answered.
#include "DialogosDePrueba.h"
#include "EntornoPrueba.h"
#include "app/Globales.h"
#include "exams/FrmAddExamenes.h"
#include "exams/RepositorioExamenes.h"

#include <QCheckBox>
#include <QFile>
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

void clic(QWidget* w, const char* boton) {
    QTest::mouseClick(hijo<QPushButton>(w, boton), Qt::LeftButton);
}

void escribir(QWidget* w, const char* campo, const QString& texto) {
    hijo<QLineEdit>(w, campo)->setText(texto);
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
    const QRect r = v->visualRect(v->model()->index(fila, 0));
    QTest::mouseClick(v->viewport(), Qt::LeftButton, {}, r.center());
}

// The last message shown: text, icon, title and buttons.
void ultimoMensaje(const DialogosDePrueba& d, const QString& texto, Icono icono,
                   const QString& titulo, Botones botones = Botones::Aceptar) {
    QVERIFY(!d.mensajes.isEmpty());
    const auto& m = d.mensajes.last();
    QCOMPARE(m.texto, texto);
    QCOMPARE(m.icono, icono);
    QCOMPARE(m.titulo, titulo);
    QCOMPARE(m.botones, botones);
}

void agregarPregunta(QWidget* w, const QString& texto) {
    escribir(w, "txtPregunta", texto);
    clic(w, "Command1");
}

void agregarRespuesta(QWidget* w, const QString& texto, bool correcta) {
    escribir(w, "txtRespuesta", texto);
    hijo<QCheckBox>(w, "Check1")->setChecked(correcta);
    clic(w, "Command6");
}

} // namespace

class TestFrmAddExamenes : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void mensajesDePreguntas() {
        EntornoPrueba entorno;
        DialogosDePrueba d;
        FrmAddExamenes f(entorno.de1(), 1, std::nullopt);
        f.show();
        QCOMPARE(f.windowTitle(), QStringLiteral("Agregar examenes"));
        QCOMPARE(hijo<QTreeView>(&f, "LvPreguntas")->model()->headerData(0, Qt::Horizontal),
                 QVariant(QStringLiteral("Pregunta")));

        agregarPregunta(&f, QStringLiteral("   "));
        ultimoMensaje(d, "ERROR: Debe ingresar una pregunta", Icono::Critico, "Nueva Pregunta");
        escribir(&f, "txtPregunta", QStringLiteral("x"));
        clic(&f, "Command2");
        ultimoMensaje(d, "ERROR: No hay preguntas a modificar", Icono::Critico,
                      "Modificar Pregunta");
        clic(&f, "Command3");
        ultimoMensaje(d, "ERROR: No hay preguntas a eliminar", Icono::Critico, "Eliminar Pregunta");

        agregarPregunta(&f, QStringLiteral("¿Qué indica?"));
        agregarPregunta(&f, QStringLiteral("¿Qué indica? "));
        agregarPregunta(&f, QStringLiteral("¿Qué indica?"));
        ultimoMensaje(d, "ERROR: Pregunta duplicada", Icono::Critico, "Nueva Pregunta");
        QCOMPARE(filas(&f, "LvPreguntas"), (QStringList{"¿Qué indica?", "¿Qué indica? "}));

        clicFila(&f, "LvPreguntas", 0);
        QCOMPARE(hijo<QLineEdit>(&f, "txtPregunta")->text(), QStringLiteral("¿Qué indica?"));
        escribir(&f, "txtPregunta", QStringLiteral("¿Qué indica? "));
        clic(&f, "Command2");
        ultimoMensaje(d, "ERROR: Pregunta duplicada", Icono::Critico, "Modificar Pregunta");
        escribir(&f, "txtPregunta", QStringLiteral("Primera"));
        clic(&f, "Command2");
        ultimoMensaje(d, "Pregunta modificada exitosamente", Icono::Informacion,
                      "Modificar Pregunta");
        QCOMPARE(filas(&f, "LvPreguntas"), (QStringList{"Primera", "¿Qué indica? "}));

        d.siguienteRespuesta(Dialogos::Respuesta::Cancelar);
        clic(&f, "Command3");
        ultimoMensaje(d, "Esta seguro que desea eliminar la pregunta seleccionada?",
                      Icono::Pregunta, "Eliminar Pregunta", Botones::AceptarCancelar);
        QCOMPARE(filas(&f, "LvPreguntas").size(), 2);
        clic(&f, "Command3");
        QCOMPARE(filas(&f, "LvPreguntas"), QStringList{"¿Qué indica? "});
        // The remaining question is shown.
        QCOMPARE(hijo<QLineEdit>(&f, "txtPregunta")->text(), QStringLiteral("¿Qué indica? "));
    }

    void mensajesDeRespuestas() {
        EntornoPrueba entorno;
        DialogosDePrueba d;
        FrmAddExamenes f(entorno.de1(), 1, std::nullopt);
        f.show();
        auto* lv = hijo<QTreeView>(&f, "LvRespuestas");
        QCOMPARE(lv->model()->headerData(1, Qt::Horizontal), QVariant(QStringLiteral("Correcta")));

        agregarRespuesta(&f, QStringLiteral("Sola"), true);
        ultimoMensaje(d, "ERROR: Debe seleccionar una pregunta", Icono::Critico, "Nueva Respuesta");
        clic(&f, "Command5");
        ultimoMensaje(d, "ERROR: No hay respuestas a modificar", Icono::Critico,
                      "Modificar Respuesta");
        clic(&f, "Command4");
        ultimoMensaje(d, "ERROR: No hay respuesta a eliminar", Icono::Critico,
                      "Eliminar Respuesta");

        agregarPregunta(&f, QStringLiteral("P1"));
        agregarRespuesta(&f, QStringLiteral(" "), false);
        ultimoMensaje(d, "ERROR: Debe ingresar una respuesta", Icono::Critico, "Nueva Respuesta");
        agregarRespuesta(&f, QStringLiteral("Detenerse"), true);
        agregarRespuesta(&f, QStringLiteral("Seguir"), false);
        agregarRespuesta(&f, QStringLiteral("Detenerse"), false);
        ultimoMensaje(d, "ERROR: Respuesta duplicada", Icono::Critico, "Nueva Respuesta");
        QCOMPARE(filas(&f, "LvRespuestas"), (QStringList{"Detenerse", "Seguir"}));
        QCOMPARE(filas(&f, "LvRespuestas", 1), (QStringList{"Si", "No"}));

        clicFila(&f, "LvRespuestas", 0);
        QCOMPARE(hijo<QLineEdit>(&f, "txtRespuesta")->text(), QStringLiteral("Detenerse"));
        QVERIFY(!hijo<QCheckBox>(&f, "Check1")->isChecked()); // left as it was
        escribir(&f, "txtRespuesta", QStringLiteral("Seguir"));
        clic(&f, "Command5");
        ultimoMensaje(d, "ERROR: Respuesta duplicada", Icono::Critico, "Modificar Respuesta");
        escribir(&f, "txtRespuesta", QStringLiteral("Frenar"));
        clic(&f, "Command5");
        ultimoMensaje(d, "Respuesta modificada exitosamente", Icono::Informacion,
                      "Modificar Respuesta");
        QCOMPARE(filas(&f, "LvRespuestas"), (QStringList{"Frenar", "Seguir"}));
        QCOMPARE(filas(&f, "LvRespuestas", 1), (QStringList{"No", "No"}));

        // Another question has its own answers.
        agregarPregunta(&f, QStringLiteral("P2"));
        QVERIFY(filas(&f, "LvRespuestas").isEmpty());
        agregarRespuesta(&f, QStringLiteral("Frenar"), true);
        clicFila(&f, "LvPreguntas", 0);
        QCOMPARE(filas(&f, "LvRespuestas"), (QStringList{"Frenar", "Seguir"}));
        // Answers listed but none chosen since the question was shown.
        clic(&f, "Command4");
        ultimoMensaje(d, "ERROR: Debe seleccionar una respuesta", Icono::Critico,
                      "Eliminar Respuesta");
        clicFila(&f, "LvRespuestas", 1);
        clic(&f, "Command4");
        ultimoMensaje(d, "Esta seguro que desea eliminar la respuesta seleccionada?",
                      Icono::Pregunta, "Eliminar Respuesta", Botones::AceptarCancelar);
        QCOMPARE(filas(&f, "LvRespuestas"), QStringList{"Frenar"});
    }

    void nuevoExamenSeGuardaYCierra() {
        EntornoPrueba entorno;
        DialogosDePrueba d;
        FrmAddExamenes f(entorno.de1(), 1, std::nullopt);
        f.show();
        clic(&f, "CmdAceptar");
        ultimoMensaje(d, "ERROR: Debe ingresar la descripcion del examen", Icono::Critico,
                      kTituloAplicacion);
        QVERIFY(f.isVisible());

        escribir(&f, "TxtDescripcion", QStringLiteral("Teórico"));
        agregarPregunta(&f, QStringLiteral("P1"));
        agregarRespuesta(&f, QStringLiteral("a"), true);
        agregarPregunta(&f, QStringLiteral("Sin respuestas"));
        d.siguienteRespuesta(Dialogos::Respuesta::Cancelar);
        clic(&f, "CmdAceptar");
        QCOMPARE(d.mensajes.last().icono, Icono::Exclamacion);
        QCOMPARE(d.mensajes.last().botones, Botones::AceptarCancelar);
        QVERIFY(d.ultimo().contains(QStringLiteral("Sin respuestas")));
        QVERIFY(f.isVisible());
        QCOMPARE(entorno.de1().valor("SELECT count(*) FROM Examenes").toInt(), 0);

        clic(&f, "CmdAceptar");
        QVERIFY(!f.isVisible());
        QCOMPARE(f.result(), int(QDialog::Accepted));
        QCOMPARE(f.codigoGuardado(), std::optional<qint32>(1));
        QCOMPARE(entorno.de1().valor("SELECT count(*) FROM Preguntas WHERE Valoracion = 1").toInt(),
                 2);
    }

    void descripcionDuplicadaDejaLaVentanaAbierta() {
        EntornoPrueba entorno;
        DialogosDePrueba d;
        EdicionExamen existente;
        existente.descripcion = QStringLiteral("Clase B");
        RepositorioExamenes(entorno.de1()).guardar(existente, std::nullopt);

        FrmAddExamenes f(entorno.de1(), 1, std::nullopt);
        f.show();
        escribir(&f, "TxtDescripcion", QStringLiteral("Clase B"));
        agregarPregunta(&f, QStringLiteral("P1"));
        agregarRespuesta(&f, QStringLiteral("a"), true);
        clic(&f, "CmdAceptar");
        ultimoMensaje(d, "La descripcion del examen ya existe", Icono::Ninguno, kTituloAplicacion);
        QVERIFY(f.isVisible());
        QCOMPARE(filas(&f, "LvPreguntas"), QStringList{"P1"});
        QCOMPARE(filas(&f, "LvRespuestas"), QStringList{"a"});
        QCOMPARE(entorno.de1().valor("SELECT count(*) FROM Preguntas").toInt(), 0);

        // A database failure also keeps everything entered.
        entorno.de1().ejecutar("DROP TABLE Respuestas");
        escribir(&f, "TxtDescripcion", QStringLiteral("Clase C"));
        clic(&f, "CmdAceptar");
        QVERIFY(d.ultimo().startsWith(QStringLiteral("No se pudo guardar el examen")));
        QVERIFY(f.isVisible());
        QCOMPARE(entorno.de1().valor("SELECT count(*) FROM Examenes").toInt(), 1);
        QCOMPARE(filas(&f, "LvPreguntas"), QStringList{"P1"});
    }

    void modificarMuestraElExamen() {
        EntornoPrueba entorno;
        DialogosDePrueba d;
        EdicionExamen e;
        e.descripcion = QStringLiteral("Señales");
        e.agregarPregunta(QStringLiteral("Uno"));
        e.agregarRespuesta(QStringLiteral("1a"), true);
        e.agregarPregunta(QStringLiteral("Dos"));
        QImage verde(10, 10, QImage::Format_RGB32);
        verde.fill(Qt::green);
        e.fijarFoto(verde);
        e.agregarRespuesta(QStringLiteral("2a"), false);
        e.agregarRespuesta(QStringLiteral("2b"), true);
        const qint32 codigo =
            RepositorioExamenes(entorno.de1()).guardar(e, std::nullopt).codigoExamen;

        FrmAddExamenes f(entorno.de1(), 2, codigo);
        f.show();
        QCOMPARE(hijo<QLineEdit>(&f, "TxtDescripcion")->text(), QStringLiteral("Señales"));
        QCOMPARE(filas(&f, "LvPreguntas"), (QStringList{"Uno", "Dos"}));
        // The last question is shown with its picture and answers.
        QCOMPARE(hijo<QLineEdit>(&f, "txtPregunta")->text(), QStringLiteral("Dos"));
        QCOMPARE(filas(&f, "LvRespuestas"), (QStringList{"2a", "2b"}));
        QCOMPARE(filas(&f, "LvRespuestas", 1), (QStringList{"No", "Si"}));
        const QImage vista = hijo<QLabel>(&f, "picFoto")->pixmap().toImage();
        QCOMPARE(vista.size(), QSize(EdicionExamen::kLadoFoto, EdicionExamen::kLadoFoto));
        QCOMPARE(vista.pixelColor(50, 50), QColor(Qt::green));
        auto* lv = hijo<QTreeView>(&f, "LvPreguntas");
        QVERIFY(lv->model()->index(0, 0).data(Qt::UserRole + 1).toString() != "new");

        clicFila(&f, "LvPreguntas", 0);
        QCOMPARE(filas(&f, "LvRespuestas"), QStringList{"1a"});
        escribir(&f, "TxtDescripcion", QStringLiteral("Señales viales"));
        clic(&f, "CmdAceptar");
        QVERIFY(!f.isVisible());
        QCOMPARE(f.codigoGuardado(), std::optional<qint32>(codigo));
        QCOMPARE(entorno.de1().valor("SELECT count(*) FROM Examenes").toInt(), 1);
        QCOMPARE(
            entorno.de1()
                .valor("SELECT DescripcionExamen FROM Examenes WHERE CodigoExamen = ?", {codigo})
                .toString(),
            QStringLiteral("Señales viales"));
    }

    void fotoDesdeArchivo() {
        EntornoPrueba entorno;
        DialogosDePrueba d;
        FrmAddExamenes f(entorno.de1(), 1, std::nullopt);
        f.show();
        QVERIFY(!hijo<QPushButton>(&f, "Command7")->isEnabled()); // no question yet
        agregarPregunta(&f, QStringLiteral("P1"));
        QVERIFY(hijo<QPushButton>(&f, "Command7")->isEnabled());

        clic(&f, "Command7"); // cancelled
        QCOMPARE(d.filtrosArchivo, QStringList{"Archivos de imágenes (*.jpg *.gif *.bmp)"});
        QVERIFY(d.mensajes.isEmpty());
        QVERIFY(f.edicion().preguntaSeleccionada()->foto.isNull());

        QFile roto(entorno.ruta("roto.jpg"));
        QVERIFY(roto.open(QIODevice::WriteOnly));
        roto.write("no es una imagen");
        roto.close();
        d.siguienteArchivo(roto.fileName());
        clic(&f, "Command7");
        QVERIFY(d.ultimo().startsWith(QStringLiteral("No se pudo leer la imagen")));
        QVERIFY(f.edicion().preguntaSeleccionada()->foto.isNull());

        d.siguienteArchivo(entorno.carpetaPrograma() + QStringLiteral("/Pregunta.jpg"));
        clic(&f, "Command7");
        QCOMPARE(f.edicion().preguntaSeleccionada()->foto.size(),
                 QSize(EdicionExamen::kLadoFoto, EdicionExamen::kLadoFoto));
        QCOMPARE(d.mensajes.size(), 1);
    }
};

QTEST_MAIN(TestFrmAddExamenes)
#include "tst_frmaddexamenes.moc"
