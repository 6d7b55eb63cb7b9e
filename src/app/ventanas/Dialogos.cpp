#include "app/ventanas/Dialogos.h"

#include <QFileDialog>
#include <QInputDialog>
#include <QMessageBox>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>

namespace {
Dialogos* gInstalados = nullptr;
}

Dialogos& Dialogos::actual() {
    static DialogosQt reales;
    return gInstalados ? *gInstalados : reales;
}

void Dialogos::instalar(Dialogos* dialogos) {
    gInstalados = dialogos;
}

Dialogos::Respuesta DialogosQt::mensaje(QWidget* padre, const QString& texto, Icono icono,
                                        const QString& titulo, Botones botones) {
    QMessageBox caja(padre);
    caja.setText(texto);
    caja.setWindowTitle(titulo.isEmpty() ? QStringLiteral(" ") : titulo);
    switch (icono) {
    case Icono::Informacion:
        caja.setIcon(QMessageBox::Information);
        break;
    case Icono::Exclamacion:
        caja.setIcon(QMessageBox::Warning);
        break;
    case Icono::Critico:
        caja.setIcon(QMessageBox::Critical);
        break;
    case Icono::Pregunta:
        caja.setIcon(QMessageBox::Question);
        break;
    case Icono::Ninguno:
        caja.setIcon(QMessageBox::NoIcon);
        break;
    }
    switch (botones) {
    case Botones::Aceptar:
        caja.setStandardButtons(QMessageBox::Ok);
        break;
    case Botones::SiNo:
        caja.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
        caja.button(QMessageBox::Yes)->setText(QStringLiteral("Sí"));
        break;
    case Botones::AceptarCancelar:
        caja.setStandardButtons(QMessageBox::Ok | QMessageBox::Cancel);
        caja.button(QMessageBox::Cancel)->setText(QStringLiteral("Cancelar"));
        break;
    }
    if (botones != Botones::SiNo)
        caja.button(QMessageBox::Ok)->setText(QStringLiteral("Aceptar"));
    switch (caja.exec()) {
    case QMessageBox::Yes:
        return Respuesta::Si;
    case QMessageBox::No:
        return Respuesta::No;
    case QMessageBox::Cancel:
        return Respuesta::Cancelar;
    default:
        return Respuesta::Aceptar;
    }
}

std::optional<QString> DialogosQt::entrada(QWidget* padre, const QString& indicacion,
                                           const QString& titulo, const QString& predeterminado) {
    bool ok = false;
    const QString texto =
        QInputDialog::getText(padre, titulo, indicacion, QLineEdit::Normal, predeterminado, &ok);
    if (!ok)
        return std::nullopt;
    return texto;
}

QString DialogosQt::abrirArchivo(QWidget* padre, const QString& titulo, const QString& carpeta,
                                 const QString& filtro) {
    return QFileDialog::getOpenFileName(padre, titulo, carpeta, filtro);
}

QString DialogosQt::guardarArchivo(QWidget* padre, const QString& titulo, const QString& propuesto,
                                   const QString& filtro) {
    return QFileDialog::getSaveFileName(padre, titulo, propuesto, filtro);
}

bool DialogosQt::imprimir(QWidget* padre, QPrinter& impresora) {
    QPrintDialog dialogo(&impresora, padre);
    dialogo.setWindowTitle(QStringLiteral("Imprimir"));
    return dialogo.exec() == QDialog::Accepted;
}
