#pragma once
// A stored session for the results tests: a group whose members answered an exam
// of three-answer questions, stored the way the session window stores it.

#include "ApoyoSesion.h"
#include "app/Globales.h"
#include "data/Configuracion.h"
#include "session/MatrizRespuestas.h"
#include "session/PreguntasExamen.h"
#include "session/RegistroResultados.h"

#include <QStringList>

struct SesionPrueba {
    qint32 grupo = 0;
    qint32 examen = 0;
    QList<qint32> personas;
    qint64 sesion = 0;
};

// Examinee k has the name nombres[k] (or "Evaluado k+1"), the document 1000+k and
// the keypad 3+k; teclas[k] holds his key per question, ' ' for none. `correctas`
// gives each question's correct answer (1 to 3). With `grupo` the roster and the
// exam of an earlier call are examined again.
inline SesionPrueba guardarSesionPrueba(De1& db, const QStringList& teclas,
                                        const QString& correctas, const QDate& dia,
                                        const QStringList& nombres = {},
                                        const SesionPrueba* grupo = nullptr) {
    SesionPrueba s;
    if (grupo) {
        s = *grupo;
        s.personas = s.personas.mid(0, teclas.size());
    } else {
        GuardarConfiguracion(db, "PrefijoExamenCons", "T");
        s.examen = db.valor("SELECT count(*) FROM Examenes").toInt() + 1;
        QList<PreguntaPrueba> preguntas;
        for (const QChar c : correctas)
            preguntas.append(PreguntaPrueba{c.digitValue()});
        crearExamen(db, s.examen, preguntas);
        db.ejecutar("UPDATE Examenes SET DescripcionExamen = 'Teórico de conducción'");
        const qint64 r = db.insertar("Responsables", {{"NombreResponsable", "Operadora Núñez"}},
                                     "CodigoResponsable");
        Globales::ResponsableActual = qint32(r);
        s.grupo = qint32(db.insertar("Grupos",
                                     {{"NroCurso", "C-1"},
                                      {"Responsable", r},
                                      {"Descripcion", "Mañana"},
                                      {"Fecha", db.dialecto().fecha(dia)}},
                                     "CodigoGrupo"));
        for (int k = 0; k < teclas.size(); ++k) {
            const QString nombre =
                k < nombres.size() ? nombres.at(k) : QStringLiteral("Evaluado %1").arg(k + 1);
            s.personas << qint32(db.insertar("Personas",
                                             {{"NombrePersona", nombre},
                                              {"Documento", QString::number(1000 + k)},
                                              {"TipoDocumento", 1},
                                              {"Sexo", "F"},
                                              {"FechaNac", db.dialecto().fecha(QDate(1990, 5, 17))},
                                              {"Domicilio", "Calle Única 1"},
                                              {"Ciudad", "Peñalolén"}},
                                             "CodigoPersona"));
            db.insertar("GruposPersonas",
                        {{"Grupo", s.grupo}, {"Persona", s.personas.last()}, {"Remoto", 3 + k}},
                        "CodigoGrupoPersona");
        }
    }
    const QList<PreguntaExamen> preguntas = CargarPreguntas(db, s.examen);
    MatrizRespuestas m(int(teclas.size()), int(preguntas.size()));
    for (int k = 0; k < teclas.size(); ++k)
        for (int q = 0; q < teclas.at(k).size(); ++q)
            if (teclas.at(k).at(q) != u' ')
                m.fijar(k, q, teclas.at(k).at(q));
    SesionRegistrada registrada;
    registrada.grupo = s.grupo;
    const ResultadoGuardado r =
        GuardarSesion(db, s.examen, s.personas, preguntas, m, dia, std::nullopt, &registrada);
    s.sesion = r.sesion.value_or(0);
    return s;
}
