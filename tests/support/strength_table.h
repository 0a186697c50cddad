// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// An independent second reading of a material's allowable-stress table, written the plain way:
// build the table's rows, then scan every segment. The program looks the stress up straight from
// the record (materialAllowableStress); the tests and the material library's fuzz target hold
// that lookup against this one.

#include "data/material_library.h"

#include <cstdint>
#include <optional>

namespace hspring::test {

// Allowable stress over wire diameter for one material.
struct StrengthTable {
    double diameters[kMaxDiameters];
    double stresses[kMaxDiameters]; // N/mm^2
    std::int32_t rowCount;
};

// The explicit column of `kind` when its first entry is given (rows with 0 skipped), otherwise
// the percentage of `kind` of the tensile strength for every diameter in use.
StrengthTable buildStrengthTable(const MaterialRecord& record,
                                 AllowableStressKind kind = AllowableStressKind::Torsion);

// Piecewise-linear lookup, both ends of each segment included; when several segments hold d,
// the last one wins. Two equal diameters in a row give the smaller of their stresses, and a
// one-row table answers only its own diameter. nullopt when nothing holds d: outside the table,
// an empty table, or d not a number.
std::optional<double> interpolateTable(const StrengthTable& table, double d);

} // namespace hspring::test
