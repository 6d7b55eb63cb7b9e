#include "session/InformesExamen.h"

#include "data/De1.h"
#include "groups/Grupo.h"
#include "persons/AlmacenImagenes.h"
#include "persons/DatosPersona.h"
#include "persons/RepositorioPersonas.h"
#include "session/Calificacion.h"
#include "session/ResultadosExamen.h"

#include <QFileInfo>
#include <QFontMetricsF>
#include <QHash>
#include <QImageReader>
#include <QPainter>
#include <QPdfWriter>
#include <QSaveFile>
#include <functional>

namespace informes {

// Lays text, data, tables and images out down the pages of a paged device, in
// the device's pixels (sizes given in points). Run once without drawing to count
// the pages, then again to draw them.
class Compositor {
public:
    enum class Alineacion { Izquierda, Derecha };
    struct Columna {
        QString titulo;
        qreal ancho; // share of the page's width
        Alineacion alineacion = Alineacion::Izquierda;
    };
    // A cell's look: plain, bold or in a colour (the verdicts).
    struct Celda {
        QString texto;
        QColor color = Qt::black;
        bool negrita = false;
    };

    Compositor(QPagedPaintDevice& dispositivo, QPainter* pintor, int paginas)
        : dispositivo_(dispositivo), p_(pintor), paginas_(paginas),
          escala_(dispositivo.logicalDpiY() / 72.0), ancho_(dispositivo.width()),
          alto_(dispositivo.height() - pt(kPie)) {
        normal_ = fuente(9);
        if (p_)
            p_->setFont(normal_);
    }

    int pagina() const { return pagina_; }

    void titulo(const QString& texto) {
        QFont f = fuente(15, true);
        parrafo(texto, f, pt(4));
    }
    void subtitulo(const QString& texto) {
        espacio(6);
        QFont f = fuente(11, true);
        asegurar(alto(f, texto, ancho_) + pt(40)); // never alone at the foot of a page
        parrafo(texto, f, pt(3));
    }
    void texto(const QString& t, bool negrita = false) { parrafo(t, fuente(9, negrita), pt(2)); }
    void espacio(qreal puntos) { y_ += pt(puntos); }

    // "Rótulo: valor" lines from the left edge `x` (pixels), the labels in bold.
    // Returns the height used.
    qreal datos(const QList<std::pair<QString, QString>>& filas, qreal x = 0) {
        const QFont negrita = fuente(9, true);
        qreal rotulos = 0;
        for (const auto& [r, v] : filas)
            rotulos = std::max(rotulos, metricas(negrita).horizontalAdvance(r));
        rotulos += pt(8);
        const qreal inicio = y_;
        for (const auto& [r, v] : filas) {
            const qreal h =
                std::max(alto(normal_, v, ancho_ - x - rotulos), alto(negrita, r, rotulos));
            asegurar(h);
            dibujar(negrita, QRectF(x, y_, rotulos, h), Qt::AlignLeft, r);
            dibujar(normal_, QRectF(x + rotulos, y_, ancho_ - x - rotulos, h), Qt::AlignLeft, v);
            y_ += h + pt(1);
        }
        return y_ - inicio;
    }

    // An image at the left edge, at most `lado` points each way; the text beside
    // it starts at the returned x.
    qreal imagen(const QImage& img, QSizeF lado) {
        const QSizeF t =
            QSizeF(img.size())
                .scaled(QSizeF(pt(lado.width()), pt(lado.height())), Qt::KeepAspectRatio);
        asegurar(t.height());
        if (p_ && !img.isNull())
            p_->drawImage(QRectF(QPointF(0, y_), t), img);
        return t.width() + pt(10);
    }
    // Moves below a block that stood beside an image.
    void bajarA(qreal y) { y_ = std::max(y_, y); }
    qreal y() const { return y_; }

