#pragma once

#include "data/material_library.h"

#include <optional>

namespace hspring {

// The nearest-diameter rule of the wire-diameter list: when the material changes, the list
// selects the first of the new material's diameters that is not smaller than the wire diameter
// in use, so a diameter the new material also lists is kept and otherwise the next larger one
// is taken. nullopt when none reaches it: the list is then left without a selection.
std::optional<int> nearestDiameterPosition(const MaterialRecord& record, double wireDiameter);

} // namespace hspring
