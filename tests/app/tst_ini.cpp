// The configuration file behaves as the Windows profile-string functions do.
#include "EntornoPrueba.h"
#include "app/Claves.h"
#include "app/Ini.h"
#include "app/Rutas.h"

#include <QFile>
#include <QtTest>

namespace {
QByteArray leer(const QString& ruta) {
    QFile f(ruta);
    f.open(QIODevice::ReadOnly);
    return f.readAll();
}
void escribir(const QString& ruta, const QByteArray& datos) {
    QFile f(ruta);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(datos);
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
                                  claves::respuestaRegistrada(2, 3).clave, "4"}}));
        QCOMPARE(LeerIni("Evaluado2", "Pregunta3"), QStringLiteral("4"));
    }

    void valorLargoSeCorta() {
        EntornoPrueba e(false);
        const QString largo(200, u'x');
        QVERIFY(EscribirIni("Control", "Red", largo));
        QCOMPARE(LeerIni("Control", "Red"), largo.left(127));
    }

    void escrituraConservaElResto() {
        EntornoPrueba e(false);
        escribir(ini::ruta(), "; configuración de la oficina\n[Control]\n; "
                              "servidor\nServer=SRV\nRed=\\\\nas\\q\n\n[Foto]\nBrillo=3\n");
        QVERIFY(EscribirIni("CONTROL", "server", "OTRO"));
        QVERIFY(EscribirIni("Tavelmo", "Filtro", "0"));
        const QByteArray datos = leer(ini::ruta());
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
        QVERIFY(leer(ini::ruta())
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

    void loteEscribeTodo() {
        EntornoPrueba e(false);
        QList<EntradaIni> lote;
        for (int k = 1; k <= 3; ++k)
            for (int q = 1; q <= 4; ++q)
                lote.append({QStringLiteral("Evaluado%1").arg(k),
                             QStringLiteral("Pregunta%1").arg(q),
                             q == 2 ? QString() : QString::number(q)});
        QVERIFY(EscribirIniLote(lote));
        QCOMPARE(LeerIni("Evaluado3", "Pregunta4"), QStringLiteral("4"));
        QCOMPARE(LeerIni("Evaluado1", "Pregunta2"), QString()); // empty value, not missing
        QVERIFY(EscribirIniLote({{"Evaluado3", "Pregunta4", "1"}}));
        QCOMPARE(LeerIni("Evaluado3", "Pregunta4"), QStringLiteral("1"));
    }

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
