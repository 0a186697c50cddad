// SPDX-License-Identifier: GPL-3.0-or-later
// The search command's input: requirements as JSON, read and checked, each valid one searched on
// a bounded grid (one material, a coarse diameter step), and the outcome held to what the search
// promises.

#include "calc/design_refusal.h"
#include "data/default_data.h"
#include "fuzz_support.h"
#include "search/design_search.h"
#include "search/search_json.h"

#include <algorithm>
#include <cmath>
#include <memory>

using namespace hspring;

namespace {

struct Program {
    MaterialLibrary library = builtInMaterialLibrary();
    CoefficientSet coefficients = builtInSettings().coefficients;
};

// A search small enough for a fuzz run: the first material the requirement allows, and mean
// diameters at least half a millimetre apart.
DesignRequirement bounded(DesignRequirement r, const MaterialLibrary& library) {
    const std::vector<int> allowed = allowedMaterials(r, library);
    r.materials = {allowed.front()};
    r.kinds.clear();
    r.diameterStep = std::max(r.diameterStep, 0.5);
    return r;
}

void checkOutcome(const DesignRequirement& r, const SearchOutcome& outcome) {
    fuzz::require(!outcome.cancelled, "an uncancelled search is not cancelled");
    fuzz::require(outcome.candidates.size() <= static_cast<std::size_t>(r.count),
                  "at most count candidates");
    fuzz::require(outcome.feasible >= outcome.candidates.size(), "candidates are feasible ones");
    fuzz::require(outcome.explanation.has_value() == (outcome.feasible == 0),
                  "an explanation exactly when nothing is feasible");
    const double tolerance = r.loadTolerance / 100 * (1 + 1e-9);
    for (std::size_t i = 0; i < outcome.candidates.size(); ++i) {
        const SearchCandidate& c = outcome.candidates[i];
        fuzz::require(c.rank == static_cast<int>(i) + 1, "ranks count from 1");
        fuzz::require(c.worstDeviation1 <= tolerance && c.worstDeviation2 <= tolerance,
                      "every candidate meets its worst case");
        fuzz::require(c.result.design.freeLength <= r.length1, "L0 at most L1");
        fuzz::require(c.result.design.materialIndex == r.materials.front(),
                      "only the allowed material");
        fuzz::require(!refusedInput(c.result.design, r.hookType),
                      "every candidate is a spring that can be drawn");
        fuzz::require(!c.result.extras.surges, "no candidate surges at the operating frequency");
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const auto program = std::make_unique<Program>();
    const std::string_view input(reinterpret_cast<const char*>(data), size);

    const RequirementRequests requests = readRequirementsJson(input, program->library);
    // Only an array may hold no requirement at all.
    fuzz::require(!requests.requirements.empty() || requests.wasArray,
                  "every text but an empty array gives a requirement or an error");
    for (const RequirementRequest& request : requests.requirements) {
        if (request.failed())
            continue;
        fuzz::require(!checkRequirement(request.requirement, program->library),
                      "a requirement read without error passes its check");
        const DesignRequirement& asked = request.requirement;
        fuzz::require(asked.hookType != HookType::Round ||
                          (asked.hookAngle >= kLowestDrawnHookAngle &&
                           asked.hookAngle <= kHighestDrawnHookAngle),
                      "a round hook that cannot be drawn is refused");
        const DesignRequirement r = bounded(request.requirement, program->library);
        SearchControl control;
        control.threads = 1;
        fuzz::completesOrFailsWithError([&] {
            checkOutcome(r, searchDesigns(r, program->library, program->coefficients, control));
        });
    }
    return 0;
}
