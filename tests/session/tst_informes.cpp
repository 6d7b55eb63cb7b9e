// Reports and exports of a stored examination, read back by other programs:
// the PDFs with poppler's tools, the CSV with Python's csv module and the XLSX
// with openpyxl.
#include "EntornoPrueba.h"
#include "SesionGuardada.h"
#include "persons/AlmacenImagenes.h"
#include "session/ExportacionResultados.h"
#include "session/InformesExamen.h"
#include "session/ResultadosExamen.h"

#include <QDir>
#include <QFile>
#include <QImage>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QtTest>

namespace {

const QDate kDia(2026, 12, 6);
const QStringList kNombres = {"José Pérez Ñúñez", "María; \"la\" Güemes", "=Cmd Peligro"};

// A reader from Debian's packages: poppler's tools, or its own Python.
QString ejecutar(const QString& programa, const QStringList& argumentos) {
    QProcess p;
    p.start(programa, argumentos);
    if (!p.waitForFinished(60000) || p.exitStatus() != QProcess::NormalExit || p.exitCode() != 0) {
        qWarning().noquote() << programa << argumentos << p.readAllStandardError();
        return QString();
    }
    return QString::fromUtf8(p.readAllStandardOutput());
}

QString textoPdf(const QString& ruta) {
    return ejecutar(QStringLiteral("pdftotext"), {"-layout", ruta, "-"});
}

QString python(const QString& guion, const QStringList& argumentos) {
    // Debian's interpreter, where python3-openpyxl is installed.
    const QString py = QFile::exists("/usr/bin/python3") ? "/usr/bin/python3" : "python3";
    return ejecutar(py, QStringList{"-c", guion} + argumentos);
}

void guardarImagen(const QString& ruta, const QColor& color, const QSize& tam) {
    QImage img(tam, QImage::Format_RGB32);
    img.fill(color);
    QVERIFY(img.save(ruta, "JPG"));
}

} // namespace

class TestInformes : public QObject {
    Q_OBJECT

    std::unique_ptr<EntornoPrueba> e_;
    SesionPrueba s_;
    Examinacion x_;

private Q_SLOTS:
    void initTestCase() {
        e_ = std::make_unique<EntornoPrueba>();
        s_ = guardarSesionPrueba(e_->de1(), {"12312", "1 1  ", "33333"}, "12312", kDia, kNombres);
        x_ = *resultados::cargar(e_->de1(), s_.sesion);
        // The first examinee has a stored photograph and signature (their store's
        // file names carry no picture suffix).
        guardarImagen(almacen::rutaGuardada(almacen::TipoImagen::Foto, s_.personas.at(0)),
                      Qt::darkCyan, QSize(480, 640));
        guardarImagen(almacen::rutaGuardada(almacen::TipoImagen::Firma, s_.personas.at(0)),
                      Qt::white, QSize(600, 200));
    }
    void cleanupTestCase() { e_.reset(); }

    void informeDelGrupo() {
        auto doc = informes::informeGrupo(x_);
        for (const informes::Papel papel : {informes::Papel::A4, informes::Papel::Carta}) {
            const QString ruta = e_->ruta(QStringLiteral("grupo-%1.pdf").arg(int(papel)));
            QCOMPARE(doc->guardarPdf(ruta, papel, "Informe"), QString());
            const QString info = ejecutar("pdfinfo", {ruta});
            QVERIFY2(info.contains(papel == informes::Papel::A4 ? "(A4)" : "(letter)"),
                     qPrintable(info));
        }
        const QString t = textoPdf(e_->ruta("grupo-0.pdf"));
        for (const QString& esperado :
             {QStringLiteral("Teórico de conducción"), QStringLiteral("Mañana"),
              QStringLiteral("6 de diciembre de 2026"), QStringLiteral("Operadora Núñez"),
              QStringLiteral("José Pérez Ñúñez"), QStringLiteral("María; \"la\" Güemes"),
              QStringLiteral("Aprobado"), QStringLiteral("Reprobado"), QStringLiteral("100,00 %"),
              QStringLiteral("Aprobados: 1 de 3"), x_.evaluados.at(0).numeroCarpeta,
              x_.evaluados.at(2).numeroCarpeta})
            QVERIFY2(t.contains(esperado), qPrintable(esperado + "\n" + t));
    }