    void tabla(const QList<Columna>& columnas, const QList<QList<Celda>>& filas) {
        const QFont cabecera = fuente(7.5, true);
        const QFont cuerpo = fuente(8);
        const QFont cuerpoNegrita = fuente(8, true);
        const qreal relleno = pt(3);
        QList<qreal> anchos;
        qreal total = 0;
        for (const Columna& c : columnas)
            total += c.ancho;
        for (const Columna& c : columnas)
            anchos << ancho_ * c.ancho / total;
        const auto altoCabecera = [&] {
            qreal h = 0;
            for (int i = 0; i < columnas.size(); ++i)
                h = std::max(h, alto(cabecera, columnas.at(i).titulo, anchos.at(i) - 2 * relleno));
            return h + 2 * relleno;
        };
        const qreal hCabecera = altoCabecera();
        const auto dibujarCabecera = [&] {
            if (p_)
                p_->fillRect(QRectF(0, y_, ancho_, hCabecera), QColor(0xD9, 0xE2, 0xEF));
            qreal x = 0;
            for (int i = 0; i < columnas.size(); ++i) {
                dibujar(cabecera,
                        QRectF(x + relleno, y_ + relleno, anchos.at(i) - 2 * relleno,
                               hCabecera - 2 * relleno),
                        alineacion(columnas.at(i).alineacion), columnas.at(i).titulo);
                x += anchos.at(i);
            }
            y_ += hCabecera;
        };
        asegurar(hCabecera * 2);
        dibujarCabecera();
        for (const QList<Celda>& fila : filas) {
            qreal h = 0;
            for (int i = 0; i < columnas.size() && i < fila.size(); ++i)
                h = std::max(h, alto(fila.at(i).negrita ? cuerpoNegrita : cuerpo, fila.at(i).texto,
                                     anchos.at(i) - 2 * relleno));
            h += 2 * relleno;
            if (y_ + h > alto_) {
                nuevaPagina();
                dibujarCabecera();
            }
            qreal x = 0;
            for (int i = 0; i < columnas.size() && i < fila.size(); ++i) {
                const Celda& c = fila.at(i);
                dibujar(c.negrita ? cuerpoNegrita : cuerpo,
                        QRectF(x + relleno, y_ + relleno, anchos.at(i) - 2 * relleno, h),
                        alineacion(columnas.at(i).alineacion), c.texto, c.color);
                x += anchos.at(i);
            }
            y_ += h;
            if (p_) {
                p_->setPen(QPen(QColor(0xC0, 0xC0, 0xC0), 0));
                p_->drawLine(QPointF(0, y_), QPointF(ancho_, y_));
            }
        }
    }

    // Two signature lines side by side, kept together.
    void firmas() {
        const qreal h = pt(60);
        asegurar(h);
        y_ += pt(36);
        const qreal linea = ancho_ * 0.4;
        for (int i = 0; i < 2; ++i) {
            const qreal x = i == 0 ? ancho_ * 0.05 : ancho_ * 0.55;
            if (p_) {
                p_->setPen(QPen(Qt::black, pt(0.6)));
                p_->drawLine(QPointF(x, y_), QPointF(x + linea, y_));
            }
            dibujar(normal_, QRectF(x, y_ + pt(2), linea, pt(14)), Qt::AlignHCenter,
                    i == 0 ? QStringLiteral("Firma del evaluado")
                           : QStringLiteral("Firma del responsable"));
        }
        y_ += h - pt(36);
    }

    void nuevaPagina() {
        pie();
        if (p_)
            dispositivo_.newPage();
        ++pagina_;
        y_ = 0;
    }
    // Room for `h` pixels on this page, else a new one.
    void asegurar(qreal h) {
        if (y_ > 0 && y_ + h > alto_)
            nuevaPagina();
    }
    void terminar() { pie(); }

    qreal pt(qreal puntos) const { return puntos * escala_; }

private:
    static constexpr qreal kPie = 20; // points kept at the foot for the page number

