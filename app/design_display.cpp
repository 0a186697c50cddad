#include "app/design_display.h"

#include "base/number_format.h"
#include "calc/life.h"

namespace hspring {

std::optional<CoilDiameterDisplay> coilDiameterDisplay(const SpringDesign& design) {
    switch (design.diameterKind) {
    case kInnerDiameter:
        return CoilDiameterDisplay{"内径", formatF15(design.innerDiameter)};
    case kMeanDiameter:
        return CoilDiameterDisplay{"平均径", formatF15(design.meanDiameter)};
    case kOuterDiameter:
        return CoilDiameterDisplay{"外径", formatF15(design.outerDiameter)};
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

DesignFieldTexts designFieldTexts(const SpringDesign& design) {
    return DesignFieldTexts{
        .turns = formatF15(design.totalTurns),
        .initialTension = formatF4(design.initialTension),
        .freeLength = formatF4(design.freeLength),
        .length1 = formatF4(design.length1),
        .length2 = formatF4(design.length2),
        .load1 = formatF4(design.load1),
        .load2 = formatF4(design.load2),
        .springRate = formatF4(design.springRate),
        .stress2 = formatF4(design.stress2),
        .life = std::string(lifeText(design.lifeClass)),
        .allowableStress = formatF4(design.allowableStress),
        .hookAngle = formatF4(design.hookAngle),
        .hookLength = formatF4(design.hookLength),
        .hookOpening = formatF4(design.hookOpening),
        .hookMinRadius = formatF4(design.hookMinRadius),
    };
}

std::optional<std::string> unlistedMaterialNote(const SpringDesign& design,
                                                const KindIndex& index) {
    if (findMaterialInIndex(index, design.materialIndex))
        return std::nullopt;
    return "材料番号 " + std::to_string(design.materialIndex) + " は材料リストにありません";
}

} // namespace hspring
