// The results window and what it opens, driven through real clicks: the table
// with its sorting, filter and summary; the preview, printing and saving of the
// reports; the exports; the item statistics; and how the main window and the
// session window reach it.
#include "Catalogo.h"
#include "DialogosDePrueba.h"
#include "EntornoPrueba.h"
#include "SesionGuardada.h"
#include "Ventanas.h"
#include "groups/ventanas/MenuPrincipal.h"
#include "groups/ventanas/NombresMenuPrincipal.h"
#include "session/ventanas/FrmEstadisticas.h"
#include "session/ventanas/FrmResultados.h"
#include "session/ventanas/FrmVistaPrevia.h"
#include "session/ventanas/NombresFrmEstadisticas.h"
#include "session/ventanas/NombresFrmResultados.h"
#include "session/ventanas/NombresFrmVistaPrevia.h"

#include <QChart>
#include <QChartView>
#include <QComboBox>
#include <QFile>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QProcess>
#include <QRadioButton>
#include <QTableView>

namespace r = nombres::frmResultados;
namespace vp = nombres::frmVistaPrevia;
namespace es = nombres::frmEstadisticas;

namespace {

const QDate kDia(2026, 12, 6);
const QStringList kTeclas = {"12313", "12313", "12113", "11313", "12 13",
                             "11113", "13213", "2 313", "11113", "    3"};

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
        guardarSesionPrueba(db, {"12312", "33333"}, "12312", kDia, {}, &a);

        FrmResultados v(db, a.grupo);
        v.show();
        QVERIFY(QTest::qWaitForWindowExposed(&v));
        QVERIFY(rotulosAccesibles(v));
        auto* combo = hijo<QComboBox>(v, r::kExaminaciones);
        QCOMPARE(combo->count(), 2); // newest first
        QVERIFY(combo->itemText(0).contains("Teórico de conducción (2 evaluados, 1 aprobados)"));
        auto* tabla = hijo<QTableView>(v, r::kResultados);
        auto* resumen = hijo<QLabel>(v, r::kResumen);
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

        QComboBox* veredicto = hijo<QComboBox>(v, r::kVeredicto);
        veredicto->setCurrentIndex(2);
        QCOMPARE(tabla->model()->rowCount(), 5);
        const QStringList veredictos = columna(tabla, 6);
        QCOMPARE(QSet<QString>(veredictos.cbegin(), veredictos.cend()), QSet<QString>{"Reprobado"});
        veredicto->setCurrentIndex(0);
        QTest::keyClicks(hijo<QLineEdit>(v, r::kFiltro), "evaluado 1");
        QCOMPARE(tabla->model()->rowCount(), 2); // 1 and 10
        QTest::keyClicks(hijo<QLineEdit>(v, r::kFiltro), "0");
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
        auto* tabla = hijo<QTableView>(v, r::kResultados);
        tabla->setCurrentIndex(tabla->model()->index(0, 1));

        int previas = 0;
        v.abrirModal = [&](QDialog& ventana) {
            auto* vista = qobject_cast<FrmVistaPrevia*>(&ventana);
            QVERIFY(vista);
            ++previas;
            vista->show();
            QVERIFY(rotulosAccesibles(*vista));
            QVERIFY(vista->paginas() >= 1);
            if (previas == 1) {
                // Letter, then printed into a file and saved.
                hijo<QComboBox>(vista, vp::kPapel)->setCurrentIndex(1);
                QCOMPARE(vista->papel(), informes::Papel::Carta);
                d.siguienteImpresion(e.ruta("impreso.pdf"));
                pulsar(*vista, vp::kImprimir);
                d.siguienteGuardar(e.ruta("evaluado.pdf"));
                pulsar(*vista, vp::kGuardarPdf);
            } else {
                d.siguienteGuardar(e.ruta("grupo.pdf"));
                pulsar(*vista, vp::kGuardarPdf);
            }
            pulsar(*vista, vp::kCerrar);
        };
        pulsar(v, r::kInformeEvaluado);
        QCOMPARE(d.propuestos.last(), QStringLiteral("Informe Íñigo Ñúñez Peña 1000.pdf"));
        QVERIFY(textoPdf(e.ruta("evaluado.pdf")).contains("Íñigo Ñúñez Peña"));
        QVERIFY(textoPdf(e.ruta("impreso.pdf")).contains("Íñigo Ñúñez Peña"));
        QCOMPARE(d.dialogosImpresion, 1);
        pulsar(v, r::kInformeGrupo);
        QCOMPARE(previas, 2);
        QVERIFY(textoPdf(e.ruta("grupo.pdf")).contains("Aprobados: 5 de 10"));

