// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace hspring {

// Room for any double in its shortest form ("-2.2250738585072014e-308" and the fixed forms that
// are no longer than the scientific one), as std::to_chars writes it.
inline constexpr int kShortestNumberSize = 32;

// Appends compact JSON to a string. The writer places the commas; the caller opens and closes
// objects and arrays in order and gives every member value a key.
//
// The text is gathered in the writer and handed to the string when the outermost value is
// complete and when the writer goes: the string is not to be touched in between.
// (A batch writes some three hundred small pieces per design; one append per design instead of
// one per piece halves the writing.)
class JsonWriter {
public:
    explicit JsonWriter(std::string& out) : out_(out) {}
    // Only an unfinished value can be left over here (the outermost one hands itself over when
    // it closes): an exception is on its way, or the caller stopped early. A failure to hand it
    // over could only end the program from a destructor, so it is let go.
    ~JsonWriter() {
        try {
            flush();
        } catch (...) {
        }
    }
    JsonWriter(const JsonWriter&) = delete;
    JsonWriter& operator=(const JsonWriter&) = delete;

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
    // The next value as the caller wrote it: one complete JSON value.
    void json(std::string_view value);

private:
    static constexpr std::size_t kBufferSize = 4096;
    static constexpr int kMaxDepth = 64;

    // Hands the text written so far to the string.
    void flush();
    void beforeValue();
    void afterValue();
    void open(char bracket);
    void close(char bracket);
    // Room for n more bytes in the buffer, n at most kBufferSize; returns where they go.
    char* room(std::size_t n);
    void put(std::string_view text);
    void putChar(char c);
    void putQuoted(std::string_view text);

    std::string& out_;
    std::size_t used_ = 0;       // bytes of buffer_ not yet handed over
    std::uint64_t hasValue_ = 0; // bit per open container: a comma is due before its next value
    int depth_ = 0;
    bool afterKey_ = false;
    char buffer_[kBufferSize];
};

} // namespace hspring
