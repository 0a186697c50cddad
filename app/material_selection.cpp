// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/material_selection.h"

namespace hspring {

std::optional<int> nearestDiameterPosition(const MaterialRecord& record, double wireDiameter) {
    for (int j = 0; j < usedDiameterCount(record); ++j)
        if (record.diameters[j] >= wireDiameter)
            return j;
    return std::nullopt;
}

DiameterListRefill refillDiameterList(SpringDesign& design, const MaterialLibrary& library,
                                      const KindIndex& index, int listedMaterial,
                                      int previousPosition, int materialIndex) {
    const double wireDiameterInUse = design.wireDiameter;
    if (listedMaterial >= 0)
        design.materialIndex = listedMaterial;
    design.diameterIndex = previousPosition;

    DiameterListRefill refill;
    if (!findMaterialInIndex(index, materialIndex))
        return refill;
    const MaterialRecord& record = library[materialIndex];
    refill.diameters = diameterList(record);
    if (const auto position = nearestDiameterPosition(record, wireDiameterInUse)) {
        refill.selected = *position;
        design.diameterIndex = *position;
    }
    return refill;
}

} // namespace hspring
