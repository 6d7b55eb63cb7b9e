// Settings rows and result items.
#include "EntornoPrueba.h"
#include "data/Configuracion.h"

#include <QtTest>

class TestConfiguracion : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void leerYGuardar() {
        EntornoPrueba e;
        De1& db = e.de1();
        const int filas = db.valor("SELECT count(*) FROM Configuracion").toInt();
        QCOMPARE(LeerConfiguracion(db, "ChkEFoto"), QString());
        QCOMPARE(db.valor("SELECT count(*) FROM Configuracion").toInt(),
                 filas); // reading adds none
        GuardarConfiguracion(db, "ChkEFoto", "1");
        GuardarConfiguracion(db, "ChkEFoto", "0");
        GuardarConfiguracion(db, "O'Higgins", "sí");
        QCOMPARE(db.valor("SELECT count(*) FROM Configuracion").toInt(), filas + 2);
        QCOMPARE(LeerConfiguracion(db, "ChkEFoto"), QStringLiteral("0"));
        QCOMPARE(LeerConfiguracion(db, "O'Higgins"), QStringLiteral("sí"));
        db.ejecutar("INSERT INTO Configuracion (Item, Valor) VALUES ('Nulo', NULL)");
        QCOMPARE(LeerConfiguracion(db, "Nulo"), QString());
        QCOMPARE(LeerConfiguracion(db, ""), QString());
        // Without the table reading gives nothing; writing fails loudly.
        db.ejecutar("DROP TABLE Configuracion");
        QCOMPARE(LeerConfiguracion(db, "ChkEFoto"), QString());
        QVERIFY_THROWS_EXCEPTION(ErrorBD, GuardarConfiguracion(db, "X", "1"));
    }

    void codigoItem() {
        EntornoPrueba e;
        const qint32 a = ObtenerCodigoItem(e.de1(), "Porcentaje de Respuestas");
        QCOMPARE(ObtenerCodigoItem(e.de1(), "Porcentaje de Respuestas"), a);
        QVERIFY(ObtenerCodigoItem(e.de1(), "Otro 'item'") != a);
        QCOMPARE(e.de1().valor("SELECT count(*) FROM Items").toInt(), 2);
        // Left twice by an earlier race: the lowest code, the one results already carry.
        e.de1().ejecutar("INSERT INTO Items (CodigoItem, DescripcionItem) VALUES (9, 'Doble')");
        e.de1().ejecutar("INSERT INTO Items (CodigoItem, DescripcionItem) VALUES (7, 'doble')");
        QCOMPARE(ObtenerCodigoItem(e.de1(), "Doble"), 7);
    }

    void transaccionDeshaceSinConfirmar() {
        EntornoPrueba e;
        {
            Transaccion t(e.de1());
            GuardarConfiguracion(e.de1(), "A", "1");
        }
        QCOMPARE(LeerConfiguracion(e.de1(), "A"), QString());
        {
            Transaccion t(e.de1());
            GuardarConfiguracion(e.de1(), "A", "2");
            t.confirmar();
        }
        QCOMPARE(LeerConfiguracion(e.de1(), "A"), QStringLiteral("2"));
    }
};

QTEST_GUILESS_MAIN(TestConfiguracion)
#include "tst_configuracion.moc"
