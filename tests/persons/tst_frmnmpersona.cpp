// The person editor driven as the operator does, on a temporary catalog.
#include "DialogosDePrueba.h"
#include "EntornoPrueba.h"
#include "app/Globales.h"
#include "app/Ini.h"
#include "data/Configuracion.h"
#include "persons/AlmacenImagenes.h"
#include "persons/FrmNMPersona.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QDir>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QtTest>

using almacen::TipoImagen;

namespace {

void sembrar(De1& db) {
    for (const char* d : {"Pasaporte", "Cédula de identidad"})
        db.insertar("Documentos", {{"DescripcionDocumento", QString::fromUtf8(d)}},
                    "CodigoDocumento");
    for (const char* c : {"Valparaíso", "Santiago", "Talca"})
        db.insertar("Ciudades", {{"DescripcionCiudad", QString::fromUtf8(c)}, {"Provincia", 3}},
                    "CodigoCiudad");
}

void crearImagen(TipoImagen t) {
    QImage img(40, 50, QImage::Format_RGB32);
    img.fill(Qt::darkCyan);
    QVERIFY(img.save(almacen::archivoTrabajo(t), t == TipoImagen::Huella ? "BMP" : "JPG"));
}

template <typename T> T* hijo(QWidget& w, const char* nombre) {
    T* c = w.findChild<T*>(QString::fromLatin1(nombre));
    if (!c)
        qFatal("no control %s", nombre);
    return c;
}

// Fills every field the checks ask for.
void llenar(FrmNMPersona& f) {
    hijo<QComboBox>(f, "ComboDocumento")->setCurrentIndex(0);
    hijo<QLineEdit>(f, "TxtDocumento")->setText(" 12.345.678 ");
    hijo<QLineEdit>(f, "TxtNombre")->setText("gonzalez  perez maria");
    hijo<QComboBox>(f, "ComboSexo")->setCurrentIndex(1);
    hijo<QComboBox>(f, "ComboSangre")->setCurrentIndex(7);
    hijo<QDateEdit>(f, "DtNac")->setDate(QDate(1985, 2, 28));
    hijo<QComboBox>(f, "ComboCiudad")->setCurrentIndex(1);
    hijo<QLineEdit>(f, "TxtDomicilio")->setText("pasaje el roble 45");
}

QVariantMap filaPersona(De1& db, qint64 codigo) {
    QSqlQuery q = db.ejecutar("SELECT * FROM Personas WHERE CodigoPersona = ?", {codigo});
    QVariantMap m;
    if (q.next())
        for (int i = 0; i < q.record().count(); ++i)
            m.insert(q.record().fieldName(i), q.value(i));
    return m;
}

int cuenta(De1& db, const QString& tabla) {
    return db.valor("SELECT count(*) FROM " + tabla).toInt();
}

} // namespace

