#include "Ventanas.h"

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
