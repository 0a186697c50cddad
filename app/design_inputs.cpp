// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/design_inputs.h"

#include "base/checked_float.h"
#include "base/error.h"
#include "base/number_format.h"
#include "base/text_to_number.h"
#include "calc/spring_design.h"

namespace hspring {

std::string springIndexLabel(double meanDiameter, double wireDiameter) {
    return "バネ指数=" + formatF4((CheckedFloat(meanDiameter) / wireDiameter).shown());
}

namespace {

double inputNumber(DesignInput input, const std::string& text) {
    try {
        return textToDouble(text);
    } catch (const Error& conversion) {
        throw DesignInputError(input, conversion);
    }
}

// A field the calculation fills: its number when it holds one, otherwise the design's value.
// The record is packed: its doubles are passed and returned by value, never bound to a
// reference.
double readComputed(double current, const std::string& text) {
    try {
        return textToDouble(text);
    } catch (const Error&) {
        return current;
    }
}

} // namespace

void readDesignInputs(SpringDesign& design, const MaterialLibrary& library, const KindIndex& index,
                      const DesignInputTexts& texts, const SpringIndexLabelSink& showSpringIndex) {
    const int material = lookupMaterial(index, texts.kind, texts.grade);
    if (material < 0)
        throw DesignInputError(DesignInput::WireDiameter, conversionError(texts.wireDiameter));
    design.materialIndex = material;
    design.diameterIndex = texts.diameterPosition;
    if (const auto tableDiameter = wireDiameterAt(library[material], texts.diameterPosition))
        design.wireDiameter = *tableDiameter;

    setCoilDiameters(design, inputNumber(DesignInput::CoilDiameter, texts.coilDiameter),
                     design.wireDiameter);
    design.wireDiameter = inputNumber(DesignInput::WireDiameter, texts.wireDiameter);
    if (design.meanDiameter != 0)
        showSpringIndex(springIndexLabel(design.meanDiameter, design.wireDiameter));

    setTurns(design, inputNumber(DesignInput::Turns, texts.turns));
    if (texts.autoInitialTension)
        design.initialTension = readComputed(design.initialTension, texts.initialTension);
    else
        design.initialTension = inputNumber(DesignInput::InitialTension, texts.initialTension);
    design.freeLength = inputNumber(DesignInput::FreeLength, texts.freeLength);
    if (design.lengthMode != kLoadsGiven) {
        design.length1 = inputNumber(DesignInput::Length1, texts.length1);
        design.length2 = inputNumber(DesignInput::Length2, texts.length2);
        design.load1 = readComputed(design.load1, texts.load1);
        design.load2 = readComputed(design.load2, texts.load2);
    } else {
        design.length1 = readComputed(design.length1, texts.length1);
        design.length2 = readComputed(design.length2, texts.length2);
        design.load1 = inputNumber(DesignInput::Load1, texts.load1);
        design.load2 = inputNumber(DesignInput::Load2, texts.load2);
    }
    design.lowTempAnnealed = texts.lowTempAnnealed ? 1 : 0;
    design.autoInitialTension = texts.autoInitialTension ? 1 : 0;
    design.hookAngle = inputNumber(DesignInput::HookAngle, texts.hookAngle);
    design.hookLength = inputNumber(DesignInput::HookLength, texts.hookLength);
    design.hookOpening = inputNumber(DesignInput::HookOpening, texts.hookOpening);
    design.hookMinRadius = inputNumber(DesignInput::HookMinRadius, texts.hookMinRadius);
}

} // namespace hspring
