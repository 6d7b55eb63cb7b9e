#include "session/DiarioSesion.h"

#include "app/Rutas.h"

#include <QDir>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSaveFile>
#include <QtEndian>
#include <array>
#include <cerrno>
#include <cstring>

#ifdef Q_OS_WIN
#include <io.h>
#else
#include <fcntl.h>
#include <unistd.h>
#endif

namespace {

const QByteArray kFirma = QByteArrayLiteral("TVDIARIO");
constexpr int kCabeceraRegistro = 8; // length and CRC-32, 4 bytes each
// No record comes near this; a larger length is damage, not data.
constexpr quint32 kRegistroMaximo = 1 << 20;

// Record types.
constexpr char kIdentidad = 'I';
constexpr char kMostrada = 'M';
constexpr char kReporte = 'R';
constexpr char kTerminada = 'T';
constexpr int kLargoReporte = 56;

constexpr std::array<quint32, 256> tablaCrc() {
    std::array<quint32, 256> t{};
    for (quint32 i = 0; i < 256; ++i) {
        quint32 c = i;
        for (int k = 0; k < 8; ++k)
            c = (c & 1U) ? 0xEDB88320U ^ (c >> 1) : c >> 1;
        t[i] = c;
    }
    return t;
}

quint32 crc32(const QByteArray& datos) {
    static constexpr std::array<quint32, 256> kTabla = tablaCrc();
    quint32 c = 0xFFFFFFFFU;
    for (const char b : datos)
        c = kTabla[(c ^ quint8(b)) & 0xFFU] ^ (c >> 8);
    return c ^ 0xFFFFFFFFU;
}

QByteArray registro(char tipo, const QByteArray& datos) {
    QByteArray cuerpo;
    cuerpo.reserve(datos.size() + 1);
    cuerpo.append(tipo).append(datos);
    QByteArray r(kCabeceraRegistro, '\0');
    qToLittleEndian(quint32(cuerpo.size()), r.data());
    qToLittleEndian(crc32(cuerpo), r.data() + 4);
    return r + cuerpo;
}

QByteArray entero(int n) {
    QByteArray b(4, '\0');
    qToLittleEndian(qint32(n), b.data());
    return b;
}

int leerEntero(const QByteArray& b, qsizetype desde) {
    return qFromLittleEndian<qint32>(b.constData() + desde);
}

QByteArray identidadEnJson(const IdentidadDiario& i) {
    QJsonArray personas;
    for (qint32 p : i.personas)
        personas.append(p);
    const QJsonObject o{{QStringLiteral("identidad"), i.identidad},
                        {QStringLiteral("grupo"), i.grupo},
                        {QStringLiteral("examen"), i.examen},
                        {QStringLiteral("responsable"), i.responsable},
                        {QStringLiteral("inicio"), i.inicio.toString(Qt::ISODateWithMs)},
                        {QStringLiteral("personas"), personas}};
    return QJsonDocument(o).toJson(QJsonDocument::Compact);
}

std::optional<IdentidadDiario> identidadDeJson(const QByteArray& datos) {
    const QJsonDocument doc = QJsonDocument::fromJson(datos);
    if (!doc.isObject())
        return std::nullopt;
    const QJsonObject o = doc.object();
    IdentidadDiario i;
    i.identidad = o.value(QStringLiteral("identidad")).toString();
    i.grupo = o.value(QStringLiteral("grupo")).toInt();
    i.examen = o.value(QStringLiteral("examen")).toInt();
    i.responsable = o.value(QStringLiteral("responsable")).toInt();
    i.inicio =
        QDateTime::fromString(o.value(QStringLiteral("inicio")).toString(), Qt::ISODateWithMs);
    for (const QJsonValue v : o.value(QStringLiteral("personas")).toArray())
        i.personas << v.toInt();
    if (i.identidad.isEmpty())
        return std::nullopt;
    return i;
}

// Data (not only the file's size) reaches the disk; the file's other metadata
// can wait, as for any append.
bool sincronizarDescriptor(int fd) {
#ifdef Q_OS_WIN
    return _commit(fd) == 0;
#elif defined(Q_OS_DARWIN)
    return ::fsync(fd) == 0;
#else
    return ::fdatasync(fd) == 0;
#endif
}

// The rename that put a new journal in place survives a power cut only once its
// folder is flushed too.
void sincronizarCarpeta(const QString& archivo) {
#ifndef Q_OS_WIN
    const QByteArray carpeta = QFile::encodeName(QFileInfo(archivo).absolutePath());
    const int fd = ::open(carpeta.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd >= 0) {
        ::fsync(fd);
        ::close(fd);
    }
#else
    Q_UNUSED(archivo);
#endif
}

} // namespace

