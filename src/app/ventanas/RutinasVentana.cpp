#include "app/ventanas/RutinasVentana.h"

#include "app/Rutas.h"

#include <QCursor>
#include <QFileInfo>
#include <QHash>
#include <QSoundEffect>
#include <QUrl>
#include <QWidget>

void ReproducirSonido(const QString& archivo) {
    const QString ruta = rutas::archivoPrograma(archivo);
    if (!QFileInfo::exists(ruta))
        return;
    // One effect per file, kept for the life of the program so playback outlives the call.
    static QHash<QString, QSoundEffect*> efectos;
    QSoundEffect*& efecto = efectos[ruta];
    if (!efecto) {
        efecto = new QSoundEffect();
        efecto->setSource(QUrl::fromLocalFile(ruta));
    }
    efecto->play();
}

void MantenerEncima(QWidget* ventana, bool encima) {
    if (!ventana)
        return;
    const bool visible = ventana->isVisible();
    ventana->setWindowFlag(Qt::WindowStaysOnTopHint, encima);
    if (visible)
        ventana->show();
}

int CursorX() {
    return QCursor::pos().x();
}
int CursorY() {
    return QCursor::pos().y();
}
