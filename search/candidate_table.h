// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "data/material_library.h"
#include "search/design_search.h"

#include <array>
#include <string>
#include <string_view>

namespace hspring {

// The columns of the candidate table, left to right: the words and units of the main window and
// the detail page.
inline constexpr std::array<std::string_view, 16> kCandidateColumnTitles = {
    "順位",        "材料",         "線径 d mm",      "平均径 D mm",
    "外径 Do mm",  "巻数 N",       "自由長さ L0 mm", "初張力 Pi kgf",
    "荷重 P1 kgf", "荷重 P2 kgf",  "コイル使用率 %", "フック使用率 %",
    "最大偏差 %",  "最も近い限界", "寿命",           "質量 g",
};
// The columns a test or the window names.
inline constexpr int kRankColumn = 0;
inline constexpr int kMeanDiameterColumn = 3;
inline constexpr int kLoad1Column = 8;
inline constexpr int kLoad2Column = 9;
inline constexpr int kMassColumn = 15;
inline constexpr int kCandidateColumnCount = static_cast<int>(kCandidateColumnTitles.size());

// One cell: what it shows and what it sorts by (the number itself, the material's record index,
// the life class; a missing value sorts last).
struct CandidateCell {
    std::string text;
    double sortKey = 0;
};
using CandidateRow = std::array<CandidateCell, kCandidateColumnTitles.size()>;

// A candidate's row: the rank; the material as kind name and grade symbol; d, D, Do and N in F15
// as the main window's lists and fields show them; L0, Pi, P1 and P2 in F4; the shares of the
// allowable stresses used by the coil and by the hook at the top of P2's tolerance band in per
// cent (F4); the larger worst-case deviation of the loads in per cent (F4); the stress limit
// nearest ("コイル", "フックねじり", "フック曲げ"); the spring's expected life; the mass of the
// whole wire in grams (F4). A missing value shows kMissingValueText.
// The table's word for a stress limit.
std::string_view stressLimitText(StressLimit limit);

CandidateRow candidateRow(const SearchCandidate& candidate, const MaterialLibrary& library);

} // namespace hspring
