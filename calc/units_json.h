// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "calc/units.h"

#include <optional>
#include <string>
#include <string_view>

namespace hspring {

// The quantity of a key of the design, result and requirement JSON whose number is a force in
// kgf units (initialTension, load1, springRate, stress2, energy12, the limit loads, the
// tolerances' loads and rate...); nullopt for any other key. The members of the `si` object are
// SI already and are never converted.
std::optional<ForceQuantity> forceKeyQuantity(std::string_view key);

// A JSON text with the number of every force key (forceKeyQuantity) converted from `from` to
// `to` through the stored kgf value, everything else as it was; the members of an `si` object,
// strings and other numbers unchanged. An array at the top keeps one element a line, as the
// tool writes its answers ("[\n", elements joined by ",\n", "\n]\n"); another value ends with a
// line break. A text that is no JSON (or has a key JSON must escape) comes back as it is, so that
// its reader reports it. Keys stay the same.
std::string jsonInUnits(std::string_view text, UnitSystem from, UnitSystem to);

} // namespace hspring
