// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "calc/units.h"
#include "cli/command_line.h"

#include <string>

namespace hspring::cli {

// --units si|kgf of calc, search, chart and the sheets: the units of the forces the input gives
// and the output shows, the keys the same either way; kgf when not given.
struct UnitsOption {
    std::string name = "kgf";
};
void addUnitsOption(CLI::App& app, UnitsOption& option);
// The system chosen; another name is a usage error.
UnitSystem chosenUnits(const UnitsOption& option);

// A JSON answer that reads its input and writes its output in `units` around one that works in
// kgf: the input's forces converted before, the whole answer's after (it is then held whole).
JsonAnswer inUnits(UnitSystem units, JsonAnswer answer);

} // namespace hspring::cli
