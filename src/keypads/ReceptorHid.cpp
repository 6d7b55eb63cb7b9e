#include "keypads/ReceptorHid.h"

#include <QByteArrayList>
#include <QSet>
#include <QThread>
#include <algorithm>
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <functional>
#include <hidapi.h>
#include <mutex>
#include <unistd.h>

namespace {
// Without report IDs hidraw hands over the 55 data bytes of each report; the
// link puts the report ID (0) back in front so readers see the 56-byte layout.
constexpr int kDatosReporte = Receptor::kLargoReporte - 1;
// How long one read waits before queued writes and the stop flag are looked at
// (the longest a write waits while nothing comes in).
constexpr int kEsperaLecturaMs = 50;
// While a receiver is open its node is checked every period (cheap) and the
// whole device list only every few periods (it opens every matching device).
constexpr int kPeriodosPorLista = 4;
// A receiver whose reads failed is left alone this long (or until it leaves the
// list), so a broken one is not reopened and reported again every period.
constexpr auto kPausaFallido = std::chrono::seconds(3);
} // namespace

// The device thread. hidapi keeps per-device error state that is not safe to
// touch from two threads, so reads, writes, opening and closing all happen here.
class HiloReceptorHid : public QThread {
public:
    using Aviso = std::function<void(int tipo, const QByteArray& reporte)>;
    enum { Enchufado, Desenchufado, Cambiado, Leido };

    HiloReceptorHid(int periodoMs, Aviso aviso) : periodoMs_(periodoMs), aviso_(std::move(aviso)) {}
    ~HiloReceptorHid() override { detener(); }

    void detener() {
        {
            std::lock_guard lk(mutex_);
            parar_ = true;
        }
        cv_.notify_all();
        wait();
    }

    void encolar(const QByteArray& reporte) {
        {
            std::lock_guard lk(mutex_);
            salida_.append(reporte);
        }
        cv_.notify_all();
    }

protected:
    void run() override {
        using reloj = std::chrono::steady_clock;
        hid_init();
        auto proxima = reloj::now();
        for (;;) {
            {
                std::unique_lock lk(mutex_);
                if (parar_)
                    break;
                if (!dispositivo_) {
                    // Nothing to read: wait for the next presence check or the stop.
                    cv_.wait_until(lk, proxima, [this] { return parar_; });
                    if (parar_)
                        break;
                }
            }
            if (reloj::now() >= proxima) {
                if (!dispositivo_ || ++vueltas_ % kPeriodosPorLista == 0)
                    revisar();
                else if (::access(ruta_.constData(), F_OK) != 0)
                    revisar(); // its node is gone: unplugged
                proxima = reloj::now() + std::chrono::milliseconds(periodoMs_);
            }
            if (!dispositivo_)
                continue;
            escribirPendientes();
            unsigned char datos[kDatosReporte];
            const int n = hid_read_timeout(dispositivo_, datos, kDatosReporte, kEsperaLecturaMs);
            if (n > 0) {
                QByteArray reporte(Receptor::kLargoReporte, '\0');
                std::copy_n(datos, n, reporte.data() + 1);
                aviso_(Leido, reporte);
            } else if (n < 0) {
                // Pulled out (or broken): leave it until it leaves the list or a while passes.
                fallido_ = ruta_;
                fallidoHasta_ = std::chrono::steady_clock::now() + kPausaFallido;
                cerrarDispositivo();
            }
        }
        cerrarDispositivo();
    }

private:
    // Looks at the receivers present: opens one when none is open, notices the
    // open one has gone, and reports any change of the set of receivers.
    void revisar() {
        QSet<QByteArray> rutas;
        QByteArrayList orden;
        hid_device_info* lista = hid_enumerate(Receptor::kVendedor, Receptor::kProducto);
        for (auto* d = lista; d; d = d->next) {
            if (!d->path)
                continue;
            const QByteArray ruta(d->path);
            if (!rutas.contains(ruta))
                orden.append(ruta);
            rutas.insert(ruta);
        }
        hid_free_enumeration(lista);

        if (dispositivo_ && !rutas.contains(ruta_))
            cerrarDispositivo();
        if (!fallido_.isEmpty() &&
            (!rutas.contains(fallido_) || std::chrono::steady_clock::now() >= fallidoHasta_))
            fallido_.clear();
        for (auto it = avisados_.begin(); it != avisados_.end();)
            it = rutas.contains(*it) ? std::next(it) : avisados_.erase(it);

        for (const QByteArray& ruta : orden) {
            if (dispositivo_)
                break;
            if (ruta == fallido_)
                continue;
            if (hid_device* d = hid_open_path(ruta.constData())) {
                dispositivo_ = d;
                ruta_ = ruta;
                aviso_(Enchufado, {});
            } else if (!avisados_.contains(ruta)) {
                avisados_.insert(ruta);
                qWarning("No se pudo abrir el receptor %s (permisos del dispositivo)",
                         ruta.constData());
            }
        }
        if (rutas != presentes_) {
            presentes_ = rutas;
            aviso_(Cambiado, {});
        }
    }

