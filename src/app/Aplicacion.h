#pragma once
// The program's name as its windows and messages show it.

#include <QString>

inline const QString kTituloAplicacion = QStringLiteral("Tavelmo");
