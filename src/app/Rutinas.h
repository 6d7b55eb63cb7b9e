#pragma once
// Small routines shared by several windows.

#include <QString>

// Trims the argument in place and returns it with each blank-separated piece in
// proper case (one-letter pieces in lower case); inner double blanks are kept.
QString NombrePropio(QString& texto);

// The drive the capture windows build their working files on: "F:" when the
// program folder lies on drive F, else "C:".
QString UnidadTrabajo();
QString UnidadTrabajoDe(const QString& carpetaPrograma);
