#include "base/number_format.h"

#include "base/error.h"
#include "base/text_to_number.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <limits>
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

// The digits of a value exactly representable as a double are found faster through the double.
RoundedDigits roundSignificantOf(long double value, int count) {
    const auto asDouble = static_cast<double>(value);
    if (static_cast<long double>(asDouble) == value)
        return roundSignificant(asDouble, count);
    return roundSignificant(value, count);
}
RoundedDigits roundSignificantOf(double value, int count) {
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
