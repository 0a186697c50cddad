#include "app/design_inputs.h"

#include "base/error.h"
#include "base/number_format.h"
#include "base/text_to_number.h"
#include "calc/checked_float.h"
#include "calc/spring_design.h"

namespace hspring {

std::string springIndexLabel(double meanDiameter, double wireDiameter) {
    return "バネ指数=" + formatF4((CheckedFloat(meanDiameter) / wireDiameter).shown());
}

void readDesignInputs(SpringDesign& design, const MaterialLibrary& library, const KindIndex& index,
                      const DesignInputTexts& texts, const SpringIndexLabelSink& showSpringIndex) {
    const int material = lookupMaterial(index, texts.kind, texts.grade);
    if (material < 0)
        throw conversionError(texts.wireDiameter);
    design.materialIndex = material;
    design.diameterIndex = texts.diameterPosition;
    if (const auto tableDiameter = wireDiameterAt(library[material], texts.diameterPosition))
        design.wireDiameter = *tableDiameter;

    setCoilDiameters(design, textToDouble(texts.coilDiameter), design.wireDiameter);
    design.wireDiameter = textToDouble(texts.wireDiameter);
    if (design.meanDiameter != 0)
        showSpringIndex(springIndexLabel(design.meanDiameter, design.wireDiameter));

    setTurns(design, textToDouble(texts.turns));
    design.initialTension = textToDouble(texts.initialTension);
    design.freeLength = textToDouble(texts.freeLength);
    design.length1 = textToDouble(texts.length1);
    design.length2 = textToDouble(texts.length2);
    design.load1 = textToDouble(texts.load1);
    design.load2 = textToDouble(texts.load2);
    design.lowTempAnnealed = texts.lowTempAnnealed ? 1 : 0;
    design.autoInitialTension = texts.autoInitialTension ? 1 : 0;
    design.hookAngle = textToDouble(texts.hookAngle);
    design.hookLength = textToDouble(texts.hookLength);
    design.hookOpening = textToDouble(texts.hookOpening);
    design.hookMinRadius = textToDouble(texts.hookMinRadius);
}

} // namespace hspring
