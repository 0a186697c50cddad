// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace hspring {

// Converts the text of an input field to a double. Every numeric field goes through here, so the
// rule is strict and does not depend on the locale:
//
// Accepted: optional ASCII blanks around the number; an optional sign '+' or '-'; decimal digits
// with at most one decimal point, at least one digit in all ("5", "5.", ".5", "-0.25"); an
// optional exponent 'e' or 'E' with an optional sign and at least one digit ("1.5E-3").
// A value too small for a double becomes zero of the same sign (denormals are kept).
// The full-width forms a Japanese input method types are read as their ASCII forms first
// (asciiNumberText): "１５" is 15, "－２．５" is -2.5.
//
// Rejected with conversionError (Problem::NotANumber with the text as given): the empty
// text and blanks only, a comma or any other separator ("1,5", "１，５"), more than one point,
// blanks inside the number, hexadecimal, "nan", "inf" and any other character, and a value
// beyond the range of a double ("1e999").
double textToDouble(std::string_view text);

// Converts the text of an integer field ("ねじり応力比", a slot number) to a 32-bit integer:
// optional blanks around, an optional sign, decimal digits only (full-width ones as well), within
// the int32 range. Anything else raises integerConversionError.
std::int32_t textToInt(std::string_view text);

// The UTF-8 text with the full-width characters a number can hold as a Japanese input method types
// them (U+FF10..U+FF19 "０".."９", "＋", "－", "．", "Ｅ", "ｅ", the minus sign U+2212 and the
// ideographic space U+3000) replaced by their ASCII forms; everything else is kept as it is.
std::string asciiNumberText(std::string_view text);

} // namespace hspring
