#pragma once
// The reader on the workstation's speech engine (Qt's text to speech), with a
// Spanish voice when the engine has one.

#include "session/ventanas/Lector.h"

#include <QStringList>

class QTextToSpeech;

class LectorVoz : public Lector {
    Q_OBJECT
public:
    // `motor` names the engine; empty, the first one that speaks Spanish, else
    // the first one that starts. The engine starts on first use.
    explicit LectorVoz(QString motor = {}, QObject* padre = nullptr);
    ~LectorVoz() override;

    void leer(const QString& texto) override;
    void detener() override;
    QString motivoNoDisponible() const override;

    // The engine in use, started when needed; null when none could start.
    QTextToSpeech* motor();

    static inline const QString kSinMotor =
        QStringLiteral("No hay un motor de voz instalado en este equipo.");

private:
    void iniciar();
    QTextToSpeech* crear(const QString& nombre);

    QString pedido_;
    bool iniciado_ = false;
    QTextToSpeech* voz_ = nullptr;
    QString motivo_;
};
