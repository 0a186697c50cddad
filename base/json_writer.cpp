// SPDX-License-Identifier: GPL-3.0-or-later
#include "base/json_writer.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cassert>
#include <charconv>
#include <cmath>
#include <cstring>
#include <fmt/format.h>
#include <stdexcept>

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

// The eight decimal digits of v < 10^8 as ASCII in a word, the first digit in the lowest byte,
// so that a little-endian store writes them in reading order. The word is split into halves,
// pairs and digits in all its lanes at once; the multiplications stand for divisions by 100
// (10486 / 2^20, exact below 10^4) and by 10 (103 / 2^10, exact below 10^2), and no lane's
// product reaches the next lane.
[[gnu::always_inline]] inline std::uint64_t eightDigits(std::uint32_t v) {
    const std::uint64_t halves = v / 10000 | static_cast<std::uint64_t>(v % 10000) << 32;
    const std::uint64_t hundreds = (halves * 10486 >> 20) & 0x0000007F0000007F;
    const std::uint64_t pairs = hundreds | (halves - hundreds * 100) << 16;
    const std::uint64_t tens = (pairs * 103 >> 10) & 0x000F000F000F000F;
    const std::uint64_t digits = tens | (pairs - tens * 10) << 8;
    return digits + 0x3030303030303030;
}

void storeWord(char* to, std::uint64_t word) {
    std::memcpy(to, &word, sizeof word);
}

constexpr std::array<std::uint64_t, 17> kPowersOfTen = [] {
    std::array<std::uint64_t, 17> powers{};
    std::uint64_t power = 1;
    for (std::uint64_t& p : powers) {
        p = power;
        power *= 10;
    }
    return powers;
}();

// Copies n bytes as two overlapping copies of a fixed size: a few register moves where a call
// to memcpy would cost more than the copy; keys and most texts are this short.
void copyShort(char* to, const char* from, std::size_t n) {
    const auto twoCopies = [&]<std::size_t kSize>() {
        char head[kSize], tail[kSize];
        std::memcpy(head, from, kSize);
        std::memcpy(tail, from + n - kSize, kSize);
        std::memcpy(to, head, kSize);
        std::memcpy(to + n - kSize, tail, kSize);
    };
    if (n >= 16 && n <= 32)
        twoCopies.operator()<16>();
    else if (n >= 8 && n < 16)
        twoCopies.operator()<8>();
    else if (n >= 4 && n < 8)
        twoCopies.operator()<4>();
    else if (n < 4)
        for (std::size_t i = 0; i < n; ++i)
            to[i] = from[i];
    else
        std::memcpy(to, from, n);
}

} // namespace

char* writeShortest(char* buffer, double value) {
    // From 2^53 on, the fixed form must show the exact binary value, not the shortest digits
    // padded with zeros; such sizes never occur here, and the standard's own routine writes them.
    constexpr double kExactIntegerLimit = 9007199254740992.0;
    if (!(std::fabs(value) < kExactIntegerLimit))
        return std::to_chars(buffer, buffer + kShortestNumberSize, value).ptr;
    // The digit layout below stores words in little-endian order; elsewhere the standard's own
    // routine writes every number.
    if constexpr (std::endian::native != std::endian::little)
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
    // The digits padded with zeros to seventeen (no double needs more): the first on its own,
    // then two words of eight. Every form is written with whole-word stores that may reach past
    // the text into the room kShortestNumberSize leaves; nothing is read back, so no load waits
    // for a store.
    const std::uint64_t padded = decimal.significand * kPowersOfTen[17 - count];
    const auto firstNine = static_cast<std::uint32_t>(padded / 100'000'000);
    const std::uint64_t low = eightDigits(static_cast<std::uint32_t>(padded % 100'000'000));
    const auto first = static_cast<char>('0' + firstNine / 100'000'000);
    const std::uint64_t high = eightDigits(firstNine % 100'000'000);
    const auto storeDigits = [&](char* to, bool pointAfterFirst) {
        to[0] = first;
        to[1] = '.';
        char* const next = to + (pointAfterFirst ? 2 : 1);
        storeWord(next, high);
        storeWord(next + 8, low);
    };
    if (scientificLength < fixedLength) {
        storeDigits(out, true);
        out += count > 1 ? count + 1 : 1;
        *out++ = 'e';
        *out++ = exponent < 0 ? '-' : '+';
        const int magnitude = exponent < 0 ? -exponent : exponent;
        if (magnitude >= 100)
            *out++ = static_cast<char>('0' + magnitude / 100);
        std::memcpy(out, kDigitPairs + 2 * (magnitude % 100), 2);
        return out + 2;
    }
    if (lastDigitPower >= 0) { // whole: the padding zeros are the number's own
        storeDigits(out, false);
        return out + exponent + 1;
    }
    if (exponent >= 0) { // the point after digit exponent + 1: the digits after it move on by one
        storeDigits(out, false);
        out[exponent + 1] = '.';
        // Digits 1..16 are the bytes of high then low; those from exponent + 1 on go after the
        // point.
        const int shift = 8 * exponent;
        char* const tail = out + exponent + 2;
        if (exponent < 8) {
            storeWord(tail, (high >> shift) | (low << 1 << (63 - shift)));
            storeWord(tail + 8, low >> shift);
        } else {
            storeWord(tail, low >> (shift - 64));
        }
        return out + count + 1;
    }
    // "0.", up to three zeros, the digits.
    std::memcpy(out, "0.000", 5);
    char* const digits = out + 2 + (-exponent - 1);
    storeDigits(digits, false);
    return digits + count;
}

