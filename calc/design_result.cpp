// SPDX-License-Identifier: GPL-3.0-or-later
#include "calc/design_result.h"

#include "calc/checks.h"
#include "calc/design_refusal.h"

namespace hspring {

DesignResult evaluateDesign(const SpringDesign& design, const MaterialLibrary& library,
                            const CoefficientSet& coefficients, HookType hookType,
                            int toleranceGrade) {
    DesignResult result{};
    result.design = design;
    // No reader: the design's own initialTension stands for the initial-tension field.
    calculateGivenDesign(result.design, library, coefficients, result.range, InitialTensionReader{},
                         hookType);
    result.coefficients = stressCoefficients(result.design, library);
    result.design.lifeClass = classifyLife(result.coefficients.upper, result.coefficients.lower);
    result.checks = checkDesign(result.design);
    result.recommendations = recommendationsFor(result.design, result.range);
    result.hookType = hookType;
    result.extras = calculateExtraResults(result.design, library, coefficients, hookType);
    result.hookChecks = checkHooks(result.design, result.range, result.extras, hookType);
    applyToleranceGrade(result, toleranceGrade);
    return result;
}

void applyToleranceGrade(DesignResult& result, int toleranceGrade) {
    result.tolerances = calculateTolerances(result.design, toleranceGrade);
    // The longest length the spring is tested at: where the coil or a hook reaches its
    // allowable stress.
    result.toleranceChecks =
        toleranceBreaches(result.design, result.extras.maxLengthWithHooks, toleranceGrade);
}

} // namespace hspring
