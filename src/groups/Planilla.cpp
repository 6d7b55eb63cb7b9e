#include "groups/Planilla.h"

#include "app/Texto.h"

#include <QDate>
#include <QFile>
#include <QHash>
#include <QStringDecoder>
#include <QXmlStreamReader>
#include <cmath>
#include <unzip.h>

namespace planilla {

namespace {

const QString kDemasiadoGrande = QStringLiteral("El archivo es demasiado grande para importarlo.");

QString texto(const QByteArray& datos) {
    QByteArray b = datos;
    if (b.startsWith("\xEF\xBB\xBF"))
        b.remove(0, 3);
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString t = utf8.decode(b);
    // Older spreadsheets save Windows-1252 text.
    if (utf8.hasError())
        t = texto::desdeWindows1252(b);
    return t;
}

// The separator the header line uses most, outside quotes.
QChar separador(const QString& t) {
    int puntoYComa = 0, coma = 0, tab = 0;
    bool comillas = false;
    for (const QChar c : t) {
        if (c == u'"')
            comillas = !comillas;
        else if (!comillas && (c == u'\n' || c == u'\r'))
            break;
        else if (!comillas && c == u';')
            ++puntoYComa;
        else if (!comillas && c == u',')
            ++coma;
        else if (!comillas && c == u'\t')
            ++tab;
    }
    if (tab > puntoYComa && tab > coma)
        return u'\t';
    return coma > puntoYComa ? u',' : u';';
}

// A number of the sheet as the text a person would type: whole numbers without
// exponent or decimals (document numbers are often stored as numbers).
QString textoNumero(const QString& v) {
    bool ok = false;
    const double d = v.toDouble(&ok);
    if (!ok || !std::isfinite(d))
        return v;
    if (std::floor(d) == d && std::fabs(d) < 1e15)
        return QString::number(qint64(d));
    return QString::number(d, 'g', 15);
}

// "BC12" -> 54 (0-based column); -1 when the reference has no letters.
int columnaDeReferencia(QStringView ref) {
    int col = 0;
    int letras = 0;
    for (const QChar c : ref) {
        if (c >= u'A' && c <= u'Z')
            col = col * 26 + (c.unicode() - u'A' + 1);
        else if (c >= u'a' && c <= u'z')
            col = col * 26 + (c.unicode() - u'a' + 1);
        else
            break;
        if (++letras > 3)
            return -1;
    }
    return letras ? col - 1 : -1;
}

// The zip of an XLSX file, read with the same minizip the XLSX writer uses.
class Zip {
public:
    explicit Zip(const QString& ruta) : zip_(unzOpen64(QFile::encodeName(ruta).constData())) {}
    ~Zip() {
        if (zip_)
            unzClose(zip_);
    }
    Zip(const Zip&) = delete;
    Zip& operator=(const Zip&) = delete;