        d.siguienteGuardar(e.ruta("r.csv"));
        pulsar(v, r::kExportarCsv);
        QVERIFY(d.ultimo().startsWith("Se exportaron los resultados"));
        QVERIFY(QFile::exists(e.ruta("r.csv")));
        d.siguienteGuardar(e.ruta("r.xlsx"));
        pulsar(v, r::kExportarExcel);
        QVERIFY(QFile::exists(e.ruta("r.xlsx")));
        d.siguienteGuardar(QString()); // cancelled: nothing written, nothing said
        d.limpiar();
        pulsar(v, r::kExportarCsv);
        QVERIFY(d.mensajes.isEmpty());
    }

    void estadisticasConSuGrafico() {
        EntornoPrueba e;
        DialogosDePrueba d;
        De1& db = e.de1();
        const SesionPrueba a = guardarSesionPrueba(db, kTeclas, "12312", kDia.addDays(-3));
        guardarSesionPrueba(db, {"11111"}, "12312", kDia, {}, &a);
        FrmResultados v(db, a.grupo, a.sesion);
        bool abierta = false;
        v.abrirModal = [&](QDialog& ventana) {
            auto* est = qobject_cast<FrmEstadisticas*>(&ventana);
            QVERIFY(est);
            abierta = true;
            est->show();
            QVERIFY(rotulosAccesibles(*est));
            auto* tabla = hijo<QTableView>(est, es::kPreguntas);
            QCOMPARE(tabla->model()->rowCount(), 5);
            QCOMPARE(tabla->model()->index(4, 4).data().toString(), QStringLiteral("Nadie acertó"));
            QCOMPARE(tabla->model()->index(1, 3).data().toString(), QStringLiteral("1,00"));
            tabla->setCurrentIndex(tabla->model()->index(4, 0));
            QChart* grafico = hijo<QChartView>(est, es::kGrafico)->chart();
            QVERIFY(grafico->title().startsWith("Pregunta 5"));
            QCOMPARE(grafico->series().size(), 1);
            // Every examination of the exam in the period.
            QTest::mouseClick(hijo<QRadioButton>(est, es::kPeriodo), Qt::LeftButton);
            pulsar(*est, es::kCalcular);
            QCOMPARE(est->estadisticas().evaluados, 11);
            QVERIFY(hijo<QLabel>(est, es::kResumen)->text().startsWith("11 evaluados"));
        };
        v.show();
        pulsar(v, r::kEstadisticas);
        QVERIFY(abierta);
    }

    void desdeElMenuPrincipal() {
        EntornoPrueba e;
        DialogosDePrueba d;
        De1& db = e.de1();
        const SesionPrueba s = guardarSesionPrueba(db, {"123"}, "123", kDia);
        catalogo::grupo(db, "C-2", "Sin exámenes", s.responsable, kDia.addDays(1));
        MenuPrincipal menu(db, s.responsable);
        QList<qint64> mostradas;
        menu.abrirModal = [&](QDialog& ventana) {
            auto* r = qobject_cast<FrmResultados*>(&ventana);
            QVERIFY(r);
            mostradas << r->examinacion()->sesion;
        };
        menu.show();
        pulsar(menu, nombres::menuPrincipal::kResultados); // the newest group has none
        QCOMPARE(d.ultimo(), QStringLiteral("El grupo no tiene exámenes registrados."));
        auto* grupos = hijo<QAbstractItemView>(menu, nombres::menuPrincipal::kGrupos);
        grupos->setCurrentIndex(grupos->model()->index(1, 0));
        pulsar(menu, nombres::menuPrincipal::kResultados);
        QCOMPARE(mostradas, QList<qint64>{s.sesion});
    }
};

QTEST_MAIN(TestFrmResultados)
#include "tst_frmresultados.moc"
