#include "session/ExportacionResultados.h"

#include "groups/Grupo.h"
#include "session/Calificacion.h"
#include "session/ResultadosExamen.h"

#include <QFile>
#include <QSaveFile>
#include <QStringList>
#include <QTemporaryDir>
#include <xlsxwriter.h>

namespace exportacion {

namespace {

constexpr qint64 kFilasPorAviso = 200;

// Asks the caller every few rows whether to go on.
class Avance {
public:
    Avance(const Progreso& p, qint64 total) : progreso_(p), total_(total) {}
    bool seguir(qint64 filas = 1) {
        hecho_ += filas;
        if (!progreso_ || (hecho_ - ultimo_ < kFilasPorAviso && hecho_ < total_))
            return true;
        ultimo_ = hecho_;
        return progreso_(hecho_, total_);
    }
    bool empezar() { return !progreso_ || progreso_(0, total_); }

private:
    const Progreso& progreso_;
    qint64 total_;
    qint64 hecho_ = 0;
    qint64 ultimo_ = 0;
};

Resultado cancelado() {
    return {Resultado::Estado::Cancelado, {}};
}

Resultado error(const QString& texto) {
    return {Resultado::Estado::Error, texto};
}

QStringList encabezadoResultados() {
    return {QStringLiteral("Control"),     QStringLiteral("Nombre"),
            QStringLiteral("Documento"),   QStringLiteral("Correctas"),
            QStringLiteral("Incorrectas"), QStringLiteral("Porcentaje"),
            QStringLiteral("Resultado"),   QStringLiteral("Carpeta")};
}

Resultado escribirAtomico(const QString& ruta, const QByteArray& datos) {
    QSaveFile archivo(ruta);
    if (!archivo.open(QIODevice::WriteOnly))
        return error(
            QStringLiteral("No se pudo crear el archivo %1:\n%2").arg(ruta, archivo.errorString()));
    if (archivo.write(datos) != datos.size() || !archivo.commit())
        return error(QStringLiteral("No se pudo escribir el archivo %1:\n%2")
                         .arg(ruta, archivo.errorString()));
    return {};
}

// libxlsxwriter takes UTF-8 text that must outlive the call.
class Xlsx {
public:
    explicit Xlsx(const QString& ruta) {
        libro_ = workbook_new(QFile::encodeName(ruta).constData());
        if (!libro_)
            return;
        negrita_ = workbook_add_format(libro_);
        format_set_bold(negrita_);
        format_set_bg_color(negrita_, 0xD9E2EF);
        porcentaje_ = workbook_add_format(libro_);
        format_set_num_format(porcentaje_, "0.00%");
        decimal_ = workbook_add_format(libro_);
        format_set_num_format(decimal_, "0.00");
        entero_ = workbook_add_format(libro_);
        format_set_num_format(entero_, "0");
    }
    ~Xlsx() {
        if (libro_)
            workbook_close(libro_);
    }
    Xlsx(const Xlsx&) = delete;
    Xlsx& operator=(const Xlsx&) = delete;

    bool valido() const { return libro_ != nullptr; }
    lxw_workbook* libro() { return libro_; }

    lxw_worksheet* hoja(const QString& nombre, const QStringList& encabezado) {
        lxw_worksheet* h = workbook_add_worksheet(libro_, QByteArray(nombre.toUtf8()).constData());
        for (qsizetype c = 0; c < encabezado.size(); ++c)
            texto(h, 0, int(c), encabezado.at(c), negrita_);
        worksheet_freeze_panes(h, 1, 0);
        return h;
    }
    void texto(lxw_worksheet* h, int fila, int col, const QString& t, lxw_format* f = nullptr) {
        if (t.isEmpty())
            return;
        worksheet_write_string(h, lxw_row_t(fila), lxw_col_t(col), t.toUtf8().constData(), f);
    }
    void numero(lxw_worksheet* h, int fila, int col, double v, lxw_format* f) {
        worksheet_write_number(h, lxw_row_t(fila), lxw_col_t(col), v, f);
    }
    // A key: its digit as a number, anything else as text, nothing when none.
    void tecla(lxw_worksheet* h, int fila, int col, const QString& t) {
        const int v = ValorTecla(t);
        if (v > 0 || t == QStringLiteral("0"))
            numero(h, fila, col, v, entero_);
        else
            texto(h, fila, col, t);
    }
    void propiedades(const Examinacion& x) {
        titulo_ = QStringLiteral("Resultados de %1").arg(x.descripcionExamen).toUtf8();
        asunto_ = x.descripcionGrupo.toUtf8();
        autor_ = x.nombreResponsable.toUtf8();
        comentario_ = resultados::textoFechaHora(x.fecha).toUtf8();
        lxw_doc_properties p{};
        p.title = titulo_.data();
        p.subject = asunto_.data();
        p.author = autor_.data();
        p.comments = comentario_.data();
        workbook_set_properties(libro_, &p);
    }
    lxw_error cerrar() {
        const lxw_error r = workbook_close(libro_);
        libro_ = nullptr;
        return r;
    }

