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
    ExtraResults extras;               // for the design with hookType
    std::vector<HookCheck> hookChecks; // the warnings beside `checks`
    Tolerances tolerances;             // at the design's tolerance grade
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
                            int toleranceGrade = kDefaultToleranceGrade);

// Sets the tolerances and their checks of a calculated result at a grade.
void applyToleranceGrade(DesignResult& result, int toleranceGrade);

} // namespace hspring
