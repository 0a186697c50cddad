// SPDX-License-Identifier: GPL-3.0-or-later
#include "base/json_reader.h"

#include <charconv>
#include <cmath>

namespace hspring {

namespace {

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

// Whether a number that std::from_chars found out of range is too small (not too large): its
// first significant digit stands left or right of the decimal point by the written exponent.
bool isUnderflow(std::string_view number) {
    long long exponent = 0;
    if (const std::size_t e = number.find_first_of("eE"); e != std::string_view::npos) {
        std::string_view digits = number.substr(e + 1);
        const bool negative = !digits.empty() && digits.front() == '-';
        if (!digits.empty() && (digits.front() == '-' || digits.front() == '+'))
            digits.remove_prefix(1);
        for (const char c : digits) {
            exponent = exponent * 10 + (c - '0');
            if (exponent > 1'000'000'000)
                break; // far beyond any double either way
        }
        if (negative)
            exponent = -exponent;
        number = number.substr(0, e);
    }
    long long position = 0; // decimal places of the first significant digit, left of the point
    const std::size_t point = number.find('.');
    const std::string_view integer = number.substr(0, point);
    const std::size_t firstInteger = integer.find_first_of("123456789");
    if (firstInteger != std::string_view::npos) {
        position = static_cast<long long>(integer.size() - firstInteger);
    } else if (point != std::string_view::npos) {
        const std::string_view fraction = number.substr(point + 1);
        position = -static_cast<long long>(fraction.find_first_of("123456789"));
    }
    return position + exponent <= 0;
}

} // namespace

JsonSyntaxError::JsonSyntaxError(Problem problem, std::size_t offset, std::string detail)
    : Error(problem, std::to_string(offset), std::move(detail)), offset_(offset) {}

JsonReader::JsonReader(std::string_view text) : text_(text) {}

void JsonReader::fail(Problem problem, std::string detail) const {
    throw JsonSyntaxError(problem, position_, std::move(detail));
}

void JsonReader::skipWhitespace() {
    while (position_ < text_.size()) {
        const char c = text_[position_];
        if (c != ' ' && c != '\t' && c != '\n' && c != '\r')
            return;
        ++position_;
    }
}

void JsonReader::expect(char c) {
    skipWhitespace();
    if (position_ >= text_.size() || text_[position_] != c)
        fail(Problem::JsonExpectedCharacter, std::string(1, c));
    ++position_;
}

JsonReader::Kind JsonReader::peek() {
    skipWhitespace();
    if (position_ >= text_.size())
        fail(Problem::JsonUnexpectedEnd);
    switch (text_[position_]) {
    case '{':
        return Kind::Object;
    case '[':
        return Kind::Array;
    case '"':
        return Kind::String;
    case 't':
    case 'f':
        return Kind::Boolean;
    case 'n':
        return Kind::Null;
    default:
        if (text_[position_] == '-' || isDigit(text_[position_]))
            return Kind::Number;
        fail(Problem::JsonUnexpectedCharacter);
    }
}

void JsonReader::openContainer(char open) {
    if (static_cast<int>(open_.size()) >= kMaxDepth)
        fail(Problem::JsonTooDeep);
    expect(open);
    open_.push_back({open == '{' ? '}' : ']', false});
}

bool JsonReader::nextInContainer(char close) {
    if (open_.empty() || open_.back().close != close)
        throw std::logic_error("JsonReader: no open container of that kind");
    skipWhitespace();
    if (position_ < text_.size() && text_[position_] == close) {
        ++position_;
        open_.pop_back();
        return false;
    }
    if (open_.back().hasValue)
        expect(',');
    open_.back().hasValue = true;
    return true;
}

void JsonReader::enterObject() {
    openContainer('{');
}

bool JsonReader::nextMember(std::string& key) {
    if (!nextInContainer('}'))
        return false;
    skipWhitespace();
    if (position_ >= text_.size() || text_[position_] != '"')
        fail(Problem::JsonExpectedMemberName);
    key.clear();
    readStringInto(key);
    expect(':');
    return true;
}

void JsonReader::enterArray() {
    openContainer('[');
}

bool JsonReader::nextElement() {
    return nextInContainer(']');
}

double JsonReader::readNumber() {
    skipWhitespace();
    const std::size_t start = position_;
    const auto digitsFrom = [&](std::size_t at) {
        while (at < text_.size() && isDigit(text_[at]))
            ++at;
        return at;
    };
    std::size_t at = start;
    if (at < text_.size() && text_[at] == '-')
        ++at;
    if (at < text_.size() && text_[at] == '0') {
        ++at;
    } else if (at < text_.size() && isDigit(text_[at])) {
        at = digitsFrom(at);
    } else {
        fail(Problem::JsonExpectedNumber);
    }
    if (at < text_.size() && text_[at] == '.') {
        const std::size_t fraction = at + 1;
        at = digitsFrom(fraction);
        if (at == fraction) {
            position_ = at;
            fail(Problem::JsonExpectedFractionDigit);
        }
    }
    if (at < text_.size() && (text_[at] == 'e' || text_[at] == 'E')) {
        ++at;
        if (at < text_.size() && (text_[at] == '+' || text_[at] == '-'))
            ++at;
        const std::size_t exponent = at;
        at = digitsFrom(exponent);
        if (at == exponent) {
            position_ = at;
            fail(Problem::JsonExpectedExponentDigit);
        }
    }
    const std::string_view number = text_.substr(start, at - start);
    double value = 0;
    const auto [end, error] = std::from_chars(number.data(), number.data() + number.size(), value);
    if (error == std::errc::result_out_of_range) {
        if (!isUnderflow(number))
            fail(Problem::JsonNumberOutOfRange);
        value = number.front() == '-' ? -0.0 : 0.0;
    } else if (error != std::errc{} || end != number.data() + number.size()) {
        fail(Problem::JsonMalformedNumber);
    }
    position_ = at;
    return value;
}

std::string JsonReader::readString() {
    skipWhitespace();
    std::string out;
    readStringInto(out);
    return out;
}

void JsonReader::readStringInto(std::string& out) {
    if (position_ >= text_.size() || text_[position_] != '"')
        fail(Problem::JsonExpectedString);
    ++position_;
    while (true) {
        // Copy the plain run in one go.
        std::size_t run = position_;
        while (run < text_.size()) {
            const auto c = static_cast<unsigned char>(text_[run]);
            if (c == '"' || c == '\\' || c < 0x20 || c >= 0x80)
                break;
            ++run;
        }
        out.append(text_.substr(position_, run - position_));
        position_ = run;
        if (position_ >= text_.size())
            fail(Problem::JsonUnterminatedString);
        const auto c = static_cast<unsigned char>(text_[position_]);
        if (c == '"') {
            ++position_;
            return;
        }
        if (c == '\\')
            appendEscape(out);
        else if (c < 0x20)
            fail(Problem::JsonControlCharacter);
        else
            appendUtf8Sequence(out);
    }
}

std::uint32_t JsonReader::readHex4() {
    if (text_.size() - position_ < 4)
        fail(Problem::JsonShortEscape);
    std::uint32_t value = 0;
    for (int i = 0; i < 4; ++i) {
        const char c = text_[position_++];
        value <<= 4;
        if (isDigit(c))
            value |= static_cast<std::uint32_t>(c - '0');
        else if (c >= 'a' && c <= 'f')
            value |= static_cast<std::uint32_t>(c - 'a' + 10);
        else if (c >= 'A' && c <= 'F')
            value |= static_cast<std::uint32_t>(c - 'A' + 10);
        else
            fail(Problem::JsonBadHexDigit);
    }
    return value;
}

void JsonReader::appendEscape(std::string& out) {
    ++position_; // the backslash
    if (position_ >= text_.size())
        fail(Problem::JsonUnterminatedEscape);
    const char c = text_[position_++];
    switch (c) {
    case '"':
        out += '"';
        return;
    case '\\':
        out += '\\';
        return;
    case '/':
        out += '/';
        return;
    case 'b':
        out += '\b';
        return;
    case 'f':
        out += '\f';
        return;
    case 'n':
        out += '\n';
        return;
    case 'r':
        out += '\r';
        return;
    case 't':
        out += '\t';
        return;
    case 'u':
        break;
    default:
        --position_;
        fail(Problem::JsonUnknownEscape);
    }
    std::uint32_t code = readHex4();
    if (code >= 0xDC00 && code <= 0xDFFF)
        fail(Problem::JsonLoneLowSurrogate);
    if (code >= 0xD800 && code <= 0xDBFF) {
        if (text_.substr(position_, 2) != "\\u")
            fail(Problem::JsonLoneHighSurrogate);
        position_ += 2;
        const std::uint32_t low = readHex4();
        if (low < 0xDC00 || low > 0xDFFF)
            fail(Problem::JsonLoneHighSurrogate);
        code = 0x10000 + ((code - 0xD800) << 10) + (low - 0xDC00);
    }
    // UTF-8 encoding of the code point.
    if (code < 0x80) {
        out += static_cast<char>(code);
    } else if (code < 0x800) {
        out += static_cast<char>(0xC0 | (code >> 6));
        out += static_cast<char>(0x80 | (code & 0x3F));
    } else if (code < 0x10000) {
        out += static_cast<char>(0xE0 | (code >> 12));
        out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (code & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (code >> 18));
        out += static_cast<char>(0x80 | ((code >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (code & 0x3F));
    }
}

// One well-formed UTF-8 sequence of two to four bytes (no overlong forms, no surrogates, nothing
// above U+10FFFF).
void JsonReader::appendUtf8Sequence(std::string& out) {
    const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(text_[i]); };
    const unsigned char lead = byte(position_);
    int length = 0;
    unsigned char low = 0x80;
    unsigned char high = 0xBF;
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        if (lead == 0xE0)
            low = 0xA0;
        if (lead == 0xED)
            high = 0x9F;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        if (lead == 0xF0)
            low = 0x90;
        if (lead == 0xF4)
            high = 0x8F;
    } else {
        fail(Problem::JsonInvalidUtf8);
    }
    if (text_.size() - position_ < static_cast<std::size_t>(length))
        fail(Problem::JsonInvalidUtf8);
    for (int i = 1; i < length; ++i) {
        const unsigned char next = byte(position_ + i);
        const unsigned char min = i == 1 ? low : 0x80;
        const unsigned char max = i == 1 ? high : 0xBF;
        if (next < min || next > max)
            fail(Problem::JsonInvalidUtf8);
    }
    out.append(text_.substr(position_, length));
    position_ += length;
}

bool JsonReader::readBoolean() {
    skipWhitespace();
    if (text_.substr(position_, 4) == "true") {
        position_ += 4;
        return true;
    }
    if (text_.substr(position_, 5) == "false") {
        position_ += 5;
        return false;
    }
    fail(Problem::JsonExpectedBoolean);
}

void JsonReader::readNull() {
    skipWhitespace();
    if (text_.substr(position_, 4) != "null")
        fail(Problem::JsonExpectedNull);
    position_ += 4;
}

void JsonReader::skipValue() {
    // Iterative, so that a deep text costs no stack; the depth limit still applies.
    const std::size_t outer = open_.size();
    std::string scratch;
    do {
        if (open_.size() > outer) {
            const bool more = open_.back().close == '}' ? nextMember(scratch) : nextElement();
            if (!more)
                continue;
        }
        switch (peek()) {
        case Kind::Object:
            enterObject();
            break;
        case Kind::Array:
            enterArray();
            break;
        case Kind::String:
            scratch.clear();
            readStringInto(scratch);
            break;
        case Kind::Number:
            readNumber();
            break;
        case Kind::Boolean:
            readBoolean();
            break;
        case Kind::Null:
            readNull();
            break;
        }
    } while (open_.size() > outer);
}

void JsonReader::finish() {
    skipWhitespace();
    if (position_ != text_.size())
        fail(Problem::JsonTextAfterValue);
}

} // namespace hspring
