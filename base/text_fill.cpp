// SPDX-License-Identifier: GPL-3.0-or-later
#include "base/text_fill.h"

#include <algorithm>

namespace hspring {

std::string filledIn(std::string_view text, std::span<const TextValue> values) {
    std::string out;
    for (std::size_t open = text.find('{'); open != std::string_view::npos; open = text.find('{')) {
        const std::size_t close = text.find('}', open);
        if (close == std::string_view::npos)
            break;
        const std::string_view name = text.substr(open + 1, close - open - 1);
        const auto value =
            std::find_if(values.begin(), values.end(),
                         [name](const TextValue& entry) { return entry.first == name; });
        out += text.substr(0, open);
        if (value != values.end())
            out += value->second;
        else
            out += text.substr(open, close - open + 1);
        text.remove_prefix(close + 1);
    }
    out += text;
    return out;
}

} // namespace hspring
