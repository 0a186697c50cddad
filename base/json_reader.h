// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "base/error.h"

#include <cstddef>
#include <cstdint>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace hspring {

// A text that is not JSON: the problem (one of the Json* codes) names what was wrong, the subject
// where (a byte offset).
class JsonSyntaxError : public Error {
public:
    JsonSyntaxError(Problem problem, std::size_t offset, std::string detail = {});
    std::size_t offset() const { return offset_; }

private:
    std::size_t offset_;
};

// A strict pull reader for JSON text (RFC 8259): the caller walks the values in order and the
// reader checks every byte on the way, without building a tree. Rejected: comments, trailing
// commas, leading zeros, single quotes, control characters and invalid UTF-8 in strings, lone
// surrogate escapes, numbers beyond the range of a double, nesting deeper than kMaxDepth and
// anything after the top value. A number too small for a double reads as zero of its sign.
class JsonReader {
public:
    static constexpr int kMaxDepth = 256;

    enum class Kind { Object, Array, String, Number, Boolean, Null };

    explicit JsonReader(std::string_view text);

    // The kind of the next value, without consuming it.
    Kind peek();

    // Objects: enterObject, then nextMember until it returns false (the closing brace read).
    void enterObject();
    bool nextMember(std::string& key);
    // Arrays: enterArray, then nextElement until it returns false.
    void enterArray();
    bool nextElement();

    double readNumber();
    std::string readString();
    bool readBoolean();
    void readNull();
    // Skips one value of any kind, checking it all the same.
    void skipValue();

    // Checks that only white space is left.
    void finish();

    std::size_t offset() const { return position_; }

private:
    [[noreturn]] void fail(Problem problem, std::string detail = {}) const;
    void skipWhitespace();
    void expect(char c);
    void readStringInto(std::string& out);
    void appendEscape(std::string& out);
    void appendUtf8Sequence(std::string& out);
    std::uint32_t readHex4();
    void openContainer(char open);
    bool nextInContainer(char close);

    std::string_view text_;
    std::size_t position_ = 0;
    struct OpenContainer {
        char close;    // '}' or ']'
        bool hasValue; // a value has been read in it: a comma must come before the next
    };
    std::vector<OpenContainer> open_;
};

} // namespace hspring
