#include "SesionGuardada.h"

#include "Catalogo.h"
#include "app/Claves.h"
#include "data/Configuracion.h"
#include "session/MatrizRespuestas.h"
#include "session/PreguntasExamen.h"
#include "session/RegistroResultados.h"

SesionPrueba guardarSesionPrueba(De1& db, const QStringList& teclas, const QString& correctas,
                                 const QDate& dia, const QStringList& nombres,
                                 const SesionPrueba* anterior) {
    SesionPrueba s;
    if (anterior) {
        s = *anterior;
        s.personas = s.personas.mid(0, teclas.size());
    } else {
        GuardarConfiguracion(db, ajustes::kPrefijoCarpeta, QStringLiteral("T"));
        s.examen = catalogo::filas(db, QStringLiteral("Examenes")) + 1;
        QList<catalogo::PreguntaPrueba> preguntas;
        for (const QChar c : correctas)
            preguntas.append(catalogo::PreguntaPrueba{c.digitValue()});
        catalogo::examen(db, s.examen, preguntas);
        db.ejecutar(QStringLiteral("UPDATE Examenes SET DescripcionExamen = ?"),
                    {QStringLiteral("Teórico de conducción")});
        s.responsable = catalogo::responsable(db, QStringLiteral("Operadora Núñez"));
        s.grupo = catalogo::grupo(db, QStringLiteral("C-1"), QStringLiteral("Mañana"),
                                  s.responsable, dia);
        for (int k = 0; k < teclas.size(); ++k) {
            const QString nombre =
                k < nombres.size() ? nombres.at(k) : QStringLiteral("Evaluado %1").arg(k + 1);
            s.personas << qint32(
                db.insertar(QStringLiteral("Personas"),
                            {{QStringLiteral("NombrePersona"), nombre},
                             {QStringLiteral("Documento"), QString::number(1000 + k)},
                             {QStringLiteral("TipoDocumento"), 1},
                             {QStringLiteral("Sexo"), QStringLiteral("F")},
                             {QStringLiteral("FechaNac"), db.dialecto().fecha(QDate(1990, 5, 17))},
                             {QStringLiteral("Domicilio"), QStringLiteral("Calle Única 1")},
                             {QStringLiteral("Ciudad"), QStringLiteral("Peñalolén")}},
                            QStringLiteral("CodigoPersona")));
            catalogo::miembro(db, s.grupo, s.personas.last(), 3 + k);
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
    const ResultadoGuardado r = GuardarSesion(db, s.examen, s.responsable, s.personas, preguntas, m,
                                              dia, std::nullopt, &registrada);
    s.sesion = r.sesion.value_or(0);
    return s;
}
