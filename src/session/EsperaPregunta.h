#pragma once
// The wait on one question: a countdown driven by a timer and a monotonic clock.
// The countdown shows the whole part of (limit - elapsed) plus 1; the wait ends
// when the elapsed time passes the limit, or on Space once the first second is
// over (Space within the first second starts the wait over).

#include <QObject>
#include <QTimer>

class Reloj;

class EsperaPregunta : public QObject {
    Q_OBJECT
public:
    // What a question runs with when its limit cannot be used (0, negative, not a number).
    static constexpr double kLimitePredeterminado = 16.0;

    explicit EsperaPregunta(Reloj& reloj, QObject* padre = nullptr);

    // The limit a question actually runs with.
    static double limiteEfectivo(double limite);

    void iniciar(double limiteSegundos);
    // Space: ends the wait unless it is still in its first second.
    void pulsarEspacio();
    // Ends the wait now, first second or not, as running out of time does.
    void concluir();
    // Stops without signalling the end (the session was abandoned).
    void detener();
    // Reads the clock and refreshes the countdown; the timer calls it, tests may too.
    void actualizar();

    bool activa() const { return activa_; }
    double limite() const { return limite_; }
    qint64 cuenta() const { return cuenta_; }
    int reinicios() const { return reinicios_; }

    void usarReloj(Reloj& reloj) { reloj_ = &reloj; }

Q_SIGNALS:
    void cuentaCambiada(qint64 cuenta);
    void terminada();

private:
    double transcurrido() const;
    void programar();
    void terminar();

    Reloj* reloj_;
    QTimer timer_;
    bool activa_ = false;
    double limite_ = kLimitePredeterminado;
    qint64 inicioMs_ = 0;
    qint64 cuenta_ = 0;
    int reinicios_ = 0;
};
