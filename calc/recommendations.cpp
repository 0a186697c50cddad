// SPDX-License-Identifier: GPL-3.0-or-later
#include "calc/recommendations.h"

#include "base/checked_float.h"
#include "base/number_format.h"

namespace hspring {

long double recommendedFreeLength(const SpringDesign& design) {
    using F = CheckedFloat;
    return ((F(design.totalTurns) + 1) * design.wireDiameter + F(2) * design.innerDiameter).shown();
}

Recommendations recommendationsFor(const SpringDesign& design, const InitialTensionRange& range) {
    Recommendations result;
    const double c = design.springIndex;
    // The initial-tension table covers 3..22; a NaN index has no range either.
    result.indexInRange = c >= 3 && c <= 22;
    if (!result.indexInRange) {
        result.status.lines.emplace_back(kIndexOutOfRangeMessage);
        return result;
    }
    result.freeLengthLabel = "自由長さ=" + formatF4(recommendedFreeLength(design)) + "mm";
    result.maxLengthLabel = "最大長さ=" + formatF4(design.maxLength) + "mm";
    result.maxLoadLabel = "最大荷重=" + formatF4(design.maxLoad) + "kgf";
    result.initialTensionLabel =
        "初張力(" + formatF4(range.low) + "～" + formatF4(range.high) + ")kgf";
    return result;
}

} // namespace hspring