    lxw_format* negrita_ = nullptr;
    lxw_format* porcentaje_ = nullptr;
    lxw_format* decimal_ = nullptr;
    lxw_format* entero_ = nullptr;

private:
    lxw_workbook* libro_ = nullptr;
    QByteArray titulo_, asunto_, autor_, comentario_;
};

} // namespace

QString celdaCsv(const QString& texto) {
    QString t = texto;
    // A leading =, +, - or @ would be run as a formula by the spreadsheet.
    if (!t.isEmpty() && QStringLiteral("=+-@").contains(t.at(0)))
        t.prepend(u'\'');
    if (t.contains(u';') || t.contains(u'"') || t.contains(u'\n') || t.contains(u'\r') ||
        t != t.trimmed()) {
        t.replace(QStringLiteral("\""), QStringLiteral("\"\""));
        t = u'"' + t + u'"';
    }
    return t;
}

QByteArray csv(const Examinacion& x) {
    QStringList encabezado = encabezadoResultados();
    for (const PreguntaRegistrada& p : x.preguntas)
        encabezado << QStringLiteral("Pregunta %1").arg(p.orden);
    QString texto = encabezado.join(u';') + QStringLiteral("\r\n");
    for (const EvaluadoRegistrado& ev : x.evaluados) {
        QStringList celdas = {
            ev.remoto ? QString::number(ev.remoto) : QString(),
            celdaCsv(ev.nombre),
            celdaCsv(ev.documento),
            QString::number(ev.correctas),
            QString::number(ev.incorrectas),
            resultados::textoDecimal(ev.porcentaje()),
            celdaCsv(ev.resultado),
            celdaCsv(ev.numeroCarpeta),
        };
        for (const PreguntaRegistrada& p : x.preguntas)
            celdas << celdaCsv(ev.tecla(p.orden));
        texto += celdas.join(u';') + QStringLiteral("\r\n");
    }
    return QByteArrayLiteral("\xEF\xBB\xBF") + texto.toUtf8();
}

Resultado guardarCsv(const Examinacion& x, const QString& ruta, const Progreso& progreso) {
    Avance avance(progreso, 1);
    if (!avance.empezar())
        return cancelado();
    const QByteArray datos = csv(x);
    if (!avance.seguir())
        return cancelado();
    return escribirAtomico(ruta, datos);
}

Resultado guardarXlsx(const Examinacion& x, const EstadisticasItems& est, const QString& ruta,
                      const Progreso& progreso) {
    const qint64 total =
        x.evaluados.size() * (1 + qint64(x.preguntas.size())) + est.preguntas.size() + 1;
    Avance avance(progreso, total);
    if (!avance.empezar())
        return cancelado();
    // libxlsxwriter writes a file by name: it is built aside and copied whole.
    QTemporaryDir carpeta;
    if (!carpeta.isValid())
        return error(QStringLiteral("No se pudo crear una carpeta temporal:\n%1")
                         .arg(carpeta.errorString()));
    const QString temporal = carpeta.filePath(QStringLiteral("resultados.xlsx"));
    {
        Xlsx libro(temporal);
        if (!libro.valido())
            return error(QStringLiteral("No se pudo preparar el libro de cálculo."));
        libro.propiedades(x);

        lxw_worksheet* r = libro.hoja(QStringLiteral("Resultados"), encabezadoResultados());
        worksheet_set_column(r, 0, 0, 10, nullptr);
        worksheet_set_column(r, 1, 1, 36, nullptr);
        worksheet_set_column(r, 2, 2, 14, nullptr);
        worksheet_set_column(r, 3, 6, 12, nullptr);
        worksheet_set_column(r, 7, 7, 14, nullptr);
        int fila = 1;
        for (const EvaluadoRegistrado& ev : x.evaluados) {
            if (ev.remoto)
                libro.numero(r, fila, 0, ev.remoto, libro.entero_);
            else
                libro.texto(r, fila, 0, kNoAsignado);
            libro.texto(r, fila, 1, ev.nombre);
            libro.texto(r, fila, 2, ev.documento);
            libro.numero(r, fila, 3, ev.correctas, libro.entero_);
            libro.numero(r, fila, 4, ev.incorrectas, libro.entero_);
            libro.numero(r, fila, 5, ev.porcentaje() / 100.0, libro.porcentaje_);
            libro.texto(r, fila, 6, ev.resultado);
            libro.texto(r, fila, 7, ev.numeroCarpeta);
            ++fila;
            if (!avance.seguir())
                return cancelado();
        }

        lxw_worksheet* a =
            libro.hoja(QStringLiteral("Respuestas"),
                       {QStringLiteral("Control"), QStringLiteral("Nombre"),
                        QStringLiteral("Documento"), QStringLiteral("Pregunta"),
                        QStringLiteral("Texto de la pregunta"), QStringLiteral("Respuesta dada"),
                        QStringLiteral("Respuesta correcta"), QStringLiteral("Acierto")});
        worksheet_set_column(a, 1, 1, 30, nullptr);
        worksheet_set_column(a, 2, 2, 14, nullptr);
        worksheet_set_column(a, 4, 4, 50, nullptr);
        worksheet_set_column(a, 5, 7, 16, nullptr);
        fila = 1;
        for (const EvaluadoRegistrado& ev : x.evaluados) {
            for (const PreguntaRegistrada& p : x.preguntas) {
                if (ev.remoto)
                    libro.numero(a, fila, 0, ev.remoto, libro.entero_);
                libro.texto(a, fila, 1, ev.nombre);
                libro.texto(a, fila, 2, ev.documento);
                libro.numero(a, fila, 3, p.orden, libro.entero_);
                libro.texto(a, fila, 4, p.texto);
                const QString dada = ev.tecla(p.orden);
                libro.tecla(a, fila, 5, dada);
                if (p.correcta)
                    libro.numero(a, fila, 6, p.correcta, libro.entero_);
                libro.numero(a, fila, 7, ValorTecla(dada) == p.correcta ? 1 : 0, libro.entero_);
                ++fila;
            }
            if (!avance.seguir(qint64(x.preguntas.size())))
                return cancelado();
        }

        int teclas = 0;
        for (const EstadisticaPregunta& p : est.preguntas)
            teclas = std::max(teclas, p.opciones);
        QStringList encabezado = {QStringLiteral("Pregunta"),
                                  QStringLiteral("Texto de la pregunta"),
                                  QStringLiteral("Respuesta correcta"),
                                  QStringLiteral("Evaluados"),
                                  QStringLiteral("Aciertos"),
                                  QStringLiteral("% de aciertos"),
                                  QStringLiteral("Índice de discriminación"),
                                  QStringLiteral("Sin respuesta")};
        for (int t = 1; t <= teclas; ++t)
            encabezado << QStringLiteral("Tecla %1").arg(t);
        encabezado << QStringLiteral("Otras teclas") << QStringLiteral("Observación");
        lxw_worksheet* s = libro.hoja(QStringLiteral("Estadísticas"), encabezado);
        worksheet_set_column(s, 1, 1, 50, nullptr);
        worksheet_set_column(s, 2, 7, 14, nullptr);
        fila = 1;
        for (const EstadisticaPregunta& p : est.preguntas) {
            libro.numero(s, fila, 0, p.orden, libro.entero_);
            libro.texto(s, fila, 1, p.texto);
            if (p.correcta)
                libro.numero(s, fila, 2, p.correcta, libro.entero_);
            libro.numero(s, fila, 3, p.evaluados, libro.entero_);
            libro.numero(s, fila, 4, p.aciertos, libro.entero_);
            libro.numero(s, fila, 5, p.proporcion(), libro.porcentaje_);
            if (const auto d = est.discriminacion(p))
                libro.numero(s, fila, 6, *d, libro.decimal_);
            libro.numero(s, fila, 7, p.teclas.value(QString()), libro.entero_);
            int otras = 0;
            for (auto it = p.teclas.cbegin(); it != p.teclas.cend(); ++it) {
                const int v = ValorTecla(it.key());
                if (it.key().isEmpty())
                    continue;
                if (v >= 1 && v <= teclas)
                    continue;
                otras += it.value();
            }
            for (int t = 1; t <= teclas; ++t)
                libro.numero(s, fila, 7 + t, p.teclas.value(QString::number(t)), libro.entero_);
            libro.numero(s, fila, 8 + teclas, otras, libro.entero_);
            libro.texto(s, fila, 9 + teclas,
                        p.nadieAcerto()      ? QStringLiteral("Nadie acertó")
                        : p.todosAcertaron() ? QStringLiteral("Todos acertaron")
                                             : QString());
            ++fila;
            if (!avance.seguir())
                return cancelado();
        }
        const lxw_error r2 = libro.cerrar();
        if (r2 != LXW_NO_ERROR)
            return error(QStringLiteral("No se pudo escribir el libro de cálculo: %1")
                             .arg(QString::fromUtf8(lxw_strerror(r2))));
    }
    QFile hecho(temporal);
    if (!hecho.open(QIODevice::ReadOnly))
        return error(QStringLiteral("No se pudo leer el libro de cálculo preparado:\n%1")
                         .arg(hecho.errorString()));
    const QByteArray datos = hecho.readAll();
    if (!avance.seguir())
        return cancelado();
    return escribirAtomico(ruta, datos);
}

} // namespace exportacion
