#pragma once
// Rows written straight to a test's catalog: the office's data a test starts from.

#include "data/De1.h"

#include <QDate>
#include <QList>

namespace catalogo {

qint32 responsable(De1& db, const QString& nombre);
qint32 nuevaPersona(De1& db, const QString& nombre, const QString& documento = {},
                    const QDate& nacimiento = {});
qint32 grupo(De1& db, const QString& curso, const QString& descripcion, qint32 responsable,
             const QDate& fecha = QDate(2024, 3, 5));
// A member row; a null `remoto` is a member without keypad.
void miembro(De1& db, qint32 grupo, qint32 persona, const QVariant& remoto = {});
// An exam row without questions.
void test(De1& db, int codigo, const QString& descripcion,
          const QString& tipo = QStringLiteral("T"));

struct PreguntaPrueba {
    int correcta = 1; // 1-based of three answers; 0 for none
    QVariant tiempo = 16;
    int ensayo = 0;
};
// An exam whose questions ("Pregunta n", answers "Respuesta n.a") are stored in
// reverse, so only Orden gives their order.
void examen(De1& db, qint32 codigo, const QList<PreguntaPrueba>& preguntas);
// n questions whose correct answers run 1, 2, 3, 1, ...
QList<PreguntaPrueba> preguntasSimples(int n);

// The first column of the first row, as a number.
int contar(De1& db, const QString& sql, const QVariantList& parametros = {});
int filas(De1& db, const QString& tabla);

} // namespace catalogo
