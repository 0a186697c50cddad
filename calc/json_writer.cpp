#include "calc/json_writer.h"

#include <charconv>
#include <cmath>

namespace hspring {

void JsonWriter::beforeValue() {
    if (afterKey_) {
        afterKey_ = false;
        return;
    }
    if (!hasValue_.empty()) {
        if (hasValue_.back())
            out_ += ',';
        hasValue_.back() = true;
    }
}

void JsonWriter::beginObject() {
    beforeValue();
    out_ += '{';
    hasValue_.push_back(false);
}

void JsonWriter::endObject() {
    out_ += '}';
    hasValue_.pop_back();
}

void JsonWriter::beginArray() {
    beforeValue();
    out_ += '[';
    hasValue_.push_back(false);
}

void JsonWriter::endArray() {
    out_ += ']';
    hasValue_.pop_back();
}

void JsonWriter::key(std::string_view name) {
    beforeValue();
    appendQuoted(name);
    out_ += ':';
    afterKey_ = true;
}

void JsonWriter::number(double value) {
    beforeValue();
    if (!std::isfinite(value)) {
        out_ += "null";
        return;
    }
    char buffer[32];
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
    std::size_t run = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const auto c = static_cast<unsigned char>(text[i]);
        if (c >= 0x20 && c != '"' && c != '\\')
            continue;
        out_.append(text.substr(run, i - run));
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
    out_.append(text.substr(run));
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
