#pragma once
// Shared by the capture window tests: acting on a modal window once it is open,
// and the simulated camera's snapshot folder.

#include <QApplication>
#include <QPointer>
#include <QTimer>
#include <QWidget>
#include <functional>

// Runs `accion` on the next modal window of class T as soon as it is shown. A
// window the action leaves open is closed, so a failed check never hangs the test.
template <typename T> void alAbrirModal(std::function<void(T*)> accion) {
    auto* reloj = new QTimer(qApp);
    reloj->setInterval(10);
    auto intentos = std::make_shared<int>(0);
    QObject::connect(reloj, &QTimer::timeout, reloj, [reloj, intentos, accion] {
        auto* w = qobject_cast<T*>(QApplication::activeModalWidget());
        if (!w || !w->isVisible()) {
            if (++*intentos > 1000)
                reloj->deleteLater();
            return;
        }
        reloj->stop();
        reloj->deleteLater();
        QPointer<T> abierta(w);
        accion(w);
        if (abierta && abierta->isVisible())
            abierta->close();
    });
    reloj->start();
}

template <typename T = QWidget> T* hijo(QObject* w, const char* nombre) {
    T* c = w->findChild<T*>(QString::fromLatin1(nombre));
    if (!c)
        qFatal("no control %s", nombre);
    return c;
}
