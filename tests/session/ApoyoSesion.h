#pragma once
// Shared by the session tests: a receiver the test drives, a clock the test
// moves, and small builders of exams, persons and answer reports.

#include "ReceptorFalso.h"
#include "data/De1.h"
#include "session/Reloj.h"

#include <QDate>
#include <QList>

// Starts unplugged, as a room before the receiver is noticed.
struct ReceptorDePrueba : ReceptorFalso {
    ReceptorDePrueba() { presente = false; }
};

class RelojDePrueba : public Reloj {
public:
    qint64 milisegundos() const override { return ms; }
    void avanzar(qint64 d) { ms += d; }
    qint64 ms = 1000;
};

// An answer report: keys[p] for keypad position p (0 = none).
inline QByteArray reporteRespuestas(const QList<char>& teclas) {
    QByteArray r(Receptor::kLargoReporte, '\0');
    for (int p = 0; p < teclas.size() && p + 2 < r.size(); ++p)
        r[p + 2] = teclas.at(p);
    return r;
}

struct PreguntaPrueba {
    int respuestas = 3;
    int correcta = 1; // 1-based; 0 for none
    QVariant tiempo = 16;
    QByteArray foto;
    int ensayo = 0;
};

// Adds an exam whose questions are stored in reverse, so only Orden gives their order.
inline void crearExamen(De1& de1, qint32 codigo, const QList<PreguntaPrueba>& preguntas) {
    de1.insertarSinIdentidad(QStringLiteral("Examenes"),
                             {{"CodigoExamen", codigo},
                              {"DescripcionExamen", QStringLiteral("Examen %1").arg(codigo)},
                              {"TipoExamen", "T"},
                              {"Disponible", 1},
                              {"Ejecutable", "x"}});
    for (int i = int(preguntas.size()) - 1; i >= 0; --i) {
        const PreguntaPrueba& p = preguntas.at(i);
        const qint64 cp = de1.insertar(QStringLiteral("Preguntas"),
                                       {{"Valoracion", codigo},
                                        {"Pregunta", QStringLiteral("Pregunta %1").arg(i + 1)},
                                        {"Foto", p.foto.isEmpty() ? QVariant() : QVariant(p.foto)},
                                        {"Tiempo", p.tiempo},
                                        {"Tipo", "T"},
                                        {"Orden", i + 1},
                                        {"Ensayo", p.ensayo}},
                                       QStringLiteral("CodigoPregunta"));
        for (int a = p.respuestas; a >= 1; --a)
            de1.insertar(QStringLiteral("Respuestas"),
                         {{"Pregunta", cp},
                          {"Respuesta", QStringLiteral("Respuesta %1.%2").arg(i + 1).arg(a)},
                          {"Correcta", a == p.correcta ? 1 : 0},
                          {"Orden", a}},
                         QStringLiteral("CodigoRespuesta"));
    }
}

inline QList<PreguntaPrueba> preguntasSimples(int n) {
    QList<PreguntaPrueba> l;
    for (int i = 0; i < n; ++i)
        l.append({3, 1 + i % 3, 16, {}, 0});
    return l;
}

inline qint32 crearPersona(De1& de1, const QDate& nacimiento,
                           const QString& nombre = QStringLiteral("Persona")) {
    return qint32(
        de1.insertar(QStringLiteral("Personas"),
                     {{"NombrePersona", nombre}, {"FechaNac", de1.dialecto().fecha(nacimiento)}},
                     QStringLiteral("CodigoPersona")));
}
