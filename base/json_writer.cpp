// SPDX-License-Identifier: GPL-3.0-or-later
#include "base/json_writer.h"

#include <algorithm>
#include <array>
#include <cassert>
#include <charconv>
#include <cmath>
#include <cstring>

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

} // namespace

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
    char buffer[32];
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
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
    out_.append(buffer, result.ptr);
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
