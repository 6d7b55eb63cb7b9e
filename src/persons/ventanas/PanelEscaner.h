#pragma once
// The scanning step of a capture window: finds the scanners, lets the operator
// choose one when there are several, acquires one picture while showing its
// progress with a working "Cancelar", and reports the device's own words when it
// fails. Hidden while idle. Used by the photograph and signature windows.

#include <QImage>
#include <QWidget>

class Escaner;
class QLabel;
class QProgressBar;
class QPushButton;
struct DispositivoEscaner;

class PanelEscaner : public QWidget {
    Q_OBJECT
public:
    explicit PanelEscaner(QWidget* padre = nullptr);
    // A window closed while scanning cancels the scan; its picture is dropped.
    ~PanelEscaner() override;

    void iniciar();
    bool ocupado() const { return estado_ != Estado::Libre; }

Q_SIGNALS:
    // A whole picture; never a partial one.
    void adquirida(const QImage& imagen);
    // The step is over, whatever its outcome.
    void terminado();

private:
    enum class Estado { Libre, Buscando, Adquiriendo, Cancelando };
    void listados(const QList<DispositivoEscaner>& dispositivos, const QString& error);
    void adquirir(const DispositivoEscaner& dispositivo);
    void cancelar();
    void terminar();

    Escaner& escaner_;
    Estado estado_ = Estado::Libre;
    int pedido_ = 0;
    QLabel* texto_ = nullptr;
    QProgressBar* barra_ = nullptr;
    QPushButton* cancelar_ = nullptr;
};
