// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "calc/engine.h"
#include "calc/hook_type.h"
#include "data/design_record.h"

#include <string>

namespace hspring {

// The recommended values of a design just read and calculated, as the group "推奨値" shows them.
// When the spring index lies outside 3..22 there are none: the window says so in the status
// list, the labels keep their old text and no input field is written. Otherwise the labels show
// the values and the refresh clears the status list.
struct Recommendations {
    bool indexInRange = false;
    long double freeLength = 0; // recommendedFreeLength
    double maxLength = 0;
    double maxLoad = 0;
    InitialTensionRange initialTension;
};
// The labels' texts, each number in F4 and a missing one (a wire outside the strength table
// leaves the maximum length and load missing) as kMissingValueText. The fields the
// recommendations fill (the free length when the recommended one is taken, the initial tension
// when it comes from the range) get inputFieldText of recommendedFreeLength and of the range's
// middle: never a mark a calculation could not read back.
struct RecommendationLabels {
    std::string freeLength;
    std::string maxLength;
    std::string maxLoad;
    std::string initialTension;
};

// The refresh's values after readDesignInputs and calculateDesign have run on `design`, hooked
// with `hookType`.
Recommendations recommendationsFor(const SpringDesign& design, const InitialTensionRange& range,
                                   HookType hookType = HookType::Round);

// The free length of the spring drawn with its hooks, computed from the values as last read: the
// turns and two full-loop round hooks, (N + 1)·d + 2·Di, or two U hooks reaching hookLength
// beyond the coil, (N + 1)·d + 2·hookLength. The recommended free length and the value the
// free-length apply button writes. Only shown, never stored, so it stays extended: formatF4 of it
// can differ from formatF4 of its double (d = 4.5, D = 81, N = 22.1: "257", where the double gives
// "256.9"). Throws the overflow Error for a value beyond the range of a double, which no field
// could read back.
long double recommendedFreeLength(const SpringDesign& design, HookType hookType = HookType::Round);

} // namespace hspring
