// SPDX-License-Identifier: GPL-3.0-or-later
#include "wording/japanese.h"

#include "base/number_format.h"
#include "data/material_library.h"

namespace hspring {

std::string_view designRuleText(DesignRule rule) {
    switch (rule) {
    case DesignRule::IndexAtLeastFour:
        return "エラー：バネ指数が４以下";
    case DesignRule::IndexBelowTwentyTwo:
        return "エラー：バネ指数が２２以上";
    case DesignRule::L2NotBelowSolidLength:
        return "エラー：L2が密着高さより短い";
    case DesignRule::LengthsInOrder:
        return "エラー:バネ高さの順番が不適";
    case DesignRule::StressWithinAllowable:
        return "エラー:ねじり応力オーバー";
    case DesignRule::AtLeastThreeTurns:
        break;
    }
    return "エラー:有効巻き数が３以下です";
}

StatusLines designStatusLines(const std::vector<DesignRule>& broken) {
    if (broken.empty())
        return StatusLines{{std::string(kDesignPassesText)}, StatusColour::WindowText};
    StatusLines status;
    for (const DesignRule rule : broken)
        status.lines.emplace_back(designRuleText(rule));
    return status;
}

std::string_view hookProblemText(HookProblem problem) {
    switch (problem) {
    case HookProblem::TorsionOverAllowable:
        return "警告:フックのねじり応力オーバー";
    case HookProblem::BendingOverAllowable:
        return "警告:フックの曲げ応力オーバー";
    case HookProblem::BendRadiusTooSmall:
        return "警告:Uフックの最小Rが線径の1.5倍より小さい";
    case HookProblem::InitialTensionNegative:
        return "警告:初張力が負";
    case HookProblem::InitialTensionOutsideRange:
        return "警告:初張力が推奨範囲外";
    case HookProblem::HookAngleOutsideRange:
        return "警告:フック角度が60～90°の範囲外";
    case HookProblem::UHookCannotBeFormed:
        return "警告:Uフックの寸法が成形できない";
    case HookProblem::NaturalFrequencyBelowSurgeRatio:
        break;
    }
    return "警告:固有振動数が使用振動数の15倍未満（サージング）";
}

std::string toleranceBreachText(const ToleranceBreach& breach) {
    const std::string point = breach.workingPoint == 1 ? "Ｌ１" : "Ｌ２";
    switch (breach.condition) {
    case ToleranceCondition::DeflectionBelowShare:
        return "警告: " + point + "のたわみが最大試験荷重時のたわみの20%未満です";
    case ToleranceCondition::DeflectionAboveShare:
        return "警告: " + point + "のたわみが最大試験荷重時のたわみの80%を超えています";
    case ToleranceCondition::DeflectionBelowMinimum:
        return "警告: " + point + "のたわみが4mm未満です";
    }
    return {};
}

std::string_view lifeClassText(int lifeClass) {
    if (lifeClass < 0 || lifeClass >= kLifeClassCount)
        return {};
    return kLifeClassTexts[static_cast<std::size_t>(lifeClass)];
}

RecommendationLabels recommendationLabels(const Recommendations& recommended, UnitSystem units) {
    const InitialTensionRange& range = recommended.initialTension;
    const auto load = [units](double kgf) { return formatF4(shownValue(kgf, units)); };
    const std::string unit(unitText(ForceQuantity::Load, units));
    return RecommendationLabels{
        .freeLength = "自由長さ=" + formatF4(recommended.freeLength) + "mm",
        .maxLength = "最大長さ=" + formatF4(recommended.maxLength) + "mm",
        .maxLoad = "最大荷重=" + load(recommended.maxLoad) + unit,
        .initialTension = "初張力(" + load(range.low) + "～" + load(range.high) + ")" + unit,
    };
}

RecommendedLimitLabels recommendedLimitLabels(const RecommendedLimits& limits, UnitSystem units) {
    const std::string mark = limits.governingPart != GoverningPart::Coil ? "(フック)" : "";
    return RecommendedLimitLabels{
        .maxLength = "最大長さ=" + formatF4(limits.maxLength) + "mm" + mark,
        .maxLoad = "最大荷重=" + formatF4(shownValue(limits.maxLoad, units)) +
                   std::string(unitText(ForceQuantity::Load, units)) + mark,
        .toolTip =
            std::string(governingPartText(limits.governingPart)) + "が許容応力に達する荷重と長さ",
    };
}

VerdictLines verdictLines(const DesignResult& result) {
    std::vector<std::string> warnings;
    for (const HookCheck& check : result.hookChecks)
        warnings.emplace_back(hookProblemText(check.problem));
    for (const ToleranceBreach& breach : result.toleranceChecks)
        warnings.push_back(toleranceBreachText(breach));

    VerdictLines verdict;
    const StatusLines rules = designStatusLines(result.checks);
    verdict.ruleColour = rules.colour;
    verdict.announced = !warnings.empty();
    if (verdict.announced)
        verdict.lines.push_back("警告あり:" + std::to_string(warnings.size()) + "件");
    verdict.lines.insert(verdict.lines.end(), rules.lines.begin(), rules.lines.end());
    verdict.warningsFrom = verdict.lines.size();
    verdict.lines.insert(verdict.lines.end(), warnings.begin(), warnings.end());
    return verdict;
}

std::vector<std::string> concernLines(const DesignResult& result) {
    std::vector<std::string> lines;
    for (const DesignRule rule : result.checks)
        lines.emplace_back(designRuleText(rule));
    for (const HookCheck& check : result.hookChecks)
        lines.emplace_back(hookProblemText(check.problem));
    for (const ToleranceBreach& breach : result.toleranceChecks)
        lines.push_back(toleranceBreachText(breach));
    return lines;
}

std::string_view hookTypeText(HookType type) {
    return type == HookType::U ? "Ｕフック" : "丸フック";
}

std::string_view hookTypeSheetText(HookType type) {
    return type == HookType::U ? "Uフック" : "丸フック";
}

std::string_view governingPartText(GoverningPart part) {
    switch (part) {
    case GoverningPart::Coil:
        return "コイル";
    case GoverningPart::HookTorsion:
        return "フックねじり";
    case GoverningPart::HookBending:
        break;
    }
    return "フック曲げ";
}

namespace {

// A number of one digit in full width, as the editor's messages write it.
std::string fullWidthDigit(int digit) {
    // U+FF10 + digit in UTF-8: EF BC 90..99.
    return {'\xEF', '\xBC', static_cast<char>(0x90 + digit)};
}

} // namespace

std::string kindLimitText(std::int32_t kind) {
    static_assert(kMaxGradesPerKind >= 0 && kMaxGradesPerKind <= 9);
    return "種類番号＝ " + std::to_string(kind) + " は" + fullWidthDigit(kMaxGradesPerKind) +
           "以上登録できません！";
}

namespace {

class JapaneseWording final : public Wording {
public:
    std::string_view designRule(DesignRule rule) const override { return designRuleText(rule); }
    std::string_view designPasses() const override { return kDesignPassesText; }
    std::string_view hookProblem(HookProblem problem) const override {
        return hookProblemText(problem);
    }
    std::string toleranceBreach(const ToleranceBreach& breach) const override {
        return toleranceBreachText(breach);
    }
    std::string_view lifeClass(int lifeClass) const override { return lifeClassText(lifeClass); }
    RecommendationLabels recommendations(const Recommendations& recommended) const override {
        return recommendationLabels(recommended);
    }
    std::string_view indexOutOfRange() const override { return kIndexOutOfRangeText; }
    std::string_view hookType(HookType type) const override { return hookTypeText(type); }
    std::string_view hookTypeOnSheet(HookType type) const override {
        return hookTypeSheetText(type);
    }
    std::string_view toleranceGrade(int grade) const override {
        return isToleranceGrade(grade) ? kToleranceGradeTexts[static_cast<std::size_t>(grade)]
                                       : std::string_view();
    }
    std::string_view governingPart(GoverningPart part) const override {
        return governingPartText(part);
    }
    std::string_view designBasis(DesignBasis basis) const override {
        return basis == DesignBasis::Handbook ? "ハンドブック" : "JIS";
    }
};

} // namespace

const Wording& japaneseWording() {
    static const JapaneseWording wording;
    return wording;
}

} // namespace hspring