    QFont fuente(qreal puntos, bool negrita = false) const {
        QFont f(QStringLiteral("DejaVu Sans"));
        f.setStyleHint(QFont::SansSerif);
        f.setPointSizeF(puntos);
        f.setBold(negrita);
        return f;
    }
    static Qt::Alignment alineacion(Alineacion a) {
        return a == Alineacion::Derecha ? Qt::AlignRight : Qt::AlignLeft;
    }
    const QFontMetricsF& metricas(const QFont& f) const {
        const QString clave = f.key();
        auto it = metricas_.find(clave);
        if (it == metricas_.end())
            it = metricas_.emplace(clave, QFontMetricsF(f, &dispositivo_));
        return *it;
    }
    qreal alto(const QFont& f, const QString& t, qreal ancho) const {
        const QFontMetricsF& m = metricas(f);
        // Most cells fit on one line: measured without wrapping, which is quicker.
        if (t.isEmpty() || (!t.contains(u'\n') && m.horizontalAdvance(t) <= ancho))
            return m.height();
        return m.boundingRect(QRectF(0, 0, std::max<qreal>(ancho, 1), 1e9), Qt::TextWordWrap, t)
            .height();
    }
    void dibujar(const QFont& f, const QRectF& r, Qt::Alignment a, const QString& t,
                 const QColor& color = Qt::black) {
        if (!p_ || t.isEmpty())
            return;
        p_->setFont(f);
        p_->setPen(color);
        p_->drawText(r, int(a | Qt::AlignTop | Qt::TextWordWrap), t);
    }
    void parrafo(const QString& t, const QFont& f, qreal despues) {
        const qreal h = alto(f, t, ancho_);
        asegurar(h);
        dibujar(f, QRectF(0, y_, ancho_, h), Qt::AlignLeft, t);
        y_ += h + despues;
    }
    void pie() {
        if (!p_)
            return;
        dibujar(fuente(7.5), QRectF(0, alto_, ancho_, pt(kPie)), Qt::AlignRight,
                QStringLiteral("Página %1 de %2").arg(pagina_).arg(paginas_),
                QColor(0x70, 0x70, 0x70));
    }

