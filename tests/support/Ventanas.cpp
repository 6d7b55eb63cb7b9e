#include "Ventanas.h"

#include <QLabel>

void pulsar(const QWidget& ventana, const QString& boton) {
    QTest::mouseClick(hijo<QPushButton>(ventana, boton), Qt::LeftButton);
}

QStringList columna(const QAbstractItemView* vista, int columna) {
    QStringList textos;
    const QAbstractItemModel* m = vista->model();
    for (int i = 0; i < m->rowCount(); ++i)
        textos << m->index(i, columna).data().toString();
    return textos;
}

QString celda(const QAbstractItemView* vista, int fila, int columna) {
    return vista->model()->index(fila, columna).data().toString();
}

void elegirFila(QAbstractItemView* vista, int fila) {
    vista->setCurrentIndex(vista->model()->index(fila, 0));
}

QStringList ordenTabulacion(QWidget& ventana) {
    QStringList orden;
    for (QWidget* w = ventana.nextInFocusChain(); w && w != &ventana; w = w->nextInFocusChain())
        if ((w->focusPolicy() & Qt::TabFocus) && w->isVisible() && w->isEnabled() &&
            !w->objectName().isEmpty() && !w->objectName().startsWith(QStringLiteral("qt_")))
            orden << w->objectName();
    return orden;
}

bool rotulosAccesibles(const QWidget& ventana) {
    bool bien = true;
    for (const QLabel* l : ventana.findChildren<QLabel*>()) {
        if (!l->buddy())
            continue;
        const QString rotulo = l->text().remove(u'&').remove(u':').trimmed();
        if (l->buddy()->accessibleName() != rotulo) {
            qWarning("%s: \"%s\" en lugar de \"%s\"", qPrintable(l->buddy()->objectName()),
                     qPrintable(l->buddy()->accessibleName()), qPrintable(rotulo));
            bien = false;
        }
    }
    return bien;
}
