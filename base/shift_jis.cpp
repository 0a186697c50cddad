// SPDX-License-Identifier: GPL-3.0-or-later
#include "base/shift_jis.h"

#include <cerrno>
#include <iconv.h>
#include <stdexcept>

namespace hspring {

namespace {

// "CP932" is the Windows table; glibc's "SHIFT_JIS" is the strict JIS one, which maps 0x5C to the
// yen sign and rejects "～".
class Converter {
public:
    Converter(const char* to, const char* from) : handle_(iconv_open(to, from)) {
        if (handle_ == reinterpret_cast<iconv_t>(-1))
            throw std::runtime_error("iconv cannot convert between CP932 and UTF-8");
    }
    ~Converter() { iconv_close(handle_); }
    Converter(const Converter&) = delete;
    Converter& operator=(const Converter&) = delete;

    // Converts one piece; returns false when the input is not a whole valid sequence.
    bool convert(std::string_view input, std::string& output) {
        iconv(handle_, nullptr, nullptr, nullptr, nullptr);
        char buffer[16];
        char* in = const_cast<char*>(input.data());
        std::size_t inLeft = input.size();
        char* out = buffer;
        std::size_t outLeft = sizeof buffer;
        if (iconv(handle_, &in, &inLeft, &out, &outLeft) == static_cast<std::size_t>(-1) ||
            inLeft != 0)
            return false;
        output.assign(buffer, out);
        return true;
    }

private:
    iconv_t handle_;
};

bool isLeadByte(unsigned char c) {
    return (c >= 0x81 && c <= 0x9F) || (c >= 0xE0 && c <= 0xFC);
}
bool isTrailByte(unsigned char c) {
    return c >= 0x40 && c <= 0xFC && c != 0x7F;
}

std::size_t utf8SequenceLength(unsigned char c) {
    if (c < 0x80)
        return 1;
    if ((c & 0xE0) == 0xC0)
        return 2;
    if ((c & 0xF0) == 0xE0)
        return 3;
    if ((c & 0xF8) == 0xF0)
        return 4;
    return 1; // a stray continuation byte: one unknown character
}

constexpr std::string_view kReplacementCharacter = "\xEF\xBF\xBD";

} // namespace

std::string shiftJisToUtf8(std::string_view bytes) {
    thread_local Converter decoder("UTF-8", "CP932");
    std::string text;
    std::string piece;
    for (std::size_t i = 0; i < bytes.size();) {
        // A lead byte whose partner is no trail byte stands alone, so the next character (often
        // ASCII) is not swallowed with it.
        const auto lead = static_cast<unsigned char>(bytes[i]);
        const bool pair = isLeadByte(lead) && i + 1 < bytes.size() &&
                          isTrailByte(static_cast<unsigned char>(bytes[i + 1]));
        const std::size_t length = pair ? 2 : 1;
        if (decoder.convert(bytes.substr(i, length), piece))
            text += piece;
        else
            text += kReplacementCharacter;
        i += length;
    }
    return text;
}

ShiftJisText utf8ToShiftJis(std::string_view utf8, std::size_t maxBytes) {
    thread_local Converter encoder("CP932", "UTF-8");
    ShiftJisText result;
    std::string piece;
    for (std::size_t i = 0; i < utf8.size();) {
        const std::size_t length =
            std::min(utf8SequenceLength(static_cast<unsigned char>(utf8[i])), utf8.size() - i);
        if (!encoder.convert(utf8.substr(i, length), piece)) {
            piece = "?";
            result.complete = false;
        }
        if (result.bytes.size() + piece.size() > maxBytes) {
            result.complete = false;
            break;
        }
        result.bytes += piece;
        i += length;
    }
    return result;
}

} // namespace hspring
