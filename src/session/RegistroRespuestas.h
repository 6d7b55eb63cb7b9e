#pragma once
// The program's own record of a session, kept beside the shared result rows:
// the examination (group, exam, moment, operator), the questions as they were
// asked, and per examinee his roster place, keypad, name and document as they
// were, his counts and every key he gave. Results, reports, exports and item
// statistics read it, so they outlive later edits of the exam or the person and
// the next session's answer log. Written inside the caller's transaction.

#include <QDateTime>
#include <QHash>
#include <QList>
#include <optional>

class De1;
class MatrizRespuestas;
struct Calificacion;
struct PreguntaExamen;

// What a session's record needs across its storing passes (a retry of failed
// examinees adds them to the examination the first pass stored).
struct SesionRegistrada {
    qint32 grupo = 0;             // CodigoGrupo of the roster examined; 0 when none
    std::optional<qint64> codigo; // CodigoSesion once a pass has stored it
    QString diario;               // identity of the session's journal; empty when none
};

class RegistroRespuestas {
public:
    RegistroRespuestas(De1& de1, const QList<PreguntaExamen>& preguntas,
                       const MatrizRespuestas& matriz);

    // Adds the examination row (under the operator's code `responsable`, with the
    // identity of the journal it was run with, if any) and its questions; returns
    // its CodigoSesion.
    qint64 crearSesion(qint32 grupo, qint32 examen, qint32 responsable, const QDateTime& momento,
                       const QString& diario = {});
    // The examination stored from the journal of that identity, if any. Throws ErrorBD.
    static std::optional<qint64> sesionDelDiario(De1& de1, const QString& diario);
    // Adds the examinee at the 0-based roster place `lugar` with every key he gave.
    // `detalleExamen` is his DetalleExamenes row. Throws ErrorBD.
    void guardarEvaluado(qint64 sesion, qint32 grupo, int lugar, qint32 persona,
                         std::optional<qint64> detalleExamen, const Calificacion& calificacion);
    // Removes an examination row that got no examinee (same transaction).
    void descartarSesion(qint64 sesion);

    // Rows per multi-row INSERT: SQL Server takes at most 2100 parameters.
    static constexpr int kFilasPorSentencia = 200;

private:
    De1& de1_;
    const QList<PreguntaExamen>& preguntas_;
    const MatrizRespuestas& matriz_;
    // Read at the first examinee: the group's keypads and the roster's persons.
    void leerRoster(qint32 grupo);
    struct Persona {
        QString nombre;
        QString documento;
        qint32 remoto = 0;
    };
    std::optional<QHash<qint32, Persona>> personas_; // by CodigoPersona
};
