// SPDX-License-Identifier: GPL-3.0-or-later
// The text-to-number conversions of every input field and the number formats of every display:
// a text is either a number or the field's conversion error; what the program shows of a number
// reads back as the same text.

#include "base/number_format.h"
#include "base/text_to_number.h"
#include "fuzz_support.h"

#include <cerrno>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <string>

using namespace hspring;

namespace {

// The C library's reading of an accepted text (the C locale is in force in the fuzz target).
double strtodOf(const std::string& text) {
    char* end = nullptr;
    const double value = std::strtod(text.c_str(), &end);
    fuzz::require(end != text.c_str(), "strtod reads an accepted number");
    return value;
}

bool sameNumber(double a, double b) {
    return a == b && std::signbit(a) == std::signbit(b);
}

// A shown number reads back (unless it was rounded past the largest double) and shows the same.
// A value that is not finite shows the missing-value mark, which no field takes for a number.
void checkShownNumberReadsBack(double value, int digits) {
    const std::string shown = formatGeneral(value, digits);
    fuzz::require(formatGeneral(static_cast<long double>(value), digits) == shown,
                  "a double shows the same through the extended entry");
    if (!std::isfinite(value)) {
        fuzz::require(shown == kMissingValueText, "NaN and the infinities show as missing");
        fuzz::require(!fuzz::completesOrFailsWithError([&] { textToDouble(shown); }),
                      "the missing-value mark is not a number to the fields");
        fuzz::require(!inputFieldText(value, digits), "no field is given a missing value");
        return;
    }
    fuzz::require(shown.find(kMissingValueText) == std::string::npos,
                  "a finite value shows a number");
    double reread = 0;
    if (!fuzz::completesOrFailsWithError([&] { reread = textToDouble(shown); })) {
        errno = 0;
        std::strtod(shown.c_str(), nullptr);
        fuzz::require(errno == ERANGE && std::fabs(value) > 1e308,
                      "only a number rounded past the largest double fails to read back");
        return;
    }
    fuzz::require(inputFieldText(value, digits) == shown, "a field is given what reads back");
    // Below the smallest normal double the spacing of doubles grows past the digits shown, so
    // the nearest double to a shown denormal may show differently.
    if (std::fabs(reread) >= std::numeric_limits<double>::min())
        fuzz::require(formatGeneral(reread, digits) == shown, "a shown number reads back the same");
}

// A value computed in extended precision and shown, never stored: its text reads back as the
// double nearest to it, which shows the same text, since up to 15 digits every decimal survives
// the trip through a double.
void checkShownExtendedNumberReadsBack(long double value, int digits) {
    const std::string shown = formatGeneral(value, digits);
    double reread = 0;
    if (!fuzz::completesOrFailsWithError([&] { reread = textToDouble(shown); })) {
        fuzz::require(std::fabs(value) > 1e308L, "only an extended value past a double fails");
        fuzz::require(!inputFieldText(value, digits), "no field is given what it cannot read");
        return;
    }
    fuzz::require(inputFieldText(value, digits) == shown, "a field is given what reads back");
    if (std::fabs(reread) >= std::numeric_limits<double>::min())
        fuzz::require(formatGeneral(reread, digits) == shown,
                      "a shown extended number reads back the same");
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);

    double value = 0;
    if (fuzz::completesOrFailsWithError([&] { value = textToDouble(text); })) {
        fuzz::require(text.find('\0') == std::string::npos, "a number has no NUL inside");
        fuzz::require(!std::isnan(value) && !std::isinf(value), "an accepted number is finite");
        // The full-width forms an input method types are read as their ASCII forms.
        const double expected = strtodOf(asciiNumberText(text));
        // strtod gives ±HUGE_VAL or a denormal with ERANGE where textToDouble takes zero for an
        // underflow; both agree on every other number.
        fuzz::require(sameNumber(value, expected) || (value == 0 && std::fabs(expected) < 1e-300),
                      "textToDouble reads what strtod reads");
        for (const int digits : {4, 15})
            checkShownNumberReadsBack(value, digits);
    }

    std::int32_t integer = 0;
    if (fuzz::completesOrFailsWithError([&] { integer = textToInt(text); })) {
        fuzz::require(textToInt(std::to_string(integer)) == integer, "an integer reads back");
        fuzz::require(textToDouble(text) == integer, "an integer text is also a number");
    }

    // Any bit pattern as a stored double, in every number of digits the program may ask for.
    if (size >= sizeof(double) + 1) {
        double stored = 0;
        std::memcpy(&stored, data, sizeof stored);
        checkShownNumberReadsBack(stored, 1 + data[sizeof stored] % 17);
    }

    // Any extended value with a full 64-bit significand over more than the range of a double.
    if (size >= sizeof(std::uint64_t) + 3) {
        std::uint64_t significand = 0;
        std::memcpy(&significand, data, sizeof significand);
        std::int16_t exponent = 0;
        std::memcpy(&exponent, data + sizeof significand, sizeof exponent);
        const long double extended =
            std::ldexp(static_cast<long double>(significand), exponent % 1150 - 64);
        const std::uint8_t signAndDigits = data[sizeof significand + sizeof exponent];
        checkShownExtendedNumberReadsBack(signAndDigits & 1 ? -extended : extended,
                                          1 + (signAndDigits >> 1) % 15);
    }
    return 0;
}
