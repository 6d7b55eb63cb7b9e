#include "app/ventanas/ListaPorLotes.h"

#include <QAbstractItemView>
#include <QScrollBar>

void leerAlDesplazar(QAbstractItemView* vista, std::function<bool()> hayMas,
                     std::function<void()> leerMas) {
    QScrollBar* barra = vista->verticalScrollBar();
    const auto revisar = [barra, hayMas = std::move(hayMas), leerMas = std::move(leerMas)] {
        // Within a page of the end: the next rows are about to be shown.
        if (hayMas() && barra->value() >= barra->maximum() - barra->pageStep())
            leerMas();
    };
    // Queued: the range changes while the view lays out the rows it was given.
    QObject::connect(barra, &QScrollBar::valueChanged, vista, revisar, Qt::QueuedConnection);
    QObject::connect(barra, &QScrollBar::rangeChanged, vista, revisar, Qt::QueuedConnection);
}