    void escribirPendientes() {
        QByteArrayList salida;
        {
            std::lock_guard lk(mutex_);
            salida.swap(salida_);
        }
        for (const QByteArray& r : salida) {
            const auto* p = reinterpret_cast<const unsigned char*>(r.constData());
            if (hid_write(dispositivo_, p, size_t(r.size())) < 0)
                qWarning("El receptor no aceptó un reporte");
        }
    }

    void cerrarDispositivo() {
        if (!dispositivo_)
            return;
        hid_close(dispositivo_);
        dispositivo_ = nullptr;
        ruta_.clear();
        {
            std::lock_guard lk(mutex_);
            salida_.clear();
        }
        aviso_(Desenchufado, {});
    }

    const int periodoMs_;
    const Aviso aviso_;
    std::mutex mutex_;
    std::condition_variable cv_;
    bool parar_ = false;
    QByteArrayList salida_;
    // Owned by the device thread only.
    hid_device* dispositivo_ = nullptr;
    QByteArray ruta_;
    QByteArray fallido_;
    std::chrono::steady_clock::time_point fallidoHasta_;
    QSet<QByteArray> presentes_;
    QSet<QByteArray> avisados_;
    unsigned vueltas_ = 0;
};

ReceptorHid::ReceptorHid(QObject* parent, int periodoMs)
    : Receptor(parent), periodoMs_(std::max(50, periodoMs)) {}

ReceptorHid::~ReceptorHid() {
    hilo_.reset();
}

void ReceptorHid::abrir() {
    if (abierto_)
        return;
    abierto_ = true;
    // Each opening gets its own thread; events of an earlier one still queued
    // are dropped by the generation check.
    static std::atomic<int> generaciones{0};
    const int generacion = ++generaciones;
    generacion_ = generacion;
    hilo_ = std::make_unique<HiloReceptorHid>(
        periodoMs_, [this, generacion](int tipo, const QByteArray& reporte) {
            QMetaObject::invokeMethod(
                this,
                [this, generacion, tipo, reporte] {
                    if (generacion != generacion_)
                        return;
                    switch (tipo) {
                    case HiloReceptorHid::Enchufado:
                        conectado_ = true;
                        Q_EMIT enchufado();
                        break;
                    case HiloReceptorHid::Desenchufado:
                        conectado_ = false;
                        Q_EMIT desenchufado();
                        break;
                    case HiloReceptorHid::Cambiado:
                        Q_EMIT cambiado();
                        break;
                    default:
                        Q_EMIT leido(reporte);
                    }
                },
                Qt::QueuedConnection);
        });
    hilo_->start();
}

void ReceptorHid::cerrar() {
    if (!abierto_)
        return;
    abierto_ = false;
    generacion_ = 0;
    hilo_.reset();
    conectado_ = false;
}

bool ReceptorHid::escribir(const QByteArray& reporte) {
    if (!conectado_ || !hilo_ || reporte.size() != kLargoReporte)
        return false;
    hilo_->encolar(reporte);
    return true;
}

bool ReceptorHid::conectado() const {
    return conectado_;
}
