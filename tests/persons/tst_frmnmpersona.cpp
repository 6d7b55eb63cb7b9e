// The person editor driven as the operator does, on a temporary catalog.
#include "Capturas.h"
#include "Catalogo.h"
#include "app/Claves.h"
#include "app/Ini.h"
#include "data/Configuracion.h"
#include "persons/AlmacenImagenes.h"
#include "persons/CapturaHuella.h"
#include "persons/LectorHuellasSimulado.h"
#include "persons/ventanas/FrmNMPersona.h"
#include "persons/ventanas/FrmPad.h"
#include "persons/ventanas/NombresFrmNMPersona.h"
#include "persons/ventanas/ObtenerFirma.h"
#include "persons/ventanas/ObtenerFoto.h"
#include "persons/ventanas/ObtenerHuella.h"

#include <QComboBox>
#include <QDateEdit>
#include <QDir>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScopeGuard>
#include <QSqlQuery>
#include <QtTest>

using almacen::TipoImagen;
namespace n = nombres::frmNMPersona;

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
    explicit Editor(const std::function<void(De1&)>& antes = {}, bool catalogoNuevo = false,
                    ModoEdicion modo = ModoEdicion::PersonaDelGrupo)
        : e(true, catalogoNuevo) {
        if (!catalogoNuevo) {
            for (const char* d : {"Pasaporte", "Cédula de identidad"})
                e.de1().insertar("Documentos", {{"DescripcionDocumento", QString::fromUtf8(d)}},
                                 "CodigoDocumento");
            for (const char* c : {"Valparaíso", "Santiago", "Talca"})
                e.de1().insertar("Ciudades",
                                 {{"DescripcionCiudad", QString::fromUtf8(c)}, {"Provincia", 3}},
                                 "CodigoCiudad");
        }
        if (antes)
            antes(e.de1());
        f = std::make_unique<FrmNMPersona>(e.de1(), modo);
        f->show();
    }
    template <typename T = QWidget> T* c(const QString& nombre) { return hijo<T>(*f, nombre); }
    // Every field the checks ask for.
    void llenar() {
        c<QComboBox>(n::kTipoDocumento)->setCurrentIndex(0);
        c<QLineEdit>(n::kDocumento)->setText(" 12.345.678 ");
        c<QLineEdit>(n::kNombre)->setText("gonzalez  perez maria");
        c<QComboBox>(n::kSexo)->setCurrentIndex(1);
        c<QComboBox>(n::kSangre)->setCurrentIndex(7);
        c<QDateEdit>(n::kNacimiento)->setDate(QDate(1985, 2, 28));
        c<QComboBox>(n::kCiudad)->setCurrentIndex(1);
        c<QLineEdit>(n::kDomicilio)->setText("pasaje el roble 45");
    }
    void aceptar() { pulsar(*f, n::kAceptar); }
    // Accepted without a word, the window closed.
    void guardar() {
        dlg.limpiar();
        aceptar();
        QVERIFY2(dlg.mensajes.isEmpty(), qPrintable(dlg.ultimo()));
        QCOMPARE(f->result(), int(QDialog::Accepted));
    }
    int cuenta(const char* tabla) { return catalogo::filas(e.de1(), QString::fromLatin1(tabla)); }
};

} // namespace

class TestFrmNMPersona : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void abreConSusValoresIniciales() {
        // Left from an earlier capture, the signature's source too.
        Editor ed([](De1&) {
            crearImagen(TipoImagen::Foto);
            QVERIFY(QImage(20, 10, QImage::Format_RGB32).save(almacen::fuenteFirma(), "BMP"));
        });
        QVERIFY(!QFile::exists(almacen::archivoTrabajo(TipoImagen::Foto)));
        QVERIFY(!QFile::exists(almacen::fuenteFirma()));
        auto* docs = ed.c<QComboBox>(n::kTipoDocumento);
        QCOMPARE(docs->currentIndex(), -1);
        QCOMPARE(docs->itemData(0).toInt(), 2); // "Cédula de identidad", in name order
        QCOMPARE(ed.c<QComboBox>(n::kCiudad)->itemText(0), QStringLiteral("Santiago"));
        ed.c<QDateEdit>(n::kNacimiento)->setDate(QDate::currentDate().addDays(-6575));
        QCOMPARE(ed.c<QLabel>(n::kEdad)->text(), QStringLiteral("18 años de edad."));

        // Started from a group; new cities not enabled; no capture window installed.
        for (const QString& oculto :
             {n::kNuevaCarpeta, n::kRotuloNuevaCarpeta, n::kImagenNuevaCarpeta, n::kNuevaCiudad,
              n::kObtenerFoto, n::kObtenerFirma, n::kObtenerHuella})
            QVERIFY2(!ed.c(oculto)->isVisible(), qPrintable(oculto));
        QVERIFY(ed.dlg.mensajes.isEmpty());

