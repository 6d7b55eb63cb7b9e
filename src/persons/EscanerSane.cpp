#include "persons/EscanerSane.h"

#include "persons/TrabajoSane.h"

#include <QMetaObject>

EscanerSane::EscanerSane(QObject* padre)
    : Escaner(padre), cancelarHasta_(std::make_shared<std::atomic<int>>(0)) {
    qRegisterMetaType<QList<DispositivoEscaner>>();
    hilo_.setObjectName(QStringLiteral("escaner"));
    trabajo_ = new TrabajoSane(cancelarHasta_);
    trabajo_->moveToThread(&hilo_);
    // SANE ends on its own thread, as the thread ends.
    connect(
        &hilo_, &QThread::finished, trabajo_,
        [t = trabajo_] {
            t->cerrar();
            delete t;
        },
        Qt::DirectConnection);
    connect(trabajo_, &TrabajoSane::listados, this, &Escaner::listados);
    connect(trabajo_, &TrabajoSane::progreso, this, &Escaner::progreso);
    connect(trabajo_, &TrabajoSane::adquirida, this, &Escaner::adquirida);
    connect(trabajo_, &TrabajoSane::fallo, this, &Escaner::fallo);
    connect(trabajo_, &TrabajoSane::cancelada, this, &Escaner::cancelada);
    hilo_.start();
}

EscanerSane::~EscanerSane() {
    cancelarHasta_->store(ultimoPedido_);
    hilo_.quit();
    hilo_.wait();
}

void EscanerSane::listar() {
    QMetaObject::invokeMethod(trabajo_, &TrabajoSane::listar, Qt::QueuedConnection);
}

int EscanerSane::adquirir(const QString& nombre) {
    const int pedido = ++ultimoPedido_;
    QMetaObject::invokeMethod(
        trabajo_, [t = trabajo_, pedido, nombre] { t->adquirir(pedido, nombre); },
        Qt::QueuedConnection);
    return pedido;
}

void EscanerSane::cancelar() {
    cancelarHasta_->store(ultimoPedido_);
}
