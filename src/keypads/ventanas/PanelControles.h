#pragma once
// Virtual keypads for the simulated receiver: one per examinee position, with
// the digit keys 1 to 9 and 0. Offices use it to rehearse a room without
// hardware; each press becomes an answer report of that position.

#include <QPointer>
#include <QWidget>

class QCheckBox;
class QGridLayout;
class QLabel;
class QScrollArea;
class QSpinBox;
class ReceptorSimulado;

class PanelControles : public QWidget {
    Q_OBJECT
public:
    // `cantidad` > 0 shows that many positions (0 to cantidad-1); 0 shows the
    // positions of the group's keypads and of those the receiver has numbered,
    // following it as it numbers more.
    explicit PanelControles(ReceptorSimulado& receptor, int cantidad = 0,
                            QWidget* parent = nullptr);

    void fijarCantidad(int cantidad);
    // The keypad numbers the group's roster has stored: those keypads are in the
    // room already numbered, from an earlier run as much as from this one.
    void fijarControlesDelGrupo(const QList<int>& numeros);
    QList<int> posiciones() const { return posiciones_; }

    // Keeps the panel beside `ventana` (within its screen, never under it) while
    // it shows, moves or resizes; nullptr stops following.
    void acompanar(QWidget* ventana);

protected:
    bool eventFilter(QObject* objeto, QEvent* evento) override;
    void resizeEvent(QResizeEvent* evento) override;

private:
    void reconstruir();
    void actualizarEstado();
    void colocar();
    void pertenecerA(QWidget* ventana);
    int columnasQueCaben() const;

    QPointer<ReceptorSimulado> receptor_;
    int cantidad_;
    QList<int> posiciones_;
    QList<int> delGrupo_;
    QPointer<QWidget> acompanada_;
    bool colocando_ = false;
    int columnas_ = 1;
    QScrollArea* desplazable_ = nullptr;
    QWidget* controles_ = nullptr;
    QGridLayout* rejilla_ = nullptr;
    QLabel* estado_ = nullptr;
    QCheckBox* enchufado_ = nullptr;
    QSpinBox* cantidadCtl_ = nullptr;
};
