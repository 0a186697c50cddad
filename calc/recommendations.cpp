// SPDX-License-Identifier: GPL-3.0-or-later
#include "calc/recommendations.h"

#include "base/checked_float.h"

namespace hspring {

long double recommendedFreeLength(const SpringDesign& design, HookType hookType) {
    using F = CheckedFloat;
    const double hooks = hookType == HookType::U ? design.hookLength : design.innerDiameter;
    return ((F(design.totalTurns) + 1) * design.wireDiameter + F(2) * hooks).shown();
}

Recommendations recommendationsFor(const SpringDesign& design, const InitialTensionRange& range,
                                   HookType hookType) {
    Recommendations result;
    const double c = design.springIndex;
    // The initial-tension table covers 3..22; a NaN index has no range either.
    result.indexInRange = c >= 3 && c <= 22;
    if (!result.indexInRange)
        return result;
    result.freeLength = recommendedFreeLength(design, hookType);
    result.maxLength = design.maxLength;
    result.maxLoad = design.maxLoad;
    result.initialTension = range;
    return result;
}

} // namespace hspring