    QPagedPaintDevice& dispositivo_;
    QPainter* p_;
    int paginas_;
    qreal escala_;
    qreal ancho_;
    qreal alto_;
    QFont normal_;
    mutable QHash<QString, QFontMetricsF> metricas_;
    qreal y_ = 0;
    int pagina_ = 1;
};

namespace {

constexpr qreal kMargenMm = 12;
// Images are read at most this large (pixels); a report of 54 photographs stays
// small and quick.
constexpr int kLadoFoto = 360;
constexpr int kAnchoFirma = 480;

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

// The sex as the report spells it out.
QString textoSexo(const QString& s) {
    if (s == u"M")
        return QStringLiteral("Masculino");
    if (s == u"F")
        return QStringLiteral("Femenino");
    return s;
}

using Celda = Compositor::Celda;
using Columna = Compositor::Columna;
using Al = Compositor::Alineacion;

QList<std::pair<QString, QString>> datosExaminacion(const Examinacion& x) {
    return {
        {QStringLiteral("Examen:"), x.descripcionExamen.isEmpty()
                                        ? QStringLiteral("Examen %1").arg(x.examen)
                                        : x.descripcionExamen},
        {QStringLiteral("Grupo:"),
         x.descripcionGrupo.isEmpty() ? QStringLiteral("—") : x.descripcionGrupo},
        {QStringLiteral("Fecha:"), resultados::textoFechaHora(x.fecha)},
        {QStringLiteral("Responsable:"),
         x.nombreResponsable.isEmpty()
             ? (x.responsable ? QString::number(x.responsable) : QStringLiteral("—"))
             : x.nombreResponsable},
    };
}

Celda veredicto(const EvaluadoRegistrado& ev) {
    return {ev.resultado, ev.aprobado() ? QColor(0x1B, 0x6B, 0x1B) : QColor(0xA1, 0x1A, 0x1A),
            true};
}

class InformeGrupo : public Informe {
public:
    explicit InformeGrupo(const Examinacion& x) : x_(x) {}

protected:
    void componer(Compositor& c) const override {
        c.titulo(QStringLiteral("Informe de examen del grupo"));
        c.datos(datosExaminacion(x_));
        c.subtitulo(QStringLiteral("Resultados"));
        QList<QList<Celda>> filas;
        for (const EvaluadoRegistrado& ev : x_.evaluados)
            filas.append({{textoControl(ev.remoto)},
                          {ev.nombre},
                          {ev.documento},
                          {QString::number(ev.correctas)},
                          {QString::number(ev.incorrectas)},
                          {resultados::textoPorcentaje(ev.porcentaje())},
                          veredicto(ev),
                          {ev.numeroCarpeta}});
        c.tabla({{QStringLiteral("Control"), 8, Al::Derecha},
                 {QStringLiteral("Nombre"), 28},
                 {QStringLiteral("Documento"), 11},
                 {QStringLiteral("Correctas"), 9, Al::Derecha},
                 {QStringLiteral("Incorrectas"), 10, Al::Derecha},
                 {QStringLiteral("Porcentaje"), 10, Al::Derecha},
                 {QStringLiteral("Resultado"), 11},
                 {QStringLiteral("Carpeta"), 13}},
                filas);
        const int total = int(x_.evaluados.size());
        const int aprobados = x_.aprobados();
        c.espacio(6);
        c.texto(QStringLiteral("Aprobados: %1 de %2 (%3)")
                    .arg(aprobados)
                    .arg(total)
                    .arg(resultados::textoPorcentaje(total ? 100.0 * aprobados / total : 0.0)),
                true);
    }

private:
    Examinacion x_;
};

struct ReporteEvaluado {
    EvaluadoRegistrado evaluado;
    FichaPersona datos;
    QImage foto;
    QImage firma;
};

class InformeEvaluados : public Informe {
public:
    InformeEvaluados(const Examinacion& x, QList<ReporteEvaluado> evaluados)
        : x_(x), evaluados_(std::move(evaluados)) {}

protected:
    void componer(Compositor& c) const override {
        bool primero = true;
        for (const ReporteEvaluado& r : evaluados_) {
            if (!primero)
                c.nuevaPagina();
            primero = false;
            uno(c, r);
        }
    }

private:
    void uno(Compositor& c, const ReporteEvaluado& r) const {
        const EvaluadoRegistrado& ev = r.evaluado;
        c.titulo(QStringLiteral("Informe de examen"));
        const qreal arriba = c.y();
        qreal x = 0;
        if (!r.foto.isNull())
            x = c.imagen(r.foto, QSizeF(85, 105));
        const qreal bajoFoto = c.y() + (r.foto.isNull() ? 0 : c.pt(105));
        QList<std::pair<QString, QString>> datos = {
            {QStringLiteral("Apellidos y nombres:"), ev.nombre},
            {QStringLiteral("Documento:"), r.datos.tipoDocumento.isEmpty()
                                               ? ev.documento
                                               : r.datos.tipoDocumento + u' ' + ev.documento}};
        if (!r.datos.sexo.isEmpty())
            datos.append({QStringLiteral("Sexo:"), textoSexo(r.datos.sexo)});
        if (r.datos.nacimiento.isValid()) {
            QString nacimiento = resultados::textoFecha(r.datos.nacimiento);
            if (const std::optional<int> anos = persona::edad(r.datos.nacimiento, x_.fecha.date()))
                nacimiento += QStringLiteral(" (%1 años)").arg(*anos);
            datos.append({QStringLiteral("Fecha de nacimiento:"), nacimiento});
        }
        for (const auto& [rotulo, valor] :
             {std::pair{QStringLiteral("Domicilio:"), r.datos.domicilio},
              std::pair{QStringLiteral("Ciudad:"), r.datos.ciudad},
              std::pair{QStringLiteral("Teléfono:"), r.datos.telefono}})
            if (!valor.isEmpty())
                datos.append({rotulo, valor});
        datos.append({QStringLiteral("Control:"), textoControl(ev.remoto)});
        if (!ev.numeroCarpeta.isEmpty())
            datos.append({QStringLiteral("Carpeta:"), ev.numeroCarpeta});
        if (r.foto.isNull())
            datos.prepend({QStringLiteral("Fotografía:"), QStringLiteral("Sin fotografía")});
        // The data stand beside the photograph, from its top.
        c.bajarA(arriba);
        const qreal y0 = c.y();
        const qreal usado = c.datos(datos, x);
        c.bajarA(std::max(y0 + usado, bajoFoto));

        c.subtitulo(QStringLiteral("Examen"));
        c.datos(datosExaminacion(x_));
        c.subtitulo(QStringLiteral("Resultado"));
        QList<std::pair<QString, QString>> resultado = {
            {QStringLiteral("Correctas:"), QString::number(ev.correctas)},
            {QStringLiteral("Incorrectas:"), QString::number(ev.incorrectas)},
            {QStringLiteral("Porcentaje:"), resultados::textoPorcentaje(ev.porcentaje())},
            {QStringLiteral("Resultado:"), ev.resultado}};
        c.datos(resultado);

        c.subtitulo(QStringLiteral("Respuestas"));
        QList<QList<Celda>> filas;
        for (const PreguntaRegistrada& p : x_.preguntas) {
            const QString dada = ev.tecla(p.orden);
            const bool bien = ValorTecla(dada) == p.correcta;
            filas.append({{QString::number(p.orden)},
                          {p.texto},
                          {resultados::textoTecla(dada)},
                          {p.correcta ? QString::number(p.correcta) : QStringLiteral("—")},
                          {bien ? QStringLiteral("Bien") : QStringLiteral("Mal"),
                           bien ? QColor(0x1B, 0x6B, 0x1B) : QColor(0xA1, 0x1A, 0x1A)}});
        }
        c.tabla({{QStringLiteral("N.º"), 6, Al::Derecha},
                 {QStringLiteral("Pregunta"), 62},
                 {QStringLiteral("Respuesta dada"), 12, Al::Derecha},
                 {QStringLiteral("Respuesta correcta"), 12, Al::Derecha},
                 {QString(), 8}},
                filas);
        if (!r.firma.isNull()) {
            c.espacio(8);
            c.texto(QStringLiteral("Firma registrada:"), true);
            c.imagen(r.firma, QSizeF(160, 55));
            c.espacio(60);
        }
        c.firmas();
    }

