// The person editor driven as the operator does, on a temporary catalog.
#include "ApoyoCaptura.h"
#include "DialogosDePrueba.h"
#include "EntornoPrueba.h"
#include "app/Globales.h"
#include "app/Ini.h"
#include "data/Configuracion.h"
#include "persons/AlmacenImagenes.h"
#include "persons/ventanas/FrmNMPersona.h"
#include "persons/ventanas/FrmWebcam.h"
#include "persons/ventanas/ObtenerFoto.h"
#include "persons/ventanas/VistaCamara.h"

#include <QComboBox>
#include <QDateEdit>
#include <QDir>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSqlQuery>
#include <QtTest>
#include <functional>

using almacen::TipoImagen;

namespace {

void crearImagen(TipoImagen t) {
    QImage img(40, 50, QImage::Format_RGB32);
    img.fill(Qt::darkCyan);
    QVERIFY(img.save(almacen::archivoTrabajo(t), t == TipoImagen::Huella ? "BMP" : "JPG"));
}

// Two document types and three cities in the catalog, and the editor open on it.
struct Editor {
    EntornoPrueba e;
    DialogosDePrueba dlg;
    std::unique_ptr<FrmNMPersona> f;

    // `catalogoNuevo`: the catalog as the program creates it, nothing added.
    explicit Editor(const std::function<void(De1&)>& antes = {}, bool catalogoNuevo = false)
        : e(true, catalogoNuevo) {
        Globales::ModoEdicion = "Z";
        for (const char* d : {"Pasaporte", "Cédula de identidad"})
            if (!catalogoNuevo)
                e.de1().insertar("Documentos", {{"DescripcionDocumento", QString::fromUtf8(d)}},
                                 "CodigoDocumento");
        for (const char* c : {"Valparaíso", "Santiago", "Talca"})
            if (!catalogoNuevo)
                e.de1().insertar("Ciudades",
                                 {{"DescripcionCiudad", QString::fromUtf8(c)}, {"Provincia", 3}},
                                 "CodigoCiudad");
        if (antes)
            antes(e.de1());
        f = std::make_unique<FrmNMPersona>(e.de1());
        f->show();
    }
    template <typename T = QWidget> T* c(const char* nombre) {
        T* w = f->findChild<T*>(QString::fromLatin1(nombre));
        if (!w)
            qFatal("no control %s", nombre);
        return w;
    }
    // Every field the checks ask for.
    void llenar() {
        c<QComboBox>("ComboDocumento")->setCurrentIndex(0);
        c<QLineEdit>("TxtDocumento")->setText(" 12.345.678 ");
        c<QLineEdit>("TxtNombre")->setText("gonzalez  perez maria");
        c<QComboBox>("ComboSexo")->setCurrentIndex(1);
        c<QComboBox>("ComboSangre")->setCurrentIndex(7);
        c<QDateEdit>("DtNac")->setDate(QDate(1985, 2, 28));
        c<QComboBox>("ComboCiudad")->setCurrentIndex(1);
        c<QLineEdit>("TxtDomicilio")->setText("pasaje el roble 45");
    }
    void aceptar() { c<QPushButton>("CmdAceptar")->click(); }
    int cuenta(const char* tabla) {
        return e.de1().valor(QStringLiteral("SELECT count(*) FROM ") + tabla).toInt();
    }
};

} // namespace

class TestFrmNMPersona : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void abreConSusValoresIniciales() {
        Editor ed([](De1&) { crearImagen(TipoImagen::Foto); }); // left from an earlier capture
        QVERIFY(!QFile::exists(almacen::archivoTrabajo(TipoImagen::Foto)));
        auto* docs = ed.c<QComboBox>("ComboDocumento");
        QCOMPARE(docs->currentIndex(), -1);
        QCOMPARE(docs->itemData(0).toInt(), 2); // "Cédula de identidad", in name order
        QCOMPARE(ed.c<QComboBox>("ComboCiudad")->itemText(0), QStringLiteral("Santiago"));
        ed.c<QDateEdit>("DtNac")->setDate(QDate::currentDate().addDays(-6575));
        QCOMPARE(ed.c<QLabel>("LblEdad")->text(), QStringLiteral("18 años de edad."));

