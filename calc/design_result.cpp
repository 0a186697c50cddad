// SPDX-License-Identifier: GPL-3.0-or-later
#include "calc/design_result.h"

#include "calc/checks.h"
#include "calc/design_refusal.h"

#include <array>
#include <utility>

namespace hspring {

DesignResult evaluateDesign(const SpringDesign& design, const MaterialLibrary& library,
                            const CoefficientSet& coefficients, HookType hookType,
                            int toleranceGrade, const ExtraInputs& inputs) {
    SpringDesign calculated = design;
    InitialTensionRange range{};
    // No reader: the design's own initialTension stands for the initial-tension field.
    calculateGivenDesign(calculated, library, coefficients, range, InitialTensionReader{},
                         hookType);
    return evaluateCalculatedDesign(calculated, range, library, coefficients, hookType,
                                    toleranceGrade, inputs);
}

DesignResult evaluateCalculatedDesign(const SpringDesign& calculated,
                                      const InitialTensionRange& range,
                                      const MaterialLibrary& library,
                                      const CoefficientSet& coefficients, HookType hookType,
                                      int toleranceGrade, const ExtraInputs& inputs) {
    DesignResult result{};
    result.design = calculated;
    result.range = range;
    result.coefficients = stressCoefficients(result.design, library);
    result.design.lifeClass = classifyLife(result.coefficients.upper, result.coefficients.lower);
    result.checks = checkDesign(result.design);
    result.recommendations = recommendationsFor(result.design, result.range, hookType);
    result.hookType = hookType;
    result.basis = designBasisOf(coefficients);
    result.inputs = inputs;
    result.extras = calculateExtraResults(result.design, library, coefficients, hookType, inputs);
    result.hookChecks = checkHooks(result.design, result.range, result.extras, hookType);
    applyToleranceGrade(result, toleranceGrade);
    return result;
}

int springLifeClass(const DesignResult& result) {
    return result.extras.springLifeClass.value_or(result.design.lifeClass);
}

GoverningPart lifeGoverningPart(const DesignResult& result) {
    const ExtraResults& x = result.extras;
    const int coil = result.design.lifeClass;
    if (!x.springLifeClass)
        return GoverningPart::Coil;
    // The hook's class is the shorter of its torsion's and its bending's: where it is not the
    // bending's, it is the torsion's (the bending comes first so that a tie names it).
    const std::array<std::pair<GoverningPart, int>, 3> lives = {{
        {GoverningPart::Coil, x.coilLifeClass.value_or(coil)},
        {GoverningPart::HookBending, x.hookBendingLifeClass.value_or(kShortestLifeClass)},
        {GoverningPart::HookTorsion, x.hookLifeClass.value_or(kShortestLifeClass)},
    }};
    const int shortest = *x.springLifeClass;
    if (x.governingPart)
        for (const auto& [part, life] : lives)
            if (part == *x.governingPart && life == shortest)
                return part;
    for (const auto& [part, life] : lives)
        if (life == shortest)
            return part;
    return GoverningPart::Coil;
}

RecommendedLimits recommendedLimits(const DesignResult& result) {
    const ExtraResults& x = result.extras;
    if (!x.governingPart)
        return {result.design.maxLength, result.design.maxLoad, GoverningPart::Coil};
    // With the coil governing, its own values as the engine gives them, digit for digit.
    if (*x.governingPart == GoverningPart::Coil)
        return {result.design.maxLength, result.design.maxLoad, GoverningPart::Coil};
    return {x.maxLengthWithHooks, x.maxLoadWithHooks, *x.governingPart};
}

void applyToleranceGrade(DesignResult& result, int toleranceGrade) {
    result.tolerances = calculateTolerances(result.design, toleranceGrade);
    // The longest length the spring is tested at: where the coil or a hook reaches its
    // allowable stress.
    result.toleranceChecks =
        toleranceBreaches(result.design, result.extras.maxLengthWithHooks, toleranceGrade);
}

bool hasConcerns(const DesignResult& result) {
    return !result.checks.empty() || !result.hookChecks.empty() || !result.toleranceChecks.empty();
}

} // namespace hspring
