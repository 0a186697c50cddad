// SPDX-License-Identifier: GPL-3.0-or-later
#include "base/number_format.h"

#include "base/error.h"
#include "base/text_to_number.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <limits>
#include <optional>
#include <vector>

namespace hspring {

namespace {

// The significant digits of a positive value rounded to a given count, and the decimal exponent
// of the first: 45.125 to four digits is {"4513", 1}.
struct RoundedDigits {
    std::array<char, 24> digits; // up to 21 for an extended value
    int count = 0;
    int exponent = 0;

    void append(char digit) { digits[static_cast<std::size_t>(count++)] = digit; }
};

// Digits after the first that the scientific expansion of a finite, positive value needs to be
// exact. value = m · 2^(e − p) with an integer m < 2^p (p the bits of the significand), so it has
// at most p − e decimal places, and its first digit stands at 10^x with x ≤ e · log10(2). More
// digits than needed are only zeros; the estimate errs that way.
template <typename Float>
int exactPrecision(Float value) {
    int binaryExponent = 0;
    std::frexp(value, &binaryExponent);
    constexpr int kSignificandBits = std::numeric_limits<Float>::digits;
    const int firstDigitBound =
        static_cast<int>(std::floor(binaryExponent * 0.30102999566398120)) + 1;
    const int decimalPlaces = std::max(0, kSignificandBits - binaryExponent);
    return std::max(0, firstDigitBound + decimalPlaces);
}

// Rounds a finite, positive value to `count` significant digits, a tie away from zero. Every
// binary value has a finite decimal expansion; the rounding reads it whole, so a value just
// below a tie can never be taken for one (no second rounding). to_chars at the precision the
// expansion needs writes it exactly, trailing zeros included.
template <typename Float>
RoundedDigits roundSignificant(Float value, int count) {
    const int precision = std::max(exactPrecision(value), count);
    // A few digits for most values; thousands only for the smallest subnormals.
    std::array<char, 512> small;
    std::vector<char> large;
    char* first = small.data();
    std::size_t size = small.size();
    if (static_cast<std::size_t>(precision) + 16 > size) {
        large.resize(static_cast<std::size_t>(precision) + 16);
        first = large.data();
        size = large.size();
    }
    const auto written =
        std::to_chars(first, first + size, value, std::chars_format::scientific, precision);
    const std::string_view expansion(first, static_cast<std::size_t>(written.ptr - first));

    // expansion is "d.ddd…e±x": the digits without the point, then the exponent.
    const std::size_t ePos = expansion.find('e');
    RoundedDigits rounded;
    const char* exponentText = expansion.data() + ePos + 1;
    if (*exponentText == '+')
        ++exponentText; // from_chars takes a minus only
    std::from_chars(exponentText, expansion.data() + expansion.size(), rounded.exponent);
    std::size_t next = 0; // position of the first digit not kept
    for (std::size_t i = 0; i < ePos && rounded.count < count; ++i) {
        next = i + 1;
        if (expansion[i] != '.')
            rounded.append(expansion[i]);
    }
    if (next < ePos && expansion[next] == '.')
        ++next;
    // The first digit dropped decides: below 5 the rest is less than half a unit, from 5 on it
    // is half a unit (a tie) or more, and both go away from zero.
    if (next < ePos && expansion[next] >= '5') {
        auto i = static_cast<std::size_t>(rounded.count);
        while (i > 0 && rounded.digits[i - 1] == '9')
            rounded.digits[--i] = '0';
        if (i > 0) {
            ++rounded.digits[i - 1];
        } else { // 9.99… became 10.0…: the zeros stay, one fewer after a leading one
            rounded.digits[0] = '1';
            ++rounded.exponent;
        }
    }
    return rounded;
}

// The powers of ten that a type holds exactly: 10^22 a double (5^22 < 2^53), 10^27 extended
// precision (5^27 < 2^64).
template <typename Real, int kExactPowers>
constexpr auto kPowersOfTen = [] {
    std::array<Real, kExactPowers + 1> powers{};
    Real power = 1;
    for (Real& p : powers) {
        p = power;
        power *= 10;
    }
    return powers;
}();

// The same digits found quickly: the value scaled by a power of ten into [10^(count−1),
// 10^count), then rounded to a whole number. The scaling is one rounding (and, in a double, the
// value's own rounding to it), off by at most 10^15 · 2^-64 < 6e-5 in extended precision for up
// to 15 digits and by 10^9 · 2^-52 < 3e-7 in a double for up to 9, so the whole number is right
// unless the fraction lies within that of a half; within 1e-3 of it the exact expansion decides
// (false). The expansion costs a microsecond for an extended value (printf's arithmetic), this
// a tenth; a double costs a third of extended precision, whose conversions switch the x87
// rounding mode. The digits are written where the caller keeps them: a returned copy of the
// record was read back before its last stores had landed, a stall that cost more than the
// arithmetic.
template <typename Real, int kMostDigits, int kExactPowers>
bool roundSignificantScaled(Real value, int count, RoundedDigits& rounded) {
    if (count > kMostDigits || !(value >= Real(1e-20) && value <= Real(1e20)))
        return false;
    const auto& powers = kPowersOfTen<Real, kExactPowers>;
    const Real low = powers[static_cast<std::size_t>(count - 1)];
    const Real high = powers[static_cast<std::size_t>(count)];
    // The power of ten from the binary exponent: 2^(b−1) <= value < 2^b gives
    // (b−1)·log10(2) <= log10(value) < b·log10(2), so the estimate is at most a unit low; the
    // loop corrects it.
    int binaryExponent = 0;
    std::frexp(value, &binaryExponent);
    int exponent = static_cast<int>(std::floor((binaryExponent - 1) * 0.30102999566398120));
    for (int attempt = 0; attempt < 2; ++attempt) {
        const int shift = count - 1 - exponent;
        if (std::abs(shift) > kExactPowers)
            return false;
        const Real power = powers[static_cast<std::size_t>(std::abs(shift))];
        const Real scaled = shift >= 0 ? value * power : value / power;
        if (scaled < low) {
            --exponent;
            continue;
        }
        if (scaled >= high) {
            ++exponent;
            continue;
        }
        // Positive and below 2^63: the conversion truncates, as floor would.
        auto digits = static_cast<std::uint64_t>(static_cast<std::int64_t>(scaled));
        const Real fraction = scaled - static_cast<Real>(digits);
        if (std::fabs(fraction - Real(0.5)) < Real(1e-3))
            return false;
        digits += fraction > Real(0.5) ? 1 : 0;
        if (static_cast<Real>(digits) == high) { // 9.99… became 10.0…
            digits = static_cast<std::uint64_t>(low);
            ++exponent;
        }
        rounded.count =
            static_cast<int>(std::to_chars(rounded.digits.data(),
                                           rounded.digits.data() + rounded.digits.size(), digits)
                                 .ptr -
                             rounded.digits.data());
        rounded.exponent = exponent;
        return true;
    }
    return false;
}

bool roundSignificantQuickly(long double value, int count, RoundedDigits& rounded) {
    if (count <= 9)
        return roundSignificantScaled<double, 9, 22>(static_cast<double>(value), count, rounded);
    return roundSignificantScaled<long double, 15, 27>(value, count, rounded);
}

// The digits of a value exactly representable as a double are found faster through the double.
RoundedDigits roundSignificantOf(long double value, int count) {
    RoundedDigits rounded;
    if (!roundSignificantQuickly(value, count, rounded)) {
        const auto asDouble = static_cast<double>(value);
        rounded = static_cast<long double>(asDouble) == value ? roundSignificant(asDouble, count)
                                                              : roundSignificant(value, count);
    }
    return rounded;
}
RoundedDigits roundSignificantOf(double value, int count) {
    RoundedDigits rounded;
    if (!roundSignificantQuickly(value, count, rounded))
        rounded = roundSignificant(value, count);
    return rounded;
}

template <typename Float>
std::string formatGeneralOf(Float value, int significantDigits) {
    if (!std::isfinite(value))
        return std::string(kMissingValueText);
    if (value == 0)
        return "0";

    significantDigits = std::clamp(significantDigits, 1, std::numeric_limits<Float>::max_digits10);
    const RoundedDigits rounded = roundSignificantOf(std::fabs(value), significantDigits);
    const char* const digits = rounded.digits.data();
    int count = rounded.count;
    while (count > 1 && digits[count - 1] == '0')
        --count;
    const int exponent = rounded.exponent;

    // Built in place: at most a sign, "0.0000", 21 digits, a point and "E-4951".
    std::array<char, 48> text;
    char* out = text.data();
    if (value < 0)
        *out++ = '-';
    if (exponent >= -4 && exponent < significantDigits) {
        if (exponent < 0) {
            *out++ = '0';
            *out++ = '.';
            out = std::fill_n(out, -exponent - 1, '0');
            out = std::copy_n(digits, count, out);
        } else if (count <= exponent + 1) {
            out = std::copy_n(digits, count, out);
            out = std::fill_n(out, exponent + 1 - count, '0');
        } else {
            out = std::copy_n(digits, exponent + 1, out);
            *out++ = '.';
            out = std::copy(digits + exponent + 1, digits + count, out);
        }
    } else {
        *out++ = digits[0];
        if (count > 1) {
            *out++ = '.';
            out = std::copy(digits + 1, digits + count, out);
        }
        *out++ = 'E';
        out = std::to_chars(out, text.data() + text.size(), exponent).ptr;
    }
    return std::string(text.data(), out);
}

} // namespace

std::string formatGeneral(double value, int significantDigits) {
    return formatGeneralOf(value, significantDigits);
}

std::string formatGeneral(long double value, int significantDigits) {
    return formatGeneralOf(value, significantDigits);
}

std::optional<std::string> inputFieldText(long double value, int significantDigits) {
    if (!std::isfinite(value))
        return std::nullopt;
    std::string text = formatGeneral(value, significantDigits);
    try {
        textToDouble(text);
    } catch (const Error&) {
        return std::nullopt;
    }
    return text;
}

std::string fullWidthDigits(unsigned value) {
    std::string text;
    for (const char digit : std::to_string(value)) {
        // U+FF10..U+FF19 in UTF-8: EF BC 90..99.
        text += "\xEF\xBC";
        text += static_cast<char>(0x90 + (digit - '0'));
    }
    return text;
}

} // namespace hspring
