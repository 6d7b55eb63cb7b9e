#pragma once
// The keypad receiver's command protocol, without widgets: the operator starts a
// search, the receiver answers with status reports, and when a keypad is found it
// is sent its number. Reports go out through `reporte`, texts for the search
// status label through `texto`.

#include <QByteArray>
#include <QList>
#include <QObject>
#include <QQueue>
#include <QString>
#include <functional>
#include <memory>
#include <optional>
#include <utility>

class Temporizador;

// The row a keypad number is being given to.
struct FilaAsignable {
    int clave = 0;    // the caller's own key for the row, handed back on confirmation
    int posicion = 0; // 1-based place of the member in the group's list
};

// The number the keypad of row `fila` is sent: rows 1 to 14 get 3 to 16, then the
// receiver's gap at 17 is skipped (row 15 gets 18). Only the first two digits count.
int numeroEnviado(int fila);
// The number shown and stored for row `fila` once the receiver confirms: fila + 2.
int numeroPendiente(int fila);
// What the search status label shows for a status code; empty when the code has none.
QString textoEstado(int codigo);

// An answer report, by keypad position: position p (0-based) pressed the key whose
// character code is byte p + 2; 0 means no key. At most Receptor::kPosiciones.
QList<std::pair<int, char>> decodificarRespuestas(const QByteArray& reporte, int evaluados);

class ProtocoloReceptor : public QObject {
    Q_OBJECT
public:
    enum class Estado { Inactivo, Buscando, Asignando };

    static constexpr int kPausaMs = 100;
    static inline const QString kTextoBuscando = QStringLiteral("Buscando Remoto...");
    static inline const QString kTextoEncontrado = QStringLiteral("Control remoto encontrado");

    explicit ProtocoloReceptor(QObject* parent = nullptr);
    // With a timer of the caller's (tests step time by hand); it must outlive this.
    explicit ProtocoloReceptor(Temporizador& temporizador, QObject* parent = nullptr);
    ~ProtocoloReceptor() override;

    // Which row is selected right now; none when nothing is selected.
    void fijarFilaActual(std::function<std::optional<FilaAsignable>()> filaActual);
    // The poll interval and the pause between the reports of the sequence.
    void fijarPausa(int ms) { pausa_ = ms; }

    Estado estado() const { return estado_; }
    // The output buffer as last sent (byte 3 carries over between commands).
    const QByteArray& salida() const { return salida_; }

public Q_SLOTS:
    // Sends the search command; ignored while a search runs.
    void iniciarBusqueda();
    // One input report from the receiver (byte 3 is the status).
    void recibir(const QByteArray& reporte);
    // Ends any state without sending the stop command (the window is closing).
    void cancelar();

Q_SIGNALS:
    void reporte(const QByteArray& reporte);
    void texto(const QString& texto);
    void busquedaEnCurso(bool enCurso);
    // The receiver confirmed that the keypad of row `clave` took its number.
    void confirmado(int clave, int numero);

private:
    void tic();
    bool atender(int estado);
    void iniciarSecuencia(const FilaAsignable& fila);
    void detener();
    void enviar(quint8 byte1, quint8 comando, std::optional<quint8> argumento = std::nullopt);
    void programar(std::function<void()> accion);

    std::unique_ptr<Temporizador> propio_;
    Temporizador* temporizador_;
    std::function<std::optional<FilaAsignable>()> filaActual_;
    int pausa_ = kPausaMs;
    Estado estado_ = Estado::Inactivo;
    QByteArray salida_;
    // Statuses received since the search started, handled in order.
    QQueue<int> cola_;
    int ultimo_ = 0;
    struct Pendiente {
        int clave;
        int numero;
    };
    std::optional<Pendiente> pendiente_;
};
