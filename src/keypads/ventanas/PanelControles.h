#pragma once
// Virtual keypads for the simulated receiver: one per examinee position, with
// the digit keys 1 to 9 and 0. Offices use it to rehearse a room without
// hardware; each press becomes an answer report of that position.

#include <QPointer>
#include <QWidget>

class QCheckBox;
class QGridLayout;
class QLabel;
class QSpinBox;
class ReceptorSimulado;

class PanelControles : public QWidget {
    Q_OBJECT
public:
    // `cantidad` > 0 shows that many positions (0 to cantidad-1); 0 shows the
    // positions of the keypads the receiver has numbered, following it as it
    // numbers more.
    explicit PanelControles(ReceptorSimulado& receptor, int cantidad = 0,
                            QWidget* parent = nullptr);

    void fijarCantidad(int cantidad);
    QList<int> posiciones() const { return posiciones_; }

private:
    void reconstruir();
    void actualizarEstado();

    QPointer<ReceptorSimulado> receptor_;
    int cantidad_;
    QList<int> posiciones_;
    QWidget* controles_ = nullptr;
    QGridLayout* rejilla_ = nullptr;
    QLabel* estado_ = nullptr;
    QCheckBox* enchufado_ = nullptr;
    QSpinBox* cantidadCtl_ = nullptr;
};
