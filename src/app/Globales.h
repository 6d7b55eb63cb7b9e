#pragma once
// Process-wide state shared by the windows, set and read on the interface thread.

#include <QString>
#include <QtGlobal>

struct Globales {
    // "N" new group, "M" modify group, "Z" new person started from the roster editor.
    static inline QString ModoEdicion;
    // The operator's code from the command line.
    static inline qint32 ResponsableActual = 0;
    // Which window gets the receiver's events: 0 none, 1 keypad assignment, 2 exam session.
    static inline qint16 DuenoReceptor = 0;
    // Exam editor: 1 new exam, 2 modify the selected exam.
    static inline int ModoEditorExamen = 0;
};

inline const QString kTituloAplicacion = QStringLiteral("Tavelmo");
