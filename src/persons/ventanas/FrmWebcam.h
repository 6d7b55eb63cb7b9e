#pragma once
// The webcam window: the chosen camera's live picture; "Capturar" writes the
// current picture as the snapshot "Foto.jpg" of the temporary folder and closes.
// Its menus choose the format, record video, toggle the preview, the scaling and
// staying on top, and switch cameras (FrmSelectCam).

#include <QDialog>

class Camara;
class QAction;
class QLabel;
class QPushButton;
class VistaCamara;

class FrmWebcam : public QDialog {
    Q_OBJECT
public:
    explicit FrmWebcam(QWidget* padre = nullptr);
    ~FrmWebcam() override;

    // The snapshot's path when "Capturar" saved one; empty otherwise.
    const QString& rutaCaptura() const { return rutaCaptura_; }
    // The temporary folder's "Foto.jpg": the folder named by Tmp, else the
    // system's temporary folder.
    static QString rutaInstantanea();

    Camara& camara() { return *camara_; }
    VistaCamara* vista() { return vista_; }

    // Closing ends a recording first.
    void reject() override;

private:
    void construir();
    void conectada();
    void capturar();
    void guardarCaptura(const QImage& imagen);
    void formato();
    void grabar();
    void seleccionarCamara();
    void desconectada();
    void ajustarAlVideo();

    Camara* camara_ = nullptr;
    VistaCamara* vista_ = nullptr;
    QLabel* dispositivo_ = nullptr;
    QPushButton* capturar_ = nullptr;
    QAction* formato_ = nullptr;
    QAction* start_ = nullptr;
    QAction* allocate_ = nullptr;
    bool esperandoCaptura_ = false;
    QString rutaCaptura_;
};
