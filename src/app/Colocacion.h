#pragma once
// Where a companion window goes beside the window it serves, on one screen.

#include <QRect>

struct Colocacion {
    QRect acompanante; // frame of the companion
    QRect ventana;     // frame of the window served (moved only to make room)
};

// Puts a companion of size `deseado` (at least `minimo`) right of, left of, below
// or above `ventana`, whichever side leaves it largest, within `area`. When no
// side has room for `minimo`, `ventana` is moved towards an edge of `area` to
// make room; when even that leaves less than `minimo`, the companion takes the
// largest room there is. The two overlap only when `ventana` fills `area`.
Colocacion colocarAlLado(const QRect& ventana, const QSize& deseado, const QSize& minimo,
                         const QRect& area);
