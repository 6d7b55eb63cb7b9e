#include "session/InformesExamen.h"

#include "app/Texto.h"
#include "data/De1.h"
#include "persons/AlmacenImagenes.h"
#include "persons/DatosPersona.h"
#include "session/Calificacion.h"
#include "session/ResultadosExamen.h"

#include <QAbstractTextDocumentLayout>
#include <QBuffer>
#include <QFileInfo>
#include <QHash>
#include <QImageReader>
#include <QPainter>
#include <QPdfWriter>
#include <QSaveFile>
#include <QSqlQuery>
#include <QTextCursor>
#include <QUrl>
#include <cmath>

namespace informes {

namespace {

constexpr qreal kMargenMm = 12;
constexpr qreal kPieMm = 7;
// The resolution reports are laid out at (image sizes are given in its pixels).
constexpr qreal kDpiDocumento = 96;

QPaintDevice& dispositivoDocumento() {
    static QImage dispositivo = [] {
        QImage i(1, 1, QImage::Format_RGB32);
        const int puntosPorMetro = int(std::lround(kDpiDocumento / 0.0254));
        i.setDotsPerMeterX(puntosPorMetro);
        i.setDotsPerMeterY(puntosPorMetro);
        return i;
    }();
    return dispositivo;
}

// Images are drawn this large at most (points of the page); reading them
// scaled keeps a report of 54 photographs small and quick.
constexpr int kLadoFoto = 220;
constexpr int kAnchoFirma = 320;

QString e(const QString& t) {
    return t.toHtmlEscaped();
}

const QString kEstilo =
    QStringLiteral("body { font-family: 'DejaVu Sans', sans-serif; font-size: 9pt; }"
                   "h1 { font-size: 15pt; margin-bottom: 2pt; }"
                   "h2 { font-size: 11pt; margin-top: 8pt; margin-bottom: 4pt; }"
                   "table.datos td { padding: 1pt 6pt 1pt 0pt; }"
                   "table.lista { border-collapse: collapse; }"
                   "table.lista th { background-color: #d9e2ef; text-align: left; font-size: 7pt; }"
                   "table.lista td { border-bottom: 1px solid #c0c0c0; font-size: 8pt; }"
                   "td.num { text-align: right; white-space: nowrap; }"
                   "td.fijo { white-space: nowrap; }"
                   ".aprobado { color: #1b6b1b; font-weight: bold; }"
                   ".reprobado { color: #a11a1a; font-weight: bold; }");

QString claseVeredicto(const EvaluadoRegistrado& ev) {
    return ev.aprobado() ? QStringLiteral("aprobado") : QStringLiteral("reprobado");
}

// A list table's start: its headings with the share of the width each takes
// (the layout would otherwise give every column the same room).
QString encabezado(const QList<std::pair<QString, int>>& columnas) {
    QString h = QStringLiteral(
        "<table class=\"lista\" width=\"100%\" cellspacing=\"0\" cellpadding=\"4\"><tr>");
    for (const auto& [titulo, ancho] : columnas)
        h += QStringLiteral("<th width=\"%1%\">%2</th>").arg(ancho).arg(e(titulo));
    return h + QStringLiteral("</tr>");
}

// How a column's cells are set: numbers to the right, codes on one line, text
// wrapped in the room left.
enum class Celda { Texto, Fija, Numero };

QString fila(const QStringList& celdas, const QList<Celda>& clases) {
    QString f = QStringLiteral("<tr>");
    for (qsizetype i = 0; i < celdas.size(); ++i) {
        const Celda c = i < clases.size() ? clases.at(i) : Celda::Texto;
        f += (c == Celda::Numero ? QStringLiteral("<td class=\"num\">")
              : c == Celda::Fija ? QStringLiteral("<td class=\"fijo\">")
                                 : QStringLiteral("<td>")) +
             celdas.at(i) + QStringLiteral("</td>");
    }
    return f + QStringLiteral("</tr>");
}

QString cabeceraExaminacion(const Examinacion& x) {
    QString h = QStringLiteral("<table class=\"datos\">");
    const auto dato = [&h](const QString& rotulo, const QString& valor) {
        h += QStringLiteral("<tr><td><b>%1</b></td><td>%2</td></tr>").arg(e(rotulo), e(valor));
    };
    dato(QStringLiteral("Examen:"), x.descripcionExamen.isEmpty()
                                        ? QStringLiteral("Examen %1").arg(x.examen)
                                        : x.descripcionExamen);
    if (!x.descripcionGrupo.isEmpty())
        dato(QStringLiteral("Grupo:"), x.descripcionGrupo);
    dato(QStringLiteral("Fecha:"), resultados::textoFechaHora(x.fecha));
    dato(QStringLiteral("Responsable:"),
         x.nombreResponsable.isEmpty()
             ? (x.responsable ? QString::number(x.responsable) : QStringLiteral("—"))
             : x.nombreResponsable);
    return h + QStringLiteral("</table>");
}

// The document's images are read once each, scaled while reading.
QImage leerEscalada(const QString& ruta, const QSize& maximo) {
    QImageReader lector(ruta);
    lector.setAutoTransform(true);
    lector.setDecideFormatFromContent(true); // stored images carry no picture suffix
    const QSize tam = lector.size();
    if (tam.isValid() && (tam.width() > maximo.width() || tam.height() > maximo.height()))
        lector.setScaledSize(tam.scaled(maximo, Qt::KeepAspectRatio));
    return lector.read();
}

struct DatosPersonales {
    QString tipoDocumento;
    QString sexo;
    QDate nacimiento;
    QString domicilio;
    QString ciudad;
    QString telefono;
};

QHash<qint32, DatosPersonales> leerPersonas(De1& de1, const QList<qint32>& codigos) {
    QHash<qint32, DatosPersonales> r;
    for (qint32 codigo : codigos) {
        if (r.contains(codigo))
            continue;
        QSqlQuery q = de1.ejecutar(
            QStringLiteral("SELECT d.DescripcionDocumento, p.Sexo, p.FechaNac, p.Domicilio, "
                           "p.Ciudad, p.Telefono FROM Personas p LEFT JOIN Documentos d "
                           "ON d.CodigoDocumento = p.TipoDocumento WHERE p.CodigoPersona = ?"),
            {codigo});
        if (!q.next())
            continue;
        DatosPersonales dp;
        dp.tipoDocumento = q.value(0).toString();
        const QString s = q.value(1).toString();
        dp.sexo = s == QStringLiteral("M")   ? QStringLiteral("Masculino")
                  : s == QStringLiteral("F") ? QStringLiteral("Femenino")
                                             : s;
        dp.nacimiento = Dialecto::leerFecha(q.value(2));
        dp.domicilio = q.value(3).toString();
        dp.ciudad = q.value(4).toString();
        dp.telefono = q.value(5).toString();
        r.insert(codigo, dp);
    }
    return r;
}

QString lineaFirmas() {
    return QStringLiteral(
        "<table width=\"100%\" style=\"margin-top: 36pt\"><tr>"
        "<td width=\"45%\" align=\"center\">______________________________<br/>Firma del "
        "evaluado</td><td width=\"10%\"></td>"
        "<td width=\"45%\" align=\"center\">______________________________<br/>Firma del "
        "responsable</td></tr></table>");
}

} // namespace

QPageSize tamanoPagina(Papel papel) {
    return QPageSize(papel == Papel::Carta ? QPageSize::Letter : QPageSize::A4);
}

QString nombrePapel(Papel papel) {
    return papel == Papel::Carta ? QStringLiteral("Carta") : QStringLiteral("A4");
}

std::unique_ptr<QTextDocument> documentoGrupo(const Examinacion& x) {
    QString h = QStringLiteral("<html><head><style>%1</style></head><body>").arg(kEstilo);
    h += QStringLiteral("<h1>Informe de examen del grupo</h1>");
    h += cabeceraExaminacion(x);
    h += QStringLiteral("<h2>Resultados</h2>") + encabezado({{QStringLiteral("Control"), 7},
                                                             {QStringLiteral("Nombre"), 29},
                                                             {QStringLiteral("Documento"), 11},
                                                             {QStringLiteral("Correctas"), 9},
                                                             {QStringLiteral("Incorrectas"), 10},
                                                             {QStringLiteral("Porcentaje"), 10},
                                                             {QStringLiteral("Resultado"), 11},
                                                             {QStringLiteral("Carpeta"), 13}});
    using C = Celda;
    const QList<Celda> clases = {C::Numero, C::Texto,  C::Fija, C::Numero,
                                 C::Numero, C::Numero, C::Fija, C::Fija};
    for (const EvaluadoRegistrado& ev : x.evaluados)
        h += fila({e(resultados::textoControl(ev.remoto)), e(ev.nombre), e(ev.documento),
                   QString::number(ev.correctas), QString::number(ev.incorrectas),
                   e(resultados::textoPorcentaje(ev.porcentaje())),
                   QStringLiteral("<span class=\"%1\">%2</span>")
                       .arg(claseVeredicto(ev), e(ev.resultado)),
                   e(ev.numeroCarpeta)},
                  clases);
    h += QStringLiteral("</table>");
    const int total = int(x.evaluados.size());
    const int aprobados = x.aprobados();
    h += QStringLiteral("<p><b>Aprobados:</b> %1 de %2 (%3)</p>")
             .arg(aprobados)
             .arg(total)
             .arg(e(resultados::textoPorcentaje(total ? 100.0 * aprobados / total : 0.0)));
    h += QStringLiteral("</body></html>");
    auto doc = std::make_unique<QTextDocument>();
    doc->setHtml(h);
    return doc;
}

std::unique_ptr<QTextDocument> documentoEvaluados(De1& de1, const Examinacion& x,
                                                  const QList<int>& indices) {
    QList<qint32> codigos;
    for (int i : indices)
        if (i >= 0 && i < x.evaluados.size())
            codigos << x.evaluados.at(i).persona;
    const QHash<qint32, DatosPersonales> personas = leerPersonas(de1, codigos);

    auto doc = std::make_unique<QTextDocument>();
    QString h = QStringLiteral("<html><head><style>%1</style></head><body>").arg(kEstilo);
    bool primero = true;
    for (int i : indices) {
        if (i < 0 || i >= x.evaluados.size())
            continue;
        const EvaluadoRegistrado& ev = x.evaluados.at(i);
        h += primero ? QStringLiteral("<div>")
                     : QStringLiteral("<div style=\"page-break-before: always\">");
        primero = false;
        h += QStringLiteral("<h1>Informe de examen</h1>");

        // Photograph beside the personal data.
        const QString rutaFoto = almacen::rutaGuardada(almacen::TipoImagen::Foto, ev.persona);
        QString foto = QStringLiteral("Sin fotografía");
        if (ev.persona && QFileInfo(rutaFoto).isFile()) {
            const QImage img = leerEscalada(rutaFoto, QSize(kLadoFoto, kLadoFoto));
            if (!img.isNull()) {
                const QString url = QStringLiteral("foto:%1").arg(ev.persona);
                doc->addResource(QTextDocument::ImageResource, QUrl(url), img);
                const QSize t = img.size().scaled(QSize(110, 130), Qt::KeepAspectRatio);
                foto = QStringLiteral("<img src=\"%1\" width=\"%2\" height=\"%3\"/>")
                           .arg(url)
                           .arg(t.width())
                           .arg(t.height());
            }
        }
        const DatosPersonales dp = personas.value(ev.persona);
        QString datos = QStringLiteral("<table class=\"datos\">");
        const auto dato = [&datos](const QString& rotulo, const QString& valor) {
            if (!valor.isEmpty())
                datos += QStringLiteral("<tr><td><b>%1</b></td><td>%2</td></tr>")
                             .arg(e(rotulo), e(valor));
        };
        dato(QStringLiteral("Apellidos y nombres:"), ev.nombre);
        dato(QStringLiteral("Documento:"),
             dp.tipoDocumento.isEmpty() ? ev.documento : dp.tipoDocumento + u' ' + ev.documento);
        dato(QStringLiteral("Sexo:"), dp.sexo);
        if (dp.nacimiento.isValid())
            dato(
                QStringLiteral("Fecha de nacimiento:"),
                resultados::textoFecha(dp.nacimiento) +
                    QStringLiteral(" (%1 años)").arg(persona::edad(dp.nacimiento, x.fecha.date())));
        dato(QStringLiteral("Domicilio:"), dp.domicilio);
        dato(QStringLiteral("Ciudad:"), dp.ciudad);
        dato(QStringLiteral("Teléfono:"), dp.telefono);
        dato(QStringLiteral("Control:"), resultados::textoControl(ev.remoto));
        dato(QStringLiteral("Carpeta:"), ev.numeroCarpeta);
        datos += QStringLiteral("</table>");
        h += QStringLiteral("<table width=\"100%\"><tr><td width=\"120\" valign=\"top\">%1</td>"
                            "<td valign=\"top\">%2</td></tr></table>")
                 .arg(foto, datos);

        h += QStringLiteral("<h2>Examen</h2>") + cabeceraExaminacion(x);
        h += QStringLiteral("<h2>Resultado</h2><p>Correctas: <b>%1</b> &nbsp; Incorrectas: "
                            "<b>%2</b> &nbsp; Porcentaje: <b>%3</b> &nbsp; Resultado: "
                            "<span class=\"%4\">%5</span>%6</p>")
                 .arg(ev.correctas)
                 .arg(ev.incorrectas)
                 .arg(e(resultados::textoPorcentaje(ev.porcentaje())), claseVeredicto(ev),
                      e(ev.resultado),
                      ev.numeroCarpeta.isEmpty()
                          ? QString()
                          : QStringLiteral(" &nbsp; Carpeta: <b>%1</b>").arg(e(ev.numeroCarpeta)));

        h += QStringLiteral("<h2>Respuestas</h2>") +
             encabezado({{QStringLiteral("N.º"), 6},
                         {QStringLiteral("Pregunta"), 60},
                         {QStringLiteral("Respuesta dada"), 13},
                         {QStringLiteral("Respuesta correcta"), 13},
                         {QString(), 8}});
        for (const PreguntaRegistrada& p : x.preguntas) {
            const QString dada = ev.tecla(p.orden);
            const bool bien = ValorTecla(dada) == p.correcta;
            h += fila({QString::number(p.orden), e(p.texto), e(resultados::textoTecla(dada)),
                       p.correcta ? QString::number(p.correcta) : QStringLiteral("—"),
                       bien ? QStringLiteral("Bien") : QStringLiteral("Mal")},
                      {Celda::Numero, Celda::Texto, Celda::Numero, Celda::Numero, Celda::Fija});
        }
        h += QStringLiteral("</table>");

        const QString rutaFirma = almacen::rutaGuardada(almacen::TipoImagen::Firma, ev.persona);
        if (ev.persona && QFileInfo(rutaFirma).isFile()) {
            const QImage img = leerEscalada(rutaFirma, QSize(kAnchoFirma, kAnchoFirma));
            if (!img.isNull()) {
                const QString url = QStringLiteral("firma:%1").arg(ev.persona);
                doc->addResource(QTextDocument::ImageResource, QUrl(url), img);
                const QSize t = img.size().scaled(QSize(160, 60), Qt::KeepAspectRatio);
                h += QStringLiteral("<p><b>Firma registrada:</b><br/><img src=\"%1\" "
                                    "width=\"%2\" height=\"%3\"/></p>")
                         .arg(url)
                         .arg(t.width())
                         .arg(t.height());
            }
        }
        h += lineaFirmas() + QStringLiteral("</div>");
    }
    h += QStringLiteral("</body></html>");
    doc->setHtml(h);
    return doc;
}

void imprimir(QTextDocument& documento, QPagedPaintDevice& dispositivo) {
    dispositivo.setPageMargins(QMarginsF(kMargenMm, kMargenMm, kMargenMm, kMargenMm),
                               QPageLayout::Millimeter);
    // The document is laid out at its own resolution on pages as large as the
    // device's printable area less the foot, and each page is drawn scaled.
    documento.documentLayout()->setPaintDevice(&dispositivoDocumento());
    documento.setDocumentMargin(0);
    const qreal escalaX = qreal(dispositivo.logicalDpiX()) / kDpiDocumento;
    const qreal escalaY = qreal(dispositivo.logicalDpiY()) / kDpiDocumento;
    const qreal pie = kPieMm / 25.4 * kDpiDocumento;
    const QSizeF pagina(dispositivo.width() / escalaX, dispositivo.height() / escalaY - pie);
    documento.setPageSize(pagina);
    const int paginas = documento.pageCount();

    QPainter p(&dispositivo);
    QFont letraPie(QStringLiteral("DejaVu Sans"));
    letraPie.setPointSizeF(7.5);
    for (int i = 0; i < paginas; ++i) {
        if (i > 0)
            dispositivo.newPage();
        p.save();
        p.scale(escalaX, escalaY);
        p.translate(0, -i * pagina.height());
        documento.drawContents(&p, QRectF(QPointF(0, i * pagina.height()), pagina));
        p.restore();
        p.save();
        p.setFont(letraPie);
        p.setPen(Qt::darkGray);
        p.drawText(
            QRectF(0, dispositivo.height() - pie * escalaY, dispositivo.width(), pie * escalaY),
            Qt::AlignRight | Qt::AlignBottom,
            QStringLiteral("Página %1 de %2").arg(i + 1).arg(paginas));
        p.restore();
    }
    p.end();
    documento.documentLayout()->setPaintDevice(nullptr);
}

bool escribirPdf(QTextDocument& documento, QIODevice& destino, Papel papel, const QString& titulo) {
    if (!destino.isWritable())
        return false;
    QPdfWriter pdf(&destino);
    pdf.setPageSize(tamanoPagina(papel));
    pdf.setResolution(300);
    pdf.setTitle(titulo);
    pdf.setCreator(QStringLiteral("Tavelmo"));
    imprimir(documento, pdf);
    return true;
}

QString guardarPdf(QTextDocument& documento, const QString& ruta, Papel papel,
                   const QString& titulo) {
    QSaveFile archivo(ruta);
    if (!archivo.open(QIODevice::WriteOnly))
        return QStringLiteral("No se pudo crear el archivo %1:\n%2")
            .arg(ruta, archivo.errorString());
    escribirPdf(documento, archivo, papel, titulo);
    if (!archivo.commit())
        return QStringLiteral("No se pudo escribir el archivo %1:\n%2")
            .arg(ruta, archivo.errorString());
    return QString();
}

} // namespace informes