    void informesDeLosEvaluados() {
        auto uno = informes::informeEvaluados(e_->de1(), x_, {0});
        const QString ruta = e_->ruta("evaluado.pdf");
        QCOMPARE(uno->guardarPdf(ruta, informes::Papel::A4, "Informe"), QString());
        const QString t = textoPdf(ruta);
        for (const QString& esperado :
             {QStringLiteral("José Pérez Ñúñez"), QStringLiteral("Femenino"),
              QStringLiteral("17 de mayo de 1990 (36 años)"), QStringLiteral("Peñalolén"),
              QStringLiteral("Pregunta 5"), QStringLiteral("Firma del responsable"),
              QStringLiteral("Firma del evaluado"), QStringLiteral("Aprobado"),
              x_.evaluados.at(0).numeroCarpeta})
            QVERIFY2(t.contains(esperado), qPrintable(esperado + "\n" + t));
        QVERIFY(!t.contains("María"));
        // The photograph and the signature are embedded.
        const QStringList imagenes =
            ejecutar("pdfimages", {"-list", ruta}).split('\n', Qt::SkipEmptyParts);
        QCOMPARE(imagenes.size(), 2 + 2); // two heading lines

        // All of them: one after another, each from a new page; no photograph for
        // those who have none.
        auto todos = informes::informeEvaluados(e_->de1(), x_, {0, 1, 2});
        const QString rutaTodos = e_->ruta("todos.pdf");
        QCOMPARE(todos->guardarPdf(rutaTodos, informes::Papel::A4, "Informes"), QString());
        const QStringList paginas = textoPdf(rutaTodos).split('\f', Qt::SkipEmptyParts);
        QVERIFY(paginas.size() >= 3);
        QCOMPARE(paginas.filter("Informe de examen").size(), 3);
        QVERIFY(textoPdf(rutaTodos).contains("Sin fotografía"));
    }

    void csvComoLoAbreUnaPlanilla() {
        const QString ruta = e_->ruta("resultados.csv");
        QVERIFY(exportacion::guardarCsv(x_, ruta).hecho());
        QFile f(ruta);
        QVERIFY(f.open(QIODevice::ReadOnly));
        QVERIFY(f.read(3) == "\xEF\xBB\xBF"); // the mark a spreadsheet needs to read UTF-8
        const QString filas =
            python("import csv, json, sys\n"
                   "with open(sys.argv[1], encoding='utf-8-sig', newline='') as f:\n"
                   "    print(json.dumps(list(csv.reader(f, delimiter=';'))))\n",
                   {ruta});
        const QJsonArray t = QJsonDocument::fromJson(filas.toUtf8()).array();
        QCOMPARE(t.size(), 4);
        QCOMPARE(t.at(0).toArray().at(12).toString(), QStringLiteral("Pregunta 5"));
        const auto fila = [&](int k) {
            QStringList r;
            for (int c : {0, 1, 5, 6, 7, 9})
                r << t.at(k).toArray().at(c).toString();
            return r;
        };
        QCOMPARE(fila(1), QStringList({"3", kNombres[0], "100,00", "Aprobado",
                                       x_.evaluados.at(0).numeroCarpeta, "2"}));
        QCOMPARE(fila(2), QStringList({"4", kNombres[1], "20,00", "Reprobado",
                                       x_.evaluados.at(1).numeroCarpeta, ""})); // no key
        // Not taken for a formula.
        QCOMPARE(t.at(3).toArray().at(1).toString(), QStringLiteral("'=Cmd Peligro"));
    }

