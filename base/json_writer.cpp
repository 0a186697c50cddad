// SPDX-License-Identifier: GPL-3.0-or-later
#include "base/json_writer.h"

#include <algorithm>
#include <array>
#include <cassert>
#include <charconv>
#include <cmath>
#include <cstring>
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
        used_ = static_cast<std::size_t>(std::to_chars(out, out + kShortestNumberSize, value).ptr -
                                         buffer_);
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
