#include "app/Ini.h"

#include "app/Rutas.h"
#include "app/Texto.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include <SimpleIni.h>

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

QString rutaEfectiva() {
    const QString r = ini::ruta();
    return r.isEmpty() ? rutas::archivoZarn() : r;
}

// CSimpleIniA compares names without regard to case (CSimpleIniCaseA is the case-sensitive one).
using Ini = CSimpleIniA;

void preparar(Ini& archivo) {
    archivo.SetUnicode(false);
    archivo.SetMultiKey(false);
    archivo.SetSpaces(false);
}

// False only when the file exists and cannot be read.
bool cargar(Ini& archivo, const QString& ruta) {
    preparar(archivo);
    QFile f(ruta);
    if (!f.exists())
        return true;
    if (!f.open(QIODevice::ReadOnly))
        return false;
    const QByteArray datos = f.readAll();
    return archivo.LoadData(datos.constData(), size_t(datos.size())) >= 0;
}

bool guardar(const Ini& archivo, const QString& ruta) {
    std::string salida;
    if (archivo.Save(salida) < 0)
        return false;
    QDir().mkpath(QFileInfo(ruta).absolutePath());
    QSaveFile f(ruta);
    if (!f.open(QIODevice::WriteOnly))
        return false;
    f.write(salida.data(), qint64(salida.size()));
    return f.commit();
}

// Profile strings drop one pair of matching quotes around a value.
QByteArray sinComillas(QByteArray v) {
    if (v.size() >= 2 && (v.front() == '"' || v.front() == '\'') && v.back() == v.front())
        return v.mid(1, v.size() - 2);
    return v;
}

} // namespace

QString LeerIni(const QString& seccion, const QString& clave) {
    const QString error = QStringLiteral("ERROR");
    Ini archivo;
    const QString ruta = rutaEfectiva();
    if (!QFileInfo::exists(ruta) || !cargar(archivo, ruta))
        return error;
    const QByteArray s = texto::aWindows1252(seccion);
    const QByteArray k = texto::aWindows1252(clave);
    const char* valor = archivo.GetValue(s.constData(), k.constData(), nullptr);
    if (!valor)
        return error;
    const QByteArray bytes = sinComillas(QByteArray(valor).trimmed()).left(kLargoMaximo);
    return texto::desdeWindows1252(bytes);
}

bool EscribirIni(const QString& seccion, const QString& clave, const QString& valor) {
    return EscribirIniLote({EntradaIni{seccion, clave, valor}});
}

bool EscribirIniLote(const QList<EntradaIni>& entradas) {
    Ini archivo;
    const QString ruta = rutaEfectiva();
    if (!cargar(archivo, ruta))
        return false;
    for (const EntradaIni& e : entradas) {
        const QByteArray s = texto::aWindows1252(e.seccion);
        const QByteArray k = texto::aWindows1252(e.clave);
        const QByteArray v = texto::aWindows1252(e.valor);
        if (archivo.SetValue(s.constData(), k.constData(), v.constData()) < 0)
            return false;
    }
    return guardar(archivo, ruta);
}
