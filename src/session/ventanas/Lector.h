#pragma once
// Reading texts aloud. The session reads its questions through this interface,
// so a workstation without a speech engine, or an engine that fails, never
// stops an examination: the questions are simply not heard.

#include <QObject>
#include <QString>
#include <memory>

class Lector : public QObject {
    Q_OBJECT
public:
    using QObject::QObject;

    // Reads the text, cutting short whatever was being read. Does nothing when
    // no engine can read.
    virtual void leer(const QString& texto) = 0;
    virtual void detener() = 0;
    // Why nothing can be read, in words for the operator; empty when it can.
    virtual QString motivoNoDisponible() const = 0;

Q_SIGNALS:
    // The engine failed while reading; later texts are tried all the same.
    void fallo(const QString& motivo);
};

// The workstation's reader: the simulated one when [Control] Voz=Simulada, else
// the speech engine's. Nothing is started until the first text or question.
std::unique_ptr<Lector> crearLector();

// Why this workstation cannot read the questions aloud; empty when it can. For
// the options, which leave the reading off with this reason.
QString motivoVozNoDisponible();
