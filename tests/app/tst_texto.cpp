// Reading numbers and names as the office's older programs do.
#include "app/Rutinas.h"
#include "app/Texto.h"

#include <QtTest>

class TestTexto : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void val_data() {
        QTest::addColumn<QString>("texto");
        QTest::addColumn<double>("esperado");
        QTest::newRow("entero") << "15" << 15.0;
        QTest::newRow("con modificador") << "15 /x" << 15.0;
        QTest::newRow("letras") << "abc" << 0.0;
        QTest::newRow("vacio") << "" << 0.0;
        QTest::newRow("blancos intermedios") << " 1 2\t3\n4" << 1234.0;
        QTest::newRow("decimal") << "2.5" << 2.5;
        QTest::newRow("segundo punto corta") << "1.2.3" << 1.2;
        QTest::newRow("negativo") << "-7x" << -7.0;
        QTest::newRow("digitos despues de letra") << "12a34" << 12.0;
    }
    void val() {
        QFETCH(QString, texto);
        QFETCH(double, esperado);
        QCOMPARE(texto::Val(texto), esperado);
    }

    // The number is read as written, not rounded digit by digit.
    void valExacto() {
        QCOMPARE(texto::ValEntero(u"99999999.49999999"), 99999999);
        QCOMPARE(texto::Val(u"99999999.49999999"), 99999999.49999999);
        QCOMPARE(texto::Val(u"0.3"), 0.3);
        QCOMPARE(texto::Val(u"+.5"), 0.5);
        QCOMPARE(texto::Val(u"-"), 0.0);
        QCOMPARE(texto::Val(QString(400, u'9')), std::numeric_limits<double>::infinity());
        QCOMPARE(texto::Val(QStringLiteral("0.") + QString(400, u'0') + u'1'), 0.0);
        QCOMPARE(texto::ValEntero(QString(400, u'9')), std::numeric_limits<qint32>::max());
    }

    void enteroRedondeaAlPar() {
        QCOMPARE(texto::ValEntero(u"2.5"), 2);
        QCOMPARE(texto::ValEntero(u"3.5"), 4);
        QCOMPARE(texto::ValEntero(u"1.6"), 2);
        QCOMPARE(texto::ValEntero(u"-2.5"), -2);
        QCOMPARE(texto::ValEntero16(u"99999"), qint16(32767));
        QCOMPARE(texto::ValEntero(u"99999999999"), 2147483647);
    }

    void nombrePropio_data() {
        QTest::addColumn<QString>("entrada");
        QTest::addColumn<QString>("esperado");
        QTest::newRow("dobles blancos y letra sola") << "jUAN  PEREZ y CIA"
                                                     << "Juan  Perez y Cia";
        QTest::newRow("letras espanolas") << "ñandú PÉREZ"
                                          << "Ñandú Pérez";
        QTest::newRow("una letra") << "A"
                                   << "a";
        QTest::newRow("de la torre") << "de la torre"
                                     << "De La Torre";
        QTest::newRow("solo blancos") << "   "
                                      << "";
        QTest::newRow("bordes y apostrofo") << "  o'higgins  "
                                            << "O'Higgins";
        QTest::newRow("apostrofos") << "D'ALESSANDRO d’amico"
                                    << "D'Alessandro D’Amico";
    }
    void nombrePropio() {
        QFETCH(QString, entrada);
        QFETCH(QString, esperado);
        QString argumento = entrada;
        QCOMPARE(NombrePropio(argumento), esperado);
        QCOMPARE(argumento, entrada.trimmed());
    }

    void unidadTrabajo() {
        QCOMPARE(UnidadTrabajoDe(QStringLiteral("F:\\Programas\\Tavelmo")), QStringLiteral("F:"));
        QCOMPARE(UnidadTrabajoDe(QStringLiteral(" f:\\x")), QStringLiteral("F:"));
        QCOMPARE(UnidadTrabajoDe(QStringLiteral("D:\\Tavelmo")), QStringLiteral("C:"));
        QCOMPARE(UnidadTrabajoDe(QStringLiteral("\\\\servidor\\tavelmo")), QStringLiteral("C:"));
    }

    void windows1252IdaYVuelta() {
        const QString t = QStringLiteral("Año €5 «Peña» – ü");
        const QByteArray b = texto::aWindows1252(t);
        QCOMPARE(b.size(), t.size());
        QCOMPARE(uchar(b.at(4)), uchar(0x80)); // the euro sign
        QCOMPARE(texto::desdeWindows1252(b), t);
        QCOMPARE(texto::aWindows1252(QStringLiteral("日")), QByteArray("?"));
    }
};

QTEST_GUILESS_MAIN(TestTexto)
#include "tst_texto.moc"
