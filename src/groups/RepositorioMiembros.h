#pragma once
// The members of the groups (table GruposPersonas): the one place that reads and
// writes them, for the main window, the roster editor and the keypad window.

#include "groups/Grupo.h"

#include <QList>
#include <QSet>

class De1;

class RepositorioMiembros {
public:
    explicit RepositorioMiembros(De1& de1) : de1_(de1) {}

    // The group's examinees in the order they were added (CodigoGrupoPersona),
    // the order keypad positions follow. Members whose person is gone are left
    // out. Throws ErrorBD.
    QList<Evaluado> evaluados(qint32 grupo);

    // The roster editor's "Aceptar", in one transaction: rows of persons no longer
    // listed go, listed persons without a row get one (no keypad yet), members who
    // stay keep their row and their keypad. Throws ErrorBD; nothing is written then.
    void fijarPersonas(qint32 grupo, const QList<qint32>& personas);

    // The keypad window's "Aceptar", in one transaction: each listed member's row
    // takes his keypad number (0 for none). Members added or removed meanwhile by
    // another workstation stay as they are. Throws ErrorBD; nothing is written then.
    void fijarControles(qint32 grupo, const QList<Evaluado>& evaluados);

    // Adds a member row without a keypad for each listed person the group does not
    // have yet (a person listed twice gets one); the caller holds the transaction.
    // Returns the persons added. Throws ErrorBD.
    QList<qint32> agregarEnTransaccion(qint32 grupo, const QList<qint32>& personas);

    // Removes every member row of the group; the caller holds the transaction.
    void quitarGrupo(qint32 grupo);

private:
    // Adds a row for each person not in `guardadas` (which it extends); returns those added.
    QList<qint32> insertarNuevas(qint32 grupo, const QList<qint32>& personas,
                                 QSet<qint32>& guardadas);

    De1& de1_;
};
