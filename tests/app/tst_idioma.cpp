// Spanish on a workstation whose language is English: the program's locale and
// Qt's own dialogs as the program shows them.
#include "EntornoPrueba.h"
#include "PuestoPrueba.h"
#include "app/Aplicacion.h"
#include "app/Claves.h"
#include "app/Idioma.h"
#include "app/Ini.h"
#include "app/ventanas/Dialogos.h"
#include "app/ventanas/Traducciones.h"

#include <QAbstractButton>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QLabel>
#include <QMessageBox>
#include <QToolButton>

namespace {

QStringList textosBotones(QWidget* w) {
    QStringList t;
    for (QAbstractButton* b : w->findChildren<QAbstractButton*>())
        if (b->isVisible() && !b->text().isEmpty())
            t << b->text().remove(u'&');
    t.sort();
    return t;
}

} // namespace

class TestIdioma : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void elegirLocale_data() {
        QTest::addColumn<QLocale>("sistema");
        QTest::addColumn<QString>("pais");
        QTest::addColumn<QLocale>("esperado");
        const QLocale ingles(QLocale::English, QLocale::UnitedStates);
        const QLocale es(QLocale::Spanish);
        QTest::newRow("inglés sin país") << ingles << "ERROR" << es;
        QTest::newRow("C") << QLocale::c() << "" << es;
        QTest::newRow("Chile") << ingles << "Chile" << QLocale(QLocale::Spanish, QLocale::Chile);
        QTest::newRow("sin tilde ni mayúscula")
            << ingles << " peru " << QLocale(QLocale::Spanish, QLocale::Peru);
        QTest::newRow("con tilde")
            << ingles << "México" << QLocale(QLocale::Spanish, QLocale::Mexico);
        QTest::newRow("código") << ingles << "ar" << QLocale(QLocale::Spanish, QLocale::Argentina);
        QTest::newRow("país desconocido") << ingles << "Narnia" << es;
        QTest::newRow("país sin español") << ingles << "Germany" << es;
        // A Spanish workstation keeps its own country and formats.
        QTest::newRow("sistema en español")
            << QLocale(QLocale::Spanish, QLocale::Argentina) << "Chile"
            << QLocale(QLocale::Spanish, QLocale::Argentina);
    }
    void elegirLocale() {
        QFETCH(QLocale, sistema);
        QFETCH(QString, pais);
        QFETCH(QLocale, esperado);
        QCOMPARE(idioma::elegir(sistema, pais), esperado);
    }

    void dialogosDeQtEnEspanol() {
        QCOMPARE(QLocale::system().language(), QLocale::English); // the workstation's
        EntornoPrueba e(false);
        QVERIFY(EscribirIni(claves::kPais, "Chile"));
        QCOMPARE(idioma::fijarPredeterminado(), QLocale(QLocale::Spanish, QLocale::Chile));
        QCOMPARE(QLocale().toString(QDate(2026, 12, 7), QLocale::ShortFormat), "07-12-26");
        QVERIFY(traducciones::instalar());
        DialogosQt reales;
        Dialogos& dialogos = reales;

        DentroDe archivo("QFileDialog", [](QDialog* d) {
            QCOMPARE(d->findChild<QLabel*>("lookInLabel")->text(), "Buscar en:");
            QCOMPARE(d->findChild<QLabel*>("fileNameLabel")->text(), "Nombre de archivo:");
            QCOMPARE(d->findChild<QLabel*>("fileTypeLabel")->text(), "Tipo de archivo:");
            auto* botones = d->findChild<QDialogButtonBox*>("buttonBox");
            QCOMPARE(textosBotones(botones), QStringList({"Abrir", "Cancelar"}));
            // What the program does not word itself comes from Qt's translation.
            QCOMPARE(d->findChild<QToolButton*>("backButton")->toolTip(), "Atrás");
        });
        QCOMPARE(dialogos.abrirArchivo(nullptr, "Foto", e.ruta(""), "Imágenes (*.jpg)"), QString());
        QVERIFY(archivo.hecho);

        DentroDe entrada("QInputDialog", [](QDialog* d) {
            QCOMPARE(textosBotones(d), QStringList({"Aceptar", "Cancelar"}));
        });
        QVERIFY(!dialogos.entrada(nullptr, "Nombre", "Nueva ciudad", {}));
        QVERIFY(entrada.hecho);

        // A box asked for without a title carries the program's.
        DentroDe mensaje("QMessageBox", [](QDialog* d) {
            QCOMPARE(textosBotones(d), QStringList({"No", "Sí"}));
            QCOMPARE(d->windowTitle(), kTituloAplicacion);
        });
        dialogos.mensaje(nullptr, "¿Eliminar?", Dialogos::Icono::Pregunta, {},
                         Dialogos::Botones::SiNo);
        QVERIFY(mensaje.hecho);

        // Standard buttons the program leaves to Qt.
        QDialogButtonBox caja(QDialogButtonBox::Ok | QDialogButtonBox::Cancel |
                              QDialogButtonBox::Close);
        caja.show();
        QCOMPARE(textosBotones(&caja), QStringList({"Aceptar", "Cancelar", "Cerrar"}));
    }
};

TAVELMO_MAIN_PUESTO(TestIdioma)
#include "tst_idioma.moc"
