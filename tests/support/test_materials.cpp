// SPDX-License-Identifier: GPL-3.0-or-later
#include "tests/support/test_materials.h"

#include "calc/spring_design.h"

namespace hspring::test {

MaterialRecord makeMaterial(int kind, double shearModulus, int torsionPercent,
                            std::initializer_list<DiameterRow> rows) {
    MaterialRecord record{};
    record.kind = kind;
    record.shearModulus = shearModulus;
    record.torsionPercent = torsionPercent;
    int j = 0;
    for (const DiameterRow& row : rows) {
        record.diameters[j] = row.diameter;
        record.tensileStrength[j] = row.tensileStrength;
        record.allowableTorsion[j] = row.allowableTorsion;
        ++j;
    }
    record.diameterCount = j;
    return record;
}

MaterialLibrary referenceLibrary() {
    MaterialLibrary library{};
    for (MaterialRecord& record : library)
        record.kind = kUnusedKind;
    const auto wire = [](int kind) {
        return makeMaterial(kind, 78500, 45,
                            {{0.8, 2300, 900},
                             {1.0, 2200, 880},
                             {1.2, 2150, 860},
                             {2.0, 2000, 800},
                             {3.0, 1900, 760}});
    };
    library[0] = wire(kPianoWireKind);
    library[1] = wire(kStainlessKind);
    library[2] = wire(kHardDrawnSteelKind);
    library[3] = wire(5);
    return library;
}

CoefficientSet referenceCoefficients() {
    return CoefficientSet{
        .compressionToMaterialRatio = 80,
        .extensionToCompressionRatio = 80,
        .hookStressFactor = 1.25,
        .stainlessReduction = 15,
        .annealedPianoReduction = 25,
        .annealedHardSteelReduction = 25,
        .annealedStainlessReduction = 20,
    };
}

SpringDesign referenceDesign() {
    SpringDesign design{};
    resetDesignDefaults(design);
    design.materialIndex = 0;
    design.diameterIndex = 1;
    design.wireDiameter = 1.0;
    design.diameterKind = kMeanDiameter;
    setCoilDiameters(design, 10.0, 1.0);
    setTurns(design, 20.0);
    design.freeLength = 39;
    design.length1 = 45;
    design.length2 = 55;
    design.lengthMode = kLengthsGiven;
    design.autoInitialTension = 1;
    design.lowTempAnnealed = 0;
    return design;
}

} // namespace hspring::test
