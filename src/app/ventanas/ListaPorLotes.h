#pragma once
// A list whose model reads its rows in batches: the next batch is asked for when
// the operator scrolls near the end, or while the rows do not fill the list.
// (Qt's own fetchMore is not used: a tree view asks for it again after every
// batch it lays out, until the whole table is read.)

#include <functional>

class QAbstractItemView;

void leerAlDesplazar(QAbstractItemView* vista, std::function<bool()> hayMas,
                     std::function<void()> leerMas);
