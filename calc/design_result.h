// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "calc/checks.h"
#include "calc/engine.h"
#include "calc/extra_results.h"
#include "calc/hook_type.h"
#include "calc/life.h"
#include "calc/recommendations.h"
#include "calc/tolerances.h"
#include "data/design_record.h"
#include "data/material_library.h"
#include "data/settings.h"

#include <string>
#include <vector>

namespace hspring {

// Everything the program derives from one design, in one record: what the calc command prints
// and what a report needs.
struct DesignResult {
    SpringDesign design;       // after the calculation, lifeClass set
    InitialTensionRange range; // recommended initial tension
    StressCoefficients coefficients;
    std::vector<DesignRule> checks; // the rules checkDesign finds broken
    Recommendations recommendations;
    HookType hookType = HookType::Round;
    DesignBasis basis = DesignBasis::Jis; // of the coefficient set the design was calculated with
    ExtraInputs inputs;                   // the hook's radii and the operating frequency given
    ExtraResults extras;                  // for the design with hookType and inputs
    std::vector<HookCheck> hookChecks;    // the warnings beside `checks`
    Tolerances tolerances;                // at the design's tolerance grade
    // The conditions of specifying the loads the design breaks at that grade.
    std::vector<ToleranceBreach> toleranceChecks;
};

// Calculates a design read from a file rather than from the window: its initialTension stands
// for the initial-tension field. Runs calculateDesign, the stress coefficients and life class
// (as the results display does), checkDesign, checkHooks, the recommended values and the extra
// results with the given hook type, the production tolerances at the grade and their conditions
// (judged against the longest length the spring may be tested at, maxLengthWithHooks). A design
// that is no spring (calc/design_refusal.h) throws its refusal's Error, an arithmetic fault among
// them; the extra results never throw.
DesignResult evaluateDesign(const SpringDesign& design, const MaterialLibrary& library,
                            const CoefficientSet& coefficients, HookType hookType = HookType::Round,
                            int toleranceGrade = kDefaultToleranceGrade,
                            const ExtraInputs& inputs = {});

// The same for a design the caller has calculated already with its initial-tension range (the
// main window's 計算, which reads the initial tension from its field): every page of the window
// is handed this one evaluation instead of calculating the design again for itself.
DesignResult evaluateCalculatedDesign(const SpringDesign& calculated,
                                      const InitialTensionRange& range,
                                      const MaterialLibrary& library,
                                      const CoefficientSet& coefficients, HookType hookType,
                                      int toleranceGrade, const ExtraInputs& inputs = {});

// The spring's life class: the shortest of the coil's, the hook's torsion and the hook's bending
// life (extras.springLifeClass); the coil's alone when the hook's cannot be formed.
int springLifeClass(const DesignResult& result);

// The part whose life is the spring's: the coil, the hook's torsion or its bending. When two
// parts share the shortest life, the one that also reaches its allowable load first
// (extras.governingPart) is named, else the first in that order.
GoverningPart lifeGoverningPart(const DesignResult& result);

// The recommended maximum length and load with the hooks: the smallest of the loads at which the
// coil, the hook's torsion and its bending reach their allowables, the length at it and the part
// it belongs to. Where a hook's limit cannot be formed the coil's values stand, named as the
// coil's; a length no load reaches is missing (NaN).
struct RecommendedLimits {
    double maxLength = 0;
    double maxLoad = 0;
    GoverningPart governingPart = GoverningPart::Coil;
};
RecommendedLimits recommendedLimits(const DesignResult& result);

// Sets the tolerances and their checks of a calculated result at a grade.
void applyToleranceGrade(DesignResult& result, int toleranceGrade);

// Whether a document of the result needs a word of warning: a broken design rule, or a warning
// about the hooks, the initial tension or the tolerance conditions. Such a design is not made
// into a document unless the designer asks for it, and then the page names them.
bool hasConcerns(const DesignResult& result);

} // namespace hspring
