#pragma once
// The SANE side of EscanerSane: lives on the scanner's thread and makes every
// SANE call there, one request at a time. Not used elsewhere.

#include "persons/Escaner.h"

#include <QByteArray>
#include <QList>
#include <QObject>
#include <atomic>
#include <memory>
#include <sane/sane.h>

// One frame as the device sent it.
struct CuadroSane {
    SANE_Parameters parametros{};
    QByteArray datos;
};

class TrabajoSane : public QObject {
    Q_OBJECT
public:
    // Requests up to the number in `cancelarHasta` are cancelled; the interface
    // thread raises it while a scan runs here.
    explicit TrabajoSane(std::shared_ptr<std::atomic<int>> cancelarHasta);

    void listar();
    void adquirir(int pedido, const QString& nombre);
    // Ends SANE; called as the thread ends.
    void cerrar();

Q_SIGNALS:
    void listados(const QList<DispositivoEscaner>& dispositivos, const QString& error);
    void progreso(int pedido, int porcentaje);
    void adquirida(int pedido, const QImage& imagen);
    void fallo(int pedido, const QString& texto);
    void cancelada(int pedido);

private:
    QString iniciar();
    bool cancelado(int pedido) const;
    // Reads every frame of one page. SANE_STATUS_GOOD when the page is complete.
    SANE_Status leerPagina(int pedido, SANE_Handle h, QList<CuadroSane>& cuadros);

    std::shared_ptr<std::atomic<int>> cancelarHasta_;
    bool iniciado_ = false;
};
