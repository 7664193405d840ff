// The numeric test of typed text: which strings count as numbers, and their value.
#pragma once

#include <QString>
#include <optional>

#include "wlctrls_export.h"

namespace wl {

// The value of text that passes the numeric test, or nothing. Accepted:
// blanks around the number; a leading + or -, or parentheses for a negative
// number; digits with thousands separators (",") in the whole part; a
// decimal point with or without digits on either side (but at least one
// digit); an exponent (E or D, optional sign, digits); and "&H" hexadecimal
// or "&O" octal whole numbers, which are 16-bit when they have at most 4
// (hex) or 6 (octal) digits and 32-bit otherwise ("&HFFFF" is -1).
// Infinite results (huge exponents) are returned as they are.
WLCTRLS_EXPORT std::optional<double> NumericValue(const QString& text);

}  // namespace wl
