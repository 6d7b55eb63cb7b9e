#pragma once
// Driving a window as the operator does: find its controls by the names the
// office knows them by, press them with the mouse, read its lists.

#include <QAbstractItemView>
#include <QApplication>
#include <QPointer>
#include <QPushButton>
#include <QStringList>
#include <QTimer>
#include <QWidget>
#include <QtTest>
#include <functional>
#include <memory>

// The child of that name; the test stops when there is none.
template <typename T = QWidget> T* hijo(const QWidget& ventana, const QString& nombre) {
    T* w = ventana.findChild<T*>(nombre);
    if (!w)
        qFatal("No hay control %s en %s", qPrintable(nombre), qPrintable(ventana.objectName()));
    return w;
}

template <typename T = QWidget> T* hijo(const QWidget* ventana, const QString& nombre) {
    return hijo<T>(*ventana, nombre);
}

// Runs `accion` once `listo` holds, checking every 10 ms without waiting inside
// whatever window loop is running (a window's result may only be set once a
// nested loop has returned). Gives up after 10 s, closing the modal window.
inline void cuando(const std::function<bool()>& listo, const std::function<void()>& accion) {
    auto* reloj = new QTimer(qApp);
    reloj->setInterval(10);
    auto intentos = std::make_shared<int>(0);
    QObject::connect(reloj, &QTimer::timeout, reloj, [reloj, intentos, listo, accion] {
        if (!listo()) {
            if (++*intentos > 1000) {
                reloj->deleteLater();
                if (QWidget* w = QApplication::activeModalWidget())
                    w->close();
            }
            return;
        }
        reloj->stop();
        reloj->deleteLater();
        accion();
    });
    reloj->start();
}

// Runs `accion` on the next modal window of class T as soon as it is shown. A
// window the action leaves open is closed, so a failed check never hangs the test.
template <typename T> void alAbrirModal(std::function<void(T*)> accion) {
    const auto abierta = [] {
        auto* w = qobject_cast<T*>(QApplication::activeModalWidget());
        return w && w->isVisible() ? w : nullptr;
    };
    cuando([abierta] { return abierta() != nullptr; },
           [abierta, accion] {
               QPointer<T> w(abierta());
               accion(w);
               if (w && w->isVisible())
                   w->close();
           });
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