int LecturaDiario::preguntaReanudar() const {
    if (preguntaMostrada < 0)
        return 0;
    return preguntaTerminada ? preguntaMostrada + 1 : preguntaMostrada;
}

std::optional<LecturaDiario> leerDiario(const QString& ruta) {
    QFile f(ruta);
    if (!f.open(QIODevice::ReadOnly))
        return std::nullopt;
    const QByteArray datos = f.readAll();
    if (!datos.startsWith(kFirma))
        return std::nullopt;
    LecturaDiario l;
    qsizetype pos = kFirma.size();
    bool conIdentidad = false;
    while (pos < datos.size()) {
        if (datos.size() - pos < kCabeceraRegistro)
            break;
        const quint32 largo = qFromLittleEndian<quint32>(datos.constData() + pos);
        const quint32 crc = qFromLittleEndian<quint32>(datos.constData() + pos + 4);
        if (largo == 0 || largo > kRegistroMaximo ||
            qsizetype(largo) > datos.size() - pos - kCabeceraRegistro)
            break;
        const QByteArray cuerpo = datos.mid(pos + kCabeceraRegistro, largo);
        if (crc32(cuerpo) != crc)
            break;
        const char tipo = cuerpo.at(0);
        const QByteArray resto = cuerpo.mid(1);
        bool valido = true;
        if (!conIdentidad) {
            // Nothing counts before the session says what it is.
            const std::optional<IdentidadDiario> i =
                tipo == kIdentidad ? identidadDeJson(resto) : std::nullopt;
            if (!i)
                return std::nullopt;
            l.identidad = *i;
            conIdentidad = true;
        } else if (tipo == kMostrada && resto.size() == 4) {
            l.preguntaMostrada = leerEntero(resto, 0);
            l.preguntaTerminada = false;
        } else if (tipo == kTerminada && resto.size() == 4) {
            if (leerEntero(resto, 0) == l.preguntaMostrada)
                l.preguntaTerminada = true;
        } else if (tipo == kReporte && resto.size() == 4 + kLargoReporte) {
            l.reportes.append({leerEntero(resto, 0), resto.mid(4)});
        } else {
            valido = false;
        }
        if (!valido)
            break;
        pos += kCabeceraRegistro + qsizetype(largo);
        l.largoValido = pos;
    }
    if (!conIdentidad)
        return std::nullopt;
    l.colaIgnorada = l.largoValido < datos.size();
    return l;
}

DiarioSesion::DiarioSesion(QObject* padre) : QObject(padre) {}

DiarioSesion::~DiarioSesion() {
    cerrar();
}

QString DiarioSesion::rutaPredeterminada() {
    return rutas::enCarpetaTrabajo(QStringLiteral("Sesion.diario"));
}

bool DiarioSesion::crear(const QString& ruta, const IdentidadDiario& identidad) {
    cerrar();
    ruta_ = ruta;
    // A journal nobody resumed, scored or discarded is set aside, not overwritten.
    if (QFileInfo::exists(ruta)) {
        QFile::remove(ruta + QStringLiteral(".anterior"));
        QFile::rename(ruta, ruta + QStringLiteral(".anterior"));
    }
    QSaveFile nuevo(ruta);
    // commit() flushes the file to the disk before renaming it into place.
    if (!nuevo.open(QIODevice::WriteOnly) ||
        nuevo.write(kFirma + registro(kIdentidad, identidadEnJson(identidad))) < 0 ||
        !nuevo.commit()) {
        fallar(QStringLiteral("No se pudo crear el diario del examen %1: %2")
                   .arg(QDir::toNativeSeparators(ruta), nuevo.errorString()));
        return false;
    }
    sincronizarCarpeta(ruta);
    abrirAnexo(ruta);
    return abierto();
}

