#pragma once
// The receiver's answer report: byte 0 the report ID, byte 1 unused, byte p + 2
// the key of keypad position p (0 = no key, else the character's code). Position
// p belongs to the (p + 1)-th examinee of the session's list.

#include <QByteArray>
#include <QChar>
#include <QList>

struct TeclaReporte {
    int posicion = 0; // 0-based keypad position = examinee's place in the roster
    QChar tecla;
};

// Positions a report can carry.
inline constexpr int kPosicionesReporte = 54;

// The keys of the first `evaluados` positions present in the report, in position order.
QList<TeclaReporte> TeclasDeReporte(const QByteArray& reporte, int evaluados);

// The key byte as the character it stands for (Windows-1252, as the configuration file).
QChar CaracterTecla(quint8 byte);
