#include "keypads/ProtocoloReceptor.h"

#include "keypads/Receptor.h"
#include "keypads/Temporizador.h"

#include <algorithm>

namespace {

constexpr quint8 kBuscar = 0x01;
constexpr quint8 kParar = 0x53;     // "S"
constexpr quint8 kRegistrar = 0x52; // "R"
constexpr quint8 kMemorizar = 0x4D; // "M"
constexpr quint8 kConfirmar = 0x43; // "C"
constexpr quint8 kArgumentoConfirmar = 0x80;

constexpr int kExito = 2;
constexpr int kEncontrado = 10;

int dosPrimerasCifras(int valor) {
    return QString::number(valor).left(2).toInt();
}

} // namespace

int numeroEnviado(int fila) {
    const int t = dosPrimerasCifras(fila + 2);
    return t >= 17 ? dosPrimerasCifras(fila + 3) : t;
}

int numeroPendiente(int fila) {
    return fila + 2;
}

QString textoEstado(int codigo) {
    switch (codigo) {
    case 1:
        return QStringLiteral("El control no responde");
    case 2:
        return QStringLiteral("Datos enviados exitosamente");
    case 3:
        return QStringLiteral("Valor fuera de rango");
    case 4:
        return QStringLiteral("La frecuencia no esta disponible");
    case 5:
        return QStringLiteral("Valo no permitido");
    case 6:
        return QStringLiteral("Activacion de buzzer");
    case 7:
        return QStringLiteral("Desactivacion de buzzer");
    case 8:
        return QStringLiteral("Error de comando");
    case 9:
        return QStringLiteral("Error inesperado");
    case 10:
        return ProtocoloReceptor::kTextoEncontrado;
    default:
        return {};
    }
}

QList<std::pair<int, char>> decodificarRespuestas(const QByteArray& reporte, int evaluados) {
    QList<std::pair<int, char>> teclas;
    const int posiciones = qMin(qMin(evaluados, Receptor::kPosiciones), int(reporte.size()) - 2);
    for (int p = 0; p < posiciones; ++p) {
        const char tecla = reporte.at(p + 2);
        if (tecla != 0)
            teclas.append({p, tecla});
    }
    return teclas;
}

ProtocoloReceptor::ProtocoloReceptor(QObject* parent)
    : QObject(parent), propio_(std::make_unique<TemporizadorQt>()), temporizador_(propio_.get()),
      salida_(Receptor::kLargoReporte, '\0') {}

ProtocoloReceptor::ProtocoloReceptor(Temporizador& temporizador, QObject* parent)
    : QObject(parent), temporizador_(&temporizador), salida_(Receptor::kLargoReporte, '\0') {}

ProtocoloReceptor::~ProtocoloReceptor() {
    temporizador_->cancelar();
}

void ProtocoloReceptor::fijarFilaActual(std::function<std::optional<FilaAsignable>()> filaActual) {
    filaActual_ = std::move(filaActual);
}

void ProtocoloReceptor::iniciarBusqueda() {
    if (estado_ != Estado::Inactivo)
        return;
    // Only what the receiver says from now on counts: nothing older is looked at.
    cola_.clear();
    ultimo_ = 0;
    pendiente_.reset();
    estado_ = Estado::Buscando;
    Q_EMIT busquedaEnCurso(true);
    Q_EMIT texto(kTextoBuscando);
    programar([this] { tic(); });
    enviar(0x01, kBuscar);
}

void ProtocoloReceptor::recibir(const QByteArray& reporte) {
    if (estado_ == Estado::Inactivo)
        return;
    cola_.enqueue(reporte.size() > 3 ? quint8(reporte.at(3)) : 0);
}

void ProtocoloReceptor::cancelar() {
    temporizador_->cancelar();
    cola_.clear();
    pendiente_.reset();
    const bool activa = estado_ != Estado::Inactivo;
    estado_ = Estado::Inactivo;
    if (activa)
        Q_EMIT busquedaEnCurso(false);
}

void ProtocoloReceptor::tic() {
    if (cola_.isEmpty()) {
        // Nothing new: the receiver's last answer still stands, and a keypad still
        // reported as found is sent the sequence again.
        if (ultimo_ == kEncontrado && atender(ultimo_))
            return;
    } else {
        // A status acted on: 1 to 10, a confirmation only of a number this search sent.
        const auto cuenta = [this](int e) {
            return e >= 1 && e <= kEncontrado && (e != kExito || pendiente_);
        };
        while (!cola_.isEmpty()) {
            ultimo_ = cola_.dequeue();
            // The receiver repeats "found" while it waits: one sequence answers all
            // of them, and an answer already heard behind it goes first.
            if (ultimo_ == kEncontrado && std::any_of(cola_.cbegin(), cola_.cend(), cuenta))
                continue;
            if (atender(ultimo_))
                return;
        }
    }
    programar([this] { tic(); });
}

// True when the status ended the search or started a sequence (which then
// schedules what follows); false when the poll goes on.
bool ProtocoloReceptor::atender(int estado) {
    if (estado == kEncontrado) {
        const std::optional<FilaAsignable> fila =
            filaActual_ ? filaActual_() : std::optional<FilaAsignable>();
        if (!fila || fila->posicion < 1)
            return false; // no row to give a number to
        iniciarSecuencia(*fila);
        return true;
    }
    if (estado < 1 || estado > 9)
        return false;
    if (estado == kExito) {
        // A confirmation of a number this search never sent is not ours.
        if (!pendiente_)
            return false;
        Q_EMIT texto(textoEstado(estado));
        const Pendiente p = *pendiente_;
        pendiente_.reset();
        Q_EMIT confirmado(p.clave, p.numero);
    } else {
        Q_EMIT texto(textoEstado(estado));
    }
    detener();
    return true;
}

void ProtocoloReceptor::iniciarSecuencia(const FilaAsignable& fila) {
    // One row for the whole sequence, so "R" and "M" carry the same number and the
    // confirmation goes to the row that number belongs to.
    estado_ = Estado::Asignando;
    Q_EMIT texto(kTextoEncontrado);
    const auto numero = quint8(numeroEnviado(fila.posicion));
    programar([this, fila, numero] {
        pendiente_ = Pendiente{fila.clave, numeroPendiente(fila.posicion)};
        enviar(0x00, kRegistrar, numero);
        programar([this, numero] {
            enviar(0x00, kMemorizar, numero);
            programar([this] {
                enviar(0x01, kConfirmar, kArgumentoConfirmar);
                programar([this] { tic(); });
            });
        });
    });
}

void ProtocoloReceptor::detener() {
    temporizador_->cancelar();
    cola_.clear();
    pendiente_.reset();
    estado_ = Estado::Inactivo;
    enviar(0x00, kParar);
    Q_EMIT busquedaEnCurso(false);
}

void ProtocoloReceptor::enviar(quint8 byte1, quint8 comando, std::optional<quint8> argumento) {
    salida_[0] = 0;
    salida_[1] = char(byte1);
    salida_[2] = char(comando);
    if (argumento) // otherwise byte 3 keeps what the previous command left
        salida_[3] = char(*argumento);
    Q_EMIT reporte(salida_);
}

void ProtocoloReceptor::programar(std::function<void()> accion) {
    temporizador_->programar(pausa_, std::move(accion));
}