    Examinacion x_;
    QList<ReporteEvaluado> evaluados_;
};

} // namespace

QPageSize tamanoPagina(Papel papel) {
    return QPageSize(papel == Papel::Carta ? QPageSize::Letter : QPageSize::A4);
}

QString nombrePapel(Papel papel) {
    return papel == Papel::Carta ? QStringLiteral("Carta") : QStringLiteral("A4");
}

void Informe::imprimir(QPagedPaintDevice& dispositivo) const {
    dispositivo.setPageMargins(QMarginsF(kMargenMm, kMargenMm, kMargenMm, kMargenMm),
                               QPageLayout::Millimeter);
    // First without drawing, to know how many pages there are.
    Compositor conteo(dispositivo, nullptr, 0);
    componer(conteo);
    QPainter p(&dispositivo);
    Compositor c(dispositivo, &p, conteo.pagina());
    componer(c);
    c.terminar();
}

bool Informe::escribirPdf(QIODevice& destino, Papel papel, const QString& titulo) const {
    if (!destino.isWritable())
        return false;
    QPdfWriter pdf(&destino);
    pdf.setPageSize(tamanoPagina(papel));
    pdf.setResolution(300);
    pdf.setTitle(titulo);
    pdf.setCreator(QStringLiteral("Tavelmo"));
    imprimir(pdf);
    return true;
}

QString Informe::guardarPdf(const QString& ruta, Papel papel, const QString& titulo) const {
    QSaveFile archivo(ruta);
    if (!archivo.open(QIODevice::WriteOnly))
        return QStringLiteral("No se pudo crear el archivo %1:\n%2")
            .arg(ruta, archivo.errorString());
    escribirPdf(archivo, papel, titulo);
    if (!archivo.commit())
        return QStringLiteral("No se pudo escribir el archivo %1:\n%2")
            .arg(ruta, archivo.errorString());
    return QString();
}

std::unique_ptr<Informe> informeGrupo(const Examinacion& x) {
    return std::make_unique<InformeGrupo>(x);
}

std::unique_ptr<Informe> informeEvaluados(De1& de1, const Examinacion& x,
                                          const QList<int>& indices) {
    RepositorioPersonas personas(de1);
    QList<ReporteEvaluado> lista;
    for (int i : indices) {
        if (i < 0 || i >= x.evaluados.size())
            continue;
        ReporteEvaluado r;
        r.evaluado = x.evaluados.at(i);
        // A person deleted since keeps what the record holds: his name and document.
        r.datos = personas.ficha(r.evaluado.persona).value_or(FichaPersona{});
        const qint32 codigo = r.evaluado.persona;
        const QString foto = almacen::rutaGuardada(almacen::TipoImagen::Foto, codigo);
        const QString firma = almacen::rutaGuardada(almacen::TipoImagen::Firma, codigo);
        if (codigo && QFileInfo(foto).isFile())
            r.foto = leerEscalada(foto, QSize(kLadoFoto, kLadoFoto));
        if (codigo && QFileInfo(firma).isFile())
            r.firma = leerEscalada(firma, QSize(kAnchoFirma, kAnchoFirma));
        lista.append(std::move(r));
    }
    return std::make_unique<InformeEvaluados>(x, std::move(lista));
}

} // namespace informes
