// SPDX-License-Identifier: GPL-3.0-or-later
#include "base/text_to_number.h"

#include "base/error.h"

#include <algorithm>
#include <charconv>
#include <limits>

namespace hspring {

namespace {

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

std::string_view trimBlanks(std::string_view text) {
    while (!text.empty() && text.front() == ' ')
        text.remove_prefix(1);
    while (!text.empty() && text.back() == ' ')
        text.remove_suffix(1);
    return text;
}

// The syntax check of textToDouble; from_chars alone would also take "nan" and "inf".
struct DecimalParts {
    bool valid = false;
    std::string_view unsignedNumber; // the text after the sign
    bool negative = false;
    // Position of the first significant digit relative to the decimal point, plus the exponent:
    // tells an overflow from an underflow when the value is out of range.
    long long magnitude = 0;
};

DecimalParts splitDecimal(std::string_view text) {
    DecimalParts parts;
    std::size_t i = 0;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
        parts.negative = text[i] == '-';
        ++i;
    }
    parts.unsignedNumber = text.substr(i);

    std::size_t digitCount = 0;
    long long integerDigits = 0;
    // Where the first non-zero digit stands: its place among the integer digits (counted from 1),
    // or, after the point, its power of ten.
    long long firstSignificantPlace = 0;
    long long firstSignificantFractionPower = 0;
    bool seenSignificant = false;
    bool seenPoint = false;
    for (; i < text.size() && (isDigit(text[i]) || text[i] == '.'); ++i) {
        if (text[i] == '.') {
            if (seenPoint)
                return parts;
            seenPoint = true;
            continue;
        }
        ++digitCount;
        if (!seenPoint)
            ++integerDigits;
        if (!seenSignificant && text[i] != '0') {
            seenSignificant = true;
            if (seenPoint)
                firstSignificantFractionPower = integerDigits - static_cast<long long>(digitCount);
            else
                firstSignificantPlace = integerDigits;
        }
    }
    if (digitCount == 0)
        return parts;
    const long long firstSignificantPower = firstSignificantPlace > 0
                                                ? integerDigits - firstSignificantPlace
                                                : firstSignificantFractionPower;

    long long exponent = 0;
    if (i < text.size() && (text[i] == 'e' || text[i] == 'E')) {
        ++i;
        bool negativeExponent = false;
        if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
            negativeExponent = text[i] == '-';
            ++i;
        }
        if (i == text.size())
            return parts;
        for (; i < text.size() && isDigit(text[i]); ++i)
            if (exponent < 1'000'000'000)
                exponent = exponent * 10 + (text[i] - '0');
        if (negativeExponent)
            exponent = -exponent;
    }
    if (i != text.size())
        return parts;

    parts.valid = true;
    parts.magnitude = seenSignificant ? firstSignificantPower + exponent : 0;
    return parts;
}

// The text itself when it is all ASCII (the search reads numbers in its inner loops, which then
// make no copy), otherwise its ASCII form, kept in `storage`.
std::string_view asciiForm(std::string_view text, std::string& storage) {
    if (std::all_of(text.begin(), text.end(), [](char c) { return (c & 0x80) == 0; }))
        return text;
    storage = asciiNumberText(text);
    return storage;
}

} // namespace

std::string asciiNumberText(std::string_view text) {
    std::string ascii;
    ascii.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        const auto byte = [&text](std::size_t at) { return static_cast<unsigned char>(text[at]); };
        char replacement = 0;
        if (i + 2 < text.size()) {
            // Three-byte sequences: EF BC 8B..99 is U+FF0B..U+FF19, EF BC A5 "Ｅ", EF BD 85 "ｅ".
            const unsigned lead = byte(i), second = byte(i + 1), third = byte(i + 2);
            if (lead == 0xEF && second == 0xBC && third >= 0x90 && third <= 0x99)
                replacement = static_cast<char>('0' + (third - 0x90));
            else if (lead == 0xEF && second == 0xBC && third == 0x8B)
                replacement = '+';
            else if (lead == 0xEF && second == 0xBC && third == 0x8D)
                replacement = '-';
            else if (lead == 0xEF && second == 0xBC && third == 0x8E)
                replacement = '.';
            else if (lead == 0xEF && second == 0xBC && third == 0xA5)
                replacement = 'E';
            else if (lead == 0xEF && second == 0xBD && third == 0x85)
                replacement = 'e';
            else if (lead == 0xE2 && second == 0x88 && third == 0x92) // U+2212 minus sign
                replacement = '-';
            else if (lead == 0xE3 && second == 0x80 && third == 0x80) // U+3000 ideographic space
                replacement = ' ';
        }
        if (replacement != 0) {
            ascii += replacement;
            i += 2;
        } else {
            ascii += text[i];
        }
    }
    return ascii;
}

double textToDouble(std::string_view text) {
    std::string storage;
    const std::string_view number = trimBlanks(asciiForm(text, storage));
    const DecimalParts parts = splitDecimal(number);
    if (!parts.valid)
        throw conversionError(text);

    double value = 0;
    const auto* first = parts.unsignedNumber.data();
    const auto* last = first + parts.unsignedNumber.size();
    const auto result = std::from_chars(first, last, value);
    if (result.ec == std::errc::result_out_of_range) {
        if (parts.magnitude > 0)
            throw conversionError(text);
        value = 0;
    } else if (result.ec != std::errc() || result.ptr != last) {
        throw conversionError(text);
    }
    return parts.negative ? -value : value;
}

std::int32_t textToInt(std::string_view text) {
    std::string storage;
    std::string_view digits = trimBlanks(asciiForm(text, storage));
    bool negative = false;
    if (!digits.empty() && (digits.front() == '+' || digits.front() == '-')) {
        negative = digits.front() == '-';
        digits.remove_prefix(1);
    }
    if (digits.empty() || !std::all_of(digits.begin(), digits.end(), isDigit))
        throw integerConversionError(text);
    std::int64_t magnitude = 0;
    const auto result = std::from_chars(digits.data(), digits.data() + digits.size(), magnitude);
    const std::int64_t value = negative ? -magnitude : magnitude;
    if (result.ec != std::errc() || value < std::numeric_limits<std::int32_t>::min() ||
        value > std::numeric_limits<std::int32_t>::max())
        throw integerConversionError(text);
    return static_cast<std::int32_t>(value);
}

} // namespace hspring
