// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace hspring {

// Room for any double in its shortest form ("-2.2250738585072014e-308" and the fixed forms that
// are no longer than the scientific one) and for the writer's constant-size copies past its end.
inline constexpr int kShortestNumberSize = 32;

// Writes the finite `value` as std::to_chars(first, last, value) does (the shortest text that
// reads back to the same double, fixed or scientific, whichever is shorter, fixed on a tie) at
// `buffer`, which holds kShortestNumberSize bytes; returns the end.
char* writeShortest(char* buffer, double value);

// Appends compact JSON to a string. The writer places the commas; the caller opens and closes
// objects and arrays in order and gives every member value a key.
class JsonWriter {
public:
    explicit JsonWriter(std::string& out) : out_(out) {}

    void beginObject();
    void endObject();
    void beginArray();
    void endArray();
    // The key of the next member of the open object: one of the program's own member names,
    // which hold nothing JSON must escape and are written as they are.
    void key(std::string_view name);

    // Shortest text that reads back to the same double; null for NaN and the infinities, which
    // JSON cannot hold.
    void number(double value);
    void integer(std::int64_t value);
    void string(std::string_view text);
    void boolean(bool value);
    void null();

private:
    void beforeValue();
    void appendQuoted(std::string_view text);

    std::string& out_;
    std::vector<char> hasValue_; // per open container: a comma is due before the next value
    bool afterKey_ = false;
};

} // namespace hspring
