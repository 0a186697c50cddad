#pragma once

#include "data/material_library.h"
#include "data/settings.h"

#include <functional>
#include <string_view>

namespace hspring {

// Receives the answer in pieces, in order.
using TextSink = std::function<void(std::string_view)>;

// Calculates every design of a JSON text (one design object or an array of them, see
// readDesignsJson) and writes the answer: for each design its result object (see
// appendDesignResultJson) or, in its place, {"error": message}. An array is answered with an
// array, one design per line. Returns how many designs failed.
int calculateDesignsJson(std::string_view input, const MaterialLibrary& library,
                         const CoefficientSet& coefficients, const TextSink& write);

} // namespace hspring
