// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/design_inputs.h"

#include "base/checked_float.h"
#include "base/number_format.h"
#include "calc/spring_design.h"

namespace hspring {

std::string springIndexLabel(double meanDiameter, double wireDiameter) {
    return "バネ指数=" + formatF4((CheckedFloat(meanDiameter) / wireDiameter).shown());
}

void readDesignInputs(SpringDesign& design, const MaterialLibrary& library, const KindIndex& index,
                      const DesignInputChoices& choices, DesignInputFields& fields,
                      const SpringIndexLabelSink& showSpringIndex) {
    const int material = lookupMaterial(index, choices.kind, choices.grade);
    if (material < 0)
        fields.refuseWireDiameter();
    design.materialIndex = material;
    design.diameterIndex = choices.diameterPosition;
    if (const auto tableDiameter = wireDiameterAt(library[material], choices.diameterPosition))
        design.wireDiameter = *tableDiameter;

    setCoilDiameters(design, fields.number(DesignInput::CoilDiameter), design.wireDiameter);
    design.wireDiameter = fields.number(DesignInput::WireDiameter);
    if (design.meanDiameter != 0)
        showSpringIndex(springIndexLabel(design.meanDiameter, design.wireDiameter));

    // A field the calculation fills: its number when it holds one, otherwise the design's value.
    // The record is packed: its doubles are passed and returned by value, never bound to a
    // reference.
    const auto computed = [&fields](DesignInput input, double current) {
        return fields.shownNumber(input).value_or(current);
    };
    setTurns(design, fields.number(DesignInput::Turns));
    if (choices.autoInitialTension)
        design.initialTension = computed(DesignInput::InitialTension, design.initialTension);
    else
        design.initialTension = fields.number(DesignInput::InitialTension);
    design.freeLength = fields.number(DesignInput::FreeLength);
    if (design.lengthMode != kLoadsGiven) {
        design.length1 = fields.number(DesignInput::Length1);
        design.length2 = fields.number(DesignInput::Length2);
        design.load1 = computed(DesignInput::Load1, design.load1);
        design.load2 = computed(DesignInput::Load2, design.load2);
    } else {
        design.length1 = computed(DesignInput::Length1, design.length1);
        design.length2 = computed(DesignInput::Length2, design.length2);
        design.load1 = fields.number(DesignInput::Load1);
        design.load2 = fields.number(DesignInput::Load2);
    }
    design.lowTempAnnealed = choices.lowTempAnnealed ? 1 : 0;
    design.autoInitialTension = choices.autoInitialTension ? 1 : 0;
    design.hookAngle = fields.number(DesignInput::HookAngle);
    design.hookLength = fields.number(DesignInput::HookLength);
    design.hookOpening = fields.number(DesignInput::HookOpening);
    design.hookMinRadius = fields.number(DesignInput::HookMinRadius);
}

} // namespace hspring
