#pragma once

#include <QString>
#include <stdexcept>

// A database failure, carrying the driver's own text. Windows catch it at their
// boundary, show it and stay open.
class ErrorBD : public std::runtime_error {
public:
    explicit ErrorBD(const QString& texto, const QString& sentencia = {})
        : std::runtime_error(texto.toStdString()), texto_(texto), sentencia_(sentencia) {}
    const QString& texto() const { return texto_; }
    const QString& sentencia() const { return sentencia_; }

private:
    QString texto_;
    QString sentencia_;
};
