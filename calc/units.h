// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace hspring {

// The two systems a user may read and type forces in. Every value is stored and computed in the
// gravitational units (kgf, kgf/mm, kgf/mm^2, kgf·mm: the calculation files' layout and the
// engine's results are fixed in them); the SI units (N, N/mm, N/mm^2, N·mm) exist only at the
// boundary, where a value is shown or typed, converted with kGravity and nothing else.
enum class UnitSystem { Gravitational, Si };

// The kinds of value whose unit follows the system. Lengths, masses, counts and lives do not.
enum class ForceQuantity { Load, Rate, Stress, Energy };

// The system's unit of `quantity` as the windows and the tool write it: "kgf", "kgf/mm",
// "kgf/mm^2", "kgf·mm"; "N", "N/mm", "N/mm^2", "N·mm".
std::string_view unitText(ForceQuantity quantity, UnitSystem system);

// The other system: the detail page shows it beside the chosen one.
inline UnitSystem otherSystem(UnitSystem system) {
    return system == UnitSystem::Si ? UnitSystem::Gravitational : UnitSystem::Si;
}

// The tool's names of the systems ("si", "kgf"); nullopt for another name.
std::optional<UnitSystem> unitSystemFromName(std::string_view name);
std::string_view unitSystemName(UnitSystem system);

// A stored value (kgf units) as the system shows it: itself, or × kGravity rounded to double, the
// same double the `si` figures of the results hold. A value beyond a double in newtons becomes an
// infinity, which every display shows as missing; NaN stays NaN.
double shownValue(double storedValue, UnitSystem system);

// A value typed or read in the system as it is stored: itself, or the decimal it was typed as
// (the shortest text that reads back as it) ÷ kGravity in extended precision, rounded to double.
// A load typed as a kgf value × 9.80665 written out exactly is then stored as that kgf value.
double storedValue(double shownValue, UnitSystem system);
// The same for an optional value (an optional field left empty stays empty).
std::optional<double> storedValue(std::optional<double> shownValue, UnitSystem system);

// What a user typed comes back as typed. A value typed in N with at most four significant
// digits t is stored as s = t/g rounded to double (relative error <= 2^-53; the extended
// decimal, g itself and the long double division add < 2^-62), kept bit for bit
// through the history and the calculation file, and shown as s·g rounded to double (<= 2^-53
// more): the value shown lies within 3·2^-53 (< 4e-16) of t relative to it. A four-digit
// decimal m·10^k (1000 <= m <= 9999) lies at least 0.5·10^k, 5e-5 of itself, from the nearest
// point where four-digit rounding changes, so the four digits shown (formatF4) are t's digits.
// The units test checks this over thousands of random values through the file's bytes.

// The unit of a quantity a tool help line names in kgf units ("kgf", "kgf/mm", "kgf/mm^2",
// "kgf·mm") in `system`; any other unit ("mm", "g", "Hz", "") is the same in both systems and
// comes back as it is. Lets a key's help name its unit per system from the one kgf text.
std::string unitInSystem(std::string_view gravitationalUnit, UnitSystem system);

// The quantity whose gravitational unit is `gravitationalUnit` ("kgf" a load, "kgf/mm" a rate,
// "kgf/mm^2" a stress, "kgf·mm" an energy); nullopt for a unit the systems share.
std::optional<ForceQuantity> forceQuantityOfUnit(std::string_view gravitationalUnit);

} // namespace hspring
