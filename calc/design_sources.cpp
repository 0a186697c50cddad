// SPDX-License-Identifier: GPL-3.0-or-later
#include "calc/design_sources.h"

#include "base/error.h"
#include "calc/design_json.h"
#include "calc/design_result.h"
#include "data/calculation_file.h"

#include <cstdint>
#include <filesystem>
#include <memory>

namespace hspring {

SpringDesign designFromCalculationFile(const std::string& path, int slot) {
    if (slot < 0 || slot >= kSlotCount)
        throw Error(Problem::NoSuchSlot, std::to_string(slot), std::to_string(kSlotCount - 1));
    const auto slots = std::make_unique<DesignSlots>();
    loadDesignSlots(path, *slots);
    // A slot the file does not reach is not in it (an empty file, a pipe that gave nothing): a
    // document of the zeroed slot would pass for the design.
    std::error_code unknownSize;
    const auto size = std::filesystem::file_size(path, unknownSize);
    const SpringDesign& design = (*slots)[slot];
    if ((!unknownSize && size < (static_cast<std::uintmax_t>(slot) + 1) * sizeof(SpringDesign)) ||
        (slot >= kFirstHistorySlot && design.inUse != 1))
        throw Error(Problem::EmptySlot, std::to_string(slot));
    return design;
}

DesignRequest singleDesignFromJson(std::string_view text, const MaterialLibrary& library) {
    DesignRequests requests = readDesignsJson(text, library);
    if (requests.designs.size() != 1)
        throw Error(Problem::NotOneDesign, std::to_string(requests.designs.size()));
    DesignRequest& request = requests.designs.front();
    if (request.error)
        throw *request.error;
    return std::move(request);
}

SpringDesign calculatedDesignFromJson(std::string_view text, const MaterialLibrary& library,
                                      const CoefficientSet& coefficients) {
    return evaluateDesign(singleDesignFromJson(text, library).design, library, coefficients).design;
}

} // namespace hspring
