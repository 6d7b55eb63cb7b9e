// The results window and what it opens, driven through real clicks: the table
// with its sorting, filter and summary; the preview, printing and saving of the
// reports; the exports; the item statistics; and how the main window and the
// session window reach it.
#include "ApoyoResultados.h"
#include "DialogosDePrueba.h"
#include "EntornoPrueba.h"
#include "groups/ventanas/MenuPrincipal.h"
#include "session/ventanas/FrmEstadisticas.h"
#include "session/ventanas/FrmResultados.h"
#include "session/ventanas/FrmVistaPrevia.h"

#include <QChart>
#include <QChartView>
#include <QComboBox>
#include <QFile>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QProcess>
#include <QPushButton>
#include <QRadioButton>
#include <QTableView>
#include <QtTest>

namespace {

const QDate kDia(2026, 12, 6);
const QStringList kTeclas = {"12313", "12313", "12113", "11313", "12 13",
                             "11113", "13213", "2 313", "11113", "    3"};

void clic(QWidget& ventana, const char* nombre) {
    auto* b = ventana.findChild<QPushButton*>(nombre);
    QVERIFY2(b && b->isEnabled(), nombre);
    QTest::mouseClick(b, Qt::LeftButton);
}

QStringList columna(QTableView* t, int c) {
    QStringList r;
    for (int i = 0; i < t->model()->rowCount(); ++i)
        r << t->model()->index(i, c).data().toString();
    return r;
}

QString textoPdf(const QString& ruta) {
    QProcess p;
    p.start("pdftotext", {ruta, "-"});
    p.waitForFinished(30000);
    return QString::fromUtf8(p.readAllStandardOutput());
}

} // namespace

class TestFrmResultados : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void tablaFiltroYResumen() {
        EntornoPrueba e;
        DialogosDePrueba d;
        De1& db = e.de1();
        const SesionPrueba a = guardarSesionPrueba(db, kTeclas, "12312", kDia.addDays(-1));
        const SesionPrueba b = guardarSesionPrueba(db, {"12312", "33333"}, "12312", kDia, {}, &a);

        FrmResultados v(db, a.grupo);
        v.show();
        QVERIFY(QTest::qWaitForWindowExposed(&v));
        auto* combo = v.findChild<QComboBox*>("ComboExaminaciones");
        QCOMPARE(combo->count(), 2); // newest first
        QVERIFY(combo->itemText(0).contains("Teórico de conducción (2 evaluados, 1 aprobados)"));
        auto* tabla = v.findChild<QTableView*>("LvResultados");
        auto* resumen = v.findChild<QLabel*>("LblResumen");
        QCOMPARE(tabla->model()->rowCount(), 2);
        QCOMPARE(resumen->text(), QStringLiteral("Aprobados: 1 de 2 (50,00 %)"));

        combo->setCurrentIndex(1);
        QCOMPARE(v.examinacion()->sesion, a.sesion);
        QCOMPARE(tabla->model()->rowCount(), 10);
        QCOMPARE(resumen->text(), QStringLiteral("Aprobados: 5 de 10 (50,00 %)"));
        QCOMPARE(tabla->model()->index(2, 5).data().toString(), QStringLiteral("60,00 %"));
        QCOMPARE(tabla->model()->index(0, 0).data().toString(), QStringLiteral("3"));

        // Sorted by percentage with a click on its heading, as numbers.
        QHeaderView* cabecera = tabla->horizontalHeader();
        QTest::mouseClick(cabecera->viewport(), Qt::LeftButton, {},
                          QPoint(cabecera->sectionViewportPosition(5) + 5, 5));
        const QStringList asc = columna(tabla, 5);
        QCOMPARE(asc.first(), QStringLiteral("0,00 %"));
        QCOMPARE(asc.last(), QStringLiteral("80,00 %"));

