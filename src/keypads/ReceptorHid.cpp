#include "keypads/ReceptorHid.h"

#include <QByteArrayList>
#include <QSet>
#include <QThread>
#include <algorithm>
#include <atomic>
#include <cerrno>
#include <chrono>
#include <cstdint>
#include <cstring>
#include <fcntl.h>
#include <functional>
#include <hidapi.h>
#include <mutex>
#include <poll.h>
#include <sys/eventfd.h>
#include <unistd.h>

namespace {
using Reloj = std::chrono::steady_clock;
// Without report IDs hidraw hands over the 55 data bytes of each report; the
// link puts the report ID (0) back in front so readers see the 56-byte layout.
constexpr int kDatosReporte = Receptor::kLargoReporte - 1;
// While a receiver is open its node is checked every period (cheap) and the
// whole device list only every few periods (it opens every matching device).
constexpr int kPeriodosPorLista = 4;
// A receiver whose reads failed is left alone this long (or until it leaves the
// list), so a broken one is not reopened and reported again every period.
constexpr auto kPausaFallido = std::chrono::seconds(3);
// The longest wait when no write can wake the thread (no event fd was to be had).
constexpr auto kEsperaSinAviso = std::chrono::milliseconds(50);

// When the receiver may take the next output report. Shared by every link of the
// process: a window that opens the link right after another closed it talks to
// the same receiver.
std::atomic<Reloj::rep> proximaEscritura{0};

Reloj::time_point proximaEscrituraPermitida() {
    return Reloj::time_point(Reloj::duration(proximaEscritura.load()));
}
} // namespace

// The device thread. hidapi finds the receivers; the reports go through the hidraw
// node it names, so that one poll() waits both for input and for the writes the
// interface thread queues (an event fd), and a write goes out as soon as the
// receiver may take it.
class HiloReceptorHid : public QThread {
public:
    using Aviso = std::function<void(int tipo, const QByteArray& reporte)>;
    enum { Enchufado, Desenchufado, Cambiado, Leido };

    HiloReceptorHid(int periodoMs, Aviso aviso)
        : periodoMs_(periodoMs), aviso_(std::move(aviso)),
          despertador_(::eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK)) {
        if (despertador_ < 0)
            qWarning("Sin aviso de escrituras para el receptor: %s", strerror(errno));
    }
    ~HiloReceptorHid() override {
        detener();
        if (despertador_ >= 0)
            ::close(despertador_);
    }

    void detener() {
        {
            std::lock_guard lk(mutex_);
            parar_ = true;
        }
        despertar();
        wait();
    }

    void encolar(const QByteArray& reporte) {
        {
            std::lock_guard lk(mutex_);
            salida_.append(reporte);
        }
        despertar();
    }

protected:
    void run() override {
        hid_init();
        auto proxima = Reloj::now();
        for (;;) {
            bool pendientes;
            {
                std::lock_guard lk(mutex_);
                if (parar_)
                    break;
                pendientes = !salida_.isEmpty();
            }
            if (Reloj::now() >= proxima) {
                // A gone node is an unplugged receiver: look again at once.
                if (dispositivo_ < 0 || ++vueltas_ % kPeriodosPorLista == 0 ||
                    ::access(ruta_.constData(), F_OK) != 0)
                    revisar();
                proxima = Reloj::now() + std::chrono::milliseconds(periodoMs_);
            }
            if (dispositivo_ >= 0 && pendientes)
                pendientes = escribirPendientes();

            // Sleep until the next presence check, a report comes in, a write is
            // queued or the stop is asked, or the receiver may take a held write.
            auto hasta = proxima;
            if (dispositivo_ >= 0 && pendientes)
                hasta = std::min(hasta, proximaEscrituraPermitida());
            if (despertador_ < 0)
                hasta = std::min(hasta, Reloj::now() + kEsperaSinAviso);
            const auto espera = std::chrono::ceil<std::chrono::milliseconds>(hasta - Reloj::now());
            pollfd fds[2] = {{despertador_, POLLIN, 0}, {dispositivo_, POLLIN, 0}};
            if (::poll(fds, 2, int(std::max<std::int64_t>(0, espera.count()))) <= 0)
                continue;
            if (fds[0].revents & POLLIN) {
                std::uint64_t avisos;
                [[maybe_unused]] const auto n = ::read(despertador_, &avisos, sizeof avisos);
            }
            if (dispositivo_ >= 0 && fds[1].revents)
                leer(fds[1].revents);
        }
        cerrarDispositivo();
    }

