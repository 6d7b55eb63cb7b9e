#pragma once
// The real USB receiver: found through hidapi, reports through its hidraw node.
// All device I/O runs on one thread of its own; reports, plugs and unplugs reach
// the interface thread as queued signals, in order, one `leido` per input report.
// Writes are queued and sent in order, never closer together than the receiver
// can take them.

#include "keypads/Receptor.h"

#include <memory>

class HiloReceptorHid;

class ReceptorHid : public Receptor {
    Q_OBJECT
public:
    // `periodoMs`: how often the receiver's presence is checked (plug and unplug
    // are noticed within this period).
    explicit ReceptorHid(QObject* parent = nullptr, int periodoMs = 300);
    // The least time the receiver needs between two output reports.
    static constexpr int kSeparacionMs = 100;
    ~ReceptorHid() override;

    void abrir() override;
    void cerrar() override;
    bool escribir(const QByteArray& reporte) override;
    bool conectado() const override;

private:
    int periodoMs_;
    int generacion_ = 0;
    bool abierto_ = false;
    bool conectado_ = false;
    std::unique_ptr<HiloReceptorHid> hilo_;
};
