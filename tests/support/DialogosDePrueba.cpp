#include "DialogosDePrueba.h"

#include <QPrinter>

Dialogos::Respuesta DialogosDePrueba::mensaje(QWidget*, const QString& texto, Icono icono,
                                              const QString& titulo, Botones botones) {
    mensajes.append({texto, icono, titulo, botones});
    if (!respuestas.isEmpty())
        return respuestas.dequeue();
    return botones == Botones::SiNo ? Respuesta::Si : Respuesta::Aceptar;
}

std::optional<QString> DialogosDePrueba::entrada(QWidget*, const QString& indicacion,
                                                 const QString&, const QString&) {
    indicaciones.append(indicacion);
    return entradas.isEmpty() ? std::nullopt : entradas.dequeue();
}

QString DialogosDePrueba::abrirArchivo(QWidget*, const QString&, const QString& carpeta,
                                       const QString& filtro) {
    filtrosArchivo.append(filtro);
    carpetasArchivo.append(carpeta);
    return archivos.isEmpty() ? QString() : archivos.dequeue();
}

QString DialogosDePrueba::guardarArchivo(QWidget*, const QString&, const QString& propuesto,
                                         const QString& filtro) {
    propuestos.append(propuesto);
    filtrosArchivo.append(filtro);
    return guardados.isEmpty() ? QString() : guardados.dequeue();
}

bool DialogosDePrueba::imprimir(QWidget*, QPrinter& impresora) {
    ++dialogosImpresion;
    const QString ruta = impresiones.isEmpty() ? QString() : impresiones.dequeue();
    if (ruta.isEmpty())
        return false;
    impresora.setOutputFormat(QPrinter::PdfFormat);
    impresora.setOutputFileName(ruta);
    return true;
}

std::optional<int> DialogosDePrueba::elegir(QWidget*, const QString&, const QString&,
                                            const QStringList& opciones, int actual) {
    opcionesElegidas.append(opciones);
    return elecciones.isEmpty() ? std::optional<int>(actual) : elecciones.dequeue();
}

std::optional<int> DialogosDePrueba::opciones(QWidget*, const QString& texto, Icono icono,
                                              const QString& titulo, const QStringList& botones) {
    // Recorded with the other messages, so tests read every box in order.
    mensajes.append({texto, icono, titulo, Botones::Aceptar});
    botonesOfrecidos.append(botones);
    return opcionesPulsadas.isEmpty() ? std::optional<int>(0) : opcionesPulsadas.dequeue();
}