        // Tab walks the form as it reads; every input is named by its label.
        QCOMPARE(ordenTabulacion(*ed.f),
                 (QStringList{n::kSalir, n::kTipoDocumento, n::kDocumento, n::kNombre, n::kSexo,
                              n::kEstadoCivil, n::kNacimiento, n::kSangre, n::kAnteojos,
                              n::kDomicilio, n::kCiudad, n::kOcupacion, n::kTelefono, n::kCelular,
                              n::kEmail, n::kAceptar, n::kCancelar}));
        QVERIFY(rotulosAccesibles(*ed.f));

        // Entering a "Sin datos" box selects its first 40 characters, by click too.
        QApplication::setActiveWindow(ed.f.get());
        auto* mail = ed.c<QLineEdit>(n::kEmail);
        mail->setText(QString(50, u'x'));
        QTest::mouseClick(mail, Qt::LeftButton, {}, QPoint(mail->width() - 4, 5));
        QTRY_COMPARE(mail->selectedText(), QString(40, u'x'));
    }

    void configuracionDeChileYNuevaCiudad() {
        Editor ed([](De1& db) {
            EscribirIni(claves::kChkCifras, "1");
            EscribirIni(claves::kTxtCifras, "12");
            EscribirIni(claves::kPais, "Chile");
            GuardarConfiguracion(db, ajustes::kNuevasCiudades, "1");
        });
        QCOMPARE(ed.c<QLabel>(n::kRotuloCiudad)->text(), QStringLiteral("Municipalidad / Comuna"));
        QTest::keyClicks(ed.c(n::kDocumento), "1234567890123");
        QCOMPARE(ed.c<QLineEdit>(n::kDocumento)->text(), QStringLiteral("123456789"));

        // A city already listed is selected, not added again.
        auto* combo = ed.c<QComboBox>(n::kCiudad);
        ed.dlg.siguienteEntrada(QStringLiteral("  talca "));
        pulsar(*ed.f, n::kNuevaCiudad);
        QCOMPARE(combo->currentText(), QStringLiteral("Talca"));
        QCOMPARE(ed.cuenta("Ciudades"), 3);
        for (const char* nombre : {"la serena", "LA SERENA"}) {
            ed.dlg.siguienteEntrada(QString::fromLatin1(nombre));
            pulsar(*ed.f, n::kNuevaCiudad);
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
        ed.c<QLineEdit>(n::kTelefono)->setText("2 2345 6789");
        crearImagen(TipoImagen::Foto); // captures accepted
        crearImagen(TipoImagen::Huella);

        ed.guardar();
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

        QVERIFY(QFile::exists(almacen::rutaGuardada(TipoImagen::Foto, codigo)));
        QVERIFY(QFile::exists(almacen::rutaGuardada(TipoImagen::Huella, codigo)));
        QVERIFY(!QFile::exists(almacen::rutaGuardada(TipoImagen::Firma, codigo)));
    }

    void catalogoNuevoRegistraPersonas() {
        // A new office's catalog: its own document types, and cities added from here.
        Editor ed({}, true);
        ed.llenar();
        auto* docs = ed.c<QComboBox>(n::kTipoDocumento);
        QCOMPARE(docs->count(), int(tiposDocumentoIniciales().size()));
        docs->setCurrentIndex(docs->findText(QStringLiteral("Pasaporte")));
        QCOMPARE(ed.c<QComboBox>(n::kCiudad)->count(), 0);
        QVERIFY(ed.c(n::kNuevaCiudad)->isVisible());
        ed.dlg.siguienteEntrada(QStringLiteral("temuco"));
        pulsar(*ed.f, n::kNuevaCiudad);
        ed.guardar();
        QCOMPARE(ed.cuenta("Personas"), 1);
        QSqlQuery q = ed.e.de1().ejecutar(
            "SELECT DescripcionDocumento, Ciudad FROM Personas INNER JOIN Documentos ON "
            "Personas.TipoDocumento = Documentos.CodigoDocumento");
        QVERIFY(q.next());
        QCOMPARE(q.value(0).toString(), QStringLiteral("Pasaporte"));
        QCOMPARE(q.value(1).toString(), QStringLiteral("Temuco"));
    }

    void validacionMuestraMensajeYEnfoca() {
        Editor ed([](De1& db) { GuardarConfiguracion(db, ajustes::kExigeFoto, "1"); });
        QApplication::setActiveWindow(ed.f.get());
        ed.aceptar();
        QCOMPARE(ed.dlg.ultimo(), QStringLiteral("Debe seleccionar el tipo de documento."));
        QTRY_VERIFY(ed.c(n::kTipoDocumento)->hasFocus());

        ed.llenar();
        ed.c<QLineEdit>(n::kNombre)->setText("   ");
        ed.aceptar();
        QCOMPARE(ed.dlg.ultimo(), QStringLiteral("Debe ingresar el nombre de la persona"));
        QTRY_VERIFY(ed.c(n::kNombre)->hasFocus());
        // The trimmed document is shown back; the input stays.
        QCOMPARE(ed.c<QLineEdit>(n::kDocumento)->text(), QStringLiteral("12.345.678"));

        ed.c<QLineEdit>(n::kNombre)->setText("Ana");
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
        // What failed first, then the driver's text.
        QVERIFY2(ed.dlg.ultimo().startsWith("No se pudo guardar la persona.\n\n"),
                 qPrintable(ed.dlg.ultimo()));
        QVERIFY2(ed.dlg.ultimo().contains("Personas"), qPrintable(ed.dlg.ultimo()));
        QVERIFY(ed.f->isVisible());
        QCOMPARE(ed.c<QLineEdit>(n::kNombre)->text(), QStringLiteral("Gonzalez  Perez Maria"));

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

    void lasTresImagenesObligatoriasCapturadas() {
        Editor ed([](De1& db) {
            for (const char* clave : {"ChkEFoto", "ChkEFirma", "ChkEHuella"})
                GuardarConfiguracion(db, QString::fromLatin1(clave), "1");
            EscribirIni("Control", "Camara", "Simulada");
            instalarCapturaFoto();
            instalarCapturaFirma();
            instalarCapturaHuella();
        });
        for (TipoImagen t : {TipoImagen::Foto, TipoImagen::Firma, TipoImagen::Huella})
            FrmNMPersona::instalarCaptura(t, {});
        LectorHuellasSimulado lector;
        fijarLectorHuellasCompartido(&lector);
        const auto restaurar = qScopeGuard([] { fijarLectorHuellasCompartido(nullptr); });
        qputenv("Tmp", QFile::encodeName(ed.e.ruta("")));
        ed.llenar();

        alAbrirModal<ObtenerFoto>([](ObtenerFoto* o) {
            tomarDeWebcam(o);
            QTest::mouseClick(hijo(o, "Command4"), Qt::LeftButton);
        });
        QTest::mouseClick(ed.c(n::kObtenerFoto), Qt::LeftButton);
        QVERIFY(!ed.c<QLabel>(n::kFoto)->pixmap().isNull());

        // The pad opens with the signature window and the examinee signs. The
        // window is answered once the pad's own loop has returned.
        alAbrirModal<FrmPad>([](FrmPad* pad) { firmarEnPad(pad, 80); });
        const auto ventanaFirma = [] {
            return qobject_cast<ObtenerFirma*>(QApplication::activeModalWidget());
        };
        cuando([&] { return ventanaFirma() && ventanaFirma()->edicion().tieneFirma(); },
               [&] { QTest::mouseClick(hijo(ventanaFirma(), "Command4"), Qt::LeftButton); });
        QTest::mouseClick(ed.c(n::kObtenerFirma), Qt::LeftButton);
        QVERIFY(!ed.c<QLabel>(n::kFirma)->pixmap().isNull());

        // A fingerprint of an earlier try does not survive a cancelled capture.
        crearImagen(TipoImagen::Huella);
        alAbrirModal<ObtenerHuella>([&lector](ObtenerHuella* h) {
            QTRY_VERIFY(lector.esperando());
            QTest::mouseClick(hijo(h, "Command1"), Qt::LeftButton);
        });
        QTest::mouseClick(ed.c(n::kObtenerHuella), Qt::LeftButton);
        QVERIFY(!QFile::exists(almacen::archivoTrabajo(TipoImagen::Huella)));
        QVERIFY(ed.c<QLabel>(n::kHuella)->pixmap().isNull());
        alAbrirModal<ObtenerHuella>([&lector](ObtenerHuella* h) {
            CapturaHuella::Tiempos rapidos;
            rapidos.parpadeosLentos = rapidos.parpadeosRapidos = 1;
            h->captura().fijarTiempos(rapidos);
            QTRY_VERIFY(lector.esperando());
            lector.ponerDedo();
            QTRY_VERIFY(!h->isVisible());
        });
        QTest::mouseClick(ed.c(n::kObtenerHuella), Qt::LeftButton);
        QVERIFY(!ed.c<QLabel>(n::kHuella)->pixmap().isNull());

        ed.guardar();
        // Each stored file is its accepted working file, byte for byte.
        const qint64 codigo = ed.f->codigoGuardado();
        for (TipoImagen t : {TipoImagen::Foto, TipoImagen::Firma, TipoImagen::Huella})
            QCOMPARE(leerArchivo(almacen::rutaGuardada(t, codigo)),
                     leerArchivo(almacen::archivoTrabajo(t)));
    }
};

QTEST_MAIN(TestFrmNMPersona)
#include "tst_frmnmpersona.moc"
