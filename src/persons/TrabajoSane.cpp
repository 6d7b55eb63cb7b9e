#include "persons/TrabajoSane.h"

#include <QByteArray>
#include <QImage>
#include <cstring>

namespace {

QString textoSane(SANE_Status s) {
    return QString::fromLocal8Bit(sane_strstatus(s));
}

int muestra(const uchar* linea, int indice, int profundidad) {
    if (profundidad == 16) {
        quint16 v;
        std::memcpy(&v, linea + 2 * static_cast<qsizetype>(indice), sizeof v);
        return v >> 8;
    }
    if (profundidad == 1) // line art: a set bit is black
        return (linea[indice / 8] & (0x80 >> (indice % 8))) ? 0 : 255;
    return linea[indice];
}

int lineas(const CuadroSane& c) {
    const int bpl = c.parametros.bytes_per_line;
    return bpl > 0 ? static_cast<int>(c.datos.size() / bpl) : 0;
}

// The frames of one page as a picture; a null picture for a layout not handled.
QImage armar(const QList<CuadroSane>& cuadros) {
    if (cuadros.isEmpty())
        return QImage();
    const SANE_Parameters& p0 = cuadros.first().parametros;
    const int ancho = p0.pixels_per_line;
    int alto = lineas(cuadros.first());
    for (const CuadroSane& c : cuadros)
        alto = std::min(alto, lineas(c));
    if (ancho <= 0 || alto <= 0)
        return QImage();
    QImage img(ancho, alto, QImage::Format_RGB32);

    if (p0.format == SANE_FRAME_GRAY || p0.format == SANE_FRAME_RGB) {
        const int canales = p0.format == SANE_FRAME_RGB ? 3 : 1;
        if (canales == 3 && p0.depth == 1)
            return QImage();
        for (int y = 0; y < alto; ++y) {
            const auto* linea = reinterpret_cast<const uchar*>(cuadros.first().datos.constData()) +
                                static_cast<qsizetype>(y) * p0.bytes_per_line;
            auto* destino = reinterpret_cast<QRgb*>(img.scanLine(y));
            for (int x = 0; x < ancho; ++x) {
                if (canales == 1) {
                    const int g = muestra(linea, x, p0.depth);
                    destino[x] = qRgb(g, g, g);
                } else {
                    destino[x] =
                        qRgb(muestra(linea, 3 * x, p0.depth), muestra(linea, 3 * x + 1, p0.depth),
                             muestra(linea, 3 * x + 2, p0.depth));
                }
            }
        }
        return img;
    }

    // Three passes: one frame per colour, in any order.
    const CuadroSane* rgb[3] = {nullptr, nullptr, nullptr};
    for (const CuadroSane& c : cuadros) {
        if (c.parametros.format == SANE_FRAME_RED)
            rgb[0] = &c;
        else if (c.parametros.format == SANE_FRAME_GREEN)
            rgb[1] = &c;
        else if (c.parametros.format == SANE_FRAME_BLUE)
            rgb[2] = &c;
    }
    if (!rgb[0] || !rgb[1] || !rgb[2])
        return QImage();
    for (int y = 0; y < alto; ++y) {
        const uchar* lin[3];
        for (int k = 0; k < 3; ++k)
            lin[k] = reinterpret_cast<const uchar*>(rgb[k]->datos.constData()) +
                     static_cast<qsizetype>(y) * rgb[k]->parametros.bytes_per_line;
        auto* destino = reinterpret_cast<QRgb*>(img.scanLine(y));
        for (int x = 0; x < ancho; ++x)
            destino[x] = qRgb(muestra(lin[0], x, rgb[0]->parametros.depth),
                              muestra(lin[1], x, rgb[1]->parametros.depth),
                              muestra(lin[2], x, rgb[2]->parametros.depth));
    }
    return img;
}

} // namespace

TrabajoSane::TrabajoSane(std::shared_ptr<std::atomic<int>> cancelarHasta)
    : cancelarHasta_(std::move(cancelarHasta)) {}

void TrabajoSane::listar() {
    const QString error = iniciar();
    QList<DispositivoEscaner> lista;
    if (error.isEmpty()) {
        const SANE_Device** dispositivos = nullptr;
        const SANE_Status s = sane_get_devices(&dispositivos, SANE_FALSE);
        if (s != SANE_STATUS_GOOD) {
            Q_EMIT listados(
                {}, QStringLiteral("No se pudieron buscar los escáneres: %1").arg(textoSane(s)));
            return;
        }
        for (int i = 0; dispositivos && dispositivos[i]; ++i) {
            const SANE_Device* d = dispositivos[i];
            DispositivoEscaner e;
            e.nombre = QString::fromLocal8Bit(d->name);
            e.descripcion = QStringLiteral("%1 %2 (%3)")
                                .arg(QString::fromLocal8Bit(d->vendor),
                                     QString::fromLocal8Bit(d->model), e.nombre)
                                .simplified();
            lista.append(e);
        }
    }
    Q_EMIT listados(lista, error);
}

