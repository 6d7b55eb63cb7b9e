#pragma once
// Shared by the session tests: a clock the test moves, answer reports, and small
// builders of exams and persons.

#include "ReceptorFalso.h"
#include "data/De1.h"
#include "session/Reloj.h"

#include <QDate>
#include <QList>

class RelojDePrueba : public Reloj {
public:
    qint64 milisegundos() const override { return ms; }
    void avanzar(qint64 d) { ms += d; }
    qint64 ms = 1000;
};

// An answer report: keys[p] for keypad position p (0 = none).
inline QByteArray reporteRespuestas(const QList<char>& teclas) {
    QByteArray r(Receptor::kLargoReporte, '\0');
    for (int p = 0; p < teclas.size(); ++p)
        r[p + 2] = teclas.at(p);
    return r;
}

struct PreguntaPrueba {
    int correcta = 1; // 1-based of three answers; 0 for none
    QVariant tiempo = 16;
    int ensayo = 0;
};

// Adds an exam whose questions are stored in reverse, so only Orden gives their order.
inline void crearExamen(De1& de1, qint32 codigo, const QList<PreguntaPrueba>& preguntas) {
    de1.insertarSinIdentidad(
        "Examenes",
        {{"CodigoExamen", codigo}, {"DescripcionExamen", "Examen"}, {"TipoExamen", "T"}});
    for (int i = int(preguntas.size()) - 1; i >= 0; --i) {
        const PreguntaPrueba& p = preguntas.at(i);
        const qint64 cp = de1.insertar("Preguntas",
                                       {{"Valoracion", codigo},
                                        {"Pregunta", QStringLiteral("Pregunta %1").arg(i + 1)},
                                        {"Tiempo", p.tiempo},
                                        {"Orden", i + 1},
                                        {"Ensayo", p.ensayo}},
                                       "CodigoPregunta");
        for (int a = 3; a >= 1; --a)
            de1.insertar("Respuestas",
                         {{"Pregunta", cp},
                          {"Respuesta", QStringLiteral("Respuesta %1.%2").arg(i + 1).arg(a)},
                          {"Correcta", a == p.correcta ? 1 : 0},
                          {"Orden", a}},
                         "CodigoRespuesta");
    }
}

// n questions whose correct answers run 1, 2, 3, 1, ...
inline QList<PreguntaPrueba> preguntasSimples(int n) {
    QList<PreguntaPrueba> l;
    for (int i = 0; i < n; ++i)
        l.append(PreguntaPrueba{1 + i % 3});
    return l;
}

inline qint32 crearPersona(De1& de1, const QDate& nacimiento,
                           const QString& nombre = QStringLiteral("Persona")) {
    return qint32(de1.insertar(
        "Personas", {{"NombrePersona", nombre}, {"FechaNac", de1.dialecto().fecha(nacimiento)}},
        "CodigoPersona"));
}

inline int contar(De1& de1, const QString& tabla) {
    return de1.valor("SELECT count(*) FROM " + tabla).toInt();
}