bool DiarioSesion::continuar(const QString& ruta, const LecturaDiario& lectura) {
    cerrar();
    ruta_ = ruta;
    abrirAnexo(ruta);
    // A torn tail would make every record after it unreadable.
    if (abierto() && largo_ != lectura.largoValido && lectura.largoValido > 0) {
        if (!archivo_.resize(lectura.largoValido))
            fallar(QStringLiteral("No se pudo recortar el diario del examen %1: %2")
                       .arg(QDir::toNativeSeparators(ruta), archivo_.errorString()));
        largo_ = archivo_.size();
    }
    return abierto();
}

void DiarioSesion::abrirAnexo(const QString& ruta) {
    archivo_.setFileName(ruta);
    // Unbuffered: each record reaches the system as it is appended.
    if (!archivo_.open(QIODevice::WriteOnly | QIODevice::Append | QIODevice::Unbuffered)) {
        fallar(QStringLiteral("No se pudo abrir el diario del examen %1: %2")
                   .arg(QDir::toNativeSeparators(ruta), archivo_.errorString()));
        return;
    }
    largo_ = archivo_.size();
    {
        const std::lock_guard l(m_);
        pendiente_ = false;
        parar_ = false;
    }
    const int fd = archivo_.handle();
    hilo_ = std::thread([this, fd] { sincronizar(fd); });
}

void DiarioSesion::preguntaMostrada(int pregunta) {
    anotar(kMostrada, entero(pregunta));
}

void DiarioSesion::reporte(int pregunta, const QByteArray& reporte) {
    QByteArray datos = entero(pregunta);
    datos.append(reporte.left(kLargoReporte));
    if (reporte.size() < kLargoReporte)
        datos.append(QByteArray(kLargoReporte - reporte.size(), '\0'));
    anotar(kReporte, datos);
}

void DiarioSesion::preguntaTerminada(int pregunta) {
    anotar(kTerminada, entero(pregunta));
}

void DiarioSesion::anotar(char tipo, const QByteArray& datos) {
    if (!archivo_.isOpen())
        return;
    if (const int e = errorSincronia_.exchange(0))
        fallar(QStringLiteral("No se pudo asegurar el diario del examen en el disco: %1")
                   .arg(QString::fromLocal8Bit(std::strerror(e))));
    const QByteArray r = registro(tipo, datos);
    if (archivo_.write(r) != r.size()) {
        const QString causa = archivo_.errorString();
        // Cut what was half written, so the next records stay readable.
        archivo_.resize(largo_);
        fallar(QStringLiteral("No se pudo escribir en el diario del examen %1: %2")
                   .arg(QDir::toNativeSeparators(ruta_), causa));
        return;
    }
    largo_ += r.size();
    const std::lock_guard l(m_);
    if (!pendiente_) {
        pendiente_ = true;
        primeraPendiente_ = std::chrono::steady_clock::now();
        cv_.notify_one();
    }
}

void DiarioSesion::sincronizar(int fd) {
    std::unique_lock l(m_);
    for (;;) {
        cv_.wait(l, [this] { return pendiente_ || parar_; });
        if (!pendiente_)
            return;
        // The appends of the next few milliseconds go to the disk with this one.
        if (!parar_)
            cv_.wait_until(l, primeraPendiente_ + kEsperaSincronia, [this] { return parar_; });
        pendiente_ = false;
        l.unlock();
        const bool bien = sincronizarDescriptor(fd);
        const int e = errno;
        l.lock();
        if (bien)
            ++sincronizaciones_;
        else
            errorSincronia_ = e ? e : EIO;
    }
}

void DiarioSesion::cerrar() {
    if (hilo_.joinable()) {
        {
            const std::lock_guard l(m_);
            parar_ = true;
            cv_.notify_one();
        }
        hilo_.join();
    }
    if (const int e = errorSincronia_.exchange(0))
        fallar(QStringLiteral("No se pudo asegurar el diario del examen en el disco: %1")
                   .arg(QString::fromLocal8Bit(std::strerror(e))));
    archivo_.close();
}

void DiarioSesion::eliminar() {
    cerrar();
    if (!ruta_.isEmpty())
        QFile::remove(ruta_);
}

void DiarioSesion::fallar(const QString& texto) {
    if (!error_.isEmpty())
        return;
    error_ = texto;
    Q_EMIT fallo(texto);
}