char* JsonWriter::room(std::size_t n) {
    if (kBufferSize - used_ < n)
        flush();
    return buffer_ + used_;
}

void JsonWriter::flush() {
    out_.append(buffer_, used_);
    used_ = 0;
}

void JsonWriter::put(std::string_view text) {
    if (text.size() > kBufferSize) {
        flush();
        out_.append(text);
        return;
    }
    copyShort(room(text.size()), text.data(), text.size());
    used_ += text.size();
}

void JsonWriter::putChar(char c) {
    *room(1) = c;
    ++used_;
}

void JsonWriter::beforeValue() {
    if (afterKey_) {
        afterKey_ = false;
        return;
    }
    if (depth_ == 0)
        return;
    const std::uint64_t bit = std::uint64_t{1} << (depth_ - 1);
    if (hasValue_ & bit)
        putChar(',');
    hasValue_ |= bit;
}

void JsonWriter::afterValue() {
    if (depth_ == 0)
        flush();
}

void JsonWriter::open(char bracket) {
    beforeValue();
    if (depth_ == kMaxDepth)
        throw std::length_error("JSON nested deeper than the writer holds");
    putChar(bracket);
    hasValue_ &= ~(std::uint64_t{1} << depth_);
    ++depth_;
}

void JsonWriter::close(char bracket) {
    assert(depth_ > 0);
    putChar(bracket);
    --depth_;
    afterValue();
}

void JsonWriter::beginObject() {
    open('{');
}

void JsonWriter::endObject() {
    close('}');
}

void JsonWriter::beginArray() {
    open('[');
}

void JsonWriter::endArray() {
    close(']');
}

void JsonWriter::key(std::string_view name) {
    beforeValue();
    assert(std::none_of(name.begin(), name.end(),
                        [](char c) { return kNeedsEscape[static_cast<unsigned char>(c)]; }));
    if (name.size() > kBufferSize - 3) // no member name of this program comes near
        throw std::length_error("JSON member name longer than the writer holds");
    char* out = room(name.size() + 3);
    out[0] = '"';
    copyShort(out + 1, name.data(), name.size());
    out[name.size() + 1] = '"';
    out[name.size() + 2] = ':';
    used_ += name.size() + 3;
    afterKey_ = true;
}

void JsonWriter::number(double value) {
    beforeValue();
    if (!std::isfinite(value)) {
        put("null");
        afterValue();
        return;
    }
    char* const out = room(kShortestNumberSize);
    // A whole number below 10^5 is written as that integer by the shortest form too (from 10^5
    // on, "1e+05" is shorter than "100000"), and integers are written several times faster.
    // Minus zero keeps its sign.
    // (The round trip through an integer tests for a whole number without a call to trunc.)
    const bool minusZero = value == 0 && std::signbit(value);
    if (std::fabs(value) < 1e5 && static_cast<double>(static_cast<std::int32_t>(value)) == value &&
        !minusZero)
        used_ = static_cast<std::size_t>(
            std::to_chars(out, out + kShortestNumberSize, static_cast<std::int32_t>(value)).ptr -
            buffer_);
    else
        used_ = static_cast<std::size_t>(writeShortest(out, value) - buffer_);
    afterValue();
}

void JsonWriter::integer(std::int64_t value) {
    beforeValue();
    constexpr std::size_t kSize = 24;
    char* const out = room(kSize);
    used_ = static_cast<std::size_t>(std::to_chars(out, out + kSize, value).ptr - buffer_);
    afterValue();
}

void JsonWriter::string(std::string_view text) {
    beforeValue();
    putQuoted(text);
    afterValue();
}

void JsonWriter::putQuoted(std::string_view text) {
    static constexpr char kHex[] = "0123456789abcdef";
    put("\"");
    std::size_t run = 0; // start of the bytes not yet written
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
        put(text.substr(run, i - run));
        run = i + 1;
        switch (c) {
        case '"':
            put("\\\"");
            break;
        case '\\':
            put("\\\\");
            break;
        case '\n':
            put("\\n");
            break;
        case '\r':
            put("\\r");
            break;
        case '\t':
            put("\\t");
            break;
        default: {
            const char escape[] = {'\\', 'u', '0', '0', kHex[c >> 4], kHex[c & 0xF]};
            put(std::string_view(escape, sizeof escape));
        }
        }
    }
    put(text.substr(run));
    put("\"");
}

void JsonWriter::boolean(bool value) {
    beforeValue();
    put(value ? "true" : "false");
    afterValue();
}

void JsonWriter::null() {
    beforeValue();
    put("null");
    afterValue();
}

void JsonWriter::json(std::string_view value) {
    beforeValue();
    put(value);
    afterValue();
}

} // namespace hspring
