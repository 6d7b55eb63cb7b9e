#pragma once
// The real fingerprint reader, on libfprint.
//
// libfprint reports through GLib: each asynchronous call finishes in a callback
// dispatched by the thread-default GLib main context of the calling thread. On
// the interface thread that is GLib's default context, which Qt's event loop
// iterates on Linux (its GLib event dispatcher), so the callbacks run on the
// interface thread between Qt's own events, and no thread or polling is needed.
// Under another event dispatcher (QT_NO_GLIB=1) nothing would ever iterate that
// context: the reader then reports a failure at once instead of waiting forever.

#include "persons/LectorHuellas.h"

#include <memory>

class LectorFprint : public LectorHuellas {
    Q_OBJECT
public:
    explicit LectorFprint(QObject* parent = nullptr);
    ~LectorFprint() override;

    void iniciar() override;
    void detener() override;

    // True when this thread's event loop dispatches GLib's default main context.
    static bool bucleAtiendeGlib();

private:
    struct Estado; // the GLib objects and the phase of the device

    void elegirYAbrir();
    void capturar();
    void cerrar();
    void alAbrir(bool ok, const QString& error);
    void alCapturar(const QImage& dedo, const QString& error, bool cancelada, bool reintentar);
    void alCerrar();
    void fallar(const QString& mensaje);

    std::unique_ptr<Estado> e_;
};
