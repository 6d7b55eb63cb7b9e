// The configuration file behaves as the Windows profile-string functions do.
#include "EntornoPrueba.h"
#include "app/Claves.h"
#include "app/Ini.h"
#include "app/Rutas.h"

#include <QFile>
#include <QtTest>

#ifdef Q_OS_UNIX
#include <sys/stat.h>
#endif

namespace {
void escribir(const QString& ruta, const QByteArray& datos) {
    QVERIFY(escribirArchivo(ruta, datos));
}
} // namespace

class TestIni : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void faltantesDanError() {
        EntornoPrueba e(false);
        QCOMPARE(LeerIni("Control", "Server"), QStringLiteral("ERROR")); // no file
        escribir(ini::ruta(), "[Control]\nRed=X\n");
        QCOMPARE(LeerIni("Control", "Server"), QStringLiteral("ERROR")); // no key
        QCOMPARE(LeerIni("Otra", "Red"), QStringLiteral("ERROR"));       // no section
        QCOMPARE(LeerIni("control", "RED"), QStringLiteral("X"));        // names ignore case
        const QString largo(200, u'x');
        QVERIFY(EscribirIni("Control", "Red", largo));
        QCOMPARE(LeerIni("Control", "Red"), largo.left(127));
    }

    void clavesConocidasTomanSuValorPredeterminado() {
        EntornoPrueba e(false);
        QCOMPARE(LeerIni(claves::kFiltro), QStringLiteral("1")); // no file: "Documento"
        QCOMPARE(claves::campoFiltro(), 1);
        QVERIFY(EscribirIni(claves::kFiltro, QString()));
        QCOMPARE(LeerIni(claves::kFiltro), QString()); // present but empty: not the default
        QCOMPARE(claves::campoFiltro(), 0);
        QCOMPARE(LeerIni(claves::kServer), QStringLiteral("ERROR"));
        QVERIFY(EscribirIniLote({{claves::respuestaRegistrada(2, 3).seccion,
                                  claves::respuestaRegistrada(2, 3).clave, "4"},
                                 {"Evaluado1", "Pregunta2", ""}}));
        QCOMPARE(LeerIni("Evaluado2", "Pregunta3"), QStringLiteral("4"));
        QCOMPARE(LeerIni("Evaluado1", "Pregunta2"), QString()); // empty value, not missing
        QVERIFY(EscribirIniLote({{"Evaluado2", "Pregunta3", "1"}}));
        QCOMPARE(LeerIni("Evaluado2", "Pregunta3"), QStringLiteral("1"));
    }

    void escrituraConservaElResto() {
        EntornoPrueba e(false);
        escribir(ini::ruta(), "; configuración de la oficina\n[Control]\n; "
                              "servidor\nServer=SRV\nRed=\\\\nas\\q\n\n[Foto]\nBrillo=3\n");
        QVERIFY(EscribirIni("CONTROL", "server", "OTRO"));
        QVERIFY(EscribirIni("Tavelmo", "Filtro", "0"));
        const QByteArray datos = leerArchivo(ini::ruta());
        QVERIFY(datos.contains("; configuración de la oficina"));
        QVERIFY(datos.contains("; servidor"));
        QVERIFY(datos.contains("Brillo=3"));
        QCOMPARE(LeerIni("Control", "Server"), QStringLiteral("OTRO"));
        QCOMPARE(LeerIni("Control", "Red"), QStringLiteral("\\\\nas\\q"));
        QCOMPARE(LeerIni("Tavelmo", "Filtro"), QStringLiteral("0"));
        QCOMPARE(datos.count("[Control]") + datos.count("[CONTROL]"), 1);
    }

    void textoWindows1252() {
        EntornoPrueba e(false);
        escribir(ini::ruta(), "[Control]\nPais=Espa\xF1"
                              "a\n");
        QCOMPARE(LeerIni("Control", "Pais"), QStringLiteral("España"));
        QVERIFY(EscribirIni("Control", "Ciudad", QStringLiteral("Peñalolén")));
        QVERIFY(leerArchivo(ini::ruta())
                    .contains("Pe\xF1"
                              "alol\xE9n"));
    }

    void escrituraAtomicaNoDejaTemporales() {
        EntornoPrueba e(false);
        QVERIFY(EscribirIni("A", "b", "1"));
        const QStringList archivos =
            QDir(QFileInfo(ini::ruta()).absolutePath()).entryList(QDir::Files);
        QCOMPARE(archivos, QStringList{QStringLiteral("QuenvarMRX.ini")});
        // A file that cannot be replaced keeps its content and reports failure.
        QFile::setPermissions(QFileInfo(ini::ruta()).absolutePath(),
                              QFileDevice::ReadOwner | QFileDevice::ExeOwner);
        const bool escribio = EscribirIni("A", "b", "2");
        QFile::setPermissions(QFileInfo(ini::ruta()).absolutePath(), QFileDevice::ReadOwner |
                                                                         QFileDevice::WriteOwner |
                                                                         QFileDevice::ExeOwner);
        if (escribio)
            QSKIP("running as root: folder permissions do not apply");
        QCOMPARE(LeerIni("A", "b"), QStringLiteral("1"));
    }

    // A zero-filled end (a power cut) or a NUL inside the text ends a line and
    // hides nothing; the next write keeps every section and leaves no NULs.
    void nulosNoOcultanNada() {
        EntornoPrueba e(false);
        escribir(ini::ruta(), QByteArrayLiteral("[Control]\r\nServer=SRV\0\0\0[Imagenes]\r\n"
                                                "Foto=a.jpg\r\n\0\0\r\n[Foto]\r\nBrillo=3\r\n") +
                                  QByteArray(4096, '\0'));
        QCOMPARE(LeerIni("Imagenes", "Foto"), QStringLiteral("a.jpg"));
        QCOMPARE(LeerIni("Foto", "Brillo"), QStringLiteral("3"));
        QVERIFY(EscribirIni("Tavelmo", "Filtro", "1"));
        QCOMPARE(leerArchivo(ini::ruta()),
                 QByteArray("[Control]\r\nServer=SRV\r\n[Imagenes]\r\nFoto=a.jpg\r\n"
                            "[Foto]\r\nBrillo=3\r\n\r\n[Tavelmo]\r\nFiltro=1\r\n"));
    }

    // "[Foto" without its "]" is still the section Foto: its keys read, and
    // writes change them in place instead of adding a section each time.
    void cabeceraSinCierre() {
        EntornoPrueba e(false);
        escribir(ini::ruta(), "[Control]\nServer=A\n[Foto\nBrillo=3\n\n[Otra]\nx=1\n");
        QCOMPARE(LeerIni("Foto", "Brillo"), QStringLiteral("3"));
        QVERIFY(EscribirIni("Foto", "Contraste", "5"));
        QVERIFY(EscribirIni("Foto", "Contraste", "6"));
        QCOMPARE(leerArchivo(ini::ruta()),
                 QByteArray("[Control]\nServer=A\n[Foto\nBrillo=3\nContraste=6\n\n[Otra]\nx=1\n"));
    }

    // The first of a repeated key or section is the one read and written; the
    // others stay as they are.
    void repetidas() {
        EntornoPrueba e(false);
        escribir(ini::ruta(), "[A]\nk = 1\nk=2\n[B]\nx=1\n[a]\nk=3\nz=9\n");
        QCOMPARE(LeerIni("A", "k"), QStringLiteral("1"));
        QCOMPARE(LeerIni("A", "z"), QStringLiteral("ERROR"));
        QVERIFY(EscribirIniLote({{"a", "K", "7"}, {"A", "nueva", "8"}}));
        QCOMPARE(leerArchivo(ini::ruta()),
                 QByteArray("[A]\nk=7\nk=2\nnueva=8\n[B]\nx=1\n[a]\nk=3\nz=9\n"));
        const QList<EntradaIni> todas = ini::entradasEn(leerArchivo(ini::ruta()));
        QCOMPARE(todas.size(), 3);
        QCOMPARE(todas.at(0).valor, QStringLiteral("7"));
    }

    // A write changes only what it names: a line break in a value cannot start
    // a section, and a name that cannot be written leaves the file as it was.
    void escrituraNoInventa() {
        EntornoPrueba e(false);
        escribir(ini::ruta(), "[Control]\nServer=SRV\n");
        QVERIFY(EscribirIni("Imagenes", "Foto", "a\n[Control]\r\nServer=OTRO\n"));
        QCOMPARE(LeerIni("Control", "Server"), QStringLiteral("SRV"));
        QCOMPARE(LeerIni("Imagenes", "Foto"), QStringLiteral("a [Control]  Server=OTRO"));
        const QByteArray antes = leerArchivo(ini::ruta());
        QVERIFY(!EscribirIni("A]", "b", "1"));
        QVERIFY(!EscribirIni("A", "b=c", "1"));
        QVERIFY(!EscribirIni("A", "[b", "1"));
        QVERIFY(!EscribirIniLote({{"A", "b", "1"}, {"A", ";c", "1"}}));
        QVERIFY(!EscribirIni(" ", "b", "1"));
        QCOMPARE(leerArchivo(ini::ruta()), antes);
    }

