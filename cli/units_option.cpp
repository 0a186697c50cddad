// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/units_option.h"

#include "calc/units_json.h"

namespace hspring::cli {

void addUnitsOption(CLI::App& app, UnitsOption& option) {
    addTextOption(app, "--units", option.name, "si|kgf",
                  "the units of the forces read and written: si (N, N/mm, N/mm^2, N·mm) or kgf "
                  "(kgf, kgf/mm, kgf/mm^2, kgf·mm, the default); the keys stay the same");
}

UnitSystem chosenUnits(const UnitsOption& option) {
    if (const std::optional<UnitSystem> units = unitSystemFromName(option.name))
        return *units;
    throw UsageError("--units: \"" + option.name + "\" is neither si nor kgf");
}

JsonAnswer inUnits(UnitSystem units, JsonAnswer answer) {
    if (units == UnitSystem::Gravitational)
        return answer;
    return [units, answer = std::move(answer)](std::string_view input, const ProgramState& state,
                                               const std::function<void(std::string_view)>& write) {
        const std::string kgfInput = jsonInUnits(input, units, UnitSystem::Gravitational);
        std::string kgfAnswer;
        const int failed =
            answer(kgfInput, state, [&kgfAnswer](std::string_view piece) { kgfAnswer += piece; });
        write(jsonInUnits(kgfAnswer, UnitSystem::Gravitational, units));
        return failed;
    };
}

} // namespace hspring::cli
