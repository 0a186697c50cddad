// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "calc/units.h"
#include "data/material_library.h"
#include "search/design_search.h"

#include <array>
#include <string>

namespace hspring {

class Wording;

// The columns of the candidate table, left to right: rank, material, d, D, Do, N, L0, Pi, P1, P2,
// the coil's and the hook's share of their allowable stress, the largest deviation, the nearest
// limit, the life and the mass (their titles are in the wording). The columns a test or the
// window names:
inline constexpr int kRankColumn = 0;
inline constexpr int kMeanDiameterColumn = 3;
inline constexpr int kLoad1Column = 8;
inline constexpr int kLoad2Column = 9;
inline constexpr int kMassColumn = 15;
inline constexpr int kCandidateColumnCount = 16;

// One cell: what it shows and what it sorts by (the number itself, the material's record index,
// the life class; a missing value sorts last).
struct CandidateCell {
    std::string text;
    double sortKey = 0;
};
using CandidateRow = std::array<CandidateCell, kCandidateColumnCount>;

// A candidate's row: the rank; the material as kind name and grade symbol; d, D, Do and N in F15
// as the main window's lists and fields show them; L0, Pi, P1 and P2 in F4; the shares of the
// allowable stresses used by the coil and by the hook at the top of P2's tolerance band in per
// cent (F4); the larger worst-case deviation of the loads in per cent (F4); the part whose limit
// is nearest and the spring's expected life, in `words`; the mass of the whole wire in grams
// (F4). A missing value shows kMissingValueText. Pi, P1 and P2 in `units`.
CandidateRow candidateRow(const SearchCandidate& candidate, const MaterialLibrary& library,
                          const Wording& words, UnitSystem units = UnitSystem::Gravitational);

} // namespace hspring
