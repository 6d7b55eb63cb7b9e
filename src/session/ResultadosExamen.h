#pragma once
// A stored examination read back from the sessions' record: who was examined,
// with which keypad, his counts, verdict and folder number, every key he gave,
// and the questions as they were asked. Item statistics of one examination or
// of an exam over a period. Everything from the catalog, nothing from a window.

#include <QDateTime>
#include <QList>
#include <QLocale>
#include <QMap>
#include <QString>
#include <optional>

class De1;

struct PreguntaRegistrada {
    int orden = 0;      // 1-based place in the examination
    qint32 codigo = 0;  // CodigoPregunta
    QString texto;      // as it was asked
    int correcta = 0;   // 1-based place of the correct answer; 0 when none was marked
    int respuestas = 0; // answers offered
};

struct EvaluadoRegistrado {
    int posicion = 0; // 1-based roster place (keypad position in the reports)
    qint32 persona = 0;
    qint32 remoto = 0; // keypad number; 0 when none
    QString nombre;
    QString documento;
    int correctas = 0;
    int incorrectas = 0;
    QString resultado;
    QString numeroCarpeta; // NumeroCarpetaCons of his folder; empty when not found
    std::optional<qint64> detalleExamen;
    QString teclas; // one character per question, u'\0' where no key came

    int preguntas() const { return correctas + incorrectas; }
    // The scoring's percentage: correct answers x 100 / questions.
    double porcentaje() const;
    bool aprobado() const;
    // The key given to question `orden` (1-based); empty when none.
    QString tecla(int orden) const;
};

struct Examinacion {
    qint64 sesion = 0;
    qint32 grupo = 0;
    QString descripcionGrupo;
    qint32 examen = 0;
    QString descripcionExamen;
    QDateTime fecha;
    qint32 responsable = 0;
    QString nombreResponsable; // empty when the operator is not in Responsables
    QList<PreguntaRegistrada> preguntas;
    QList<EvaluadoRegistrado> evaluados; // in roster order

    int aprobados() const;
};

struct ExaminacionListada {
    qint64 sesion = 0;
    QDateTime fecha;
    qint32 examen = 0;
    QString descripcionExamen;
    int evaluados = 0;
    int aprobados = 0;
};

struct EstadisticaPregunta {
    int orden = 0;     // place in the latest examination that asked it
    qint32 codigo = 0; // CodigoPregunta
    QString texto;
    int correcta = 0;
    int opciones = 0;
    int evaluados = 0; // examinees asked
    int aciertos = 0;
    QMap<QString, int> teclas; // key given -> examinees; "" for no key
    int aciertosSuperior = 0;  // within the upper group
    int aciertosInferior = 0;  // within the lower group

    double proporcion() const; // share of correct answers, 0..1
    bool nadieAcerto() const { return evaluados > 0 && aciertos == 0; }
    bool todosAcertaron() const { return evaluados > 0 && aciertos == evaluados; }
};

struct EstadisticasItems {
    int evaluados = 0;
    int tamanoGrupo = 0;                  // examinees in each of the upper and lower groups
    QList<EstadisticaPregunta> preguntas; // in the examination's order

    // (correct in the upper group - correct in the lower group) / group size;
    // none when the groups are empty.
    std::optional<double> discriminacion(const EstadisticaPregunta& p) const;
};

// Which examinations the statistics cover: one, or every examination of an exam
// whose date lies within [desde, hasta].
struct FiltroEstadisticas {
    std::optional<qint64> sesion;
    qint32 examen = 0;
    QDate desde;
    QDate hasta;
};

namespace resultados {

// Share of examinees in each of the upper and lower groups.
inline constexpr double kFraccionGrupo = 0.27;

// The group's examinations, newest first. Throws ErrorBD.
QList<ExaminacionListada> examinacionesDeGrupo(De1& de1, qint32 grupo);
// One examination whole; none when it is not stored. Throws ErrorBD.
std::optional<Examinacion> cargar(De1& de1, qint64 sesion);
// Item statistics; a question the examinees of several examinations met counts
// once, by its CodigoPregunta. Throws ErrorBD.
EstadisticasItems estadisticas(De1& de1, const FiltroEstadisticas& filtro);
// Examinees in each of the upper and lower groups of n examinees.
int tamanoGrupo(int evaluados);

// Spanish whatever the workstation's language (its own territory when Spanish).
QLocale idioma();
QString textoFecha(const QDate& fecha);         // "6 de diciembre de 2026"
QString textoFechaHora(const QDateTime& fecha); // "6 de diciembre de 2026, 09:30"
QString textoFechaCorta(const QDate& fecha);    // "06/12/2026"
QString textoPorcentaje(double porcentaje);     // "66,67 %"
QString textoDecimal(double valor, int decimales = 2);
// A key as shown: the key, or "—" when none came.
QString textoTecla(const QString& tecla);

} // namespace resultados
