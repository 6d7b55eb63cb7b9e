#pragma once
// Reading text as the office's older programs do: numbers the way the
// runtime's Val reads them, rounding to the even neighbour, and the
// Windows-1252 text of the configuration file.

#include <QByteArray>
#include <QString>
#include <QStringView>

namespace texto {

// Leading number of the text: blanks, tabs and line feeds are skipped wherever
// they stand, an optional sign, digits with at most one decimal point; the first
// other character ends it. No number gives 0.
double Val(QStringView texto);

// Nearest whole number, halves to the even neighbour (2.5 -> 2, 3.5 -> 4).
double RedondearPar(double valor);

// Val, rounded to the even neighbour and clamped to a 32-bit integer.
qint32 ValEntero(QStringView texto);

// Val rounded and clamped to a 16-bit integer, as a "read as a whole number" of
// a 16-bit field.
qint16 ValEntero16(QStringView texto);

// The last n characters (all of them when shorter), as Right$ does.
QString Derecha(const QString& texto, int n);

// The first n characters (all of them when shorter), as Left$ does.
QString Izquierda(const QString& texto, int n);

QByteArray aWindows1252(const QString& texto);
QString desdeWindows1252(const QByteArray& bytes);

} // namespace texto
