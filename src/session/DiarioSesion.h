#pragma once
// The running session's journal: an append-only file in the workstation's data
// folder that receives every receiver report as it arrives, so that a session
// interrupted by a crash or a power cut can be resumed or scored at the next
// start. Its first record names the session (identity, group, exam, operator,
// start, roster); then come the questions shown and ended and the raw reports.
// Each record carries its length and a CRC-32: a torn or damaged tail is found
// and left out, and every whole record before it is used.
//
// Appends are plain writes on the interface thread (the page cache survives the
// program's death); a thread of the journal's own flushes them to the disk at
// most kEsperaSincronia after the first unsynced one, so the interface thread
// never waits on the disk and a power cut costs at most the last few reports.

#include <QByteArray>
#include <QDateTime>
#include <QFile>
#include <QList>
#include <QObject>
#include <QString>
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <mutex>
#include <optional>
#include <thread>

// Who and what a journal is about.
struct IdentidadDiario {
    QString identidad; // unique per session; stored with its results
    qint32 grupo = 0;
    qint32 examen = 0;
    qint32 responsable = 0; // the operator who started it
    QDateTime inicio;
    QList<qint32> personas; // CodigoPersona in roster order

    bool operator==(const IdentidadDiario&) const = default;
};

// A report as it was received, with the 0-based question it counted for.
struct ReporteDiario {
    int pregunta = 0;
    QByteArray reporte;
};

struct LecturaDiario {
    IdentidadDiario identidad;
    int preguntaMostrada = -1;      // the last question shown (0-based); -1 before any
    bool preguntaTerminada = false; // that question had ended
    QList<ReporteDiario> reportes;  // in the order received
    bool colaIgnorada = false;      // a torn or damaged tail was left out
    qint64 largoValido = 0;         // bytes up to the end of the last whole record

    // Where a resumed session goes on: the question that was running, or the next
    // one when it had ended.
    int preguntaReanudar() const;
};

// The journal file's records, read from `ruta`. Empty when there is no file or
// it holds no whole first record (a session that had not really started).
std::optional<LecturaDiario> leerDiario(const QString& ruta);

class DiarioSesion : public QObject {
    Q_OBJECT
public:
    static constexpr std::chrono::milliseconds kEsperaSincronia{20};

    explicit DiarioSesion(QObject* padre = nullptr);
    ~DiarioSesion() override;
    DiarioSesion(const DiarioSesion&) = delete;
    DiarioSesion& operator=(const DiarioSesion&) = delete;

    // "Sesion.diario" in the workstation's data folder: one session runs at a
    // time on a workstation.
    static QString rutaPredeterminada();

    // Starts a new journal at `ruta`, replacing any other. The first record is
    // written whole to a file beside it, flushed and renamed into place, so a
    // crash meanwhile leaves either no journal or a whole one. False (with the
    // reason in error()) when it cannot be made; the session goes on without it.
    bool crear(const QString& ruta, const IdentidadDiario& identidad);
    // Goes on appending to a journal read by leerDiario, cutting off the tail it
    // ignored so what follows stays readable.
    bool continuar(const QString& ruta, const LecturaDiario& lectura);

    void preguntaMostrada(int pregunta);
    void reporte(int pregunta, const QByteArray& reporte);
    void preguntaTerminada(int pregunta);

    // Flushes what is pending and closes the file (the destructor does too).
    void cerrar();
    // Closes and deletes the journal: the session's results are stored or the
    // operator discarded it.
    void eliminar();

    bool abierto() const { return archivo_.isOpen(); }
    QString ruta() const { return ruta_; }
    // The first failure, empty while there is none.
    QString error() const { return error_; }
    // Flushes to the disk done so far (for tests and figures).
    qint64 sincronizaciones() const { return sincronizaciones_.load(); }

Q_SIGNALS:
    // Emitted once, at the first write or flush that fails; appends go on being
    // tried, as a full disk may recover.
    void fallo(const QString& texto);

private:
    void anotar(char tipo, const QByteArray& datos);
    void fallar(const QString& texto);
    void abrirAnexo(const QString& ruta);
    void sincronizar(int fd);

    QFile archivo_;
    QString ruta_;
    QString error_;
    qint64 largo_ = 0; // bytes written whole

    std::thread hilo_;
    std::mutex m_;
    std::condition_variable cv_;
    bool pendiente_ = false;
    bool parar_ = false;
    std::chrono::steady_clock::time_point primeraPendiente_;
    std::atomic<qint64> sincronizaciones_{0};
    std::atomic<int> errorSincronia_{0};
};
