#pragma once

#include <string>

namespace hspring {

// The general number format with `significantDigits` digits, the one every field, grid cell,
// label and DXF number uses:
// - the value is rounded to that many significant digits; trailing zeros and a trailing decimal
//   point are dropped;
// - fixed notation when 0.0001 <= |v| < 10^digits after rounding, otherwise one digit, the
//   point, the other digits, "E", a minus only for a negative exponent and the exponent without
//   leading zeros: 12345.6 in four digits is "1.235E4", 0.0000123456 is "1.235E-5";
// - zero (either sign) is "0"; NaN is "NAN", the infinities "INF" and "-INF";
// - the decimal separator is always the point, whatever the locale;
// - `significantDigits` is taken within 1..17.
std::string formatGeneral(double value, int significantDigits);

// Four significant digits: result fields, the history grid and most input fields.
inline std::string formatF4(double value) {
    return formatGeneral(value, 4);
}
// Fifteen significant digits: coil diameter, turns, wire-diameter lists and the DXF file.
inline std::string formatF15(double value) {
    return formatGeneral(value, 15);
}

} // namespace hspring
