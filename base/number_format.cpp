#include "base/number_format.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdlib>

namespace hspring {

std::string formatGeneral(double value, int significantDigits) {
    if (std::isnan(value))
        return "NAN";
    if (std::isinf(value))
        return value < 0 ? "-INF" : "INF";
    if (value == 0)
        return "0";

    // A double carries at most 17 significant digits; more would only show binary noise.
    significantDigits = std::clamp(significantDigits, 1, 17);

    // to_chars rounds the exact binary value correctly and ignores the locale.
    char buffer[64];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value,
                                      std::chars_format::scientific, significantDigits - 1);
    const std::string scientific(buffer, result.ptr);

    // scientific is "[-]d[.ddd]e[+-]xx".
    const bool negative = scientific.front() == '-';
    const std::size_t ePos = scientific.find('e');
    std::string digits;
    for (std::size_t i = negative ? 1 : 0; i < ePos; ++i)
        if (scientific[i] != '.')
            digits += scientific[i];
    const int exponent = std::atoi(scientific.c_str() + ePos + 1);
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

} // namespace hspring
