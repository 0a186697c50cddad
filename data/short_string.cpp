// SPDX-License-Identifier: GPL-3.0-or-later
#include "data/short_string.h"

#include "base/shift_jis.h"

#include <algorithm>
#include <cstring>

namespace hspring {

std::string shortStringText(const ShortString& field) {
    const std::size_t length = std::min<std::size_t>(field.length, sizeof field.bytes);
    return shiftJisToUtf8(std::string_view(field.bytes, length));
}

bool setShortStringText(ShortString& field, std::string_view utf8) {
    const ShiftJisText encoded = utf8ToShiftJis(utf8, sizeof field.bytes);
    std::memcpy(field.bytes, encoded.bytes.data(), encoded.bytes.size());
    field.length = static_cast<std::uint8_t>(encoded.bytes.size());
    return encoded.complete;
}

} // namespace hspring
