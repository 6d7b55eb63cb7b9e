#pragma once
// The capture windows' walks the person tests share: the folder SANE reads its
// test backend from, a snapshot from the webcam window, a signature on the pad.

#include "DialogosDePrueba.h"
#include "EntornoPrueba.h"
#include "Ventanas.h"

#include <QByteArray>
#include <functional>
#include <memory>

class FrmPad;
class FrmWebcam;
class QTemporaryDir;

// Makes `dir` a SANE configuration that loads only the test backend with
// `ajustes` and names it in SANE_CONFIG_DIR. SANE reads it once per process.
bool configurarSane(const QTemporaryDir& dir, const QByteArray& ajustes);

// "Obtener desde webcam" of the photograph window `foto`: `antes` acts on the
// webcam window once its picture moves; unless it closed it, "Capturar" follows.
void tomarDeWebcam(QWidget* foto, const std::function<void(FrmWebcam*)>& antes = {});

// Signs across the pad at height `y` (its box made `ancho` pixels wide when
// given) and accepts; the drawing's size goes to `tamano`.
void firmarEnPad(FrmPad* pad, int y, int ancho = 0, QSize* tamano = nullptr);

// A capture window of class T in a test world without catalog.
template <typename T> struct VentanaDePrueba {
    EntornoPrueba e{false};
    DialogosDePrueba dlg;
    std::unique_ptr<T> f;

    template <typename W = QWidget> W* c(const char* nombre) {
        return hijo<W>(f.get(), QString::fromLatin1(nombre));
    }
};
