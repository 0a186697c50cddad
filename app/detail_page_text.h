// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "calc/design_result.h"
#include "calc/engine.h"
#include "calc/hook_type.h"
#include "calc/units.h"
#include "data/design_record.h"
#include "data/material_library.h"
#include "data/settings.h"

#include <array>
#include <string>
#include <string_view>
#include <vector>

namespace hspring {

class Wording;

// The caption of the lower page that shows the detailed results of the current design.
inline constexpr std::string_view kDetailPageCaption = "＜ 詳細計算 ＞";

// One row of a table on the detail page: its cells left to right. `overLimit` marks a stress
// above its allowable stress, shown in the error colour.
struct DetailRow {
    std::vector<std::string> cells;
    bool overLimit = false;
};

// One table: the header rows (item names, then units where the columns share one), then the
// value rows; every row has `columns` cells. A header cell left empty belongs to the header cell
// before it, which spans it.
struct DetailTable {
    int columns = 0;
    std::vector<std::vector<std::string>> headers;
    std::vector<DetailRow> rows;
};

// The tables of the detail page.
enum DetailTableIndex : int {
    kDetailStressTable = 0,  // the stresses beside their allowable stress and their use in percent
    kDetailForceTable = 1,   // rate, loads and the stored energy, kgf and N side by side
    kDetailHookTable = 2,    // hook type and factors, expected lives, frequency, masses, lengths
    kDetailLimitTable = 3,   // the load each part allows, the smallest and its length
    kDetailWarningTable = 4, // the warnings about the hooks and the initial tension
    kDetailBasisTable = 5,   // what the hook's bending life is judged by
};
inline constexpr int kDetailTableCount = 6;

struct DetailPageTexts {
    std::array<DetailTable, kDetailTableCount> tables;
};

// The detail page of a design as it stands (slot 0 after showDesign: calculated, lifeClass set),
// with the extra results for `hookType`:
// - stresses: the coil's torsional stress and the hook's bending and torsional stress at
//   working points 1 and 2, in kgf/mm² and N/mm², each beside the allowable stress it is judged
//   against (the coil's allowable torsional stress for both torsional stresses, the hook's
//   allowable bending stress for the bending) in both units, and stress ÷ allowable in percent;
//   a stress above its allowable is over the limit;
// - forces: spring rate (kgf/mm, N/mm), initial tension and the loads (kgf, N), the energy
//   stored from working point 1 to 2 (kgf·mm, N·mm);
// - hook and body: the hook type, the hook's factors K1 and K2, its stress coefficients, the
//   expected life of the coil, the hook and the spring (in load cycles), the natural frequency,
//   the masses and the wire lengths.
// - limits: the load at which the coil (maxLoad), the hook's torsion and the hook's bending reach
//   their allowables, the smallest of them with the part it belongs to, and the length at it;
// - warnings: the lines of checkHooks with the design's recommended initial-tension range, over
//   the limit; "なし" when there are none;
// - the basis of the hook's bending life (the ratio-zero shares of σB and the Goodman line).
// Numbers are in F4; a value that cannot be formed is kMissingValueText, and so is a use in
// percent whose stress or allowable is missing (or whose allowable is not above zero).
// All of it from one evaluation of the design (the window's, handed to every page): the coil's
// life by the evaluation's own class, the warnings those of the hooks and the initial tension
// followed by the breaches of the conditions for specifying the loads at the evaluation's grade.
// The hook type, the lives, the governing part and the warnings are in `words`.
// In SI `units` the SI columns of each pair come first, the gravitational ones beside them.
DetailPageTexts detailPageTexts(const DesignResult& result, const Wording& words,
                                UnitSystem units = UnitSystem::Gravitational);

// The same tables with kMissingValueText in every value cell and no warnings: the page before
// the first calculation, and after one that failed.
DetailPageTexts withoutValues(DetailPageTexts texts);

// The page as text for the clipboard, table after table with an empty line between them: the
// cells of a row joined by TAB, every row ended by CR LF, as the history copy does.
std::string detailPageClipboardText(const DetailPageTexts& texts);

} // namespace hspring
