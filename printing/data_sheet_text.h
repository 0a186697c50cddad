// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "data/design_record.h"
#include "data/material_library.h"

#include <array>
#include <string>
#include <vector>

namespace hspring {

inline constexpr int kSheetRowCount = 17;
inline constexpr int kSheetColumnCount = 4;
inline constexpr int kSheetLabelCount = 6;

// What the sheet shows in the material row when the design names no material of the library
// (possible only in a foreign calculation file).
inline constexpr const char* kUnknownMaterialText = "不明";

// Every text of the spring data sheet, UTF-8. A missing value shows as kMissingValueText.
struct DataSheetTexts {
    // [row][column]: column 0 the item number, 1 the item name, 2 the unit, 3 the value.
    std::array<std::array<std::string, kSheetColumnCount>, kSheetRowCount> cells;
    // The six dimension texts beside the figure: L2, L1 and the free length, P2 and P1, the mean
    // coil diameter.
    std::array<std::string, kSheetLabelCount> labels;
    // What a PDF of the sheet is titled and named after: the design it shows, so that a file
    // found later can be traced to it ("要目表 SWP-A d1×D10×N20").
    std::string title;
    std::string fileStem;
    // The broken rules and the warnings of a design made into a sheet anyway, printed under the
    // table; empty for a sound design. The caller judges the design: the sheet calculates nothing.
    std::vector<std::string> concerns;
};

// The sheet of a design as it stands (nothing is calculated). `leftHanded` is the coiling
// direction chosen in the main window.
DataSheetTexts dataSheetTexts(const SpringDesign& design, const MaterialLibrary& library,
                              bool leftHanded);

} // namespace hspring
