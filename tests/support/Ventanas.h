#pragma once
// Driving a window as the operator does: find its controls by the names the
// office knows them by, press them with the mouse, read its lists.

#include <QAbstractItemView>
#include <QPushButton>
#include <QStringList>
#include <QWidget>
#include <QtTest>

// The child of that name; the test stops when there is none.
template <typename T = QWidget> T* hijo(const QWidget& ventana, const QString& nombre) {
    T* w = ventana.findChild<T*>(nombre);
    if (!w)
        qFatal("No hay control %s en %s", qPrintable(nombre), qPrintable(ventana.objectName()));
    return w;
}

// A mouse click on the button (a disabled one takes none).
void pulsar(const QWidget& ventana, const QString& boton);

// The texts of a list column, and one cell.
QStringList columna(const QAbstractItemView* vista, int columna = 0);
QString celda(const QAbstractItemView* vista, int fila, int columna);
// The named controls Tab visits from the window on, in order (the inner parts of
// composite inputs left out), and whether every labelled input carries its
// label's text as accessible name.
QStringList ordenTabulacion(QWidget& ventana);
bool rotulosAccesibles(const QWidget& ventana);
// Makes the row the list's current one, as a click on it does.
void elegirFila(QAbstractItemView* vista, int fila);
