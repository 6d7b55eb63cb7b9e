#pragma once
// Every message box, input box and file dialog goes through here, so tests can
// answer them (see tests/support/DialogosDePrueba.h).

#include <QString>
#include <QStringList>
#include <optional>

class QPrinter;
class QWidget;

class Dialogos {
public:
    enum class Icono { Ninguno, Informacion, Exclamacion, Critico, Pregunta };
    enum class Botones { Aceptar, SiNo, AceptarCancelar };
    enum class Respuesta { Aceptar, Cancelar, Si, No };

    virtual ~Dialogos() = default;

    virtual Respuesta mensaje(QWidget* padre, const QString& texto, Icono icono,
                              const QString& titulo = {}, Botones botones = Botones::Aceptar) = 0;
    // Empty optional when cancelled.
    virtual std::optional<QString> entrada(QWidget* padre, const QString& indicacion,
                                           const QString& titulo,
                                           const QString& predeterminado = {}) = 0;
    // Empty text when cancelled.
    virtual QString abrirArchivo(QWidget* padre, const QString& titulo, const QString& carpeta,
                                 const QString& filtro) = 0;
    // The file to write; `propuesto` is the name (or path) offered. Empty text when
    // cancelled.
    virtual QString guardarArchivo(QWidget* padre, const QString& titulo, const QString& propuesto,
                                   const QString& filtro) = 0;
    // The system's print dialog for the printer; true when the operator chose to print.
    virtual bool imprimir(QWidget* padre, QPrinter& impresora) = 0;
    // One of the options, by its index; empty optional when cancelled.
    virtual std::optional<int> elegir(QWidget* padre, const QString& indicacion,
                                      const QString& titulo, const QStringList& opciones,
                                      int actual = 0) = 0;

    // A message answered by one of the buttons given (their texts, in order): the
    // index of the one pressed; empty optional when closed without one.
    virtual std::optional<int> opciones(QWidget* padre, const QString& texto, Icono icono,
                                        const QString& titulo, const QStringList& botones) = 0;

    // The implementation in use; the real dialogs unless a test installed its own.
    static Dialogos& actual();
    static void instalar(Dialogos* dialogos);
};

// The real dialogs of the desktop.
class DialogosQt : public Dialogos {
public:
    Respuesta mensaje(QWidget* padre, const QString& texto, Icono icono, const QString& titulo,
                      Botones botones) override;
    std::optional<QString> entrada(QWidget* padre, const QString& indicacion, const QString& titulo,
                                   const QString& predeterminado) override;
    QString abrirArchivo(QWidget* padre, const QString& titulo, const QString& carpeta,
                         const QString& filtro) override;
    QString guardarArchivo(QWidget* padre, const QString& titulo, const QString& propuesto,
                           const QString& filtro) override;
    bool imprimir(QWidget* padre, QPrinter& impresora) override;
    std::optional<int> elegir(QWidget* padre, const QString& indicacion, const QString& titulo,
                              const QStringList& opciones, int actual) override;
    std::optional<int> opciones(QWidget* padre, const QString& texto, Icono icono,
                                const QString& titulo, const QStringList& botones) override;
};
