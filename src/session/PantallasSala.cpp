#include "session/PantallasSala.h"

namespace {

// Share of a shared screen the console takes: enough for the grid of a full
// room, little enough to leave the question readable.
constexpr double kParteConsola = 0.42;

int primeraDistinta(const QList<PantallaSala>& pantallas, int excluida, bool primaria) {
    for (int i = 0; i < pantallas.size(); ++i)
        if (i != excluida && pantallas.at(i).primaria == primaria)
            return i;
    return -1;
}

} // namespace

ColocacionSala colocarSala(const QList<PantallaSala>& pantallas, const QString& elegida) {
    ColocacionSala c;
    if (pantallas.isEmpty())
        return c;
    for (int i = 0; i < pantallas.size() && c.vista < 0; ++i)
        if (!elegida.isEmpty() && pantallas.at(i).nombre == elegida)
            c.vista = i;
    if (c.vista < 0)
        c.vista = primeraDistinta(pantallas, -1, false);
    if (c.vista < 0)
        c.vista = 0;

    c.consola = primeraDistinta(pantallas, c.vista, true);
    if (c.consola < 0)
        c.consola = primeraDistinta(pantallas, c.vista, false);
    c.consolaAparte = c.consola >= 0;
    if (!c.consolaAparte)
        c.consola = c.vista;

    const PantallaSala& vista = pantallas.at(c.vista);
    c.marcoVista = vista.geometria;
    const PantallaSala& consola = pantallas.at(c.consola);
    const QRect area = consola.disponible.isValid() ? consola.disponible : consola.geometria;
    if (c.consolaAparte) {
        c.marcoConsola = area;
    } else {
        const QSize tamano(int(area.width() * kParteConsola), int(area.height() * kParteConsola));
        c.marcoConsola = QRect(
            area.bottomRight() - QPoint(tamano.width(), tamano.height()) + QPoint(1, 1), tamano);
    }
    return c;
}
