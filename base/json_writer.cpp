// SPDX-License-Identifier: GPL-3.0-or-later
#include "base/json_writer.h"

#include <algorithm>
#include <array>
#include <cassert>
#include <charconv>
#include <cmath>
#include <cstring>
#include <fmt/format.h>

namespace hspring {

namespace {

// Bytes a JSON string cannot hold as they are: the control characters, the quote, the backslash.
constexpr std::array<bool, 256> kNeedsEscape = [] {
    std::array<bool, 256> table{};
    for (int c = 0; c < 0x20; ++c)
        table[c] = true;
    table['"'] = table['\\'] = true;
    return table;
}();

// Whether any of the eight bytes of a word needs an escape (a word-at-a-time test: most text
// needs none, and this is the writer's busiest loop).
bool anyNeedsEscape(std::uint64_t word) {
    constexpr std::uint64_t kOnes = 0x0101010101010101;
    constexpr std::uint64_t kHighBits = 0x8080808080808080;
    const auto hasZeroByte = [](std::uint64_t x) { return (x - kOnes) & ~x & kHighBits; };
    const std::uint64_t controlCharacter = (word - kOnes * 0x20) & ~word & kHighBits;
    return (controlCharacter | hasZeroByte(word ^ (kOnes * '"')) |
            hasZeroByte(word ^ (kOnes * '\\'))) != 0;
}

constexpr char kDigitPairs[] =
    "00010203040506070809101112131415161718192021222324252627282930313233"
    "34353637383940414243444546474849505152535455565758596061626364656667"
    "6869707172737475767778798081828384858687888990919293949596979899";

// Writes the decimal digits of `value` so that they end at `end`: eight at a time in 32-bit
// parts whose four pairs do not wait on each other, then two at a time.
void writeDigitsBackward(char* end, std::uint64_t value) {
    while (value >= 100000000) {
        const auto eight = static_cast<std::uint32_t>(value % 100000000);
        value /= 100000000;
        const std::uint32_t high = eight / 10000, low = eight % 10000;
        end -= 8;
        std::memcpy(end, kDigitPairs + 2 * (high / 100), 2);
        std::memcpy(end + 2, kDigitPairs + 2 * (high % 100), 2);
        std::memcpy(end + 4, kDigitPairs + 2 * (low / 100), 2);
        std::memcpy(end + 6, kDigitPairs + 2 * (low % 100), 2);
    }
    auto rest = static_cast<std::uint32_t>(value);
    while (rest >= 100) {
        end -= 2;
        std::memcpy(end, kDigitPairs + 2 * (rest % 100), 2);
        rest /= 100;
    }
    if (rest >= 10)
        std::memcpy(end - 2, kDigitPairs + 2 * rest, 2);
    else
        end[-1] = static_cast<char>('0' + rest);
}

} // namespace

char* writeShortest(char* buffer, double value) {
    // From 2^53 on, the fixed form must show the exact binary value, not the shortest digits
    // padded with zeros; such sizes never occur here, and the standard's own routine writes them.
    constexpr double kExactIntegerLimit = 9007199254740992.0;
    if (!(std::fabs(value) < kExactIntegerLimit))
        return std::to_chars(buffer, buffer + kShortestNumberSize, value).ptr;
    // {fmt}'s Dragonbox finds the same shortest digits as std::to_chars (the fewest that read
    // back, the nearest on a tie) in about half the time. Its entry point is {fmt}'s internal
    // one (stable from {fmt} 8 to 11); the JSON tests hold the text to std::to_chars's.
    const auto decimal = fmt::detail::dragonbox::to_decimal(value);
    const int count = fmt::detail::count_digits(decimal.significand);
    const int lastDigitPower = decimal.exponent;
    const int exponent = lastDigitPower + count - 1; // of the first digit
    // The shorter of the two forms, the fixed one on a tie; the sign is in both.
    const int scientificLength =
        count + (count > 1 ? 1 : 0) + 2 + (exponent >= 100 || exponent <= -100 ? 3 : 2);
    const int fixedLength = lastDigitPower >= 0 ? count + lastDigitPower
                            : exponent >= 0     ? count + 1
                                                : count + 1 - exponent;
    char* out = buffer;
    if (std::signbit(value))
        *out++ = '-';
    // The copies below have constant sizes (a few register moves) and may write past the text
    // into the room kShortestNumberSize leaves.
    if (scientificLength < fixedLength) {
        writeDigitsBackward(out + 1 + count, decimal.significand);
        out[0] = out[1];
        if (count > 1) {
            out[1] = '.';
            out += count + 1;
        } else {
            out += 1;
        }
        *out++ = 'e';
        *out++ = exponent < 0 ? '-' : '+';
        const int magnitude = exponent < 0 ? -exponent : exponent;
        if (magnitude >= 100)
            *out++ = static_cast<char>('0' + magnitude / 100);
        std::memcpy(out, kDigitPairs + 2 * (magnitude % 100), 2);
        return out + 2;
    }
    if (lastDigitPower >= 0) { // whole: the digits and up to four zeros
        writeDigitsBackward(out + count, decimal.significand);
        std::memset(out + count, '0', 4);
        return out + count + lastDigitPower;
    }
    if (exponent >= 0) { // the point among the digits: the whole part moves down by one
        // Byte by byte: a wider load of the digits just stored one or two at a time would wait
        // for them.
        writeDigitsBackward(out + 1 + count, decimal.significand);
        for (int i = 0; i <= exponent; ++i)
            out[i] = out[i + 1];
        out[exponent + 1] = '.';
        return out + count + 1;
    }
    // "0.", up to three zeros, the digits.
    std::memcpy(out, "0.000", 5);
    const int zeros = -exponent - 1;
    writeDigitsBackward(out + 2 + zeros + count, decimal.significand);
    return out + 2 + zeros + count;
}

void JsonWriter::beforeValue() {
    if (afterKey_) {
        afterKey_ = false;
        return;
    }
    if (!hasValue_.empty()) {
        if (hasValue_.back())
            out_ += ',';
        hasValue_.back() = 1;
    }
}

void JsonWriter::beginObject() {
    beforeValue();
    out_ += '{';
    hasValue_.push_back(0);
}

void JsonWriter::endObject() {
    out_ += '}';
    hasValue_.pop_back();
}

void JsonWriter::beginArray() {
    beforeValue();
    out_ += '[';
    hasValue_.push_back(0);
}

void JsonWriter::endArray() {
    out_ += ']';
    hasValue_.pop_back();
}

void JsonWriter::key(std::string_view name) {
    beforeValue();
    assert(std::none_of(name.begin(), name.end(),
                        [](char c) { return kNeedsEscape[static_cast<unsigned char>(c)]; }));
    out_ += '"';
    out_ += name;
    out_ += "\":";
    afterKey_ = true;
}

void JsonWriter::number(double value) {
    beforeValue();
    if (!std::isfinite(value)) {
        out_ += "null";
        return;
    }
    char buffer[kShortestNumberSize];
    // A whole number below 10^5 is written as that integer by the shortest form too (from 10^5
    // on, "1e+05" is shorter than "100000"), and integers are written several times faster.
    // Minus zero keeps its sign.
    const bool minusZero = value == 0 && std::signbit(value);
    if (std::fabs(value) < 1e5 && value == std::trunc(value) && !minusZero) {
        const auto result =
            std::to_chars(buffer, buffer + sizeof buffer, static_cast<std::int32_t>(value));
        out_.append(buffer, result.ptr);
        return;
    }
    out_.append(buffer, writeShortest(buffer, value));
}

void JsonWriter::integer(std::int64_t value) {
    beforeValue();
    char buffer[24];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
    out_.append(buffer, result.ptr);
}

void JsonWriter::string(std::string_view text) {
    beforeValue();
    appendQuoted(text);
}

void JsonWriter::appendQuoted(std::string_view text) {
    static constexpr char kHex[] = "0123456789abcdef";
    out_ += '"';
    std::size_t run = 0; // start of the bytes not yet appended
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (i + 8 <= text.size()) {
            std::uint64_t word;
            std::memcpy(&word, text.data() + i, sizeof word);
            if (!anyNeedsEscape(word)) {
                i += 7;
                continue;
            }
        }
        const auto c = static_cast<unsigned char>(text[i]);
        if (!kNeedsEscape[c]) [[likely]]
            continue;
        out_.append(text.data() + run, i - run);
        run = i + 1;
        switch (c) {
        case '"':
            out_ += "\\\"";
            break;
        case '\\':
            out_ += "\\\\";
            break;
        case '\n':
            out_ += "\\n";
            break;
        case '\r':
            out_ += "\\r";
            break;
        case '\t':
            out_ += "\\t";
            break;
        default:
            out_ += "\\u00";
            out_ += kHex[c >> 4];
            out_ += kHex[c & 0xF];
        }
    }
    out_.append(text.data() + run, text.size() - run);
    out_ += '"';
}

void JsonWriter::boolean(bool value) {
    beforeValue();
    out_ += value ? "true" : "false";
}

void JsonWriter::null() {
    beforeValue();
    out_ += "null";
}

} // namespace hspring
