#include "app/Idioma.h"

#include "app/Claves.h"
#include "app/Ini.h"

namespace idioma {

namespace {

// "Perú", "PERU" and " peru " compare equal.
QString llano(const QString& texto) {
    const QString descompuesto = texto.trimmed().normalized(QString::NormalizationForm_D);
    QString r;
    r.reserve(descompuesto.size());
    for (const QChar c : descompuesto)
        if (c.category() != QChar::Mark_NonSpacing)
            r += c;
    return r.toCaseFolded();
}

} // namespace

QLocale::Territory paisHispano(const QString& pais) {
    const QString buscado = llano(pais);
    if (buscado.isEmpty())
        return QLocale::AnyTerritory;
    const QList<QLocale> hispanos =
        QLocale::matchingLocales(QLocale::Spanish, QLocale::AnyScript, QLocale::AnyTerritory);
    for (const QLocale& l : hispanos) {
        const QLocale::Territory t = l.territory();
        if (t == QLocale::AnyTerritory)
            continue;
        if (buscado == llano(l.nativeTerritoryName()) ||
            buscado == llano(QLocale::territoryToString(t)) ||
            buscado == llano(QLocale::territoryToCode(t)))
            return t;
    }
    return QLocale::AnyTerritory;
}

QLocale elegir(const QLocale& sistema, const QString& pais) {
    if (sistema.language() == QLocale::Spanish)
        return sistema;
    const QLocale::Territory t = paisHispano(pais);
    return t == QLocale::AnyTerritory ? QLocale(QLocale::Spanish) : QLocale(QLocale::Spanish, t);
}

QLocale fijarPredeterminado() {
    QLocale l = elegir(QLocale::system(), LeerIni(claves::kPais));
    QLocale::setDefault(l);
    return l;
}

} // namespace idioma
