// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/verdict_text.h"

#include "app/detail_page_text.h"
#include "base/number_format.h"
#include "calc/checks.h"

namespace hspring {

RecommendedLimitLabels recommendedLimitLabels(const RecommendedLimits& limits) {
    const bool hook = limits.governingPart != GoverningPart::Coil;
    // The label is as wide as its group allows: the part is named in full in its tool tip.
    const std::string mark = hook ? "(フック)" : "";
    RecommendedLimitLabels labels;
    labels.maxLength = "最大長さ=" + formatF4(limits.maxLength) + "mm" + mark;
    labels.maxLoad = "最大荷重=" + formatF4(limits.maxLoad) + "kgf" + mark;
    labels.toolTip = std::string(governingPartCaption(limits.governingPart)) +
                     "が許容応力に達する荷重と長さ";
    return labels;
}

std::string lifeGoverningText(const DesignResult& result) {
    return std::string(governingPartCaption(lifeGoverningPart(result)));
}

VerdictLines verdictLines(const DesignResult& result) {
    std::vector<std::string> warnings;
    for (const HookCheck& check : result.hookChecks)
        warnings.emplace_back(hookCheckText(check.problem));
    warnings.insert(warnings.end(), result.toleranceChecks.begin(), result.toleranceChecks.end());

    VerdictLines verdict;
    verdict.checkColour = result.checks.colour;
    if (!warnings.empty())
        verdict.lines.push_back("警告あり:" + std::to_string(warnings.size()) + "件");
    verdict.lines.insert(verdict.lines.end(), result.checks.lines.begin(),
                         result.checks.lines.end());
    verdict.warningsFrom = verdict.lines.size();
    verdict.lines.insert(verdict.lines.end(), warnings.begin(), warnings.end());
    return verdict;
}

} // namespace hspring
