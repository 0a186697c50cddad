// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace hspring {

// Text inside the files is Shift-JIS as Windows writes it (code page 932, with its NEC and IBM
// extensions and "～" as U+FF5E); the program works in UTF-8.

// Decodes code-page-932 bytes. A byte sequence with no character becomes U+FFFD, so whatever a
// file holds can be shown.
std::string shiftJisToUtf8(std::string_view bytes);

struct ShiftJisText {
    std::string bytes;
    bool complete = true; // false when characters were dropped to fit or had no code
};

// Encodes UTF-8 text in code page 932 with at most `maxBytes` bytes. A double-byte character that
// would not fit whole is dropped together with everything after it, never cut in half.
// A character that code page 932 cannot represent is written as '?'.
ShiftJisText utf8ToShiftJis(std::string_view utf8, std::size_t maxBytes);

} // namespace hspring
