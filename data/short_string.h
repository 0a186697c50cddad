// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace hspring {

#pragma pack(push, 1)
// A text field of the files: one length byte, then up to 50 bytes of Shift-JIS. Bytes after the
// length are not significant but are kept, so a file is written back exactly as it was read.
struct ShortString {
    std::uint8_t length;
    char bytes[50];
};
#pragma pack(pop)
static_assert(sizeof(ShortString) == 51);

// The text of the field. A length byte above 50 (possible only in a foreign file) reads the 50
// bytes there are.
std::string shortStringText(const ShortString& field);

// Stores at most 50 bytes of the text, never half a double-byte character. The bytes after the
// new length keep what they held. Returns false when the text had to be shortened or held
// characters that Shift-JIS cannot represent.
bool setShortStringText(ShortString& field, std::string_view utf8);

} // namespace hspring
