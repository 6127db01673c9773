#pragma once

#include <QString>

#include <optional>

// How typed numbers are read.

// A whole-number field: digits only (blanks around them allowed), within the
// range of a 32-bit record field. Nothing for empty text, signs, separators or
// values too large.
std::optional<qint32> ParseWholeNumber(const QString& text);

// The number at the start of the text, the way the C library's atol reads it:
// leading blanks, an optional sign, then digits up to the first non-digit; 0 when
// there are none. Out-of-range values stop at the 32-bit limits instead of wrapping.
qint32 LeadingWholeNumber(const QString& text);

// The same for a real number, the way atof reads it.
double LeadingRealNumber(const QString& text);
