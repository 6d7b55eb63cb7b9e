#pragma once
// Answers the program's dialogs in tests and records what they showed.

#include "app/ventanas/Dialogos.h"

#include <QList>
#include <QQueue>
#include <QString>

class DialogosDePrueba : public Dialogos {
public:
    struct Mensaje {
        QString texto;
        Icono icono;
        QString titulo;
        Botones botones;
    };

    DialogosDePrueba() { Dialogos::instalar(this); }
    ~DialogosDePrueba() override { Dialogos::instalar(nullptr); }

    // Answers for the next message boxes, in order; without one a box gets its
    // first button (Aceptar or Sí).
    void siguienteRespuesta(Respuesta r) { respuestas.enqueue(r); }
    // Answers for the next input boxes; std::nullopt cancels.
    void siguienteEntrada(const std::optional<QString>& e) { entradas.enqueue(e); }
    // Answers for the next file dialogs; empty text cancels.
    void siguienteArchivo(const QString& ruta) { archivos.enqueue(ruta); }
    // Answers for the next save dialogs; empty text cancels.
    void siguienteGuardar(const QString& ruta) { guardados.enqueue(ruta); }
    // Answers for the next print dialogs: the PDF file the printer writes into;
    // empty text (or none queued) cancels.
    void siguienteImpresion(const QString& rutaPdf) { impresiones.enqueue(rutaPdf); }
    // Answers for the next choices, by index; std::nullopt cancels. Without one
    // the choice offered is taken.
    void siguienteEleccion(std::optional<int> i) { elecciones.enqueue(i); }
    // Answers for the next messages with buttons of their own, by index;
    // std::nullopt closes the box. Without one the first button is pressed.
    void siguienteOpcion(std::optional<int> i) { opcionesPulsadas.enqueue(i); }

    Respuesta mensaje(QWidget*, const QString& texto, Icono icono, const QString& titulo,
                      Botones botones) override;
    std::optional<QString> entrada(QWidget*, const QString& indicacion, const QString& titulo,
                                   const QString& predeterminado) override;
    QString abrirArchivo(QWidget*, const QString& titulo, const QString& carpeta,
                         const QString& filtro) override;
    QString guardarArchivo(QWidget*, const QString& titulo, const QString& propuesto,
                           const QString& filtro) override;
    bool imprimir(QWidget*, QPrinter& impresora) override;
    std::optional<int> elegir(QWidget*, const QString& indicacion, const QString& titulo,
                              const QStringList& opciones, int actual) override;
    std::optional<int> opciones(QWidget*, const QString& texto, Icono icono, const QString& titulo,
                                const QStringList& botones) override;

    // The text of the last message, empty when none was shown.
    QString ultimo() const { return mensajes.isEmpty() ? QString() : mensajes.last().texto; }
    void limpiar() { mensajes.clear(); }

    QList<Mensaje> mensajes;
    QStringList indicaciones; // prompts of the input boxes shown
    QStringList filtrosArchivo;
    QStringList carpetasArchivo; // the folder each file dialog opened in
    QQueue<Respuesta> respuestas;
    QQueue<std::optional<QString>> entradas;
    QQueue<QString> archivos;
    QStringList propuestos; // names offered by the save dialogs shown
    QQueue<QString> guardados;
    QQueue<QString> impresiones;
    int dialogosImpresion = 0;
    QList<QStringList> opcionesElegidas; // the options of each choice offered
    QQueue<std::optional<int>> elecciones;
    QList<QStringList> botonesOfrecidos; // the buttons of each message with buttons of its own
    QQueue<std::optional<int>> opcionesPulsadas;
};
