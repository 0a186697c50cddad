// SPDX-License-Identifier: GPL-3.0-or-later
#include "calc/design_sources.h"

#include "base/error.h"
#include "calc/design_json.h"
#include "calc/design_result.h"
#include "data/calculation_file.h"

#include <memory>

namespace hspring {

SpringDesign designFromCalculationFile(const std::string& path, int slot) {
    if (slot < 0 || slot >= kSlotCount)
        throw Error(Problem::NoSuchSlot, std::to_string(slot), std::to_string(kSlotCount - 1));
    // Slots the file does not reach stay empty.
    const auto slots = std::make_unique<DesignSlots>();
    loadDesignSlots(path, *slots);
    const SpringDesign& design = (*slots)[slot];
    if (slot >= kFirstHistorySlot && design.inUse != 1)
        throw Error(Problem::EmptySlot, std::to_string(slot));
    return design;
}

DesignRequest singleDesignFromJson(std::string_view text, const MaterialLibrary& library) {
    DesignRequests requests = readDesignsJson(text, library);
    if (requests.designs.size() != 1)
        throw Error(Problem::NotOneDesign, std::to_string(requests.designs.size()));
    DesignRequest& request = requests.designs.front();
    if (!request.error.empty())
        throw Error(Problem::BadData, {}, request.error);
    return std::move(request);
}

SpringDesign calculatedDesignFromJson(std::string_view text, const MaterialLibrary& library,
                                      const CoefficientSet& coefficients) {
    return evaluateDesign(singleDesignFromJson(text, library).design, library, coefficients).design;
}

} // namespace hspring
