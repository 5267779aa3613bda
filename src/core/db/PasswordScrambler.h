#pragma once

#include <QString>

// The seed of the running key that scrambles the database password in "sql_config.ini".
// The station and rod_edididu share it.
inline constexpr quint16 kPasswordSeed = 0x6A3D;

// Hexadecimal stage: two characters give one byte, digit value (code - 48) for "0".."9" and
// (code - 55) for everything else, low 8 bits; a last unpaired character is ignored.
QByteArray DecodeScrambledHex(const QString& stored);

// The stored text to the plain password (GBK bytes decoded).
QString DescramblePassword(const QString& stored, quint16 seed);

// The inverse: the text that DescramblePassword turns back into the password.
QString ScramblePassword(const QString& password, quint16 seed);
