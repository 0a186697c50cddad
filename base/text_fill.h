// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <span>
#include <string>
#include <string_view>
#include <utility>

namespace hspring {

// A named value of a text: "{name}" in the text stands for it.
using TextValue = std::pair<std::string_view, std::string>;

// The text with each "{name}" replaced by its value, so that a help text can name a default or a
// limit without writing its number a second time. A name without a value stays as it is.
std::string filledIn(std::string_view text, std::span<const TextValue> values);

} // namespace hspring
