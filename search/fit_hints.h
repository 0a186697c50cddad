// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "data/material_library.h"
#include "search/design_search.h"

#include <string_view>
#include <vector>

namespace hspring {

// What change to a requirement would let a spring be found, when the search found none. The
// window and the tool word each code in their own language.
enum class FitHintCode {
    // The grade's load tolerance alone takes `share` % of the load (the nearest miss's, else
    // the least any spring of the grade has), no less than the window loadTolerance allows:
    // `grade` is the closest grade whose tolerance fits (0: none does), or the window must be
    // wider than `share`.
    GradeToleranceWiderThanWindow,
    // maxOuterDiameter − minInnerDiameter leaves less than two of the thinnest wire allowed.
    RoomNarrowerThanWire,
    // maxOuterDiameter is below `least`, the smallest outer diameter any allowed wire coils to
    // (a spring index of at least 4, the inner diameter at least minInnerDiameter).
    OuterDiameterTooSmall,
    // The free length must stay within `field` (maxFreeLength or length1, whichever is smaller),
    // below `least`, the shortest spring any allowed wire makes with these hooks (3 turns, spring
    // index 4).
    FreeLengthTooShort,
};

struct FitHint {
    FitHintCode code;
    std::string_view field; // the requirement's key to change
    double share = 0;       // per cent of the load, GradeToleranceWiderThanWindow
    int grade = 0;          // the grade that would fit, GradeToleranceWiderThanWindow
    double least = 0;       // mm, the room's codes
};

// The hints for a search that found nothing (a cancelled or successful outcome has none),
// computed from the requirement, the thinnest wire of its materials and the nearest miss.
std::vector<FitHint> fitHints(const DesignRequirement& requirement, const MaterialLibrary& library,
                              const SearchOutcome& outcome);

} // namespace hspring