void TrabajoSane::adquirir(int pedido, const QString& nombre) {
    const QString error = iniciar();
    if (!error.isEmpty()) {
        Q_EMIT fallo(pedido, error);
        return;
    }
    SANE_Handle h = nullptr;
    const QByteArray nombre8 = nombre.toLocal8Bit();
    SANE_Status s = sane_open(nombre8.constData(), &h);
    if (s != SANE_STATUS_GOOD) {
        Q_EMIT fallo(
            pedido,
            QStringLiteral("No se pudo abrir el escáner \"%1\": %2").arg(nombre, textoSane(s)));
        return;
    }
    QList<CuadroSane> cuadros;
    s = leerPagina(pedido, h, cuadros);
    sane_cancel(h); // ends the page (or the aborted scan) before closing
    sane_close(h);
    if (s == SANE_STATUS_CANCELLED) {
        Q_EMIT cancelada(pedido);
        return;
    }
    if (s != SANE_STATUS_GOOD) {
        Q_EMIT fallo(
            pedido,
            QStringLiteral("El escáner \"%1\" no entregó la imagen: %2").arg(nombre, textoSane(s)));
        return;
    }
    const QImage img = armar(cuadros);
    if (img.isNull()) {
        Q_EMIT fallo(pedido, QStringLiteral("El escáner \"%1\" entregó la imagen en un formato que "
                                            "este programa no puede leer.")
                                 .arg(nombre));
        return;
    }
    Q_EMIT progreso(pedido, 100);
    Q_EMIT adquirida(pedido, img);
}

void TrabajoSane::cerrar() {
    if (iniciado_)
        sane_exit();
    iniciado_ = false;
}

QString TrabajoSane::iniciar() {
    if (iniciado_)
        return QString();
    SANE_Int version = 0;
    const SANE_Status s = sane_init(&version, nullptr);
    if (s != SANE_STATUS_GOOD)
        return QStringLiteral("No se pudo iniciar el acceso a los escáneres: %1").arg(textoSane(s));
    iniciado_ = true;
    return QString();
}

bool TrabajoSane::cancelado(int pedido) const {
    return pedido <= cancelarHasta_->load();
}

SANE_Status TrabajoSane::leerPagina(int pedido, SANE_Handle h, QList<CuadroSane>& cuadros) {
    QByteArray bufer(qsizetype{64} * 1024, Qt::Uninitialized);
    int ultimo = -2;
    for (;;) {
        if (cancelado(pedido))
            return SANE_STATUS_CANCELLED;
        SANE_Status s = sane_start(h);
        if (s != SANE_STATUS_GOOD)
            return s;
        CuadroSane c;
        s = sane_get_parameters(h, &c.parametros);
        if (s != SANE_STATUS_GOOD)
            return s;
        const bool tresPasadas =
            c.parametros.format != SANE_FRAME_GRAY && c.parametros.format != SANE_FRAME_RGB;
        const qint64 total = c.parametros.lines > 0 ? qint64(c.parametros.bytes_per_line) *
                                                          c.parametros.lines * (tresPasadas ? 3 : 1)
                                                    : 0;
        const qint64 previo = tresPasadas ? qint64(cuadros.size()) * total / 3 : 0;
        for (;;) {
            if (cancelado(pedido))
                return SANE_STATUS_CANCELLED;
            SANE_Int leidos = 0;
            s = sane_read(h, reinterpret_cast<SANE_Byte*>(bufer.data()),
                          static_cast<SANE_Int>(bufer.size()), &leidos);
            if (s == SANE_STATUS_EOF)
                break;
            if (s != SANE_STATUS_GOOD)
                return s;
            c.datos.append(bufer.constData(), leidos);
            const int pct = total > 0 ? static_cast<int>(std::min<qint64>(
                                            99, (previo + c.datos.size()) * 100 / total))
                                      : -1;
            if (pct != ultimo) {
                ultimo = pct;
                Q_EMIT progreso(pedido, pct);
            }
        }
        const bool ultimoCuadro = c.parametros.last_frame;
        cuadros.append(std::move(c));
        if (ultimoCuadro)
            return SANE_STATUS_GOOD;
    }
}
