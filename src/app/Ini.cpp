#include "app/Ini.h"

#include "app/Rutas.h"
#include "app/Texto.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QSaveFile>
#include <array>
#include <vector>

#ifdef Q_OS_UNIX
#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace ini {

namespace {
QString gRuta;
}

QString ruta() {
    return gRuta;
}
void fijarRuta(const QString& r) {
    gRuta = r;
}

} // namespace ini

namespace {

constexpr int kLargoMaximo = 127;
constexpr qint64 kMegabyte = qint64{1024} * 1024;

QString rutaEfectiva() {
    const QString r = ini::ruta();
    return r.isEmpty() ? rutas::archivoZarn() : r;
}

// ---- Reading the file, never blocking on what is not a regular file ----

enum class Lectura { Ausente, Leida, Fallida };

QString textoNoComun(const QString& ruta) {
    return QStringLiteral("El archivo de configuración \"%1\" no es un archivo común (es una "
                          "carpeta, un dispositivo o una tubería), así que no se puede usar. "
                          "Reemplácelo por el archivo de configuración de la oficina.")
        .arg(QDir::toNativeSeparators(ruta));
}

QString textoGrande(const QString& ruta, qint64 tamano) {
    return QStringLiteral("El archivo de configuración \"%1\" ocupa %2 MB y un archivo de "
                          "configuración no llega a %3 MB: está dañado. Reemplácelo por el "
                          "archivo de configuración de la oficina.")
        .arg(QDir::toNativeSeparators(ruta))
        .arg(tamano / kMegabyte)
        .arg(ini::kTamanoMaximo / kMegabyte);
}

QString textoIlegible(const QString& ruta, const QString& causa) {
    return QStringLiteral("No se puede leer el archivo de configuración \"%1\": %2.")
        .arg(QDir::toNativeSeparators(ruta), causa);
}

#ifdef Q_OS_UNIX
QString causaSistema(int error) {
    switch (error) {
    case EACCES:
    case EPERM:
        return QStringLiteral("no tiene permiso para leerlo");
    case ELOOP:
        return QStringLiteral("es un enlace que da vueltas sobre sí mismo");
    case EIO:
        return QStringLiteral("el disco da un error de lectura");
    default:
        return QStringLiteral("error del sistema %1").arg(error);
    }
}

Lectura leerArchivo(const QString& ruta, QByteArray* datos, QString* problema) {
    const QByteArray nativa = QFile::encodeName(ruta);
    const auto revisar = [&](const struct stat& st) {
        if (!S_ISREG(st.st_mode)) {
            *problema = textoNoComun(ruta);
            return false;
        }
        if (st.st_size > ini::kTamanoMaximo) {
            *problema = textoGrande(ruta, st.st_size);
            return false;
        }
        return true;
    };
    // Looked at before opening: opening a FIFO waits for a writer, and a device
    // may do something on open.
    struct stat st {};
    if (::stat(nativa.constData(), &st) != 0) {
        if (errno == ENOENT || errno == ENOTDIR)
            return Lectura::Ausente;
        *problema = textoIlegible(ruta, causaSistema(errno));
        return Lectura::Fallida;
    }
    if (!revisar(st))
        return Lectura::Fallida;
    const int fd = ::open(nativa.constData(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (fd < 0) {
        if (errno == ENOENT)
            return Lectura::Ausente;
        *problema = textoIlegible(ruta, causaSistema(errno));
        return Lectura::Fallida;
    }
    // The file may have been swapped between the look and the open.
    if (::fstat(fd, &st) != 0 || !revisar(st)) {
        if (problema->isEmpty())
            *problema = textoIlegible(ruta, causaSistema(errno));
        ::close(fd);
        return Lectura::Fallida;
    }
    datos->resize(qsizetype(st.st_size) + 1);
    qsizetype leidos = 0;
    for (;;) {
        if (leidos == datos->size()) {
            if (leidos > ini::kTamanoMaximo)
                break;
            datos->resize(qMin<qsizetype>(leidos * 2 + 4096, ini::kTamanoMaximo + 1));
        }
        const ssize_t n = ::read(fd, datos->data() + leidos, size_t(datos->size() - leidos));
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0) {
            *problema = textoIlegible(ruta, causaSistema(errno));
            ::close(fd);
            return Lectura::Fallida;
        }
        if (n == 0)
            break;
        leidos += n;
    }
    ::close(fd);
    if (leidos > ini::kTamanoMaximo) {
        *problema = textoGrande(ruta, leidos);
        return Lectura::Fallida;
    }
    datos->resize(leidos);
    return Lectura::Leida;
}
#else
Lectura leerArchivo(const QString& ruta, QByteArray* datos, QString* problema) {
    const QFileInfo info(ruta);
    if (!info.exists())
        return Lectura::Ausente;
    if (!info.isFile()) {
        *problema = textoNoComun(ruta);
        return Lectura::Fallida;
    }
    if (info.size() > ini::kTamanoMaximo) {
        *problema = textoGrande(ruta, info.size());
        return Lectura::Fallida;
    }
    QFile f(ruta);
    if (!f.open(QIODevice::ReadOnly)) {
        *problema = textoIlegible(ruta, f.errorString());
        return Lectura::Fallida;
    }
    *datos = f.read(ini::kTamanoMaximo + 1);
    if (datos->size() > ini::kTamanoMaximo) {
        *problema = textoGrande(ruta, datos->size());
        return Lectura::Fallida;
    }
    return Lectura::Leida;
}
#endif

// ---- The text of the file ----

// Lower case of every Windows-1252 byte, so names compare without regard to case.
const std::array<char, 256>& tablaMinusculas() {
    static const std::array<char, 256> tabla = [] {
        std::array<char, 256> t{};
        for (int b = 0; b < 256; ++b) {
            const QByteArray byte(1, char(b));
            const QByteArray menor = texto::aWindows1252(texto::desdeWindows1252(byte).toLower());
            t[size_t(b)] = menor.size() == 1 && menor != "?" ? menor.at(0) : char(b);
        }
        return t;
    }();
    return tabla;
}

QByteArray plegar(QByteArrayView nombre) {
    const auto& t = tablaMinusculas();
    QByteArray r(nombre.size(), Qt::Uninitialized);
    for (qsizetype i = 0; i < nombre.size(); ++i)
        r[i] = t[uchar(nombre[i])];
    return r;
}

bool mismoNombre(QByteArrayView a, QByteArrayView b) {
    if (a.size() != b.size())
        return false;
    const auto& t = tablaMinusculas();
    for (qsizetype i = 0; i < a.size(); ++i)
        if (t[uchar(a[i])] != t[uchar(b[i])])
            return false;
    return true;
}

// Calls f for every line; f returns false to stop. CR LF, LF and CR end a line,
// and so does a run of NUL bytes (the zero-filled tail a power cut leaves): the
// run goes with the line break right after it, and a line of NULs alone is none.
template <class F> void porLineas(QByteArrayView d, F&& f) {
    const char* p = d.data();
    const qsizetype n = d.size();
    qsizetype i = 0;
    while (i < n) {
        qsizetype j = i;
        while (j < n && p[j] != '\n' && p[j] != '\r' && p[j] != '\0')
            ++j;
        const QByteArrayView linea(p + i, j - i);
        bool nulos = false;
        while (j < n && p[j] == '\0') {
            ++j;
            nulos = true;
        }
        if (j < n && p[j] == '\r') {
            ++j;
            if (j < n && p[j] == '\n')
                ++j;
        } else if (j < n && p[j] == '\n') {
            ++j;
        }
        i = j;
        if (nulos && linea.isEmpty())
            continue;
        if (!f(linea))
            return;
    }
}

struct Linea {
    enum Tipo { Otra, Cabecera, Clave } tipo = Otra;
    QByteArrayView nombre; // the section's or the key's, trimmed
    QByteArrayView valor;  // a key's, trimmed
};

// A line starting with "[" is a section header even without its "]"; a line
// with "=" that is not a comment is a key.
Linea clasificar(QByteArrayView linea) {
    const QByteArrayView t = linea.trimmed();
    Linea r;
    if (t.startsWith('[')) {
        r.tipo = Linea::Cabecera;
        const QByteArrayView resto = t.sliced(1);
        const qsizetype cierre = resto.indexOf(']');
        r.nombre = (cierre < 0 ? resto : resto.first(cierre)).trimmed();
        return r;
    }
    if (t.startsWith(';'))
        return r;
    const qsizetype igual = t.indexOf('=');
    if (igual < 0)
        return r;
    r.tipo = Linea::Clave;
    r.nombre = t.first(igual).trimmed();
    r.valor = t.sliced(igual + 1).trimmed();
    return r;
}

// Profile strings drop one pair of matching quotes around a value and return at
// most 127 characters.
QString comoSeLee(QByteArrayView valor) {
    if (valor.size() >= 2 && (valor.front() == '"' || valor.front() == '\'') &&
        valor.back() == valor.front())
        valor = valor.sliced(1, valor.size() - 2);
    return texto::desdeWindows1252(
        valor.first(qMin<qsizetype>(valor.size(), kLargoMaximo)).toByteArray());
}

struct Seccion {
    QByteArray cabecera;            // as read; empty for the lines before the first header
    std::vector<QByteArray> lineas; // as read, or rewritten by this write
    std::vector<QByteArray> nuevas; // keys this write adds
    // Folded key name -> its first line: index in lineas, or -1 - index in nuevas.
    QHash<QByteArray, int> claves;
    bool nueva = false;
    bool indexada = false;
};

struct Documento {
    std::vector<Seccion> secciones;
    QHash<QByteArray, int> indice; // folded name -> first section of that name
    QByteArray finLinea = "\n";
};

// The lines are raw views of `datos`, which must outlive the document.
Documento analizar(const QByteArray& datos) {
    Documento doc;
    const qsizetype salto = datos.indexOf('\n');
    if (salto > 0 && datos.at(salto - 1) == '\r')
        doc.finLinea = "\r\n";
    doc.secciones.emplace_back();
    porLineas(datos, [&](QByteArrayView l) {
        const QByteArray linea = QByteArray::fromRawData(l.data(), l.size());
        const Linea c = clasificar(l);
        if (c.tipo == Linea::Cabecera) {
            Seccion s;
            s.cabecera = linea;
            doc.secciones.push_back(std::move(s));
            const QByteArray nombre = plegar(c.nombre);
            if (!doc.indice.contains(nombre))
                doc.indice.insert(nombre, int(doc.secciones.size() - 1));
            return true;
        }
        doc.secciones.back().lineas.push_back(linea);
        return true;
    });
    return doc;
}

// Keys are looked up only in the sections a write touches.
void indexar(Seccion& s) {
    if (s.indexada)
        return;
    s.indexada = true;
    s.claves.reserve(qsizetype(s.lineas.size()));
    for (size_t i = 0; i < s.lineas.size(); ++i) {
        const Linea c = clasificar(s.lineas[i]);
        if (c.tipo != Linea::Clave)
            continue;
        const QByteArray nombre = plegar(c.nombre);
        if (!s.claves.contains(nombre))
            s.claves.insert(nombre, int(i));
    }
}

bool seccionEscribible(QByteArrayView s) {
    return !s.isEmpty() && s.indexOf(']') < 0 && s.indexOf('\n') < 0 && s.indexOf('\r') < 0 &&
           s.indexOf('\0') < 0;
}

bool claveEscribible(QByteArrayView k) {
    return !k.isEmpty() && k.front() != '[' && k.front() != ';' && k.indexOf('=') < 0 &&
           k.indexOf('\n') < 0 && k.indexOf('\r') < 0 && k.indexOf('\0') < 0;
}

QByteArray serializar(const Documento& doc, qsizetype reserva) {
    QByteArray out;
    out.reserve(reserva);
    bool ultimaEnBlanco = true;
    const auto emitir = [&](const QByteArray& linea) {
        out += linea;
        out += doc.finLinea;
        ultimaEnBlanco = QByteArrayView(linea).trimmed().isEmpty();
    };
    for (const Seccion& s : doc.secciones) {
        // A new section is set apart from what comes before it by one blank line.
        if (s.nueva && !out.isEmpty() && !ultimaEnBlanco)
            emitir(QByteArray());
        if (!s.cabecera.isEmpty() || s.nueva)
            emitir(s.cabecera);
        // New keys go after the section's last line that is not blank.
        qsizetype fin = qsizetype(s.lineas.size());
        while (fin > 0 && QByteArrayView(s.lineas[size_t(fin - 1)]).trimmed().isEmpty())
            --fin;
        for (qsizetype i = 0; i < fin; ++i)
            emitir(s.lineas[size_t(i)]);
        for (const QByteArray& n : s.nuevas)
            emitir(n);
        for (size_t i = size_t(fin); i < s.lineas.size(); ++i)
            emitir(s.lineas[i]);
    }
    return out;
}

} // namespace

namespace ini {

QString problema() {
    QByteArray datos;
    QString texto;
    leerArchivo(rutaEfectiva(), &datos, &texto);
    return texto;
}

QString leerEn(const QByteArray& datos, const QString& seccion, const QString& clave) {
    const QByteArray s = texto::aWindows1252(seccion).trimmed();
    const QByteArray k = texto::aWindows1252(clave).trimmed();
    std::optional<QString> valor;
    bool dentro = false; // in the first section of that name
    porLineas(datos, [&](QByteArrayView l) {
        const Linea c = clasificar(l);
        if (c.tipo == Linea::Cabecera) {
            if (dentro)
                return false; // only the first section of a name counts
            dentro = mismoNombre(c.nombre, s);
        } else if (dentro && c.tipo == Linea::Clave && mismoNombre(c.nombre, k)) {
            valor = comoSeLee(c.valor);
            return false;
        }
        return true;
    });
    return valor.value_or(QStringLiteral("ERROR"));
}

QList<EntradaIni> entradasEn(const QByteArray& datos) {
    QList<EntradaIni> r;
    QHash<QByteArray, bool> secciones;
    QHash<QByteArray, bool> claves;
    bool cuenta = false;
    QString seccion;
    porLineas(datos, [&](QByteArrayView l) {
        const Linea c = clasificar(l);
        if (c.tipo == Linea::Cabecera) {
            const QByteArray p = plegar(c.nombre);
            cuenta = !secciones.contains(p);
            secciones.insert(p, true);
            seccion = texto::desdeWindows1252(c.nombre.toByteArray());
            claves.clear();
        } else if (cuenta && c.tipo == Linea::Clave) {
            const QByteArray p = plegar(c.nombre);
            if (!claves.contains(p)) {
                claves.insert(p, true);
                r.append(
                    {seccion, texto::desdeWindows1252(c.nombre.toByteArray()), comoSeLee(c.valor)});
            }
        }
        return true;
    });
    return r;
}

std::optional<QByteArray> escribirEn(const QByteArray& datos, const QList<EntradaIni>& entradas) {
    Documento doc = analizar(datos);
    qsizetype agregado = 0;
    for (const EntradaIni& e : entradas) {
        const QByteArray s = texto::aWindows1252(e.seccion).trimmed();
        const QByteArray k = texto::aWindows1252(e.clave).trimmed();
        if (!seccionEscribible(s) || !claveEscribible(k))
            return std::nullopt;
        // A line break in a value would start lines of its own.
        QByteArray v = texto::aWindows1252(e.valor);
        for (char& ch : v)
            if (ch == '\n' || ch == '\r' || ch == '\0')
                ch = ' ';

        const QByteArray ps = plegar(s);
        auto is = doc.indice.constFind(ps);
        if (is == doc.indice.constEnd()) {
            Seccion nueva;
            nueva.cabecera = '[' + s + ']';
            nueva.nueva = true;
            doc.secciones.push_back(std::move(nueva));
            is = doc.indice.insert(ps, int(doc.secciones.size() - 1));
            agregado += s.size() + 4;
        }
        Seccion& sec = doc.secciones[size_t(*is)];
        indexar(sec);
        const QByteArray pk = plegar(k);
        const auto ik = sec.claves.constFind(pk);
        if (ik == sec.claves.constEnd()) {
            sec.claves.insert(pk, -1 - int(sec.nuevas.size()));
            sec.nuevas.push_back(k + '=' + v);
        } else if (*ik < 0) {
            sec.nuevas[size_t(-1 - *ik)] = k + '=' + v;
        } else {
            // The key keeps its spelling in the file.
            QByteArray& linea = sec.lineas[size_t(*ik)];
            linea = clasificar(linea).nombre.toByteArray() + '=' + v;
        }
        agregado += k.size() + v.size() + 3;
    }
    return serializar(doc, datos.size() + agregado);
}

} // namespace ini

QString LeerIni(const QString& seccion, const QString& clave) {
    QByteArray datos;
    QString problema;
    if (leerArchivo(rutaEfectiva(), &datos, &problema) != Lectura::Leida)
        return QStringLiteral("ERROR");
    return ini::leerEn(datos, seccion, clave);
}

bool EscribirIni(const QString& seccion, const QString& clave, const QString& valor) {
    return EscribirIniLote({EntradaIni{seccion, clave, valor}});
}

bool EscribirIniLote(const QList<EntradaIni>& entradas) {
    const QString ruta = rutaEfectiva();
    QByteArray datos;
    QString problema;
    if (leerArchivo(ruta, &datos, &problema) == Lectura::Fallida)
        return false;
    const std::optional<QByteArray> salida = ini::escribirEn(datos, entradas);
    if (!salida)
        return false;
    QDir().mkpath(QFileInfo(ruta).absolutePath());
    QSaveFile f(ruta);
    if (!f.open(QIODevice::WriteOnly))
        return false;
    f.write(*salida);
    return f.commit();
}
