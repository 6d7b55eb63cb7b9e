// What the program asks before start-up: the first run's configuration and the
// operator code of a menu start.
#include "DialogosDePrueba.h"
#include "EntornoPrueba.h"
#include "app/Aplicacion.h"
#include "app/Arranque.h"
#include "app/Ini.h"
#include "app/PrimerArranque.h"
#include "app/Rutas.h"
#include "app/ventanas/Inicio.h"
#include "data/ActualizacionEsquema.h"
#include "data/Configuracion.h"

#include <QDir>
#include <QFile>
#include <QUuid>
#include <QtTest>

using R = Dialogos::Respuesta;

class TestInicio : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void configuracionCreada_data() {
        QTest::addColumn<QString>("casa");
        QTest::newRow("ruta corriente") << "";
        // A home folder the Windows-1252 configuration file cannot name.
        QTest::newRow("casa no Windows-1252") << QStringLiteral("Жук/");
    }
    void configuracionCreada() {
        QFETCH(QString, casa);
        EntornoPrueba e(false);
        qputenv("QUENVAR_ROOT", e.ruta(casa + "raiz").toUtf8());
        const QString trabajo = casa + "trabajo";
        rutas::fijarCarpetaTrabajo(e.ruta(trabajo));
        DialogosDePrueba d;
        QVERIFY(primerarranque::faltaConfiguracion());
        d.siguienteRespuesta(R::Si);
        const inicio::Decision decision = inicio::ofrecerConfiguracion(d);
        QVERIFY(decision.seguir);
        QCOMPARE(d.mensajes.size(), 1);
        QVERIFY(d.ultimo().contains(QDir::toNativeSeparators(rutas::archivoConfiguracion())));
        QCOMPARE(d.mensajes.first().botones, Dialogos::Botones::SiNo);
        QVERIFY(QFile::exists(rutas::archivoConfiguracion()));
        for (const char* sub : {"~pha", "~sia", "~fia"})
            QVERIFY(QFileInfo(e.ruta(trabajo) + "/Templates/" + sub).isDir());

        // The configuration starts the program on its embedded catalog.
        De1 de1(QUuid::createUuid().toString());
        arranque::ejecutar(de1, "3");
        QVERIFY(QFile::exists(e.ruta(trabajo) + "/catalogo.sqlite"));
        QCOMPARE(rutas::carpetaPlantillas(), e.ruta(trabajo) + "/Templates");
        QCOMPARE(LeerConfiguracion(de1, "DBVersionTavelmo"), QString::number(kVersionEsquema));
    }

    void configuracionRechazadaOFallida() {
        EntornoPrueba e(false);
        DialogosDePrueba d;
        d.siguienteRespuesta(R::No);
        inicio::Decision decision = inicio::ofrecerConfiguracion(d);
        QVERIFY(!decision.seguir);
        QCOMPARE(decision.estado, 0);
        QCOMPARE(d.mensajes.size(), 2);
        QVERIFY(d.ultimo().contains("Server="));
        QVERIFY(d.ultimo().contains(rutas::archivoConfiguracion()));
        QVERIFY(primerarranque::faltaConfiguracion());

        // A file where the templates folder should go: nothing is written, and the
        // operator is told.
        QVERIFY(escribirArchivo(e.carpetaTrabajo() + "/Templates", {}));
        d.mensajes.clear();
        d.siguienteRespuesta(R::Si);
        decision = inicio::ofrecerConfiguracion(d);
        QVERIFY(!decision.seguir);
        QCOMPARE(decision.estado, 1);
        QCOMPARE(d.mensajes.last().icono, Dialogos::Icono::Critico);
        QVERIFY(d.ultimo().contains("Templates"));
        QVERIFY(primerarranque::faltaConfiguracion());
    }

    void configuracionExistenteIntacta() {
        EntornoPrueba e(false);
        QVERIFY(EscribirIni("Control", "Server", "OFICINA"));
        QCOMPARE(primerarranque::crearConfiguracionLocal(), QString());
        QCOMPARE(LeerIni("Control", "Server"), QStringLiteral("OFICINA"));
    }

    void codigoDelMenu() {
        EntornoPrueba e(false);
        DialogosDePrueba d;
        lineacomandos::Resultado menu;
        menu.pedirCodigo = true;

        // Wrong entries are refused with a message and asked again.
        d.siguienteEntrada(QStringLiteral("abc"));
        d.siguienteEntrada(QStringLiteral("0"));
        d.siguienteEntrada(QStringLiteral(" 15 "));
        inicio::Decision decision = inicio::antesDeArrancar(menu, d);
        QVERIFY(decision.seguir);
        QCOMPARE(decision.codigo, QStringLiteral("15"));
        QCOMPARE(d.indicaciones.size(), 3);
        QCOMPARE(d.mensajes.size(), 2);
        QCOMPARE(d.mensajes.first().icono, Dialogos::Icono::Exclamacion);

        // Cancelling ends the program without starting it.
        d.siguienteEntrada(std::nullopt);
        decision = inicio::antesDeArrancar(menu, d);
        QVERIFY(!decision.seguir);
        QCOMPARE(decision.estado, 0);

        // A code given, or a start that is not the menu's, asks nothing.
        d.indicaciones.clear();
        menu.codigo = QStringLiteral("9");
        QCOMPARE(inicio::antesDeArrancar(menu, d).codigo, QStringLiteral("9"));
        QVERIFY(inicio::antesDeArrancar(lineacomandos::Resultado{}, d).seguir);
        QVERIFY(d.indicaciones.isEmpty());
    }
};

QTEST_MAIN(TestInicio)
#include "tst_inicio.moc"
