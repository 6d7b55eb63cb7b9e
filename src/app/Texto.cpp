#include "app/Texto.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <limits>
#include <string>

namespace texto {

double Val(QStringView texto) {
    // The number's text without the blanks, converted once: adding digit by digit
    // rounds at every step ("0.3" would not read as 0.3).
    std::string numero;
    bool punto = false;
    bool digitos = false;
    for (const QChar c : texto) {
        if (c == u' ' || c == u'\t' || c == u'\n' || c == u'\r')
            continue;
        if ((c == u'-' || c == u'+') && numero.empty()) {
            numero += char(c.unicode());
            continue;
        }
        if (c == u'.' && !punto) {
            punto = true;
            numero += '.';
            continue;
        }
        if (c >= u'0' && c <= u'9') {
            digitos = true;
            numero += char(c.unicode());
            continue;
        }
        break;
    }
    if (!digitos)
        return 0;
    const bool negativo = numero.front() == '-';
    const char* inicio = numero.data() + (numero.front() == '-' || numero.front() == '+');
    const char* fin = numero.data() + numero.size();
    double valor = 0;
    if (std::from_chars(inicio, fin, valor, std::chars_format::fixed).ec ==
        std::errc::result_out_of_range) {
        // Too large, or too small to be told from zero.
        const char* cifra = std::find_if(inicio, fin, [](char ch) { return ch != '0'; });
        valor = cifra != fin && *cifra != '.' ? std::numeric_limits<double>::infinity() : 0.0;
    }
    return negativo ? -valor : valor;
}

double RedondearPar(double valor) {
    // nearbyint follows the default rounding mode, which rounds halves to even.
    return std::nearbyint(valor);
}

qint32 ValEntero(QStringView texto) {
    const double v = RedondearPar(Val(texto));
    if (v >= std::numeric_limits<qint32>::max())
        return std::numeric_limits<qint32>::max();
    if (v <= std::numeric_limits<qint32>::min())
        return std::numeric_limits<qint32>::min();
    return static_cast<qint32>(v);
}

qint16 ValEntero16(QStringView texto) {
    const qint32 v = ValEntero(texto);
    if (v > std::numeric_limits<qint16>::max())
        return std::numeric_limits<qint16>::max();
    if (v < std::numeric_limits<qint16>::min())
        return std::numeric_limits<qint16>::min();
    return static_cast<qint16>(v);
}

QString Derecha(const QString& texto, int n) {
    return n >= texto.size() ? texto : texto.right(n);
}

QString Izquierda(const QString& texto, int n) {
    return texto.left(n);
}

namespace {
// Code points of bytes 0x80 to 0x9F in Windows-1252; 0 marks the five unused bytes,
// which are kept as the C1 control of the same value.
constexpr char16_t kAlto[32] = {0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
                                0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0,      0x017D, 0,
                                0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
                                0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};
} // namespace

QByteArray aWindows1252(const QString& texto) {
    QByteArray bytes;
    bytes.reserve(texto.size());
    for (const QChar c : texto) {
        const char16_t u = c.unicode();
        if (u < 0x80 || (u >= 0xA0 && u <= 0xFF)) {
            bytes.append(static_cast<char>(u));
            continue;
        }
        char b = '?';
        for (int i = 0; i < 32; ++i) {
            if (kAlto[i] == u || (kAlto[i] == 0 && u == 0x80 + i)) {
                b = static_cast<char>(0x80 + i);
                break;
            }
        }
        bytes.append(b);
    }
    return bytes;
}

QString desdeWindows1252(const QByteArray& bytes) {
    QString texto;
    texto.reserve(bytes.size());
    for (const char ch : bytes) {
        const auto b = static_cast<unsigned char>(ch);
        if (b >= 0x80 && b < 0xA0)
            texto.append(QChar(kAlto[b - 0x80] ? kAlto[b - 0x80] : char16_t(b)));
        else
            texto.append(QChar(char16_t(b)));
    }
    return texto;
}

} // namespace texto
