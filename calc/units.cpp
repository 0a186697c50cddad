// SPDX-License-Identifier: GPL-3.0-or-later
#include "calc/units.h"

#include "calc/spring_constants.h"

#include <array>
#include <charconv>
#include <cmath>
#include <iterator>

namespace hspring {

namespace {

struct UnitPair {
    std::string_view gravitational;
    std::string_view si;
};

// By ForceQuantity.
constexpr std::array<UnitPair, 4> kUnits = {{
    {"kgf", "N"},
    {"kgf/mm", "N/mm"},
    {"kgf/mm^2", "N/mm^2"},
    {"kgf·mm", "N·mm"},
}};

} // namespace

std::string_view unitText(ForceQuantity quantity, UnitSystem system) {
    const UnitPair& pair = kUnits.at(static_cast<std::size_t>(quantity));
    return system == UnitSystem::Si ? pair.si : pair.gravitational;
}

std::optional<UnitSystem> unitSystemFromName(std::string_view name) {
    if (name == "si")
        return UnitSystem::Si;
    if (name == "kgf")
        return UnitSystem::Gravitational;
    return std::nullopt;
}

std::string_view unitSystemName(UnitSystem system) {
    return system == UnitSystem::Si ? "si" : "kgf";
}

double shownValue(double storedValue, UnitSystem system) {
    if (system == UnitSystem::Gravitational)
        return storedValue;
    return static_cast<double>(storedValue * kGravity);
}

double storedValue(double shownValue, UnitSystem system) {
    if (system == UnitSystem::Gravitational)
        return shownValue;
    if (!std::isfinite(shownValue))
        return static_cast<double>(shownValue / kGravity);
    // The decimal the user typed, the shortest text that reads back as this double, divided in
    // extended precision: 10.787315 N (1.1 kgf × 9.80665) is then exactly the double of 1.1,
    // where the double of 10.787315 divided by g lands a unit in the last place away.
    char text[64];
    const std::to_chars_result written =
        std::to_chars(std::begin(text), std::end(text), shownValue);
    long double decimal = shownValue;
    std::from_chars(std::begin(text), written.ptr, decimal);
    return static_cast<double>(decimal / kGravity);
}

std::optional<double> storedValue(std::optional<double> shownValue, UnitSystem system) {
    if (!shownValue)
        return std::nullopt;
    return storedValue(*shownValue, system);
}

std::optional<ForceQuantity> forceQuantityOfUnit(std::string_view gravitationalUnit) {
    for (std::size_t i = 0; i < kUnits.size(); ++i)
        if (kUnits[i].gravitational == gravitationalUnit)
            return static_cast<ForceQuantity>(i);
    return std::nullopt;
}

std::string unitInSystem(std::string_view gravitationalUnit, UnitSystem system) {
    if (system == UnitSystem::Si)
        for (const UnitPair& pair : kUnits)
            if (gravitationalUnit == pair.gravitational)
                return std::string(pair.si);
    return std::string(gravitationalUnit);
}

} // namespace hspring
