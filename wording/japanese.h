// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "calc/checks.h"
#include "calc/design_result.h"
#include "calc/extra_results.h"
#include "calc/hook_type.h"
#include "calc/life.h"
#include "calc/recommendations.h"
#include "calc/status_lines.h"
#include "calc/tolerances.h"
#include "calc/units.h"
#include "calc/wording.h"
#include "search/candidate_table.h"

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace hspring {

// The Japanese words of the windows, the prints and the JSON answer for what the core reports by
// code, each written once: the design rules and warnings, the life classes, the recommended
// values, the enumerations every window names, the picture titles and the problems.

// The lines of the design rules: the broken rules in the error colour, or "Calculation Success!"
// in the window-text colour when none is broken.
std::string_view designRuleText(DesignRule rule);
inline constexpr std::string_view kDesignPassesText = "Calculation Success!";
StatusLines designStatusLines(const std::vector<DesignRule>& broken);

// The warning line of a problem with the hooks or the initial tension.
std::string_view hookProblemText(HookProblem problem);

// The line of a breach of the conditions for specifying a load.
std::string toleranceBreachText(const ToleranceBreach& breach);

// The expected life of a class 0..8 in load cycles ("万" = 10,000); "" for any other class (a
// foreign calculation file may hold one).
inline constexpr std::array<std::string_view, kLifeClassCount> kLifeClassTexts = {
    "1000万", "100万", "10万", "6万", "4万", "3万", "2万", "1万", "1万以下"};
std::string_view lifeClassText(int lifeClass);

// The labels of the group "推奨値", and its one status line when the spring index lies outside
// the range of the recommendations. The loads in `units`.
RecommendationLabels recommendationLabels(const Recommendations& recommended,
                                          UnitSystem units = UnitSystem::Gravitational);
inline constexpr std::string_view kIndexOutOfRangeText = "エラー：バネ指数が範囲外";

// The labels of the recommended maximum length and load with the hooks (recommendedLimits):
// "最大長さ=" F4 "mm" and "最大荷重=" F4 "kgf", each marked "(フック)" when a hook's limit is the
// smallest, and the tool tip that names the part. The label is as wide as its group allows, so
// the part is named in full in the tip.
struct RecommendedLimitLabels {
    std::string maxLength;
    std::string maxLoad;
    std::string toolTip;
};
// The load in `units`.
RecommendedLimitLabels recommendedLimitLabels(const RecommendedLimits& limits,
                                              UnitSystem units = UnitSystem::Gravitational);

// The lines of the main window's status list for an evaluation: the design rules' lines (the
// broken rules, or "Calculation Success!") and after them the warnings of the hooks, the initial
// tension and the tolerance conditions. With any warning a first line says how many there are,
// so that "Calculation Success!" never stands alone above them. The warnings and that first line
// are drawn in the warning colour (from `warningsFrom` on, and line 0 when `announced`).
struct VerdictLines {
    std::vector<std::string> lines;
    StatusColour ruleColour = StatusColour::WindowText;
    std::size_t warningsFrom = 0;
    bool announced = false;
};
VerdictLines verdictLines(const DesignResult& result);

// What a document of a design with concerns (hasConcerns) carries on its page, and the window's
// question before it is made: the broken rules' lines and the warnings, without the success line
// and the count; empty for a design without concerns. The heading stands above them on a page.
std::vector<std::string> concernLines(const DesignResult& result);
inline constexpr std::string_view kConcernsHeading =
    "注意：この設計には判定の不合格または警告があります";

// The hook types as the windows name them, and as the JIS sheet does.
std::string_view hookTypeText(HookType type);
std::string_view hookTypeSheetText(HookType type);

// The part of a spring that reaches its allowable stress first.
std::string_view governingPartText(GoverningPart part);

// The production tolerance grades 0 (none) to 3.
inline constexpr std::array<std::string_view, kToleranceGradeCount + 1> kToleranceGradeTexts = {
    "なし", "1級", "2級", "3級"};

// The columns of the search's candidate table, left to right: the words and units of the main
// window and the detail page.
inline constexpr std::array<std::string_view, kCandidateColumnCount> kCandidateColumnTitles = {
    "順位",        "材料",         "線径 d mm",      "平均径 D mm",
    "外径 Do mm",  "巻数 N",       "自由長さ L0 mm", "初張力 Pi kgf",
    "荷重 P1 kgf", "荷重 P2 kgf",  "コイル使用率 %", "フック使用率 %",
    "最大偏差 %",  "最も近い限界", "寿命",           "質量 g",
};

// The titles of the pictures, the same in a window and in a file the tool writes.
inline constexpr std::string_view kFatigueDiagramTitle = "疲れ強さ線図";
inline constexpr std::string_view kLoadLengthChartTitle = "荷重－長さ線図";
inline constexpr std::string_view kSpringShapeTitle = "バネ形状";

// The warning of the material editor for a kind that would hold more grades than its list.
std::string kindLimitText(std::int32_t kind);

// All of the above behind the core's Wording, for the JSON answer and the core's page texts.
const Wording& japaneseWording();

} // namespace hspring
