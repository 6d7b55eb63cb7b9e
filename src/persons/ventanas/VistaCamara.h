#pragma once
// Picture1 of the webcam window: the camera's live picture, scaled to the
// control or at its own size, or a short text while there is no picture.

#include <QElapsedTimer>
#include <QImage>
#include <QWidget>

class VistaCamara : public QWidget {
    Q_OBJECT
public:
    explicit VistaCamara(QWidget* padre = nullptr);

    void mostrar(const QImage& cuadro);
    // Without a picture: clears it and shows the text.
    void sinImagen(const QString& texto);
    // Off: the picture stays as it was.
    void fijarActiva(bool activa) { activa_ = activa; }
    void fijarEscala(bool escala);
    const QImage& cuadro() const { return cuadro_; }
    // The size of the video, once a picture came.
    QSize tamanoVideo() const { return cuadro_.size(); }
    QSize sizeHint() const override;

    // Pictures painted so far, and the longest gap between two of them.
    qint64 cuadrosPintados() const { return pintados_; }
    qint64 mayorIntervaloMs() const { return mayorIntervalo_; }
    void reiniciarCuenta();

protected:
    void paintEvent(QPaintEvent* evento) override;

private:
    QImage cuadro_;
    QString texto_;
    bool activa_ = true;
    bool escala_ = true;
    bool nuevo_ = false;
    qint64 pintados_ = 0;
    qint64 mayorIntervalo_ = 0;
    QElapsedTimer desdeUltimo_;
};
