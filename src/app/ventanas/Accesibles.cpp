#include "app/ventanas/Accesibles.h"

#include <QIcon>
#include <QLabel>
#include <QPushButton>

QPushButton* botonEnlace(const QString& texto, const QString& nombreObjeto, QWidget* padre) {
    auto* b = new QPushButton(texto, padre);
    b->setObjectName(nombreObjeto);
    comoEnlace(b);
    return b;
}

void comoEnlace(QPushButton* b) {
    b->setFlat(true);
    b->setCursor(Qt::PointingHandCursor);
    b->setAccessibleName(b->text().remove(u'&'));
    b->setStyleSheet(QStringLiteral("QPushButton { text-decoration: underline; color: #1a4f9c;"
                                    " border: none; text-align: left; padding: 2px; }"
                                    "QPushButton:focus { outline: 1px dotted; }"));
}

QPushButton* botonImagen(const QIcon& icono, const QString& nombreAccesible,
                         const QString& nombreObjeto, QWidget* padre) {
    auto* b = new QPushButton(padre);
    b->setObjectName(nombreObjeto);
    comoImagen(b, icono, nombreAccesible);
    return b;
}

void comoImagen(QPushButton* b, const QIcon& icono, const QString& nombreAccesible) {
    b->setIcon(icono);
    b->setText(QString());
    b->setFlat(true);
    b->setCursor(Qt::PointingHandCursor);
    b->setAccessibleName(nombreAccesible);
    b->setToolTip(nombreAccesible);
    b->setIconSize(QSize(48, 48));
}

void rotular(QLabel* etiqueta, QWidget* entrada) {
    etiqueta->setBuddy(entrada);
    entrada->setAccessibleName(QString(etiqueta->text()).remove(u'&').remove(u':').trimmed());
}