    bool abierto() const { return zip_ != nullptr; }
    // The part's bytes; nothing when it is missing, the reason when it cannot be read.
    std::variant<std::monostate, QByteArray, QString> parte(const QString& nombre) {
        const QString danada = QStringLiteral("El archivo está dañado (%1).").arg(nombre);
        // 2: names compared without regard to case.
        if (unzLocateFile(zip_, nombre.toUtf8().constData(), 2) != UNZ_OK)
            return std::monostate{};
        unz_file_info64 info{};
        if (unzGetCurrentFileInfo64(zip_, &info, nullptr, 0, nullptr, 0, nullptr, 0) != UNZ_OK)
            return danada;
        if (info.uncompressed_size > quint64(kMaximoBytes))
            return kDemasiadoGrande;
        if (unzOpenCurrentFile(zip_) != UNZ_OK)
            return danada;
        // The declared size may lie: read no more than the limit.
        QByteArray datos;
        char bloque[65536];
        int leidos = 0;
        while ((leidos = unzReadCurrentFile(zip_, bloque, sizeof bloque)) > 0) {
            datos.append(bloque, leidos);
            if (datos.size() > kMaximoBytes) {
                unzCloseCurrentFile(zip_);
                return kDemasiadoGrande;
            }
        }
        // Closing checks the part's CRC.
        if (unzCloseCurrentFile(zip_) != UNZ_OK || leidos < 0)
            return danada;
        return datos;
    }

private:
    unzFile zip_;
};

// The text of a shared string or inline string: every <t> inside, phonetic runs left out.
QString textoRico(QXmlStreamReader& x) {
    const QString cierre = x.name().toString();
    QString t;
    int fonetica = 0;
    while (!x.atEnd()) {
        x.readNext();
        if (x.isStartElement()) {
            if (x.name() == u"rPh")
                ++fonetica;
            else if (x.name() == u"t" && fonetica == 0)
                t += x.readElementText(QXmlStreamReader::IncludeChildElements);
        } else if (x.isEndElement()) {
            if (x.name() == u"rPh")
                --fonetica;
            else if (x.name() == cierre)
                break;
        }
    }
    return t;
}

} // namespace

QDate fechaSerial(double serie, bool desde1904) {
    if (!std::isfinite(serie) || serie < 1 || serie > 2958465)
        return QDate();
    const QDate base = desde1904 ? QDate(1904, 1, 1) : QDate(1899, 12, 30);
    return base.addDays(qint64(std::floor(serie)));
}

std::variant<Planilla, QString> leerCsv(const QByteArray& datos) {
    if (datos.size() > kMaximoBytes)
        return kDemasiadoGrande;
    const QString t = texto(datos);
    const QChar sep = separador(t);
    Planilla p;
    QStringList fila;
    QString celda;
    bool comillas = false;
    bool citada = false;
    const auto cerrarCelda = [&] {
        fila << (citada ? celda : celda.trimmed());
        celda.clear();
        citada = false;
    };
    const auto cerrarFila = [&] {
        cerrarCelda();
        if (fila.size() == 1 && fila.first().isEmpty())
            fila.clear();
        p.filas << fila;
        fila.clear();
    };
    for (qsizetype i = 0; i < t.size(); ++i) {
        const QChar c = t.at(i);
        if (comillas) {
            if (c == u'"') {
                if (i + 1 < t.size() && t.at(i + 1) == u'"') {
                    celda += u'"';
                    ++i;
                } else {
                    comillas = false;
                }
            } else {
                celda += c;
            }
            continue;
        }
        if (c == u'"' && celda.trimmed().isEmpty()) {
            comillas = true;
            citada = true;
            celda.clear();
        } else if (c == sep) {
            cerrarCelda();
            if (fila.size() > kMaximoColumnas)
                return QStringLiteral("El archivo tiene demasiadas columnas.");
        } else if (c == u'\n' || c == u'\r') {
            if (c == u'\r' && i + 1 < t.size() && t.at(i + 1) == u'\n')
                ++i;
            cerrarFila();
            if (p.filas.size() > kMaximoFilas)
                return QStringLiteral("El archivo tiene demasiadas filas.");
        } else {
            celda += c;
        }
    }
    if (!celda.isEmpty() || !fila.isEmpty())
        cerrarFila();
    return p;
}

std::variant<Planilla, QString> leerXlsx(const QString& ruta) {
    const QString danado = QStringLiteral("El archivo no es un libro de Excel válido.");
    Zip zip(ruta);
    if (!zip.abierto())
        return danado;
    const auto leerParte = [&zip](const QString& nombre, QByteArray& destino,
                                  bool obligatoria) -> std::optional<QString> {
        auto r = zip.parte(nombre);
        if (auto* error = std::get_if<QString>(&r))
            return *error;
        if (auto* datos = std::get_if<QByteArray>(&r)) {
            destino = std::move(*datos);
            return std::nullopt;
        }
        if (obligatoria)
            return QStringLiteral("El archivo no es un libro de Excel válido.");
        return std::nullopt;
    };

    Planilla p;
    // The first sheet: its relation id in the workbook, its part in the relations.
    QByteArray libro;
    if (auto e = leerParte(QStringLiteral("xl/workbook.xml"), libro, true))
        return *e;
    QString idHoja;
    {
        QXmlStreamReader x(libro);
        while (!x.atEnd() && x.readNext() != QXmlStreamReader::Invalid) {
            if (!x.isStartElement())
                continue;
            if (x.name() == u"workbookPr") {
                const QStringView v = x.attributes().value(QStringLiteral("date1904"));
                p.fechas1904 = v == u"1" || v == u"true";
            } else if (x.name() == u"sheet" && idHoja.isEmpty()) {
                for (const QXmlStreamAttribute& a : x.attributes())
                    if (a.name() == u"id")
                        idHoja = a.value().toString();
            }
        }
        if (x.hasError() || idHoja.isEmpty())
            return danado;
    }
    QByteArray relaciones;
    if (auto e = leerParte(QStringLiteral("xl/_rels/workbook.xml.rels"), relaciones, true))
        return *e;
    QString parteHoja;
    {
        QXmlStreamReader x(relaciones);
        while (!x.atEnd() && x.readNext() != QXmlStreamReader::Invalid)
            if (x.isStartElement() && x.name() == u"Relationship" &&
                x.attributes().value(QStringLiteral("Id")) == idHoja)
                parteHoja = x.attributes().value(QStringLiteral("Target")).toString();
        if (parteHoja.isEmpty())
            return danado;
        parteHoja =
            parteHoja.startsWith(u'/') ? parteHoja.mid(1) : QStringLiteral("xl/") + parteHoja;
    }
    QStringList compartidas;
    {
        QByteArray datos;
        if (auto e = leerParte(QStringLiteral("xl/sharedStrings.xml"), datos, false))
            return *e;
        // Sheets written with inline strings have no shared ones.
        QXmlStreamReader x(datos);
        while (!datos.isEmpty() && !x.atEnd() && x.readNext() != QXmlStreamReader::Invalid)
            if (x.isStartElement() && x.name() == u"si")
                compartidas << textoRico(x);
        if (!datos.isEmpty() && x.hasError())
            return danado;
    }
    QByteArray hoja;
    if (auto e = leerParte(parteHoja, hoja, true))
        return *e;

    QXmlStreamReader x(hoja);
    QStringList fila;
    int siguienteFila = 1;
    while (!x.atEnd() && x.readNext() != QXmlStreamReader::Invalid) {
        if (x.isStartElement() && x.name() == u"row") {
            // Rows without cells are left out of the file: keep the numbering.
            const int r = x.attributes().value(QStringLiteral("r")).toInt();
            while (r > siguienteFila && p.filas.size() <= kMaximoFilas) {
                p.filas << QStringList();
                ++siguienteFila;
            }
            fila.clear();
        } else if (x.isEndElement() && x.name() == u"row") {
            while (!fila.isEmpty() && fila.last().isEmpty())
                fila.removeLast();
            p.filas << fila;
            ++siguienteFila;
            if (p.filas.size() > kMaximoFilas)
                return QStringLiteral("El archivo tiene demasiadas filas.");
        } else if (x.isStartElement() && x.name() == u"c") {
            const QString tipo = x.attributes().value(QStringLiteral("t")).toString();
            int col = columnaDeReferencia(x.attributes().value(QStringLiteral("r")));
            if (col < 0)
                col = int(fila.size());
            QString valor;
            bool hayValor = false;
            while (!x.atEnd()) {
                x.readNext();
                if (x.isStartElement() && x.name() == u"v") {
                    valor = x.readElementText();
                    hayValor = true;
                } else if (x.isStartElement() && x.name() == u"is") {
                    valor = textoRico(x);
                    hayValor = true;
                } else if (x.isEndElement() && x.name() == u"c") {
                    break;
                }
            }
            if (!hayValor || col >= kMaximoColumnas)
                continue;
            QString celda;
            if (tipo == u"s") {
                const int i = valor.toInt();
                celda = i >= 0 && i < compartidas.size() ? compartidas.at(i) : QString();
            } else if (tipo == u"b") {
                celda = valor == u"1" ? QStringLiteral("Si") : QStringLiteral("No");
            } else if (tipo == u"str" || tipo == u"inlineStr" || tipo == u"e" || tipo == u"d") {
                celda = valor;
            } else {
                celda = textoNumero(valor);
            }
            while (fila.size() <= col)
                fila << QString();
            fila[col] = celda.trimmed();
        }
    }
    if (x.hasError())
        return danado;
    return p;
}

std::variant<Planilla, QString> leer(const QString& ruta) {
    QFile f(ruta);
    if (!f.open(QIODevice::ReadOnly))
        return QStringLiteral("No se pudo abrir el archivo %1:\n%2").arg(ruta, f.errorString());
    if (f.size() > kMaximoBytes)
        return kDemasiadoGrande;
    const QByteArray inicio = f.peek(4);
    if (inicio.startsWith("PK\x03\x04")) {
        f.close();
        return leerXlsx(ruta);
    }
    return leerCsv(f.readAll());
}

} // namespace planilla
