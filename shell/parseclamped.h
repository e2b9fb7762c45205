// The one numeric read of the program, for numbers typed by the user, stored in the settings or
// sent by an engine.
#pragma once

#include <QString>
#include <QtGlobal>

// The number at the start of text (blanks, sign, digits, fraction; none gives 0), clamped to
// minimum..maximum and rounded to nearest with halves to even. The range lies within 16 bits.
qint16 ParseClamped(const QString& text, int minimum, int maximum);
// The same reading for a range within 32 bits.
qint32 ParseClamped32(const QString& text, qint32 minimum, qint32 maximum);
