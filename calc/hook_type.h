// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <optional>
#include <string_view>

namespace hspring {

// The two hook shapes of an extension spring: a round hook (the end coil raised into a full loop,
// opened at the hook angle) and a U hook (the wire bent out along the coil, round a half circle
// and back towards the body). The design record does not store it: the window's hook page, the
// JSON key "hookType" or a command's option chooses it.
enum class HookType { Round, U };

// "round" and "u", the names the JSON key and the command line use.
constexpr std::string_view hookTypeName(HookType type) {
    return type == HookType::U ? "u" : "round";
}

// The hook type of a name; nullopt for any other text.
constexpr std::optional<HookType> hookTypeFromName(std::string_view name) {
    if (name == "round")
        return HookType::Round;
    if (name == "u")
        return HookType::U;
    return std::nullopt;
}

} // namespace hspring
