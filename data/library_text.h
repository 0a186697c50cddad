// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "data/material_library.h"
#include "data/settings.h"

#include <string_view>

namespace hspring {

// The readable text form of the default data (data/default/*.txt), from which the build makes
// zaidat.dst, the settings file and the built-in copies. Both texts are UTF-8, one item per line;
// blanks and tabs separate, and empty lines and lines starting with '#' are skipped. Numbers use
// the strict decimal form of textToDouble and textToInt.
//
// Material library: records in file order, each from a line "material" to a line "end":
//     kind            0          (0..9)
//     kindName        硬鋼線     (the rest of the line, at most 50 bytes of Shift-JIS)
//     gradeSymbol     SW-B
//     shearModulus    78500      (N/mm^2)
//     youngModulus    206000     (N/mm^2)
//     torsionPercent  50         (%)
//     bendingPercent  80         (%)
//     0.08  2450  [allowableTorsion  [allowableBending]]
// Every key once; one row per wire diameter (1..50 rows), the omitted columns 0. At most 30
// records; the others are left zero with kind 10. The result must keep the library rules
// (findLibraryInconsistencies).
//
// Settings: one line "name value" for each of the seven coefficients, named as the fields of
// CoefficientSet. The bytes of the record outside the set are zero.
//
// A text that breaks the form raises Error (Kind::Data) naming the line and the fault.
MaterialLibrary parseMaterialLibraryText(std::string_view text);
SettingsRecord parseSettingsText(std::string_view text);

} // namespace hspring
