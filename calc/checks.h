// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "calc/engine.h"
#include "calc/extra_results.h"
#include "calc/hook_type.h"
#include "calc/status_lines.h"
#include "data/design_record.h"

#include <string_view>
#include <vector>

namespace hspring {

// The messages of the six design rules, in the order they are tested.
inline constexpr std::string_view kIndexBelowFourMessage = "エラー：バネ指数が４以下";
inline constexpr std::string_view kIndexAboveTwentyTwoMessage = "エラー：バネ指数が２２以上";
inline constexpr std::string_view kL2BelowSolidLengthMessage = "エラー：L2が密着高さより短い";
inline constexpr std::string_view kLengthOrderMessage = "エラー:バネ高さの順番が不適";
inline constexpr std::string_view kStressOverMessage = "エラー:ねじり応力オーバー";
inline constexpr std::string_view kTooFewTurnsMessage = "エラー:有効巻き数が３以下です";
inline constexpr std::string_view kCalculationSuccessMessage = "Calculation Success!";

// Judges a calculated design against the six rules. Every failed rule adds its message, in rule
// order, in the error colour; a design that passes them all gives the one line
// "Calculation Success!" in the window-text colour. A missing (NaN) value fails the rules worded
// "is not at least" (1, 5 and 6: spring index, stress, turns) and none of those worded "A > B"
// (2, 3 and 4: spring index above 22, the order of the lengths).
StatusLines checkDesign(const SpringDesign& design);

// What the hooks and the initial tension may be wrong in, beside the six rules: each a warning,
// since the six rules alone decide "Calculation Success!".
enum class HookProblem {
    TorsionOverAllowable,       // τB2 above hookTorsionAllowable
    BendingOverAllowable,       // σA2 above hookBendingAllowable
    BendRadiusTooSmall,         // a U hook's inner bend radius below 1.5·d
    InitialTensionNegative,     // Pi below 0
    InitialTensionOutsideRange, // Pi outside [initialTensionLow, initialTensionHigh]
    HookAngleOutsideRange,      // a round hook's angle outside 60..90°
    UHookCannotBeFormed,        // a U hook whose bend, legs and U do not fit together
    // the natural frequency below kSurgeFrequencyRatio times the operating frequency
    NaturalFrequencyBelowSurgeRatio,
};

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

// The line a warning shows as, in the style of the rule messages.
std::string_view hookCheckText(HookProblem problem);

} // namespace hspring
