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
void checkShownNumberReadsBack(double value, int digits) {
    const std::string shown = formatGeneral(value, digits);
    if (!std::isfinite(value)) {
        fuzz::require(!fuzz::completesOrFailsWithError([&] { textToDouble(shown); }),
                      "NAN and INF are not numbers to the fields");
        return;
    }
    double reread = 0;
    if (!fuzz::completesOrFailsWithError([&] { reread = textToDouble(shown); })) {
        errno = 0;
        std::strtod(shown.c_str(), nullptr);
        fuzz::require(errno == ERANGE && std::fabs(value) > 1e308,
                      "only a number rounded past the largest double fails to read back");
        return;
    }
    // Below the smallest normal double the spacing of doubles grows past the digits shown, so
    // the nearest double to a shown denormal may show differently.
    if (std::fabs(reread) >= std::numeric_limits<double>::min())
        fuzz::require(formatGeneral(reread, digits) == shown, "a shown number reads back the same");
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);

    double value = 0;
    if (fuzz::completesOrFailsWithError([&] { value = textToDouble(text); })) {
        fuzz::require(text.find('\0') == std::string::npos, "a number has no NUL inside");
        fuzz::require(!std::isnan(value) && !std::isinf(value), "an accepted number is finite");
        const double expected = strtodOf(text);
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
    return 0;
}
