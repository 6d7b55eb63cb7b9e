#include "persons/LectorFprint.h"

#include <QAbstractEventDispatcher>
#include <QPointer>
#include <QStringList>
#include <QThread>
#include <QTimer>
#include <cstring>

#include <fprint.h>

struct LectorFprint::Estado {
    enum class Fase { Libre, Abriendo, Capturando, Cerrando };

    FpContext* contexto = nullptr;
    FpDevice* dispositivo = nullptr; // one reference held while in use
    GCancellable* cancelable = nullptr;
    QString nombre;
    Fase fase = Fase::Libre;
    bool activa = false; // a session is waiting for a finger
    bool eleccionPendiente = false;
    quint64 sesion = 0;
};

namespace {

// What a callback needs: the reader, unless it was destroyed meanwhile, and the
// device the call was made on (kept alive until the callback).
struct Llamada {
    Llamada(LectorFprint* l, FpDevice* d)
        : lector(l), dispositivo(static_cast<FpDevice*>(g_object_ref(d))) {}
    ~Llamada() { g_object_unref(dispositivo); }
    Llamada(const Llamada&) = delete;
    Llamada& operator=(const Llamada&) = delete;

    QPointer<LectorFprint> lector;
    FpDevice* dispositivo;
};

FpDevice* dispositivoDe(GObject* fuente) {
    return reinterpret_cast<FpDevice*>(fuente);
}

QString textoDe(const GError* error) {
    return error ? QString::fromUtf8(error->message) : QString();
}

bool cancelado(const GError* error) {
    return g_error_matches(error, G_IO_ERROR, G_IO_ERROR_CANCELLED);
}

// A reader destroyed while a call ran leaves nobody to close the device.
void cerrarHuerfano(FpDevice* d) {
    if (fp_device_is_open(d))
        fp_device_close(d, nullptr, nullptr, nullptr);
}

QImage comoImagen(FpImage* huella) {
    const int ancho = static_cast<int>(fp_image_get_width(huella));
    const int alto = static_cast<int>(fp_image_get_height(huella));
    gsize largo = 0;
    const guchar* datos = fp_image_get_data(huella, &largo);
    if (!datos || ancho <= 0 || alto <= 0 ||
        largo < static_cast<gsize>(ancho) * static_cast<gsize>(alto))
        return QImage();
    QImage imagen(ancho, alto, QImage::Format_Grayscale8);
    for (int y = 0; y < alto; ++y)
        std::memcpy(imagen.scanLine(y), datos + static_cast<gsize>(y) * static_cast<gsize>(ancho),
                    static_cast<size_t>(ancho));
    return imagen;
}

} // namespace

LectorFprint::LectorFprint(QObject* parent) : LectorHuellas(parent), e_(new Estado) {}

LectorFprint::~LectorFprint() {
    // Calls still running find the reader gone and close the device themselves.
    if (e_->cancelable) {
        g_cancellable_cancel(e_->cancelable);
        g_object_unref(e_->cancelable);
    }
    if (e_->dispositivo)
        g_object_unref(e_->dispositivo);
    if (e_->contexto)
        g_object_unref(e_->contexto);
}

bool LectorFprint::bucleAtiendeGlib() {
    const QAbstractEventDispatcher* d =
        QAbstractEventDispatcher::instance(QThread::currentThread());
    return d && d->inherits("QEventDispatcherGlib");
}

void LectorFprint::iniciar() {
    const quint64 sesion = ++e_->sesion;
    e_->activa = true;
    if (!bucleAtiendeGlib()) {
        QTimer::singleShot(0, this, [this, sesion] {
            if (e_->activa && e_->sesion == sesion)
                fallar(QStringLiteral(
                    "El lector de huellas necesita el bucle de eventos de GLib, y el programa "
                    "se inició con otro (QT_NO_GLIB)."));
        });
        return;
    }
    // A reader still opening, capturing or closing goes on to this session from
    // its callback; a free one is chosen from a turn of its own.
    if (e_->fase == Estado::Fase::Libre && !e_->eleccionPendiente) {
        e_->eleccionPendiente = true;
        QTimer::singleShot(0, this, &LectorFprint::elegirYAbrir);
    }
}

void LectorFprint::detener() {
    e_->activa = false;
    // Only a capture is cancelled: an open runs to its end and is closed then.
    if (e_->fase == Estado::Fase::Capturando && e_->cancelable)
        g_cancellable_cancel(e_->cancelable);
}

