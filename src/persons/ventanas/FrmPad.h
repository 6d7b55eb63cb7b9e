#pragma once
// The signature pad ("Editor de firmas"): the examinee signs in the white box
// with the mouse, a pen tablet or a finger; "Aceptar" leaves the drawing as the
// signature's source bitmap "Firma.bmp" (almacen::fuenteFirma()).

#include "persons/LienzoFirma.h"

#include <QDialog>
#include <array>
#include <optional>

class QPushButton;
class QRadioButton;

// The white drawing box: takes mouse, tablet and touch input into a LienzoFirma.
class CajaFirma : public QWidget {
    Q_OBJECT
public:
    explicit CajaFirma(QWidget* parent = nullptr);
    LienzoFirma& lienzo() { return lienzo_; }
    void limpiar();

protected:
    bool event(QEvent* e) override;
    void paintEvent(QPaintEvent* e) override;
    void resizeEvent(QResizeEvent* e) override;
    void mousePressEvent(QMouseEvent* e) override;
    void mouseMoveEvent(QMouseEvent* e) override;
    void mouseReleaseEvent(QMouseEvent* e) override;
    void tabletEvent(QTabletEvent* e) override;

private:
    void actualizar(const QRect& cambiada);

    LienzoFirma lienzo_;
    QRect pendiente_; // the area the unfinished stretch was last painted on
};

class FrmPad : public QDialog {
    Q_OBJECT
public:
    static constexpr int kTrazos = 5;
    static constexpr int kTrazoPredeterminado = 2;
    // Option i draws lines i + 9 pixels wide.
    static constexpr int anchoDeTrazo(int indice) { return indice + 9; }

    explicit FrmPad(QWidget* parent = nullptr);

    CajaFirma& caja() { return *p1_; }
    // The drawing as accepted; null until "Aceptar" saved it.
    const QImage& firma() const { return firma_; }

private:
    void elegirTrazo(int indice);
    void aceptar();

    CajaFirma* p1_;
    std::array<QRadioButton*, kTrazos> op_{};
    QImage firma_;
};

// Runs the pad modally. The drawing when the examinee accepted it, also saved as
// almacen::fuenteFirma(); nothing when cancelled (the file is then untouched).
std::optional<QImage> dibujarFirma(QWidget* padre);