        QComboBox* veredicto = v.findChild<QComboBox*>("ComboVeredicto");
        veredicto->setCurrentIndex(2);
        QCOMPARE(tabla->model()->rowCount(), 5);
        const QStringList veredictos = columna(tabla, 6);
        QCOMPARE(QSet<QString>(veredictos.cbegin(), veredictos.cend()), QSet<QString>{"Reprobado"});
        veredicto->setCurrentIndex(0);
        QTest::keyClicks(v.findChild<QLineEdit*>("TxtFiltro"), "evaluado 1");
        QCOMPARE(tabla->model()->rowCount(), 2); // 1 and 10
        QTest::keyClicks(v.findChild<QLineEdit*>("TxtFiltro"), "0");
        QCOMPARE(columna(tabla, 1), QStringList{"Evaluado 10"});
    }

    void informesImpresionYExportes() {
        EntornoPrueba e;
        DialogosDePrueba d;
        De1& db = e.de1();
        const SesionPrueba s =
            guardarSesionPrueba(db, kTeclas, "12312", kDia, {"Íñigo Ñúñez Peña"});
        FrmResultados v(db, s.grupo, s.sesion);
        v.show();
        QVERIFY(QTest::qWaitForWindowExposed(&v));
        auto* tabla = v.findChild<QTableView*>("LvResultados");
        tabla->setCurrentIndex(tabla->model()->index(0, 1));

        int previas = 0;
        v.abrirModal = [&](QDialog& ventana) {
            auto* vista = qobject_cast<FrmVistaPrevia*>(&ventana);
            QVERIFY(vista);
            ++previas;
            vista->show();
            QVERIFY(vista->paginas() >= 1);
            if (previas == 1) {
                // Letter, then printed into a file and saved.
                vista->findChild<QComboBox*>("ComboPapel")->setCurrentIndex(1);
                QCOMPARE(vista->papel(), informes::Papel::Carta);
                d.siguienteImpresion(e.ruta("impreso.pdf"));
                clic(*vista, "CmdImprimir");
                d.siguienteGuardar(e.ruta("evaluado.pdf"));
                clic(*vista, "CmdGuardarPdf");
            } else {
                d.siguienteGuardar(e.ruta("grupo.pdf"));
                clic(*vista, "CmdGuardarPdf");
            }
            clic(*vista, "CmdCerrar");
        };
        clic(v, "CmdInformeEvaluado");
        QCOMPARE(d.propuestos.last(), QStringLiteral("Informe Íñigo Ñúñez Peña 1000.pdf"));
        QVERIFY(textoPdf(e.ruta("evaluado.pdf")).contains("Íñigo Ñúñez Peña"));
        QVERIFY(textoPdf(e.ruta("impreso.pdf")).contains("Íñigo Ñúñez Peña"));
        QCOMPARE(d.dialogosImpresion, 1);
        clic(v, "CmdInformeGrupo");
        QCOMPARE(previas, 2);
        QVERIFY(textoPdf(e.ruta("grupo.pdf")).contains("Aprobados: 5 de 10"));

        d.siguienteGuardar(e.ruta("r.csv"));
        clic(v, "CmdExportarCsv");
        QVERIFY(d.ultimo().startsWith("Se exportaron los resultados"));
        QVERIFY(QFile::exists(e.ruta("r.csv")));
        d.siguienteGuardar(e.ruta("r.xlsx"));
        clic(v, "CmdExportarExcel");
        QVERIFY(QFile(e.ruta("r.xlsx")).size() > 1000);
        d.siguienteGuardar(QString()); // cancelled: nothing written, nothing said
        d.limpiar();
        clic(v, "CmdExportarCsv");
        QVERIFY(d.mensajes.isEmpty());
    }

    void estadisticasConSuGrafico() {
        EntornoPrueba e;
        DialogosDePrueba d;
        De1& db = e.de1();
        const SesionPrueba a = guardarSesionPrueba(db, kTeclas, "12312", kDia.addDays(-3));
        const SesionPrueba b = guardarSesionPrueba(db, {"11111"}, "12312", kDia, {}, &a);
        FrmResultados v(db, a.grupo, a.sesion);
        bool abierta = false;
        v.abrirModal = [&](QDialog& ventana) {
            auto* est = qobject_cast<FrmEstadisticas*>(&ventana);
            QVERIFY(est);
            abierta = true;
            est->show();
            auto* tabla = est->findChild<QTableView*>("LvPreguntas");
            QCOMPARE(tabla->model()->rowCount(), 5);
            QCOMPARE(tabla->model()->index(4, 4).data().toString(), QStringLiteral("Nadie acertó"));
            QCOMPARE(tabla->model()->index(1, 3).data().toString(), QStringLiteral("1,00"));
            tabla->setCurrentIndex(tabla->model()->index(4, 0));
            QChart* grafico = est->findChild<QChartView*>("GraficoTeclas")->chart();
            QVERIFY(grafico->title().startsWith("Pregunta 5"));
            QCOMPARE(grafico->series().size(), 1);
            // Every examination of the exam in the period.
            QTest::mouseClick(est->findChild<QRadioButton*>("OptPeriodo"), Qt::LeftButton);
            clic(*est, "CmdCalcular");
            QCOMPARE(est->estadisticas().evaluados, 11);
            QVERIFY(est->findChild<QLabel*>("LblResumen")->text().startsWith("11 evaluados"));
        };
        v.show();
        clic(v, "CmdEstadisticas");
        QVERIFY(abierta);
        Q_UNUSED(b);
    }

    void desdeElMenuPrincipal() {
        EntornoPrueba e;
        DialogosDePrueba d;
        De1& db = e.de1();
        const SesionPrueba s = guardarSesionPrueba(db, {"123"}, "123", kDia);
        db.insertar("Grupos",
                    {{"NroCurso", "C-2"},
                     {"Responsable", Globales::ResponsableActual},
                     {"Descripcion", "Sin exámenes"}},
                    "CodigoGrupo");
        MenuPrincipal menu(db);
        QList<qint64> mostradas;
        menu.abrirModal = [&](QDialog& ventana) {
            auto* r = qobject_cast<FrmResultados*>(&ventana);
            QVERIFY(r);
            mostradas << r->examinacion()->sesion;
        };
        menu.show();
        clic(menu, "CmdResultados"); // the newest group has none
        QCOMPARE(d.ultimo(), QStringLiteral("El grupo no tiene exámenes registrados."));
        auto* grupos = menu.findChild<QAbstractItemView*>("LvGrupos");
        grupos->setCurrentIndex(grupos->model()->index(1, 0));
        clic(menu, "CmdResultados");
        QCOMPARE(mostradas, QList<qint64>{s.sesion});
    }
};

QTEST_MAIN(TestFrmResultados)
#include "tst_frmresultados.moc"
