#pragma once
// The command line: the operator's code as a bare number (the arguments read
// together as one number, as the office has always given it), --help and
// --version, and --pedir-codigo for the desktop menu's entry. Read before any
// window exists, so help and version work without a display; Qt's own options
// (-platform, -style, ...) are left to the application.

#include <QString>
#include <QStringList>
#include <optional>

namespace lineacomandos {

enum class Accion { Iniciar, Ayuda, Version, Error };

struct Resultado {
    Accion accion = Accion::Iniciar;
    // The help, the version or the error message.
    QString texto;
    // The arguments that are not options, joined by blanks: the operator code is
    // read from it. Empty when none was given.
    QString codigo;
    // Ask for the operator code when none was given (the menu entry starts so).
    bool pedirCodigo = false;
};

// `argumentos` starts with the program's name.
Resultado interpretar(const QStringList& argumentos);

// Prints the help or version on standard output, an error on standard error, and
// returns the exit status: 0, or 2 for a command line that is not understood.
int responder(const Resultado& resultado);

QStringList argumentos(int argc, char** argv);

// The operator code typed in an input box: a whole number above zero, blanks
// around it allowed.
std::optional<qint32> codigoEscrito(const QString& texto);

} // namespace lineacomandos
