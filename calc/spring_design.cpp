// SPDX-License-Identifier: GPL-3.0-or-later
#include "calc/spring_design.h"

#include "base/checked_float.h"
#include "base/error.h"

#include <algorithm>
#include <string>

namespace hspring {

void resetDesignDefaults(SpringDesign& design) {
    design.inUse = 1;
    design.materialIndex = 0;
    design.diameterIndex = 22;
    design.wireDiameter = 1.0;
    design.innerDiameter = 9.8;
    design.meanDiameter = 10.0;
    design.outerDiameter = 10.2;
    design.diameterKind = kMeanDiameter;
    design.totalTurns = 20.0;
    design.activeTurns = 18.0;
    design.reserved64 = 0;
    design.hookedFreeLength = 9.6;
    design.springIndex = 0;
    design.initialTension = 0;
    design.autoInitialTension = 1;
    design.lowTempAnnealed = 0;
    design.wahlFactor = 0;
    design.freeLength = 39.0;
    design.maxLength = 0;
    design.lengthMode = kLengthsGiven;
    design.load1 = 0;
    design.load2 = 0;
    design.length1 = 45.0;
    design.length2 = 55.0;
    design.springRate = 0;
    design.stress1 = 0;
    design.stress2 = 0;
    design.allowableStress = 0;
    design.lifeClass = 0;
    std::fill_n(design.reserved200, 16, std::uint8_t{0});
    design.hookAngle = 80.0;
    design.hookLength = 10.0;
    design.hookOpening = 3.0;
    design.hookMinRadius = 3.0;
}

void copyDesignSlot(DesignSlots& slots, int from, int to) {
    for (const int slot : {from, to})
        if (slot < 0 || slot >= kSlotCount)
            throw Error(Problem::NoSuchSlot, std::to_string(slot), std::to_string(kSlotCount - 1));
    slots[to] = slots[from];
}

void setCoilDiameters(SpringDesign& design, double fieldValue, double wireDiameter) {
    using F = CheckedFloat;
    const double d = wireDiameter;
    switch (design.diameterKind) {
    case kInnerDiameter:
        design.innerDiameter = fieldValue;
        design.meanDiameter = (F(design.innerDiameter) + d).stored();
        design.outerDiameter = (F(2) * d + design.innerDiameter).stored();
        break;
    case kMeanDiameter:
        design.meanDiameter = fieldValue;
        design.innerDiameter = (F(design.meanDiameter) - d).stored();
        design.outerDiameter = (F(design.meanDiameter) + d).stored();
        break;
    case kOuterDiameter:
        design.outerDiameter = fieldValue;
        design.innerDiameter = (F(design.outerDiameter) - F(2) * d).stored();
        design.meanDiameter = (F(design.outerDiameter) - d).stored();
        break;
    default:
        break;
    }
}

void setTurns(SpringDesign& design, double turns) {
    design.totalTurns = turns;
    // Fewer than three turns are counted as 2.99 so the spring rate never divides by zero turns.
    design.activeTurns = turns >= 3.0 ? turns : 2.99;
}

} // namespace hspring
