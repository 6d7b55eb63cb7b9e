// Stored person images: names from the person code, protection, replacement.
#include "EntornoPrueba.h"
#include "persons/AlmacenImagenes.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QtTest>

#ifdef Q_OS_UNIX
#include <sys/stat.h>
#endif

using almacen::TipoImagen;

namespace {
void escribir(const QString& ruta, const QByteArray& bytes) {
    QVERIFY(escribirArchivo(ruta, bytes));
}
} // namespace

class TestAlmacenImagenes : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void rutasDesdeElCodigo() {
        EntornoPrueba e(false);
        const QString base = e.carpetaPlantillas();
        QCOMPARE(almacen::rutaGuardada(TipoImagen::Foto, 7), base + "/~pha/~pha$00000007.pha");
        QCOMPARE(almacen::rutaGuardada(TipoImagen::Foto, 12345678),
                 base + "/~pha/~pha$12345678.pha");
        QCOMPARE(almacen::rutaGuardada(TipoImagen::Foto, 123456789),
                 base + "/~pha/~pha$23456789.pha");
        QCOMPARE(almacen::rutaGuardada(TipoImagen::Firma, 57), base + "/~sia/~sia$00000057.sia");
        QCOMPARE(almacen::rutaGuardada(TipoImagen::Huella, 57), base + "/~fia/~fia$00000057.fia");
        QCOMPARE(almacen::fotoParaMostrar(7), QDir(e.carpetaPrograma()).filePath("Anonimo.jpg"));
    }

    void guardadoProtegidoYReemplazado() {
        EntornoPrueba e(false);
        const QString guardada = almacen::rutaGuardada(TipoImagen::Foto, 7);
        // A stored file that someone made read-only.
        escribir(guardada, "vieja");
        QFile::setPermissions(guardada, QFileDevice::ReadOwner);
        escribir(almacen::archivoTrabajo(TipoImagen::Foto), QByteArray("nueva\0\xff", 7));

        QCOMPARE(almacen::guardarPendiente(TipoImagen::Foto, 7), QString());
        QCOMPARE(leerArchivo(guardada), QByteArray("nueva\0\xff", 7)); // byte for byte
        QVERIFY(almacen::estaProtegido(guardada));
        QCOMPARE(almacen::fotoParaMostrar(7), guardada);
        // The working file stays until the editor opens again.
        QVERIFY(QFile::exists(almacen::archivoTrabajo(TipoImagen::Foto)));
        QVERIFY(!QFile::exists(guardada + ".nuevo"));
    }

#ifdef Q_OS_UNIX
    // Protection takes away writing only: an image kept private by the umask
    // does not become readable by every user of the workstation.
    void proteccionRespetaLaUmask() {
        EntornoPrueba e(false);
        const mode_t anterior = ::umask(077);
        escribir(almacen::archivoTrabajo(TipoImagen::Firma), "firma");
        const QString m = almacen::guardarPendiente(TipoImagen::Firma, 3);
        ::umask(anterior);
        QCOMPARE(m, QString());
        const QString guardada = almacen::rutaGuardada(TipoImagen::Firma, 3);
        const QFileDevice::Permissions p = QFile::permissions(guardada);
        QVERIFY(p & QFileDevice::ReadOwner);
        QVERIFY(!(p & (QFileDevice::ReadGroup | QFileDevice::ReadOther)));
        QVERIFY(almacen::estaProtegido(guardada));
    }
#endif

    void copiaFallidaConservaLaImagenAnterior() {
        EntornoPrueba e(false);
        const QString guardada = almacen::rutaGuardada(TipoImagen::Huella, 9);
        escribir(guardada, "anterior");
        // Something in the way of the copy's temporary file.
        QVERIFY(QDir().mkpath(guardada + ".nuevo/x"));
        escribir(almacen::archivoTrabajo(TipoImagen::Huella), "nueva");
        const QString m = almacen::guardarPendiente(TipoImagen::Huella, 9);
        QVERIFY2(m.contains("Huella.bmp"), qPrintable(m));
        QCOMPARE(leerArchivo(guardada), QByteArray("anterior"));
    }
};

QTEST_GUILESS_MAIN(TestAlmacenImagenes)
#include "tst_almacenimagenes.moc"
