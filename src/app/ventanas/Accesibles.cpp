#include "app/ventanas/Accesibles.h"

#include <QIcon>
#include <QLabel>
#include <QPushButton>

QPushButton* botonEnlace(const QString& texto, const QString& nombreObjeto, QWidget* padre) {
    auto* b = new QPushButton(texto, padre);
    b->setObjectName(nombreObjeto);
    b->setFlat(true);
    b->setCursor(Qt::PointingHandCursor);
    b->setAccessibleName(QString(texto).remove(u'&'));
    b->setStyleSheet(QStringLiteral("QPushButton { text-decoration: underline; color: #1a4f9c;"
                                    " border: none; text-align: left; padding: 2px; }"
                                    "QPushButton:focus { outline: 1px dotted; }"));
    return b;
}

QPushButton* botonImagen(const QIcon& icono, const QString& nombreAccesible,
                         const QString& nombreObjeto, QWidget* padre) {
    auto* b = new QPushButton(icono, QString(), padre);
    b->setObjectName(nombreObjeto);
    b->setFlat(true);
    b->setCursor(Qt::PointingHandCursor);
    b->setAccessibleName(nombreAccesible);
    b->setToolTip(nombreAccesible);
    b->setIconSize(QSize(48, 48));
    return b;
}

void rotular(QLabel* etiqueta, QWidget* entrada) {
    etiqueta->setBuddy(entrada);
    entrada->setAccessibleName(QString(etiqueta->text()).remove(u'&').remove(u':').trimmed());
}
