// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "calc/design_result.h"
#include "calc/status_lines.h"

#include <string>
#include <vector>

namespace hspring {

// The main window's verdict of one evaluation, in its words.

// The labels of the recommended maximum length and load with the hooks: "最大長さ=" F4 "mm" and
// "最大荷重=" F4 "kgf", each marked "(フック)" when a hook's limit is the smallest, and the
// tool tip that names the part. A missing value shows as kMissingValueText.
struct RecommendedLimitLabels {
    std::string maxLength;
    std::string maxLoad;
    std::string toolTip;
};
RecommendedLimitLabels recommendedLimitLabels(const RecommendedLimits& limits);

// The part beside the expected life: "コイル", "フックねじり" or "フック曲げ".
std::string lifeGoverningText(const DesignResult& result);

// The lines of the status list for an evaluation: the check lines (the six rules or
// "Calculation Success!") and then the warnings of the hooks, the initial tension and the
// tolerance conditions. With any warning, a first line says how many there are, so that
// "Calculation Success!" never stands alone above them. `warningsFrom` is the index of the first
// warning line (lines.size() when there are none): they are drawn in the warning colour.
struct VerdictLines {
    std::vector<std::string> lines;
    StatusColour checkColour = StatusColour::WindowText;
    std::size_t warningsFrom = 0;
};
VerdictLines verdictLines(const DesignResult& result);

} // namespace hspring
