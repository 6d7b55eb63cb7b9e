#pragma once
// The timed balloon tip and the desktop snapshot used by the windows that open
// children.

#include <QFrame>
#include <QIcon>
#include <QPointer>
#include <QTimer>

class QLabel;

// A balloon under a control that removes itself when its time is up; the window
// goes on handling events meanwhile.
class Globo : public QFrame {
    Q_OBJECT
public:
    Globo(QWidget* control, const QString& titulo, const QString& texto, const QIcon& icono,
          int milisegundos);
    QString titulo() const { return titulo_; }
    QString texto() const { return texto_; }
    // The timer that removes it.
    const QTimer& temporizador() const { return temporizador_; }

private:
    QString titulo_;
    QString texto_;
    QTimer temporizador_;
};

// Shows a balloon at the control for five seconds, replacing any earlier one.
Globo* MostrarGlobo(QWidget* control, const QString& titulo, const QString& texto,
                    const QIcon& icono = {});
// The balloon on screen, if any.
Globo* globoActual();

// Copies the desktop into the picture box and hides it; with `ajustar` the box is
// first sized to the desktop plus 5 pixels. A platform without a desktop image
// leaves the box empty.
void CapturarPantalla(QLabel* imagen, bool ajustar);
