#include "keypads/ReceptorSimulado.h"

#include <algorithm>

namespace {
// Output report commands: byte 1, byte 2.
bool es(const QByteArray& r, int b1, int b2) {
    return quint8(r[1]) == b1 && quint8(r[2]) == b2;
}
constexpr int kMaxEscritos = 1000;
} // namespace

ReceptorSimulado::ReceptorSimulado(QObject* parent) : Receptor(parent) {
    busqueda_.setSingleShot(true);
    confirmacion_.setSingleShot(true);
    connect(&busqueda_, &QTimer::timeout, this, [this] {
        if (!buscando_)
            return;
        encontrado_ = true;
        reportarEstado(kEncontrado);
    });
    connect(&confirmacion_, &QTimer::timeout, this, [this] {
        programados_.insert(pendiente_);
        pendiente_ = -1;
        buscando_ = encontrado_ = false;
        numeroR_ = numeroM_ = -1;
        reportarEstado(kDatosEnviados);
        Q_EMIT programadosCambiados();
    });
}

void ReceptorSimulado::abrir() {
    abierto_ = true;
    Q_EMIT abiertoCambiado(true);
    // Like the real link: a receiver already plugged in is reported right after.
    anunciarEnchufado();
}

void ReceptorSimulado::anunciarEnchufado() {
    QMetaObject::invokeMethod(
        this,
        [this] {
            if (!conectado())
                return;
            Q_EMIT enchufado();
            Q_EMIT cambiado();
        },
        Qt::QueuedConnection);
}

void ReceptorSimulado::cerrar() {
    if (!abierto_)
        return;
    terminarBusqueda();
    abierto_ = false;
    Q_EMIT abiertoCambiado(false);
}

bool ReceptorSimulado::conectado() const {
    return abierto_ && enchufado_;
}

void ReceptorSimulado::fijarDemoraBusqueda(int ms) {
    demoraBusqueda_ = std::max(0, ms);
}

void ReceptorSimulado::fijarDemoraConfirmacion(int ms) {
    demoraConfirmacion_ = std::max(0, ms);
}

QList<int> ReceptorSimulado::programados() const {
    QList<int> lista(programados_.begin(), programados_.end());
    std::sort(lista.begin(), lista.end());
    return lista;
}

int ReceptorSimulado::posicionDeControl(int numero) {
    if (numero >= 3 && numero <= 16)
        return numero - 3;
    if (numero >= 18 && numero - 4 < kPosiciones)
        return numero - 4;
    return -1;
}

int ReceptorSimulado::controlDePosicion(int posicion) {
    if (posicion < 0 || posicion >= kPosiciones)
        return -1;
    return posicion <= 13 ? posicion + 3 : posicion + 4;
}

bool ReceptorSimulado::escribir(const QByteArray& r) {
    if (!conectado() || r.size() != kLargoReporte)
        return false;
    if (escritos_.size() >= kMaxEscritos)
        escritos_.removeFirst();
    escritos_.append(r);

    const int n = quint8(r[3]);
    if (es(r, 0x01, 0x01)) { // search
        buscando_ = true;
        encontrado_ = false;
        numeroR_ = numeroM_ = -1;
        confirmacion_.stop();
        busqueda_.start(demoraBusqueda_);
    } else if (es(r, 0x00, 0x53)) { // stop
        terminarBusqueda();
    } else if (es(r, 0x00, 0x52)) { // "R": the number for the keypad found
        if (!encontrado_)
            reportarEstado(kErrorComando);
        else if (posicionDeControl(n) < 0)
            reportarEstado(kFueraDeRango);
        else
            numeroR_ = n, numeroM_ = -1;
    } else if (es(r, 0x00, 0x4D)) { // "M": the same number again
        if (!encontrado_ || n != numeroR_)
            reportarEstado(kErrorComando);
        else
            numeroM_ = n;
    } else if (es(r, 0x01, 0x43)) { // "C": confirm
        if (!encontrado_ || numeroM_ < 0 || n != 0x80) {
            reportarEstado(kErrorComando);
        } else {
            pendiente_ = numeroM_;
            confirmacion_.start(demoraConfirmacion_);
        }
    }
    return true;
}

void ReceptorSimulado::enchufar() {
    if (enchufado_)
        return;
    enchufado_ = true;
    if (abierto_)
        anunciarEnchufado();
}

void ReceptorSimulado::desenchufar() {
    if (!enchufado_)
        return;
    terminarBusqueda();
    enchufado_ = false;
    if (!abierto_)
        return;
    QMetaObject::invokeMethod(
        this,
        [this] {
            if (!abierto_ || enchufado_)
                return;
            Q_EMIT desenchufado();
            Q_EMIT cambiado();
        },
        Qt::QueuedConnection);
}

void ReceptorSimulado::provocarEstado(int estado) {
    if (estado < 0 || estado > 255 || !conectado())
        return;
    if (estado == kEncontrado)
        encontrado_ = buscando_ = true;
    reportarEstado(estado);
}

bool ReceptorSimulado::pulsarTecla(int posicion, char tecla) {
    if (posicion < 0 || posicion >= kPosiciones)
        return false;
    QByteArray teclas(posicion + 1, '\0');
    teclas[posicion] = tecla;
    return enviarRespuestas(teclas);
}

bool ReceptorSimulado::enviarRespuestas(const QByteArray& teclas) {
    if (!conectado())
        return false;
    QByteArray r(kLargoReporte, '\0');
    const auto n = std::min<qsizetype>(teclas.size(), kPosiciones);
    std::copy_n(teclas.constData(), n, r.data() + 2);
    entregar(r);
    return true;
}

void ReceptorSimulado::reportarEstado(int estado) {
    QByteArray r(kLargoReporte, '\0');
    r[3] = char(estado);
    if (estado == 1 || (estado >= 3 && estado <= 9))
        terminarBusqueda();
    entregar(r);
}

void ReceptorSimulado::terminarBusqueda() {
    busqueda_.stop();
    confirmacion_.stop();
    buscando_ = encontrado_ = false;
    numeroR_ = numeroM_ = pendiente_ = -1;
}

void ReceptorSimulado::entregar(const QByteArray& reporte) {
    // Posted events of one thread run in order, so reports arrive as produced.
    QMetaObject::invokeMethod(
        this,
        [this, reporte] {
            if (conectado())
                Q_EMIT leido(reporte);
        },
        Qt::QueuedConnection);
}
