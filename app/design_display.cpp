// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/design_display.h"

#include "base/number_format.h"
#include "calc/extra_results.h"
#include "calc/life.h"
#include "calc/wording.h"

namespace hspring {

namespace {

constexpr double kLowestDrawnHookAngle = 0;
constexpr double kHighestDrawnHookAngle = 180;

} // namespace

std::optional<std::string> undrawableHookNote(const SpringDesign& design, HookType hookType) {
    if (hookType == HookType::Round) {
        if (design.hookAngle >= kLowestDrawnHookAngle && design.hookAngle <= kHighestDrawnHookAngle)
            return std::nullopt;
        return "フック角度が0～180°の範囲外のため形状を描けません";
    }
    if (uHookFitsTogether(design))
        return std::nullopt;
    return "Uフックの寸法が合わないため形状を描けません";
}

namespace {

// What an input field shows of a value; see designFieldTexts.
std::string inputText(double value, int significantDigits, bool computed) {
    if (auto text = inputFieldText(value, significantDigits))
        return std::move(*text);
    return computed ? std::string(kMissingValueText) : std::string();
}

std::string userInputText(double value, int significantDigits = 4) {
    return inputText(value, significantDigits, false);
}

} // namespace

std::optional<CoilDiameterDisplay> coilDiameterDisplay(const SpringDesign& design) {
    switch (design.diameterKind) {
    case kInnerDiameter:
        return CoilDiameterDisplay{"内径", userInputText(design.innerDiameter, 15)};
    case kMeanDiameter:
        return CoilDiameterDisplay{"平均径", userInputText(design.meanDiameter, 15)};
    case kOuterDiameter:
        return CoilDiameterDisplay{"外径", userInputText(design.outerDiameter, 15)};
    default:
        return std::nullopt;
    }
}

std::optional<CoilDiameterDisplay> cycleDiameterKind(SpringDesign& design) {
    switch (design.diameterKind) {
    case kInnerDiameter:
        design.diameterKind = kMeanDiameter;
        break;
    case kMeanDiameter:
        design.diameterKind = kOuterDiameter;
        break;
    case kOuterDiameter:
        design.diameterKind = kInnerDiameter;
        break;
    default:
        return std::nullopt;
    }
    return coilDiameterDisplay(design);
}

DesignFieldTexts designFieldTexts(const SpringDesign& design, const Wording& words,
                                  UnitSystem units) {
    const bool loadsComputed = design.lengthMode != kLoadsGiven;
    const auto force = [units](double stored) { return shownValue(stored, units); };
    return DesignFieldTexts{
        .turns = userInputText(design.totalTurns, 15),
        .initialTension =
            inputText(force(design.initialTension), 4, design.autoInitialTension == 1),
        .freeLength = userInputText(design.freeLength),
        .length1 = inputText(design.length1, 4, !loadsComputed),
        .length2 = inputText(design.length2, 4, !loadsComputed),
        .load1 = inputText(force(design.load1), 4, loadsComputed),
        .load2 = inputText(force(design.load2), 4, loadsComputed),
        .springRate = formatF4(force(design.springRate)),
        .stress2 = formatF4(force(design.stress2)),
        .life = std::string(words.lifeClass(design.lifeClass)),
        .allowableStress = formatF4(force(design.allowableStress)),
        .hookAngle = userInputText(design.hookAngle),
        .hookLength = userInputText(design.hookLength),
        .hookOpening = userInputText(design.hookOpening),
        .hookMinRadius = userInputText(design.hookMinRadius),
    };
}

std::optional<std::string> unlistedMaterialNote(const SpringDesign& design,
                                                const KindIndex& index) {
    if (findMaterialInIndex(index, design.materialIndex))
        return std::nullopt;
    return "材料番号 " + std::to_string(design.materialIndex) + " は材料リストにありません";
}

} // namespace hspring
