// The configuration file's reader and writer. The input is a few entries to
// write followed by the file's bytes. A write must change only what it names:
// every other value reads back the same, no value appears that was not there or
// written, every other line stays in its order, and writing the same again
// changes nothing.
#include "app/Ini.h"
#include "../Comun.h"
#include "app/Texto.h"

#include <QByteArrayList>

namespace {

QString cadena(const uint8_t*& p, const uint8_t* fin) {
    if (p == fin)
        return {};
    const size_t pedido = *p++ % 32;
    const size_t largo = std::min<size_t>(pedido, size_t(fin - p));
    const QByteArray bytes(reinterpret_cast<const char*>(p), qsizetype(largo));
    p += largo;
    return texto::desdeWindows1252(bytes);
}

bool mismo(const QString& a, const QString& b) {
    return a.trimmed().compare(b.trimmed(), Qt::CaseInsensitive) == 0;
}

// Lines as the file holds them, NULs and line breaks alike ending them.
QByteArrayList lineas(const QByteArray& datos) {
    QByteArrayList r;
    for (const QByteArray& l : datos.split('\n')) {
        qsizetype i = 0;
        while (i <= l.size()) {
            qsizetype j = i;
            while (j < l.size() && l[j] != '\r' && l[j] != '\0')
                ++j;
            if (j > i)
                r.append(l.mid(i, j - i));
            i = j + 1;
        }
    }
    return r;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* datos, size_t largo) {
    const uint8_t* p = datos;
    const uint8_t* fin = datos + largo;
    QList<EntradaIni> escritas;
    const int n = p == fin ? 0 : *p++ % 6;
    for (int i = 0; i < n; ++i) {
        EntradaIni e;
        e.seccion = cadena(p, fin);
        e.clave = cadena(p, fin);
        e.valor = cadena(p, fin);
        escritas.append(e);
    }
    const QByteArray antes(reinterpret_cast<const char*>(p), qsizetype(fin - p));

    const QList<EntradaIni> leidas = ini::entradasEn(antes);
    for (const EntradaIni& e : leidas)
        EXIGIR(ini::leerEn(antes, e.seccion, e.clave) == e.valor);

    const std::optional<QByteArray> despues = ini::escribirEn(antes, escritas);
    if (!despues)
        return 0; // a name that cannot be written: nothing is written
    EXIGIR(!despues->contains('\0'));

    const auto escrita = [&](const QString& seccion, const QString& clave) {
        const EntradaIni* ultima = nullptr;
        for (const EntradaIni& w : escritas)
            if (mismo(w.seccion, seccion) && mismo(w.clave, clave))
                ultima = &w;
        return ultima;
    };
    // What was not written reads back the same.
    for (const EntradaIni& e : leidas)
        if (!escrita(e.seccion, e.clave))
            EXIGIR(ini::leerEn(*despues, e.seccion, e.clave) == e.valor);
    // What was written reads back as written into an empty file.
    for (const EntradaIni& w : escritas) {
        const EntradaIni* ultima = escrita(w.seccion, w.clave);
        const QString esperado =
            ini::leerEn(*ini::escribirEn(QByteArray(), {*ultima}), w.seccion, w.clave);
        EXIGIR(ini::leerEn(*despues, w.seccion, w.clave) == esperado);
    }
    // Nothing readable appears that was neither there nor written.
    for (const EntradaIni& e : ini::entradasEn(*despues)) {
        bool conocida = escrita(e.seccion, e.clave) != nullptr;
        for (const EntradaIni& a : leidas)
            conocida = conocida || (mismo(a.seccion, e.seccion) && mismo(a.clave, e.clave));
        EXIGIR(conocida);
    }
    // Every line but those of the written keys stays, in its order.
    const QByteArrayList nuevas = lineas(*despues);
    qsizetype k = 0;
    for (const QByteArray& l : lineas(antes)) {
        const qsizetype igual = l.indexOf('=');
        if (igual >= 0 && !l.trimmed().startsWith('[') && !l.trimmed().startsWith(';')) {
            const QString clave = texto::desdeWindows1252(l.left(igual));
            bool tocada = false;
            for (const EntradaIni& w : escritas)
                tocada = tocada || mismo(w.clave, clave);
            if (tocada)
                continue;
        }
        while (k < nuevas.size() && nuevas[k] != l)
            ++k;
        EXIGIR(k < nuevas.size());
        ++k;
    }
    // The same write again changes nothing.
    EXIGIR(ini::escribirEn(*despues, escritas) == despues);
    return 0;
}
