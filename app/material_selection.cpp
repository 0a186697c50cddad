#include "app/material_selection.h"

namespace hspring {

std::optional<int> nearestDiameterPosition(const MaterialRecord& record, double wireDiameter) {
    for (int j = 0; j < usedDiameterCount(record); ++j)
        if (record.diameters[j] >= wireDiameter)
            return j;
    return std::nullopt;
}

} // namespace hspring
