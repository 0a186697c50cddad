// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "calc/engine.h"
#include "calc/extra_results.h"
#include "calc/hook_type.h"
#include "data/design_record.h"

#include <string_view>
#include <vector>

namespace hspring {

// The six design rules, in the order they are tested.
enum class DesignRule {
    IndexAtLeastFour,      // spring index c >= 4
    IndexBelowTwentyTwo,   // c not above 22
    L2NotBelowSolidLength, // L0 not above L2
    LengthsInOrder,        // L0 <= L1 <= L2
    StressWithinAllowable, // stress2 within the allowable stress
    AtLeastThreeTurns,     // active turns >= 3
};
inline constexpr int kDesignRuleCount = 6;

// Judges a calculated design against the six rules: the rules it breaks, in rule order; none when
// it passes them all ("Calculation Success!"). A missing (NaN) value breaks the rules worded "is
// not at least" (1, 5 and 6: spring index, stress, turns) and none of those worded "A > B" (2, 3
// and 4: spring index above 22, the order of the lengths).
std::vector<DesignRule> checkDesign(const SpringDesign& design);

// What the hooks and the initial tension may be wrong in, beside the six rules: each a warning,
// since the six rules alone decide "Calculation Success!".
enum class HookProblem {
    TorsionOverAllowable,       // τB2 above allowableStress
    BendingOverAllowable,       // σA2 above hookBendingAllowable
    BendRadiusTooSmall,         // a U hook's inner bend radius below 1.5·d
    InitialTensionNegative,     // Pi below 0
    InitialTensionOutsideRange, // Pi outside [initialTensionLow, initialTensionHigh]
    HookAngleOutsideRange,      // a round hook's angle outside 60..90°
    UHookCannotBeFormed,        // a U hook whose bend, legs and U do not fit together
};
inline constexpr int kHookProblemCount = 7;

// One warning: the problem and the design field (the JSON key) it concerns.
struct HookCheck {
    HookProblem problem;
    std::string_view field;
};

// The warnings of a calculated design with its initial-tension range and its extra results for
// `hookType`, in the order of HookProblem. A stress or an allowable that is missing gives no
// warning about it (it is not known to be over); an angle, radius or tension that is no number
// lies outside its range. An initial tension within half a unit of the fourth digit of a bound
// (as the range's label shows it) counts as on the bound.
std::vector<HookCheck> checkHooks(const SpringDesign& design, const InitialTensionRange& range,
                                  const ExtraResults& extras, HookType hookType);

} // namespace hspring
