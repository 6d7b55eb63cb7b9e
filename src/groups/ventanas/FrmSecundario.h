#pragma once
// The screen-wide backdrop behind the main window: the picture "wap.bin" among the
// program's own files.

#include <QPixmap>
#include <QWidget>

class FrmSecundario : public QWidget {
    Q_OBJECT
public:
    explicit FrmSecundario(QWidget* parent = nullptr);
    // Covers the screen the main window is on.
    void cubrir(QWidget* ventana);

protected:
    void paintEvent(QPaintEvent* e) override;

private:
    QPixmap fondo_;
};
