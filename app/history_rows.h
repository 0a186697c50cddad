// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "calc/units.h"
#include "data/design_record.h"
#include "data/material_library.h"

#include <array>
#include <string>
#include <string_view>

namespace hspring {

class Wording;

inline constexpr int kHistoryColumnCount = 15;
inline constexpr int kHistoryHeaderRows = 2; // item names, units
inline constexpr int kHistoryRowCount = 32;  // the header rows and slots 1..30

// Column widths of the history grid in pixels.
inline constexpr std::array<int, kHistoryColumnCount> kHistoryColumnWidths = {
    30, 96, 33, 38, 42, 54, 47, 47, 47, 47, 55, 54, 93, 45, 68};

// Row 0 (item names) and row 1 (units) of the history grid.
inline constexpr std::array<std::string_view, kHistoryColumnCount> kHistoryItemNames = {
    "項目",      "材質",       "線径",           "ｺｲﾙ径",    "巻数(N)",
    "自由長(L)", "荷重(P1)",   "荷重(P2)",       "長さ(L1)", "長さ(L2)",
    "ばね定数",  "ねじり応力", "許容ねじり応力", "寿命",     "初張力"};
inline constexpr std::array<std::string_view, kHistoryColumnCount> kHistoryUnits = {
    "単位", "",   "mm",     "mm",       "巻",       "mm",   "kgf", "kgf",
    "mm",   "mm", "kgf/mm", "kgf/mm^2", "kgf/mm^2", "回数", "kgf"};

// Row 1 (units) with the loads, the rate and the stresses in `units`.
std::array<std::string, kHistoryColumnCount> historyUnits(UnitSystem units);

// The grid row of history slot 1..30.
inline constexpr int historyRowOfSlot(int slot) {
    return slot + 1;
}

// Columns 1..14 of a history slot's row: grade symbol, wire and mean diameter, turns, free
// length, both loads, both lengths, spring rate, stress at point 2, allowable stress, life text
// (in `words`) and initial tension, numbers in F4, the forces in `units`. All empty for a slot not
// in use. A material index outside the library gives an empty grade symbol, a life class outside
// 0..8 an empty life text.
std::array<std::string, kHistoryColumnCount - 1>
historyRowTexts(const SpringDesign& design, const MaterialLibrary& library, const Wording& words,
                UnitSystem units = UnitSystem::Gravitational);

// The history slot that the slot selector's text names: a whole number, limited to 1..30; any
// other text counts as slot 1.
int historySlotFromText(std::string_view text);

} // namespace hspring
