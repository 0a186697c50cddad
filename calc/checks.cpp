// SPDX-License-Identifier: GPL-3.0-or-later
#include "calc/checks.h"

namespace hspring {

namespace {

// stress2 may exceed the allowable stress by this much, kgf/mm^2.
constexpr long double kStressTolerance = 0.0005L;

} // namespace

StatusLines checkDesign(const SpringDesign& design) {
    // Each rule fails exactly as it is worded, which decides a missing (NaN) value: "fails when
    // A > B" fails only when the comparison holds, so a missing length shows no conflict that is
    // not there; "fails when A is not at least B" fails when either is missing, so a missing
    // index, allowable stress or turns count never passes.
    const double c = design.springIndex;
    const double l0 = design.freeLength;
    const double l1 = design.length1;
    const double l2 = design.length2;
    const struct {
        bool fails;
        std::string_view message;
    } rules[] = {
        {!(c >= 4), kIndexBelowFourMessage},
        {c > 22, kIndexAboveTwentyTwoMessage},
        {l0 > l2, kL2BelowSolidLengthMessage},
        {l0 > l1 || l1 > l2, kLengthOrderMessage},
        {!(design.allowableStress + kStressTolerance >= design.stress2), kStressOverMessage},
        {!(design.activeTurns >= 3), kTooFewTurnsMessage},
    };

    StatusLines status;
    for (const auto& rule : rules)
        if (rule.fails)
            status.lines.emplace_back(rule.message);
    if (status.lines.empty())
        status = StatusLines{{std::string(kCalculationSuccessMessage)}, StatusColour::WindowText};
    return status;
}

} // namespace hspring