#ifdef Q_OS_UNIX
    // What is not a regular file, or is far too large, is never opened as a
    // configuration file: no wait on a FIFO, no endless read of a device.
    void archivoInservible() {
        EntornoPrueba e(false);
        const QString ruta = ini::ruta();
        const auto comprobar = [&](const char* clase, const QString& frase) {
            QElapsedTimer reloj;
            reloj.start();
            QCOMPARE(LeerIni("Control", "Server"), QStringLiteral("ERROR"));
            QVERIFY2(!EscribirIni("Control", "Server", "X"), clase);
            QVERIFY2(ini::problema().contains(frase), qPrintable(ini::problema()));
            QVERIFY2(ini::problema().contains(QDir::toNativeSeparators(ruta)), clase);
            QVERIFY2(reloj.elapsed() < 5000, clase);
        };
        QVERIFY(::mkfifo(QFile::encodeName(ruta).constData(), 0600) == 0);
        comprobar("fifo", QStringLiteral("no es un archivo común"));
        QFile::remove(ruta);
        QVERIFY(QFile::link("/dev/zero", ruta));
        comprobar("dispositivo", QStringLiteral("no es un archivo común"));
        QFile::remove(ruta);
        QVERIFY(QDir().mkdir(ruta));
        comprobar("carpeta", QStringLiteral("no es un archivo común"));
        QDir().rmdir(ruta);
        {
            QFile grande(ruta);
            QVERIFY(grande.open(QIODevice::WriteOnly));
            QVERIFY(grande.write("[Control]\nServer=SRV\n") > 0);
            QVERIFY(grande.resize(ini::kTamanoMaximo + 1));
        }
        comprobar("grande", QStringLiteral("MB"));
        QCOMPARE(QFileInfo(ruta).size(), ini::kTamanoMaximo + 1);
        QFile::remove(ruta);
        QCOMPARE(ini::problema(), QString()); // a missing file is no problem
    }
#endif

    void sinRutaUsaZarn() {
        EntornoPrueba e(false);
        ini::fijarRuta(QString());
        QVERIFY(EscribirIni("X", "y", "z"));
        QVERIFY(QFile::exists(rutas::archivoZarn()));
        QVERIFY(rutas::archivoZarn().startsWith(e.raiz() + "/Windows/"));
    }
};

QTEST_GUILESS_MAIN(TestIni)
#include "tst_ini.moc"
