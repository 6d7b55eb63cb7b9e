// Reading numbers as the runtime's Val does. The oracle reads the same text
// another way: the blanks taken out, the leading sign, digits and point matched,
// then converted by Qt's own correctly rounded conversion.
#include "../Comun.h"
#include "app/Texto.h"

#include <QRegularExpression>
#include <QString>
#include <cmath>
#include <limits>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* datos, size_t largo) {
    const QString texto = QString::fromUtf8(reinterpret_cast<const char*>(datos), qsizetype(largo));
    const double v = texto::Val(texto);
    EXIGIR(!std::isnan(v));

    QString sinBlancos = texto;
    sinBlancos.remove(QRegularExpression(QStringLiteral("[ \\t\\r\\n]")));
    static const QRegularExpression numero(QStringLiteral("^[+-]?([0-9]*)(\\.([0-9]*))?"));
    const QRegularExpressionMatch m = numero.match(sinBlancos);
    const QString enteros = m.captured(1);
    const QString decimales = m.captured(3);
    if (enteros.isEmpty() && decimales.isEmpty()) {
        EXIGIR(v == 0);
    } else {
        QString canonico = m.captured(0);
        if (canonico.startsWith(u'+'))
            canonico.remove(0, 1);
        if (canonico.endsWith(u'.'))
            canonico.chop(1);
        bool ok = false;
        double esperado = canonico.toDouble(&ok);
        if (!ok) {
            // Out of range: too large is infinite, too small is zero.
            const bool grande = enteros.contains(QRegularExpression(QStringLiteral("[1-9]")));
            esperado = grande ? std::numeric_limits<double>::infinity() : 0.0;
            if (canonico.startsWith(u'-'))
                esperado = -esperado;
        }
        EXIGIR(v == esperado);
    }

    // A whole number is the same value rounded to even and held in range.
    const qint32 entero = texto::ValEntero(texto);
    const double redondo = std::nearbyint(v);
    if (redondo >= std::numeric_limits<qint32>::max())
        EXIGIR(entero == std::numeric_limits<qint32>::max());
    else if (redondo <= std::numeric_limits<qint32>::min())
        EXIGIR(entero == std::numeric_limits<qint32>::min());
    else
        EXIGIR(entero == qint32(redondo));
    return 0;
}