void LectorFprint::elegirYAbrir() {
    e_->eleccionPendiente = false;
    if (!e_->activa || e_->fase != Estado::Fase::Libre)
        return;
    if (!e_->contexto) {
        // Enumerating runs GLib's main context until every reader has answered,
        // so Qt's events may be handled meanwhile: the phase keeps them from
        // starting a second enumeration.
        e_->fase = Estado::Fase::Abriendo;
        e_->contexto = fp_context_new();
        fp_context_enumerate(e_->contexto);
        e_->fase = Estado::Fase::Libre;
        if (!e_->activa)
            return;
    }

    GPtrArray* lista = fp_context_get_devices(e_->contexto);
    FpDevice* elegido = nullptr;
    QStringList sinCaptura;
    for (guint i = 0; lista && i < lista->len; ++i) {
        auto* d = static_cast<FpDevice*>(lista->pdata[i]);
        if (fp_device_has_feature(d, FP_DEVICE_FEATURE_CAPTURE)) {
            elegido = d;
            break;
        }
        sinCaptura << QString::fromUtf8(fp_device_get_name(d));
    }
    if (!elegido) {
        fallar(sinCaptura.isEmpty()
                   ? QStringLiteral("No hay ningún lector de huellas conectado.")
                   : QStringLiteral("Ningún lector conectado captura imágenes de huellas: %1.")
                         .arg(sinCaptura.join(QStringLiteral(", "))));
        return;
    }

    e_->dispositivo = static_cast<FpDevice*>(g_object_ref(elegido));
    e_->nombre = QString::fromUtf8(fp_device_get_name(elegido));
    e_->fase = Estado::Fase::Abriendo;
    if (fp_device_is_open(elegido)) {
        capturar();
        return;
    }
    fp_device_open(
        elegido, nullptr,
        [](GObject* fuente, GAsyncResult* resultado, gpointer datos) {
            std::unique_ptr<Llamada> llamada(static_cast<Llamada*>(datos));
            GError* error = nullptr;
            const bool ok = fp_device_open_finish(dispositivoDe(fuente), resultado, &error);
            if (!llamada->lector) {
                if (ok)
                    cerrarHuerfano(llamada->dispositivo);
            } else {
                llamada->lector->alAbrir(ok, textoDe(error));
            }
            if (error)
                g_error_free(error);
        },
        new Llamada(this, elegido));
}

void LectorFprint::alAbrir(bool ok, const QString& error) {
    if (!ok) {
        g_object_unref(e_->dispositivo);
        e_->dispositivo = nullptr;
        e_->fase = Estado::Fase::Libre;
        if (e_->activa)
            fallar(QStringLiteral("No se pudo abrir el lector de huellas \"%1\": %2")
                       .arg(e_->nombre, error));
        return;
    }
    if (!e_->activa) {
        cerrar();
        return;
    }
    capturar();
}

void LectorFprint::capturar() {
    e_->fase = Estado::Fase::Capturando;
    if (e_->cancelable)
        g_object_unref(e_->cancelable);
    e_->cancelable = g_cancellable_new();
    fp_device_capture(
        e_->dispositivo, TRUE, e_->cancelable,
        [](GObject* fuente, GAsyncResult* resultado, gpointer datos) {
            std::unique_ptr<Llamada> llamada(static_cast<Llamada*>(datos));
            GError* error = nullptr;
            FpImage* huella = fp_device_capture_finish(dispositivoDe(fuente), resultado, &error);
            if (!llamada->lector) {
                cerrarHuerfano(llamada->dispositivo);
            } else {
                const QImage dedo = huella ? comoImagen(huella) : QImage();
                const bool reintentar = error && error->domain == FP_DEVICE_RETRY;
                QString texto = textoDe(error);
                if (huella && dedo.isNull())
                    texto = QStringLiteral("El lector entregó una imagen vacía.");
                llamada->lector->alCapturar(dedo, texto, cancelado(error), reintentar);
            }
            if (huella)
                g_object_unref(huella);
            if (error)
                g_error_free(error);
        },
        new Llamada(this, e_->dispositivo));
    Q_EMIT esperandoDedo();
}

void LectorFprint::alCapturar(const QImage& dedo, const QString& error, bool cancelada,
                              bool reintentar) {
    if (!dedo.isNull()) {
        const bool activa = e_->activa;
        e_->activa = false;
        cerrar();
        if (activa)
            Q_EMIT capturada(dedo);
        return;
    }
    if (cancelada || reintentar) {
        if (reintentar)
            qInfo("Lector de huellas \"%s\": %s", qPrintable(e_->nombre), qPrintable(error));
        // A session started while the capture was being cancelled takes it over.
        if (e_->activa)
            capturar();
        else
            cerrar();
        return;
    }
    cerrar();
    if (e_->activa)
        fallar(QStringLiteral("El lector de huellas \"%1\" falló: %2").arg(e_->nombre, error));
}

void LectorFprint::cerrar() {
    e_->fase = Estado::Fase::Cerrando;
    fp_device_close(
        e_->dispositivo, nullptr,
        [](GObject* fuente, GAsyncResult* resultado, gpointer datos) {
            std::unique_ptr<Llamada> llamada(static_cast<Llamada*>(datos));
            GError* error = nullptr;
            if (!fp_device_close_finish(dispositivoDe(fuente), resultado, &error))
                qWarning("No se pudo cerrar el lector de huellas: %s", qPrintable(textoDe(error)));
            if (llamada->lector)
                llamada->lector->alCerrar();
            if (error)
                g_error_free(error);
        },
        new Llamada(this, e_->dispositivo));
}

void LectorFprint::alCerrar() {
    g_object_unref(e_->dispositivo);
    e_->dispositivo = nullptr;
    e_->fase = Estado::Fase::Libre;
    // A session started while the reader was closing opens it again.
    if (e_->activa && !e_->eleccionPendiente) {
        e_->eleccionPendiente = true;
        QTimer::singleShot(0, this, &LectorFprint::elegirYAbrir);
    }
}

void LectorFprint::fallar(const QString& mensaje) {
    e_->activa = false;
    Q_EMIT fallo(mensaje);
}
