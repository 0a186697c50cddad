// SPDX-License-Identifier: GPL-3.0-or-later
#include "calc/checks.h"

#include <cmath>

namespace hspring {

namespace {

// stress2 may exceed the allowable stress by this much, kgf/mm^2.
constexpr long double kStressTolerance = 0.0005L;

// A bend out of the coil tighter than 1.5·d concentrates the stress where most extension springs
// break (Newcomb Spring, "Springipedia: Extension Loop Guidelines": a minimum bend radius of 1.5
// times the wire diameter is recommended).
constexpr long double kMinBendRadiusPerWire = 1.5L;
// The hook angles a round hook is made with, degrees.
constexpr double kLowestHookAngle = 60;
constexpr double kHighestHookAngle = 90;
// Half a unit of the fourth significant digit, relative: the range's label shows four.
constexpr long double kRangeLabelTolerance = 0.0005L;

} // namespace

std::vector<DesignRule> checkDesign(const SpringDesign& design) {
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
        DesignRule rule;
    } rules[] = {
        {!(c >= 4), DesignRule::IndexAtLeastFour},
        {c > 22, DesignRule::IndexBelowTwentyTwo},
        {l0 > l2, DesignRule::L2NotBelowSolidLength},
        {l0 > l1 || l1 > l2, DesignRule::LengthsInOrder},
        {!(design.allowableStress + kStressTolerance >= design.stress2),
         DesignRule::StressWithinAllowable},
        {!(design.activeTurns >= 3), DesignRule::AtLeastThreeTurns},
    };

    std::vector<DesignRule> broken;
    for (const auto& rule : rules)
        if (rule.fails)
            broken.push_back(rule.rule);
    return broken;
}

} // namespace hspring

namespace hspring {

std::vector<HookCheck> checkHooks(const SpringDesign& design, const InitialTensionRange& range,
                                  const ExtraResults& extras, HookType hookType) {
    std::vector<HookCheck> found;
    const auto warn = [&found](bool fails, HookProblem problem, std::string_view field) {
        if (fails)
            found.push_back({problem, field});
    };
    const long double d = design.wireDiameter;
    const long double D = design.meanDiameter;
    const bool isU = hookType == HookType::U;
    warn(extras.hookTorsionStress2 > design.allowableStress + kStressTolerance,
         HookProblem::TorsionOverAllowable, "hookTorsionStress2");
    warn(extras.hookBendingStress2 > extras.hookBendingAllowable + kStressTolerance,
         HookProblem::BendingOverAllowable, "hookBendingStress2");
    warn(isU && !(design.hookMinRadius >= kMinBendRadiusPerWire * d),
         HookProblem::BendRadiusTooSmall, "hookMinRadius");
    const long double pi = design.initialTension;
    const long double low = range.low * (1 - kRangeLabelTolerance);
    const long double high = range.high * (1 + kRangeLabelTolerance);
    warn(!(pi >= 0), HookProblem::InitialTensionNegative, "initialTension");
    warn(pi >= 0 && (pi < low || pi > high), HookProblem::InitialTensionOutsideRange,
         "initialTension");
    warn(!isU && !(design.hookAngle >= kLowestHookAngle && design.hookAngle <= kHighestHookAngle),
         HookProblem::HookAngleOutsideRange, "hookAngle");
    // The wire length knows when the U's parts do not fit; without a coil it knows nothing.
    const bool coil = d > 0 && D > d && std::isfinite(D);
    warn(isU && coil && std::isnan(extras.hookWireLength), HookProblem::UHookCannotBeFormed,
         "hookLength");
    return found;
}

} // namespace hspring
