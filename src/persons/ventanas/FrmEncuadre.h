#pragma once
// The framing windows: the captured picture at its own size under a frame the
// operator moves and resizes (mouse, keys held, buttons held); "Aceptar" gives
// the pixels under the frame. FrmEncuadre frames the photograph, FrmEncuadreF
// the signature; both are opened through their encuadrar().

#include "persons/Encuadre.h"

#include <QDialog>
#include <QElapsedTimer>
#include <QImage>
#include <QTimer>
#include <array>
#include <optional>

class MapaEncuadre;
class QCheckBox;
class QFrame;
class QLabel;
class QPushButton;
class QScrollBar;

class FrmEncuadre : public QDialog {
    Q_OBJECT
public:
    // The photograph's framing window (modal). Returns the framed pixels, or
    // nothing when the operator cancelled.
    static std::optional<QImage> encuadrar(QWidget* padre, const QImage& foto);

    FrmEncuadre(const QImage& fuente, Encuadre::Tipo tipo, QWidget* padre = nullptr);

    // The framed pixels once "Aceptar" was pressed.
    const std::optional<QImage>& resultado() const { return resultado_; }
    const Encuadre& encuadre() const { return encuadre_; }

protected:
    bool eventFilter(QObject* objeto, QEvent* evento) override;
    void resizeEvent(QResizeEvent* evento) override;
    void showEvent(QShowEvent* evento) override;

private:
    friend class MapaEncuadre;
    enum class Accion { Ninguna, Crecer, Achicar, Mover };

    void construir();
    // Holding a button or key: the step repeats until it is released.
    void sostener(Accion accion, Encuadre::Direccion direccion = Encuadre::Direccion::Izquierda);
    void soltar();
    // Takes the steps due since the action started, so a late timer does not slow it.
    void pasosDebidos();
    bool paso();
    void marcoCambiado();
    void mostrarManijas(bool visibles);
    void ajustarBarras();
    void moverImagen();
    void aceptar();

    QImage fuente_;
    Encuadre encuadre_;
    std::optional<QImage> resultado_;
    Accion accion_ = Accion::Ninguna;
    Encuadre::Direccion direccion_ = Encuadre::Direccion::Izquierda;
    QTimer reloj_;
    QElapsedTimer sostenido_; // since the action started
    qint64 pasosDados_ = 0;

    QWidget* contenedor_ = nullptr; // PicContenedor
    MapaEncuadre* mapa_ = nullptr;  // picMap, with the frame ShC
    std::array<QFrame*, 8> manijas_{};
    QScrollBar* vs1_ = nullptr;
    QScrollBar* vs2_ = nullptr;
    QCheckBox* rapido_ = nullptr;
    std::array<QLabel*, 4> lecturas_{};
};

class FrmEncuadreF : public FrmEncuadre {
    Q_OBJECT
public:
    // The signature's framing window (modal). Returns the framed pixels, or
    // nothing when the operator cancelled.
    static std::optional<QImage> encuadrar(QWidget* padre, const QImage& firma);

    explicit FrmEncuadreF(const QImage& firma, QWidget* padre = nullptr);
};