private:
    void despertar() {
        if (despertador_ < 0)
            return;
        const std::uint64_t uno = 1;
        [[maybe_unused]] const auto n = ::write(despertador_, &uno, sizeof uno);
    }

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

        if (dispositivo_ >= 0 && !rutas.contains(ruta_))
            cerrarDispositivo();
        if (!fallido_.isEmpty() && (!rutas.contains(fallido_) || Reloj::now() >= fallidoHasta_))
            fallido_.clear();
        for (auto it = avisados_.begin(); it != avisados_.end();)
            it = rutas.contains(*it) ? std::next(it) : avisados_.erase(it);

        for (const QByteArray& ruta : orden) {
            if (dispositivo_ >= 0)
                break;
            if (ruta == fallido_)
                continue;
            // Non-blocking: a read never holds the thread, whatever poll() said.
            const int fd = ::open(ruta.constData(), O_RDWR | O_NONBLOCK | O_CLOEXEC);
            if (fd >= 0) {
                dispositivo_ = fd;
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

    void leer(short eventos) {
        bool roto = eventos & (POLLERR | POLLHUP | POLLNVAL);
        if (eventos & POLLIN) {
            unsigned char datos[kDatosReporte];
            const ssize_t n = ::read(dispositivo_, datos, sizeof datos);
            if (n > 0) {
                QByteArray reporte(Receptor::kLargoReporte, '\0');
                std::copy_n(datos, n, reporte.data() + 1);
                aviso_(Leido, reporte);
                return;
            }
            roto = roto || (n < 0 && errno != EAGAIN && errno != EINTR);
        }
        if (!roto)
            return;
        // Pulled out (or broken): leave it until it leaves the list or a while passes.
        fallido_ = ruta_;
        fallidoHasta_ = Reloj::now() + kPausaFallido;
        cerrarDispositivo();
    }

    // Sends the queued reports the receiver may take now, each no sooner than
    // ReceptorHid::kSeparacionMs after the previous one went out. True when some
    // are still held back.
    bool escribirPendientes() {
        for (;;) {
            if (Reloj::now() < proximaEscrituraPermitida())
                return true;
            QByteArray r;
            {
                std::lock_guard lk(mutex_);
                if (salida_.isEmpty())
                    return false;
                r = salida_.takeFirst();
            }
            if (::write(dispositivo_, r.constData(), size_t(r.size())) < 0) {
                qWarning("El receptor no aceptó un reporte: %s", strerror(errno));
                continue; // it never reached the receiver: no gap to keep
            }
            const auto siguiente =
                Reloj::now() + std::chrono::milliseconds(ReceptorHid::kSeparacionMs);
            proximaEscritura.store(siguiente.time_since_epoch().count());
        }
    }

    void cerrarDispositivo() {
        if (dispositivo_ < 0)
            return;
        ::close(dispositivo_);
        dispositivo_ = -1;
        ruta_.clear();
        {
            std::lock_guard lk(mutex_);
            salida_.clear();
        }
        aviso_(Desenchufado, {});
    }

    const int periodoMs_;
    const Aviso aviso_;
    const int despertador_;
    std::mutex mutex_;
    bool parar_ = false;
    QByteArrayList salida_;
    // Owned by the device thread only.
    int dispositivo_ = -1;
    QByteArray ruta_;
    QByteArray fallido_;
    Reloj::time_point fallidoHasta_;
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