        // Started from a group; new cities not enabled; no capture window installed.
        for (const char* n : {"ChkNuevaCarpeta", "LblCheck", "ImgCheck", "CmdNCiudad", "LblFoto",
                              "Lblfirma", "LblHuella"})
            QVERIFY2(!ed.c(n)->isVisible(), n);
        QVERIFY(ed.dlg.mensajes.isEmpty());

        // Entering a "Sin datos" box selects its first 40 characters, by click too.
        QApplication::setActiveWindow(ed.f.get());
        auto* mail = ed.c<QLineEdit>("TxtEmail");
        mail->setText(QString(50, u'x'));
        QTest::mouseClick(mail, Qt::LeftButton, {}, QPoint(mail->width() - 4, 5));
        QTRY_COMPARE(mail->selectedText(), QString(40, u'x'));
    }

    void configuracionDeChileYNuevaCiudad() {
        Editor ed([](De1& db) {
            EscribirIni("Control", "ChkCifras", "1");
            EscribirIni("Control", "TxtCifras", "12");
            EscribirIni("Control", "Pais", "Chile");
            GuardarConfiguracion(db, "ChkNCiudades", "1");
        });
        QCOMPARE(ed.c<QLabel>("Label4_5")->text(), QStringLiteral("Municipalidad / Comuna"));
        QTest::keyClicks(ed.c("TxtDocumento"), "1234567890123");
        QCOMPARE(ed.c<QLineEdit>("TxtDocumento")->text(), QStringLiteral("123456789"));

        // A city already listed is selected, not added again.
        auto* combo = ed.c<QComboBox>("ComboCiudad");
        ed.dlg.siguienteEntrada(QStringLiteral("  talca "));
        ed.c<QPushButton>("CmdNCiudad")->click();
        QCOMPARE(combo->currentText(), QStringLiteral("Talca"));
        QCOMPARE(ed.cuenta("Ciudades"), 3);
        for (const char* nombre : {"la serena", "LA SERENA"}) {
            ed.dlg.siguienteEntrada(QString::fromLatin1(nombre));
            ed.c<QPushButton>("CmdNCiudad")->click();
        }
        QCOMPARE(ed.cuenta("Ciudades"), 4);
        QCOMPARE(combo->currentText(), QStringLiteral("La Serena"));
        QCOMPARE(combo->itemText(0), QStringLiteral("La Serena")); // in name order
        QCOMPARE(ed.e.de1().valor("SELECT Provincia FROM Ciudades WHERE CodigoCiudad = 4").toInt(),
                 1);
    }

    void guardaLaPersonaYSusImagenes() {
        Editor ed;
        ed.llenar();
        ed.c<QLineEdit>("TxtTelefono")->setText("2 2345 6789");
        crearImagen(TipoImagen::Foto); // captures accepted
        crearImagen(TipoImagen::Huella);

        ed.aceptar();
        QVERIFY2(ed.dlg.mensajes.isEmpty(), qPrintable(ed.dlg.ultimo()));
        QCOMPARE(ed.f->result(), int(QDialog::Accepted));
        const qint64 codigo = ed.f->codigoGuardado();
        QSqlQuery q = ed.e.de1().ejecutar(
            "SELECT TipoDocumento, Documento, NombrePersona, Sexo, EstadoCivil, FechaNac, Sangre, "
            "Domicilio, Ciudad, Ocupacion, Telefono, Anteojos, Celular, EMail, Huella "
            "FROM Personas WHERE CodigoPersona = ?",
            {codigo});
        QVERIFY(q.next());
        QStringList fila;
        for (int i = 0; i < 15; ++i) // the date as the driver gives it: text or a date
            fila << (i == 5 ? Dialecto::leerFecha(q.value(i)).toString(Qt::ISODate)
                            : q.value(i).toString());
        QCOMPARE(fila.join(u'|'), QStringLiteral("2|12.345.678|Gonzalez  Perez Maria|F|Sin Datos|"
                                                 "1985-02-28|AB +|Pasaje El Roble 45|Talca|Sin "
                                                 "datos|2 2345 6789|No|Sin datos|Sin datos|"));

        const QString foto = almacen::rutaGuardada(TipoImagen::Foto, codigo);
        QVERIFY(almacen::estaProtegido(foto));
        QCOMPARE(almacen::fotoParaMostrar(codigo), foto);
        QVERIFY(QFile::exists(almacen::rutaGuardada(TipoImagen::Huella, codigo)));
        QVERIFY(!QFile::exists(almacen::rutaGuardada(TipoImagen::Firma, codigo)));
    }

    void catalogoNuevoRegistraPersonas() {
        // A new office's catalog: its own document types, and cities added from here.
        Editor ed({}, true);
        ed.llenar();
        auto* docs = ed.c<QComboBox>("ComboDocumento");
        QCOMPARE(docs->count(), int(tiposDocumentoIniciales().size()));
        docs->setCurrentIndex(docs->findText(QStringLiteral("Pasaporte")));
        QCOMPARE(ed.c<QComboBox>("ComboCiudad")->count(), 0);
        QVERIFY(ed.c("CmdNCiudad")->isVisible());
        ed.dlg.siguienteEntrada(QStringLiteral("temuco"));
        ed.c<QPushButton>("CmdNCiudad")->click();
        ed.aceptar();
        QVERIFY2(ed.dlg.mensajes.isEmpty(), qPrintable(ed.dlg.ultimo()));
        QCOMPARE(ed.cuenta("Personas"), 1);
        QSqlQuery q = ed.e.de1().ejecutar(
            "SELECT DescripcionDocumento, Ciudad FROM Personas INNER JOIN Documentos ON "
            "Personas.TipoDocumento = Documentos.CodigoDocumento");
        QVERIFY(q.next());
        QCOMPARE(q.value(0).toString(), QStringLiteral("Pasaporte"));
        QCOMPARE(q.value(1).toString(), QStringLiteral("Temuco"));
    }

    void validacionMuestraMensajeYEnfoca() {
        Editor ed([](De1& db) { GuardarConfiguracion(db, "ChkEFoto", "1"); });
        QApplication::setActiveWindow(ed.f.get());
        ed.aceptar();
        QCOMPARE(ed.dlg.ultimo(), QStringLiteral("Debe seleccionar el tipo de documento."));
        QTRY_VERIFY(ed.c("ComboDocumento")->hasFocus());

        ed.llenar();
        ed.c<QLineEdit>("TxtNombre")->setText("   ");
        ed.aceptar();
        QCOMPARE(ed.dlg.ultimo(), QStringLiteral("Debe ingresar el nombre de la persona"));
        QTRY_VERIFY(ed.c("TxtNombre")->hasFocus());
        // The trimmed document is shown back; the input stays.
        QCOMPARE(ed.c<QLineEdit>("TxtDocumento")->text(), QStringLiteral("12.345.678"));

        ed.c<QLineEdit>("TxtNombre")->setText("Ana");
        ed.aceptar();
        QCOMPARE(ed.dlg.ultimo(), QStringLiteral("Debe ingresar la fotografía de la  persona."));
        QVERIFY(ed.f->isVisible());
        QCOMPARE(ed.cuenta("Personas"), 0);
    }

    void errorDeBaseYCarpetaDeImagenesFaltante() {
        Editor ed;
        QVERIFY(QDir(ed.e.carpetaPlantillas() + "/~pha").removeRecursively());
        ed.llenar();
        crearImagen(TipoImagen::Foto);
        crearImagen(TipoImagen::Firma);
        // A database error keeps the window open with its input.
        ed.e.de1().ejecutar("ALTER TABLE Personas RENAME TO Otra");
        ed.aceptar();
        QCOMPARE(ed.dlg.mensajes.last().icono, Dialogos::Icono::Critico);
        QVERIFY2(ed.dlg.ultimo().contains("Personas"), qPrintable(ed.dlg.ultimo()));
        QVERIFY(ed.f->isVisible());
        QCOMPARE(ed.c<QLineEdit>("TxtNombre")->text(), QStringLiteral("Gonzalez  Perez Maria"));

        ed.e.de1().ejecutar("ALTER TABLE Otra RENAME TO Personas");
        ed.dlg.limpiar();
        ed.aceptar();
        QCOMPARE(ed.dlg.mensajes.size(), 1);
        QVERIFY2(ed.dlg.ultimo().contains("Foto.jpg") && ed.dlg.ultimo().contains("~pha"),
                 qPrintable(ed.dlg.ultimo()));
        QVERIFY(!QDir(ed.e.carpetaPlantillas() + "/~pha").exists()); // never created
        // The person exists, with the images that could be stored, and the window closed.
        QCOMPARE(ed.cuenta("Personas"), 1);
        QVERIFY(QFile::exists(almacen::rutaGuardada(TipoImagen::Firma, ed.f->codigoGuardado())));
        QCOMPARE(ed.f->result(), int(QDialog::Accepted));
    }

    void fotografiaObligatoriaTomadaConLaCamara() {
        Editor ed([](De1& db) {
            GuardarConfiguracion(db, "ChkEFoto", "1");
            EscribirIni("Control", "Camara", "Simulada");
            instalarCapturaFoto();
        });
        FrmNMPersona::instalarCaptura(TipoImagen::Foto, {});
        qputenv("Tmp", QFile::encodeName(ed.e.ruta("")));
        ed.llenar();
        auto* enlace = ed.c<QPushButton>("LblFoto");
        QVERIFY(enlace->isVisible());

        QImage aceptada;
        alAbrirModal<ObtenerFoto>([&aceptada, &ed](ObtenerFoto* o) {
            alAbrirModal<FrmWebcam>([](FrmWebcam* w) {
                QTRY_VERIFY(w->vista()->cuadrosPintados() >= 2);
                hijo<QPushButton>(w, "Command1")->click();
                QTRY_VERIFY(!w->isVisible());
            });
            hijo<QPushButton>(o, "Command8")->click();
            QVERIFY2(o->edicion().tieneFoto(), qPrintable(ed.dlg.ultimo()));
            aceptada = o->edicion().paraCaja();
            hijo<QPushButton>(o, "Command4")->click();
        });
        enlace->click();
        QVERIFY(!ed.c<QLabel>("ImgFoto")->pixmap().isNull());

        ed.aceptar();
        QVERIFY2(ed.dlg.mensajes.isEmpty(), qPrintable(ed.dlg.ultimo()));
        QCOMPARE(ed.f->result(), int(QDialog::Accepted));
        // The stored photograph is the accepted picture, byte for byte the working file.
        QFile trabajo(almacen::archivoTrabajo(TipoImagen::Foto));
        QFile guardada(almacen::rutaGuardada(TipoImagen::Foto, ed.f->codigoGuardado()));
        QVERIFY(trabajo.open(QIODevice::ReadOnly) && guardada.open(QIODevice::ReadOnly));
        QCOMPARE(guardada.readAll(), trabajo.readAll());
        const QImage imagen(guardada.fileName());
        QCOMPARE(imagen.size(), aceptada.size());
        QVERIFY(qAbs(qGray(imagen.pixel(130, 130)) - qGray(aceptada.pixel(130, 130))) < 12);
    }

    void capturaInstaladaMuestraSuImagen() {
        bool habiaHuella = true;
        FrmNMPersona::instalarCaptura(TipoImagen::Huella, [&](QWidget*) {
            habiaHuella = QFile::exists(almacen::archivoTrabajo(TipoImagen::Huella));
            crearImagen(TipoImagen::Huella);
        });
        Editor ed;
        FrmNMPersona::instalarCaptura(TipoImagen::Huella, {});
        crearImagen(TipoImagen::Huella); // an earlier attempt's fingerprint
        ed.c<QPushButton>("LblHuella")->click();
        QVERIFY(!habiaHuella);
        QVERIFY(!ed.c<QLabel>("ImgHuella")->pixmap().isNull());
    }
};

QTEST_MAIN(TestFrmNMPersona)
#include "tst_frmnmpersona.moc"
