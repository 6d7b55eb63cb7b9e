#pragma once
// What the photograph and signature windows share: the picture box with the
// window's own actions beside it, the source line, the scanning step and
// "Aceptar"/"Cancelar", every action off while the scanner works.

#include <QDialog>
#include <QList>
#include <functional>

class PanelEscaner;
class QLabel;
class QLineEdit;
class QPushButton;
class QVBoxLayout;

class VentanaCaptura : public QDialog {
    Q_OBJECT
protected:
    VentanaCaptura(QWidget* padre, const QString& nombre, const QString& titulo);

    // The box (`nombreCaja` for the screen reader) at the left; returns the column
    // beside it for the window's own actions.
    QVBoxLayout* construirCaja(QSize caja, const QString& nombreCaja);
    // Below the box: the source line, `nota` when given, the scanning step and
    // "Aceptar"/"Cancelar". Called once the window's own actions are made, so Tab
    // reaches them first.
    void construirPie(const QString& nombreOrigen, QWidget* nota = nullptr);
    // An action button, off while the scanner works.
    QPushButton* boton(const QString& texto, const char* nombre);

    void mostrarEnCaja(const QImage& imagen);
    void escanear();
    // "Aceptar": with nothing taken the window closes and an earlier picture stays;
    // otherwise `guardar` writes the working file and a failure is shown with the
    // window left open. True when the file was written.
    bool entregar(bool hayImagen, const std::function<QString()>& guardar);

    virtual void habilitar(bool habilitado);
    virtual void escaneada(const QImage& imagen) = 0;
    virtual void aceptar() = 0;

    QLineEdit* text1_ = nullptr;
    PanelEscaner* escaner_ = nullptr;
    QList<QWidget*> acciones_; // disabled while the scanner works

private:
    QVBoxLayout* principal_ = nullptr;
    QVBoxLayout* lado_ = nullptr;
    QLabel* im1_ = nullptr;
};
