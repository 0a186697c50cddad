// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "data/design_record.h"
#include "data/material_library.h"

#include <optional>
#include <string>
#include <vector>

namespace hspring {

// The nearest-diameter rule of the wire-diameter list: when the material changes, the list
// selects the first of the new material's diameters that is not smaller than the wire diameter
// in use, so a diameter the new material also lists is kept and otherwise the next larger one
// is taken. nullopt when none reaches it: the list is then left without a selection.
std::optional<int> nearestDiameterPosition(const MaterialRecord& record, double wireDiameter);

// The wire-diameter list after a change of material.
struct DiameterListRefill {
    std::vector<std::string> diameters; // F15 texts
    int selected = -1;                  // position to select; -1 selects none
};

// Refills the wire-diameter list for material `materialIndex` and updates the design:
// materialIndex becomes `listedMaterial` (the kind and grade lists' choice; kept when they choose
// none), diameterIndex the list's `previousPosition`, then the position the nearest-diameter rule
// selects, if any. Only a material the kind index lists has diameters: a recalled design whose
// material the lists do not hold gets an empty list, so nothing is calculated with a material
// the user cannot see.
DiameterListRefill refillDiameterList(SpringDesign& design, const MaterialLibrary& library,
                                      const KindIndex& index, int listedMaterial,
                                      int previousPosition, int materialIndex);

} // namespace hspring
