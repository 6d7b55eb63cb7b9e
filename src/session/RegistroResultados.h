#pragma once
// The stored outcome of an examination: the person's folder of the day in
// Carpetas (numbered from the office-wide counter), one DetalleExamenes row and
// one Resultados item, written per examinee in one transaction.

#include "session/RegistroRespuestas.h"

#include <QDate>
#include <QList>
#include <QString>
#include <optional>

class De1;
class MatrizRespuestas;
struct Calificacion;
struct PreguntaExamen;

class RegistroResultados {
public:
    static inline const QString kItemPorcentaje = QStringLiteral("Porcentaje de Respuestas");

    // `responsable` is the operator's code, stored with each examination; `hoy`
    // the examination date (today unless a test sets another).
    RegistroResultados(De1& de1, qint32 responsable, QDate hoy = QDate::currentDate());

    // Stores one examinee's examination. False when the person is not in
    // Personas (nothing is written then). Throws ErrorBD; the examinee's rows
    // are then rolled back as a whole.
    bool guardar(qint32 persona, qint32 examen, const Calificacion& calificacion);

    // The same inside a transaction the caller holds (see GuardarSesion): the
    // caller rolls back what a failure left. Throws ErrorBD.
    bool guardarEnTransaccion(qint32 persona, qint32 examen, const Calificacion& calificacion);

    // Makes the running transaction the only one that can take folder numbers or
    // add the result item until it ends, and looks the item up (adding it) under
    // that lock, before any examinee's rows.
    void bloquearContador();

    // The DetalleExamenes row of the last examinee stored.
    std::optional<qint64> ultimoDetalle() const { return ultimoDetalle_; }

    // "Teorico " and the date in the system's short format.
    QString descripcionCarpeta() const;

    // The prefix and the last 8 characters of "00000000000" followed by n.
    static QString numeroCarpeta(const QString& prefijo, qint64 n);

private:
    QString tomarNumero();
    qint32 codigoItem();

    De1& de1_;
    qint32 responsable_;
    QDate hoy_;
    std::optional<qint32> item_;
    std::optional<qint64> ultimoDetalle_;
};

// Outcome of storing a whole session.
struct ResultadoGuardado {
    bool registroEscrito = true; // the answer log reached the configuration file
    int guardados = 0;
    QList<int> sinPersona;        // 0-based roster places not found in Personas
    QList<int> fallidos;          // 0-based roster places whose rows could not be written
    QString errorBD;              // the driver's text of the first failure
    std::optional<qint64> sesion; // the examination in the program's own record
    bool yaRegistrada = false;    // its journal's session was stored before: nothing written
};

// Writes the answer log of the whole roster with one write of the configuration
// file, then scores and stores the examinees at the given 0-based roster places
// (every examinee without `lugares`), each examination under the operator's code.
// An exam with no questions writes nothing. Each examinee's rows are written whole
// or not at all (a savepoint each, one commit for the roster, the result item
// looked up before the first savepoint); a database failure of one examinee
// leaves his rows unwritten and goes on with the next. Every examinee stored also
// gets his keys in the program's own record (RegistroRespuestas), in his
// savepoint; a retry passes the same `registrada` so its examinees join that
// examination. A session whose journal identity (`registrada->diario`) is
// already stored is not stored again.
ResultadoGuardado GuardarSesion(De1& de1, qint32 examen, qint32 responsable,
                                const QList<qint32>& personas,
                                const QList<PreguntaExamen>& preguntas,
                                const MatrizRespuestas& matriz, QDate hoy = QDate::currentDate(),
                                const std::optional<QList<int>>& lugares = std::nullopt,
                                SesionRegistrada* registrada = nullptr);

struct LecturaDiario;

// Scores and stores exactly the keys a journal received, for the operator who
// ran the session and on its date, under the journal's identity. Throws ErrorBD
// when the questions cannot be read; an exam without questions stores nothing.
ResultadoGuardado GuardarDiario(De1& de1, const LecturaDiario& lectura,
                                const std::optional<QList<int>>& lugares = std::nullopt,
                                SesionRegistrada* registrada = nullptr);