    void xlsxLeidoPorOtroPrograma() {
        FiltroEstadisticas f;
        f.sesion = x_.sesion;
        const EstadisticasItems est = resultados::estadisticas(e_->de1(), f);
        const QString ruta = e_->ruta("resultados.xlsx");
        QVERIFY(exportacion::guardarXlsx(x_, est, ruta).hecho());
        const QString salida = python(
            "import json, sys, openpyxl\n"
            "wb = openpyxl.load_workbook(sys.argv[1])\n"
            "r = {'hojas': wb.sheetnames}\n"
            "for h in wb.worksheets:\n"
            "    r[h.title] = {'fijo': h.freeze_panes, 'filas': h.max_row,\n"
            "        'celdas': [[c.value for c in fila] for fila in h.iter_rows(max_row=4)],\n"
            "        'formatos': [c.number_format for c in h[2]]}\n"
            "print(json.dumps(r, default=str))\n",
            {ruta});
        const QJsonObject r = QJsonDocument::fromJson(salida.toUtf8()).object();
        QVERIFY2(!r.isEmpty(), qPrintable(salida));
        QCOMPARE(r["hojas"].toArray().toVariantList(),
                 QVariantList({"Resultados", "Respuestas", "Estadísticas"}));
        // Each sheet: heading frozen, one row per examinee, answer or question.
        const QList<QPair<QString, int>> hojas = {
            {"Resultados", 1 + 3}, {"Respuestas", 1 + 3 * 5}, {"Estadísticas", 1 + 5}};
        for (const auto& [hoja, filas] : hojas) {
            QCOMPARE(r[hoja].toObject()["filas"].toInt(), filas);
            QCOMPARE(r[hoja].toObject()["fijo"].toString(), QStringLiteral("A2"));
        }
        const QJsonObject res = r["Resultados"].toObject();
        const QJsonArray jose = res["celdas"].toArray().at(1).toArray();
        QCOMPARE(jose.at(0).toInt(), 3);
        QCOMPARE(jose.at(1).toString(), kNombres[0]);
        QCOMPARE(jose.at(5).toDouble(), 1.0);
        QCOMPARE(res["formatos"].toArray().at(5).toString(), QStringLiteral("0.00%"));
        const QJsonArray primera = r["Respuestas"].toObject()["celdas"].toArray().at(1).toArray();
        QCOMPARE(primera.at(4).toString(), QStringLiteral("Pregunta 1"));
        QCOMPARE(primera.at(5).toInt(), 1);
        const QJsonArray p1 = r["Estadísticas"].toObject()["celdas"].toArray().at(1).toArray();
        QCOMPARE(p1.at(3).toInt(), 3);                       // examinees
        QCOMPARE(p1.at(4).toInt(), 2);                       // correct
        QVERIFY(qAbs(p1.at(5).toDouble() - 2.0 / 3) < 1e-9); // share
    }

    void archivosEnterosONada() {
        const QString ruta = e_->ruta("existente.xlsx");
        QFile previo(ruta);
        QVERIFY(previo.open(QIODevice::WriteOnly));
        previo.write("lo de antes");
        previo.close();
        int avisos = 0;
        const exportacion::Resultado r =
            exportacion::guardarXlsx(x_, {}, ruta, [&](qint64, qint64) { return ++avisos < 2; });
        QCOMPARE(r.estado, exportacion::Resultado::Estado::Cancelado);
        QVERIFY(previo.open(QIODevice::ReadOnly));
        QCOMPARE(previo.readAll(), QByteArray("lo de antes"));
        previo.close();
        QCOMPARE(QDir(e_->ruta(".")).entryList({"existente*"}, QDir::Files).size(), 1);

        const exportacion::Resultado malo =
            exportacion::guardarCsv(x_, e_->ruta("no/existe/r.csv"));
        QCOMPARE(malo.estado, exportacion::Resultado::Estado::Error);
        QVERIFY(malo.error.startsWith("No se pudo crear el archivo"));
        auto doc = informes::informeGrupo(x_);
        QVERIFY(!doc->guardarPdf(e_->ruta("no/existe/r.pdf"), informes::Papel::A4, "x").isEmpty());
    }
};

QTEST_MAIN(TestInformes)
#include "tst_informes.moc"
