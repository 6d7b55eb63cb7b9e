#include "session/ReporteRespuestas.h"

#include "app/Texto.h"

#include <algorithm>

QChar CaracterTecla(quint8 byte) {
    if (byte < 0x80)
        return QChar(char16_t(byte));
    const QString s = texto::desdeWindows1252(QByteArray(1, char(byte)));
    return s.isEmpty() ? QChar(char16_t(byte)) : s.at(0);
}

QList<TeclaReporte> TeclasDeReporte(const QByteArray& reporte, int evaluados) {
    QList<TeclaReporte> teclas;
    const int n = std::min({evaluados, kPosicionesReporte, int(reporte.size()) - 2});
    for (int p = 0; p < n; ++p) {
        const quint8 b = quint8(reporte.at(p + 2));
        if (b != 0)
            teclas.append({p, CaracterTecla(b)});
    }
    return teclas;
}
