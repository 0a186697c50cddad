// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "data/material_library.h"
#include "search/design_search.h"

#include <array>
#include <string>
#include <string_view>

namespace hspring {

// The columns of the candidate table, left to right.
inline constexpr std::array<std::string_view, 14> kCandidateColumnTitles = {
    "順位",      "材料",    "線径 d",  "平均径 D",     "外径 Do",      "巻数 N", "自由長さ L0",
    "初張力 Pi", "荷重 P1", "荷重 P2", "応力 コイル%", "応力 フック%", "寿命",   "質量 g",
};
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
// allowable stresses used by the coil and by the hook in per cent (F4); the spring's expected
// life; the mass of the whole wire in grams (F4). A missing value shows kMissingValueText.
CandidateRow candidateRow(const SearchCandidate& candidate, const MaterialLibrary& library);

} // namespace hspring