class TestFrmNMPersona : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init() { Globales::ModoEdicion = "Z"; }

    void abreConSusValoresIniciales() {
        EntornoPrueba e;
        sembrar(e.de1());
        crearImagen(TipoImagen::Foto); // left over from an earlier capture
        DialogosDePrueba dlg;
        FrmNMPersona f(e.de1());
        f.show();

        QCOMPARE(f.windowTitle(), QStringLiteral("Administracion de personas"));
        QCOMPARE(hijo<QLabel>(f, "LblTitulo")->text(), QStringLiteral("Nueva persona"));
        QVERIFY(!QFile::exists(almacen::archivoTrabajo(TipoImagen::Foto)));
        QVERIFY(hijo<QLabel>(f, "ImgFoto")->pixmap().isNull());

        auto* docs = hijo<QComboBox>(f, "ComboDocumento");
        QCOMPARE(docs->currentIndex(), -1);
        QCOMPARE(docs->itemText(0), QStringLiteral("Cédula de identidad"));
        QCOMPARE(docs->itemData(0).toInt(), 2);
        auto* ciudades = hijo<QComboBox>(f, "ComboCiudad");
        QCOMPARE(ciudades->count(), 3);
        QCOMPARE(ciudades->itemText(0), QStringLiteral("Santiago"));
        QCOMPARE(ciudades->currentIndex(), -1);
        QCOMPARE(hijo<QComboBox>(f, "ComboSangre")->itemText(1), QStringLiteral("0 +"));
        QCOMPARE(hijo<QComboBox>(f, "ComboEstadoCivil")->currentText(),
                 QStringLiteral("Sin Datos"));
        QCOMPARE(hijo<QLineEdit>(f, "TxtDomicilio")->text(), QStringLiteral("Sin Datos"));
        for (const char* t : {"TxtTelefono", "TxtCelular", "TxtEmail", "TxtOcupacion"})
            QCOMPARE(hijo<QLineEdit>(f, t)->text(), QStringLiteral("Sin datos"));
        QCOMPARE(hijo<QDateEdit>(f, "DtNac")->date(), QDate::currentDate());
        QCOMPARE(hijo<QLabel>(f, "LblEdad")->text(), QStringLiteral("0 años de edad."));
        QCOMPARE(hijo<QLabel>(f, "Label4_5")->text(), QStringLiteral("Ciudad"));
        QCOMPARE(hijo<QLineEdit>(f, "TxtNombre")->accessibleName(),
                 QStringLiteral("Apellidos y nombres"));

        // Hidden: the folder check (started from a group), the new city button
        // (not enabled), and the capture links (no capture window installed).
        for (const char* n : {"ChkNuevaCarpeta", "LblCheck", "ImgCheck", "CmdNCiudad", "LblFoto",
                              "Lblfirma", "LblHuella"})
            QVERIFY2(!hijo<QWidget>(f, n)->isVisible(), n);
        QVERIFY(hijo<QWidget>(f, "ImgSalir")->isVisible());

        hijo<QDateEdit>(f, "DtNac")->setDate(QDate::currentDate().addDays(-6575));
        QCOMPARE(hijo<QLabel>(f, "LblEdad")->text(), QStringLiteral("18 años de edad."));
        hijo<QDateEdit>(f, "DtNac")->setDate(QDate::currentDate().addDays(-6574));
        QCOMPARE(hijo<QLabel>(f, "LblEdad")->text(), QStringLiteral("17 años de edad."));
        QVERIFY(dlg.mensajes.isEmpty());
    }

    void configuracionDeChile() {
        EntornoPrueba e;
        EscribirIni("Control", "ChkCifras", "1");
        EscribirIni("Control", "TxtCifras", "12");
        EscribirIni("Control", "Pais", "Chile");
        GuardarConfiguracion(e.de1(), "ChkNCiudades", "1");
        DialogosDePrueba dlg;
        FrmNMPersona f(e.de1());
        f.show();
        QCOMPARE(hijo<QLabel>(f, "Label4_5")->text(), QStringLiteral("Municipalidad / Comuna"));
        auto* doc = hijo<QLineEdit>(f, "TxtDocumento");
        QTest::keyClicks(doc, "1234567890123");
        QCOMPARE(doc->text(), QStringLiteral("123456789"));
        QVERIFY(hijo<QWidget>(f, "CmdNCiudad")->isVisible());
    }

    void guardaLaPersonaYSusImagenes() {
        EntornoPrueba e;
        sembrar(e.de1());
        DialogosDePrueba dlg;
        FrmNMPersona f(e.de1());
        f.show();
        llenar(f);
        hijo<QLineEdit>(f, "TxtTelefono")->setText("2 2345 6789");
        crearImagen(TipoImagen::Foto); // a capture accepted
        crearImagen(TipoImagen::Huella);
        f.mostrarImagenTrabajo(TipoImagen::Foto);
        QVERIFY(!hijo<QLabel>(f, "ImgFoto")->pixmap().isNull());

        hijo<QPushButton>(f, "CmdAceptar")->click();
        QVERIFY2(dlg.mensajes.isEmpty(), qPrintable(dlg.ultimo()));
        QCOMPARE(f.result(), int(QDialog::Accepted));
        QVERIFY(!f.isVisible());
        const qint64 codigo = f.codigoGuardado();
        QVERIFY(codigo > 0);

        const QVariantMap p = filaPersona(e.de1(), codigo);
        QCOMPARE(p["TipoDocumento"].toInt(), 2);
        QCOMPARE(p["Documento"].toString(), QStringLiteral("12.345.678"));
        QCOMPARE(p["NombrePersona"].toString(), QStringLiteral("Gonzalez  Perez Maria"));
        QCOMPARE(p["Sexo"].toString(), QStringLiteral("F"));
        QCOMPARE(p["EstadoCivil"].toString(), QStringLiteral("Sin Datos"));
        QCOMPARE(p["FechaNac"].toDate(), QDate(1985, 2, 28));
        QCOMPARE(p["Sangre"].toString(), QStringLiteral("AB +"));
        QCOMPARE(p["Domicilio"].toString(), QStringLiteral("Pasaje El Roble 45"));
        QCOMPARE(p["Ciudad"].toString(), QStringLiteral("Talca"));
        QCOMPARE(p["Ocupacion"].toString(), QStringLiteral("Sin datos"));
        QCOMPARE(p["Telefono"].toString(), QStringLiteral("2 2345 6789"));
        QCOMPARE(p["Anteojos"].toString(), QStringLiteral("No"));
        QCOMPARE(p["EMail"].toString(), QStringLiteral("Sin datos"));
        QCOMPARE(p["Huella"].toString(), QString());

        const QString foto = almacen::rutaGuardada(TipoImagen::Foto, codigo);
        QVERIFY(almacen::estaProtegido(foto));
        QCOMPARE(almacen::fotoParaMostrar(codigo), foto);
        QVERIFY(QFile::exists(almacen::rutaGuardada(TipoImagen::Huella, codigo)));
        QVERIFY(!QFile::exists(almacen::rutaGuardada(TipoImagen::Firma, codigo)));
    }

    void validacionMuestraMensajeYEnfoca() {
        EntornoPrueba e;
        sembrar(e.de1());
        DialogosDePrueba dlg;
        FrmNMPersona f(e.de1());
        f.show();
        QApplication::setActiveWindow(&f);
        auto* aceptar = hijo<QPushButton>(f, "CmdAceptar");
        aceptar->click();
        QCOMPARE(dlg.ultimo(), QStringLiteral("Debe seleccionar el tipo de documento."));
        QCOMPARE(dlg.mensajes.last().icono, Dialogos::Icono::Exclamacion);
        QCOMPARE(dlg.mensajes.last().titulo, QString());
        QTRY_VERIFY(hijo<QWidget>(f, "ComboDocumento")->hasFocus());

        llenar(f);
        hijo<QLineEdit>(f, "TxtNombre")->setText("   ");
        aceptar->click();
        QCOMPARE(dlg.ultimo(), QStringLiteral("Debe ingresar el nombre de la persona"));
        QCOMPARE(dlg.mensajes.last().icono, Dialogos::Icono::Critico);
        QTRY_VERIFY(hijo<QWidget>(f, "TxtNombre")->hasFocus());
        // The trimmed document is shown back; the input stays.
        QCOMPARE(hijo<QLineEdit>(f, "TxtDocumento")->text(), QStringLiteral("12.345.678"));
        QVERIFY(f.isVisible());
        QCOMPARE(cuenta(e.de1(), "Personas"), 0);
    }

    void fotografiaObligatoria() {
        EntornoPrueba e;
        sembrar(e.de1());
        GuardarConfiguracion(e.de1(), "ChkEFoto", "1");
        DialogosDePrueba dlg;
        FrmNMPersona f(e.de1());
        f.show();
        llenar(f);
        hijo<QPushButton>(f, "CmdAceptar")->click();
        QCOMPARE(dlg.ultimo(), QStringLiteral("Debe ingresar la fotografía de la  persona."));
        QVERIFY(f.isVisible());
        crearImagen(TipoImagen::Foto);
        hijo<QPushButton>(f, "CmdAceptar")->click();
        QCOMPARE(dlg.mensajes.size(), 1);
        QVERIFY(f.codigoGuardado() > 0);
    }

    void nuevaCiudad() {
        EntornoPrueba e;
        sembrar(e.de1());
        GuardarConfiguracion(e.de1(), "ChkNCiudades", "1");
        DialogosDePrueba dlg;
        FrmNMPersona f(e.de1());
        f.show();
        auto* combo = hijo<QComboBox>(f, "ComboCiudad");
        auto* boton = hijo<QPushButton>(f, "CmdNCiudad");

        dlg.siguienteEntrada(QStringLiteral("  talca "));
        boton->click();
        QCOMPARE(dlg.indicaciones.last(), QStringLiteral("Ingrese el nombre de la nueva ciudad."));
        QCOMPARE(combo->currentText(), QStringLiteral("Talca"));
        QCOMPARE(combo->count(), 3);
        QCOMPARE(cuenta(e.de1(), "Ciudades"), 3);

        dlg.siguienteEntrada(QStringLiteral("la serena"));
        boton->click();
        dlg.siguienteEntrada(QStringLiteral("LA SERENA"));
        boton->click();
        QCOMPARE(cuenta(e.de1(), "Ciudades"), 4);
        QCOMPARE(combo->count(), 4);
        QCOMPARE(combo->currentText(), QStringLiteral("La Serena"));
        QCOMPARE(combo->itemText(0), QStringLiteral("La Serena")); // in name order
        QCOMPARE(
            e.de1()
                .valor("SELECT Provincia FROM Ciudades WHERE DescripcionCiudad = ?", {"La Serena"})
                .toInt(),
            1);

        dlg.siguienteEntrada(std::nullopt); // cancelled
        boton->click();
        dlg.siguienteEntrada(QStringLiteral("   "));
        boton->click();
        QCOMPARE(cuenta(e.de1(), "Ciudades"), 4);
        QCOMPARE(combo->currentText(), QStringLiteral("La Serena"));
        QVERIFY(dlg.mensajes.isEmpty());
    }

    void carpetaDeImagenesFaltante() {
        EntornoPrueba e;
        sembrar(e.de1());
        QVERIFY(QDir(e.carpetaPlantillas() + "/~pha").removeRecursively());
        DialogosDePrueba dlg;
        FrmNMPersona f(e.de1());
        f.show();
        llenar(f);
        crearImagen(TipoImagen::Foto);
        crearImagen(TipoImagen::Firma);
        hijo<QPushButton>(f, "CmdAceptar")->click();
        QCOMPARE(dlg.mensajes.size(), 1);
        QVERIFY2(dlg.ultimo().contains("Foto.jpg") && dlg.ultimo().contains("~pha"),
                 qPrintable(dlg.ultimo()));
        // The person exists, with the images that could be stored.
        QVERIFY(f.codigoGuardado() > 0);
        QCOMPARE(cuenta(e.de1(), "Personas"), 1);
        QVERIFY(QFile::exists(almacen::rutaGuardada(TipoImagen::Firma, f.codigoGuardado())));
        QCOMPARE(f.result(), int(QDialog::Accepted));
    }

    void errorDeBaseDeDatosMantieneLaVentana() {
        EntornoPrueba e;
        sembrar(e.de1());
        DialogosDePrueba dlg;
        FrmNMPersona f(e.de1());
        f.show();
        llenar(f);
        e.de1().ejecutar("DROP TABLE Personas");
        hijo<QPushButton>(f, "CmdAceptar")->click();
        QCOMPARE(dlg.mensajes.size(), 1);
        QCOMPARE(dlg.mensajes.last().icono, Dialogos::Icono::Critico);
        QVERIFY2(dlg.ultimo().contains("Personas"), qPrintable(dlg.ultimo()));
        QVERIFY(f.isVisible());
        QCOMPARE(f.codigoGuardado(), 0);
        QCOMPARE(hijo<QLineEdit>(f, "TxtNombre")->text(), QStringLiteral("Gonzalez  Perez Maria"));
    }

    void cancelarNoGuarda() {
        EntornoPrueba e;
        sembrar(e.de1());
        DialogosDePrueba dlg;
        for (const char* boton : {"CmdCancelar", "ImgSalir"}) {
            FrmNMPersona f(e.de1());
            f.show();
            llenar(f);
            hijo<QPushButton>(f, boton)->click();
            QCOMPARE(f.result(), int(QDialog::Rejected));
            QVERIFY(!f.isVisible());
        }
        QCOMPARE(cuenta(e.de1(), "Personas"), 0);
    }

    void sinDatosSeSeleccionaAlEntrar() {
        EntornoPrueba e;
        DialogosDePrueba dlg;
        FrmNMPersona f(e.de1());
        f.show();
        QApplication::setActiveWindow(&f);
        auto* tel = hijo<QLineEdit>(f, "TxtTelefono");
        tel->setFocus();
        QTRY_COMPARE(tel->selectedText(), QStringLiteral("Sin datos"));
        auto* mail = hijo<QLineEdit>(f, "TxtEmail");
        mail->setText(QString(50, u'x'));
        QTest::mouseClick(mail, Qt::LeftButton, {}, QPoint(mail->width() - 4, 5));
        QTRY_COMPARE(mail->selectedText(), QString(40, u'x'));
        QTest::keyClicks(mail, "a@b.cl");
        QCOMPARE(mail->text(), QStringLiteral("a@b.cl") + QString(10, u'x'));
    }

    void capturaInstaladaMuestraSuImagen() {
        EntornoPrueba e;
        DialogosDePrueba dlg;
        crearImagen(TipoImagen::Huella);
        int llamadas = 0;
        bool habiaHuella = true;
        FrmNMPersona::instalarCaptura(TipoImagen::Huella, [&](QWidget*) {
            ++llamadas;
            habiaHuella = QFile::exists(almacen::archivoTrabajo(TipoImagen::Huella));
            crearImagen(TipoImagen::Huella);
        });
        FrmNMPersona f(e.de1());
        f.show();
        FrmNMPersona::instalarCaptura(TipoImagen::Huella, {});
        auto* enlace = hijo<QPushButton>(f, "LblHuella");
        QVERIFY(enlace->isVisible());
        QVERIFY(!hijo<QWidget>(f, "LblFoto")->isVisible());
        crearImagen(TipoImagen::Huella); // an earlier attempt's fingerprint
        enlace->click();
        QCOMPARE(llamadas, 1);
        QVERIFY(!habiaHuella);
        QVERIFY(!hijo<QLabel>(f, "ImgHuella")->pixmap().isNull());
    }
};

QTEST_MAIN(TestFrmNMPersona)
#include "tst_frmnmpersona.moc"
