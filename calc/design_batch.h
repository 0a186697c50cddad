// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "data/material_library.h"
#include "data/settings.h"

#include <functional>
#include <string_view>

namespace hspring {

class DesignKeySelection;
class Wording;

// Receives the answer in pieces, in order.
using TextSink = std::function<void(std::string_view)>;

// Calculates every design of a JSON text (one design object or an array of them, see
// readDesignsJson) and writes the answer: for each design its result object (see
// appendDesignResultJson) or, in its place, {"error": message}. An array is answered with an
// array, one design per line. Returns how many designs failed.
//
// The designs are calculated on up to `threads` threads (0: every core) while the text is read;
// the answer is the same whatever the number. `write` receives the pieces in order, one call at a
// time, but not necessarily on the calling thread.
// With `keys`, each result object holds only the chosen keys. The answers' lines and texts are in
// `words`.
int calculateDesignsJson(std::string_view input, const MaterialLibrary& library,
                         const CoefficientSet& coefficients, const Wording& words,
                         const TextSink& write, int threads = 0,
                         const DesignKeySelection* keys = nullptr);

} // namespace hspring
