// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "calc/checks.h"
#include "calc/extra_results.h"
#include "calc/hook_type.h"
#include "calc/recommendations.h"
#include "calc/tolerances.h"

#include <string>
#include <string_view>

namespace hspring {

// The words for what the core reports by code. The core decides and reports codes; the layer
// that shows them hands its words in (wording/ holds the Japanese ones that the windows, the
// prints and the JSON answer share), so that no language lives in the core.
class Wording {
public:
    virtual ~Wording() = default;

    // The status line of a broken design rule, and the one line of a design that breaks none.
    virtual std::string_view designRule(DesignRule rule) const = 0;
    virtual std::string_view designPasses() const = 0;
    // The line of a warning about the hooks or the initial tension.
    virtual std::string_view hookProblem(HookProblem problem) const = 0;
    // The line of a breach of the conditions for specifying a load.
    virtual std::string toleranceBreach(const ToleranceBreach& breach) const = 0;
    // The expected life of a class 0..8; "" for any other class.
    virtual std::string_view lifeClass(int lifeClass) const = 0;
    // The labels of recommended values, and the one line of a spring index out of their range.
    virtual RecommendationLabels recommendations(const Recommendations& recommended) const = 0;
    virtual std::string_view indexOutOfRange() const = 0;
    // A hook type as the windows name it, and as a drawing's items table does.
    virtual std::string_view hookType(HookType type) const = 0;
    virtual std::string_view hookTypeOnSheet(HookType type) const = 0;
    // A production tolerance grade 1..3, or none (0).
    virtual std::string_view toleranceGrade(int grade) const = 0;
    virtual std::string_view governingPart(GoverningPart part) const = 0;
    // The design basis the allowables are taken from, as the detail page and the sheets name it.
    virtual std::string_view designBasis(DesignBasis basis) const = 0;
};

} // namespace hspring
