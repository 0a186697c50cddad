// SPDX-License-Identifier: GPL-3.0-or-later
#include "base/number_format.h"

#include "base/error.h"
#include "base/text_to_number.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <limits>
#include <optional>
#include <vector>

namespace hspring {

namespace {

// The significant digits of a positive value rounded to a given count, and the decimal exponent
// of the first: 45.125 to four digits is {"4513", 1}.
struct RoundedDigits {
    std::string digits;
    int exponent = 0;
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
    rounded.digits.reserve(static_cast<std::size_t>(count) + 1);
    std::size_t next = 0; // position of the first digit not kept
    for (std::size_t i = 0; i < ePos && rounded.digits.size() < static_cast<std::size_t>(count);
         ++i) {
        next = i + 1;
        if (expansion[i] != '.')
            rounded.digits += expansion[i];
    }
    if (next < ePos && expansion[next] == '.')
        ++next;
    // The first digit dropped decides: below 5 the rest is less than half a unit, from 5 on it
    // is half a unit (a tie) or more, and both go away from zero.
    if (next < ePos && expansion[next] >= '5') {
        std::size_t i = rounded.digits.size();
        while (i > 0 && rounded.digits[i - 1] == '9')
            rounded.digits[--i] = '0';
        if (i > 0) {
            ++rounded.digits[i - 1];
        } else { // 9.99… became 10.0…
            rounded.digits.insert(rounded.digits.begin(), '1');
            rounded.digits.pop_back();
            ++rounded.exponent;
        }
    }
    return rounded;
}

// The powers of ten that extended precision holds exactly (5^27 < 2^64).
constexpr int kExactPowers = 27;
constexpr auto kPowersOfTen = [] {
    std::array<long double, kExactPowers + 1> powers{};
    long double power = 1;
    for (long double& p : powers) {
        p = power;
        power *= 10;
    }
    return powers;
}();

// The same digits found quickly, for up to 15 of them: the value scaled by a power of ten into
// [10^(count−1), 10^count) in extended precision, then rounded to a whole number. The scaling is
// one rounding, off by at most 10^15 · 2^-64 < 6e-5, so the whole number is right unless the
// fraction lies within that of a half; within 1e-3 of it the exact expansion decides (nullopt).
// The expansion costs a microsecond for an extended value (printf's arithmetic), this a tenth.
std::optional<RoundedDigits> roundSignificantQuickly(long double value, int count) {
    constexpr int kMostDigits = 15;
    if (count > kMostDigits || !(value >= 1e-20L && value <= 1e20L))
        return std::nullopt;
    const long double low = kPowersOfTen[static_cast<std::size_t>(count - 1)];
    const long double high = kPowersOfTen[static_cast<std::size_t>(count)];
    int exponent = static_cast<int>(std::floor(std::log10(static_cast<double>(value))));
    // log10 of the rounded double can be a unit off next to a power of ten: one more try.
    for (int attempt = 0; attempt < 2; ++attempt) {
        const int shift = count - 1 - exponent;
        if (std::abs(shift) > kExactPowers)
            return std::nullopt;
        const long double power = kPowersOfTen[static_cast<std::size_t>(std::abs(shift))];
        const long double scaled = shift >= 0 ? value * power : value / power;
        if (scaled < low) {
            --exponent;
            continue;
        }
        if (scaled >= high) {
            ++exponent;
            continue;
        }
        const long double whole = std::floor(scaled);
        const long double fraction = scaled - whole;
        if (std::fabs(fraction - 0.5L) < 1e-3L)
            return std::nullopt;
        auto digits = static_cast<unsigned long long>(whole) + (fraction > 0.5L ? 1 : 0);
        if (static_cast<long double>(digits) == high) { // 9.99… became 10.0…
            digits = static_cast<unsigned long long>(low);
            ++exponent;
        }
        char text[24];
        const auto written = std::to_chars(text, text + sizeof text, digits);
        return RoundedDigits{std::string(text, written.ptr), exponent};
    }
    return std::nullopt;
}

// The digits of a value exactly representable as a double are found faster through the double.
RoundedDigits roundSignificantOf(long double value, int count) {
    if (std::optional<RoundedDigits> quick = roundSignificantQuickly(value, count))
        return std::move(*quick);
    const auto asDouble = static_cast<double>(value);
    if (static_cast<long double>(asDouble) == value)
        return roundSignificant(asDouble, count);
    return roundSignificant(value, count);
}
RoundedDigits roundSignificantOf(double value, int count) {
    if (std::optional<RoundedDigits> quick = roundSignificantQuickly(value, count))
        return std::move(*quick);
    return roundSignificant(value, count);
}

template <typename Float>
std::string formatGeneralOf(Float value, int significantDigits) {
    if (!std::isfinite(value))
        return std::string(kMissingValueText);
    if (value == 0)
        return "0";

    significantDigits = std::clamp(significantDigits, 1, std::numeric_limits<Float>::max_digits10);
    const bool negative = value < 0;
    RoundedDigits rounded = roundSignificantOf(std::fabs(value), significantDigits);
    std::string& digits = rounded.digits;
    const int exponent = rounded.exponent;
    while (digits.size() > 1 && digits.back() == '0')
        digits.pop_back();

    std::string text = negative ? "-" : "";
    if (exponent >= -4 && exponent < significantDigits) {
        if (exponent < 0) {
            text += "0." + std::string(static_cast<std::size_t>(-exponent - 1), '0') + digits;
        } else {
            const auto integerDigits = static_cast<std::size_t>(exponent) + 1;
            if (digits.size() <= integerDigits) {
                text += digits + std::string(integerDigits - digits.size(), '0');
            } else {
                text += digits.substr(0, integerDigits) + "." + digits.substr(integerDigits);
            }
        }
    } else {
        text += digits.substr(0, 1);
        if (digits.size() > 1)
            text += "." + digits.substr(1);
        text += "E" + std::to_string(exponent);
    }
    return text;
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

} // namespace hspring
