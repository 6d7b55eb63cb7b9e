#include "app/Rutinas.h"

#include "app/Rutas.h"

#include <QStringList>

namespace {

QString mayusculaInicial(const QString& pieza) {
    QString r = pieza.toLower();
    bool inicio = true;
    for (qsizetype i = 0; i < r.size(); ++i) {
        const QChar c = r.at(i);
        // After an apostrophe a new word begins: O'Higgins, D'Alessandro.
        if (c.isSpace() || c == u'\'' || c == u'\u2019') {
            inicio = true;
        } else if (inicio) {
            r.replace(i, 1, c.toUpper());
            inicio = false;
        }
    }
    return r;
}

} // namespace

QString NombrePropio(QString& texto) {
    texto = texto.trimmed();
    if (texto.isEmpty())
        return QString();
    QString resultado;
    const QStringList piezas = texto.split(u' ');
    for (const QString& p : piezas) {
        const QString pieza = p.trimmed();
        resultado += u' ';
        resultado += pieza.size() > 1 ? mayusculaInicial(pieza) : pieza.toLower();
    }
    return resultado.trimmed();
}

QString UnidadTrabajoDe(const QString& carpetaPrograma) {
    return carpetaPrograma.trimmed().left(2).compare(QStringLiteral("F:"), Qt::CaseInsensitive) == 0
               ? QStringLiteral("F:")
               : QStringLiteral("C:");
}

QString UnidadTrabajo() {
    return UnidadTrabajoDe(rutas::carpetaPrograma());
}
