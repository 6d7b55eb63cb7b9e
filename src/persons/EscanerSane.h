#pragma once
// The scanner through SANE. Every SANE call runs on one thread of its own (the
// library wants one thread and may block for seconds while it probes devices or
// reads a page); the interface thread only posts requests and receives signals.
// Which backends SANE loads is its own configuration (SANE_CONFIG_DIR).

#include "persons/Escaner.h"

#include <QThread>
#include <atomic>
#include <memory>

class TrabajoSane;

class EscanerSane : public Escaner {
    Q_OBJECT
public:
    explicit EscanerSane(QObject* padre = nullptr);
    ~EscanerSane() override;

    void listar() override;
    int adquirir(const QString& nombre) override;
    void cancelar() override;

private:
    QThread hilo_;
    TrabajoSane* trabajo_ = nullptr;                  // lives on hilo_
    std::shared_ptr<std::atomic<int>> cancelarHasta_; // requests up to this one are cancelled
    int ultimoPedido_ = 0;
};
