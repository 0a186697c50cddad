// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace hspring {

// What every display shows in place of a value it has no number for: a value the calculation
// could not find (NaN: a wire diameter outside the material's strength table, a material the
// library does not hold) or one that is not finite (an infinity read from a damaged file).
// Full-width, so it never reads as a minus sign; no field takes it for a number.
inline constexpr std::string_view kMissingValueText = "－";

// The general number format with `significantDigits` digits, the one every field, grid cell,
// label and DXF number uses:
// - the exact binary value is rounded to that many significant digits, a tie away from zero
//   (45.125 in four digits is "45.13", -1.0625 is "-1.063"; 0.15 is not a tie, its double lies
//   below it); trailing zeros and a trailing decimal point are dropped;
// - fixed notation when 0.0001 <= |v| < 10^digits after rounding, otherwise one digit, the
//   point, the other digits, "E", a minus only for a negative exponent and the exponent without
//   leading zeros: 12345.6 in four digits is "1.235E4", 0.0000123456 is "1.235E-5";
// - zero (either sign) is "0"; NaN and the infinities are kMissingValueText;
// - the decimal separator is always the point, whatever the locale;
// - `significantDigits` is taken within 1..17 for a double, 1..21 for a long double (the digits
//   that tell any two values of the type apart).
std::string formatGeneral(double value, int significantDigits);
// The same for a value computed for display only and never stored: pass the extended value
// itself, since rounding it to double first can change the last digit shown (256.95000000000000639
// in four digits is "257", its double 256.94999999999998863 is "256.9").
std::string formatGeneral(long double value, int significantDigits);

// Four significant digits: result fields, the history grid, labels and most input fields. A
// double (a stored value) is formatted as the double it is; a long double as its extended value.
inline std::string formatF4(long double value) {
    return formatGeneral(value, 4);
}
// Fifteen significant digits: coil diameter, turns, wire-diameter lists and the DXF file.
inline std::string formatF15(long double value) {
    return formatGeneral(value, 15);
}

// The text an input field receives for a value in the field's format, or nullopt when the field
// could not read that text back as a number: a missing value, an infinity, or a value that rounds
// past the largest double ("1.798E308" in four digits). Writing the mark into a field would only
// make the next reading of the inputs stop with the field's conversion error.
std::optional<std::string> inputFieldText(long double value, int significantDigits);

// A count in full-width digits ("８"), as a Japanese sentence sets a number between full-width
// words.
std::string fullWidthDigits(unsigned value);

} // namespace hspring
