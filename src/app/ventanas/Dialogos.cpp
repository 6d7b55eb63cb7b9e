#include "app/ventanas/Dialogos.h"

#include "app/Aplicacion.h"

#include <QFileDialog>
#include <QInputDialog>
#include <QMessageBox>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>

namespace {
Dialogos* gInstalados = nullptr;

// A box asked for without a title carries the program's, never an empty title bar.
QString tituloDe(const QString& titulo) {
    return titulo.trimmed().isEmpty() ? kTituloAplicacion : titulo;
}
} // namespace

Dialogos& Dialogos::actual() {
    static DialogosQt reales;
    return gInstalados ? *gInstalados : reales;
}

void Dialogos::instalar(Dialogos* dialogos) {
    gInstalados = dialogos;
}

namespace {
void prepararCaja(QMessageBox& caja, const QString& texto, Dialogos::Icono icono,
                  const QString& titulo) {
    using Icono = Dialogos::Icono;
    caja.setText(texto);
    caja.setWindowTitle(tituloDe(titulo));
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
}
} // namespace

Dialogos::Respuesta DialogosQt::mensaje(QWidget* padre, const QString& texto, Icono icono,
                                        const QString& titulo, Botones botones) {
    QMessageBox caja(padre);
    prepararCaja(caja, texto, icono, titulo);
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
    QInputDialog caja(padre);
    caja.setInputMode(QInputDialog::TextInput);
    caja.setWindowTitle(tituloDe(titulo));
    caja.setLabelText(indicacion);
    caja.setTextValue(predeterminado);
    caja.setOkButtonText(QStringLiteral("Aceptar"));
    caja.setCancelButtonText(QStringLiteral("Cancelar"));
    if (caja.exec() != QDialog::Accepted)
        return std::nullopt;
    return caja.textValue();
}

QString DialogosQt::abrirArchivo(QWidget* padre, const QString& titulo, const QString& carpeta,
                                 const QString& filtro) {
    QFileDialog dialogo(padre, titulo, carpeta, filtro);
    dialogo.setObjectName(QStringLiteral("DialogoArchivo"));
    dialogo.setAcceptMode(QFileDialog::AcceptOpen);
    dialogo.setFileMode(QFileDialog::ExistingFile);
    // Qt's own dialog speaks the program's language; the desktop's would speak
    // the workstation's. Its labels in the office's words ("archivo").
    dialogo.setOption(QFileDialog::DontUseNativeDialog);
    dialogo.setLabelText(QFileDialog::LookIn, QStringLiteral("Buscar en:"));
    dialogo.setLabelText(QFileDialog::FileName, QStringLiteral("Nombre de archivo:"));
    dialogo.setLabelText(QFileDialog::FileType, QStringLiteral("Tipo de archivo:"));
    dialogo.setLabelText(QFileDialog::Accept, QStringLiteral("Abrir"));
    dialogo.setLabelText(QFileDialog::Reject, QStringLiteral("Cancelar"));
    if (dialogo.exec() != QDialog::Accepted || dialogo.selectedFiles().isEmpty())
        return {};
    return dialogo.selectedFiles().constFirst();
}

std::optional<int> DialogosQt::elegir(QWidget* padre, const QString& indicacion,
                                      const QString& titulo, const QStringList& opciones,
                                      int actual) {
    QInputDialog caja(padre);
    caja.setWindowTitle(tituloDe(titulo));
    caja.setLabelText(indicacion);
    caja.setComboBoxItems(opciones);
    caja.setComboBoxEditable(false);
    if (actual >= 0 && actual < opciones.size())
        caja.setTextValue(opciones.at(actual));
    caja.setOkButtonText(QStringLiteral("Aceptar"));
    caja.setCancelButtonText(QStringLiteral("Cancelar"));
    if (caja.exec() != QDialog::Accepted)
        return std::nullopt;
    const qsizetype i = opciones.indexOf(caja.textValue());
    if (i < 0)
        return std::nullopt;
    return static_cast<int>(i);
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

std::optional<int> DialogosQt::opciones(QWidget* padre, const QString& texto, Icono icono,
                                        const QString& titulo, const QStringList& botones) {
    QMessageBox caja(padre);
    prepararCaja(caja, texto, icono, titulo);
    QList<QAbstractButton*> pulsables;
    for (const QString& b : botones)
        pulsables << caja.addButton(b, QMessageBox::AcceptRole);
    caja.exec();
    const qsizetype i = pulsables.indexOf(caja.clickedButton());
    return i < 0 ? std::nullopt : std::optional<int>(int(i));
}
