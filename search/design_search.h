// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "calc/design_result.h"
#include "calc/hook_type.h"
#include "data/material_library.h"
#include "data/settings.h"
#include "search/design_requirement.h"

#include <array>
#include <atomic>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <string_view>
#include <vector>

namespace hspring {

// What a candidate of the grid must meet, in the order the search judges it.
enum class SearchConstraint {
    OuterDiameter,  // Do <= maxOuterDiameter
    InnerDiameter,  // Di >= minInnerDiameter
    FreeLength,     // L0 <= maxFreeLength
    Loads,          // both nominal loads within the tolerance of their targets
    WorstCaseLoads, // both loads with their production tolerance within it
    InitialTension, // Pi within the recommended range
    DesignRules,    // checkDesign gives "Calculation Success!"
    CoilStress,     // the load at the top of P2's band within the coil's maxLoad
    HookTorsion,    // ... within the hook's torsion limit (hookTorsionLimitLoad)
    HookBending,    // ... within the hook's bending limit (hookBendingLimitLoad), when judged
    Life,           // the coil's and the hook's life classes at most requiredLifeClass
};
inline constexpr int kSearchConstraintCount = 11;
// The constraint's name as the JSON answer gives it ("outerDiameter", "loads", ...).
std::string_view searchConstraintName(SearchConstraint constraint);

// One feasible design and what ranks it.
struct SearchCandidate {
    int rank = 0;        // 1 for the best
    DesignResult result; // evaluateDesign of the candidate with the requirement's hook type and
                         // tolerance grade
    // Share of the limit used at the top of P2's tolerance band (P2 + its tolerance; P2 at
    // grade 0), 1 = all of it: that load over the coil's maxLoad, and the larger of it over
    // hookTorsionLimitLoad and over hookBendingLimitLoad (the first alone when the material
    // gives no bending allowable). Since each stress is the load times a factor, a share of the
    // limit load is the share of the allowable stress.
    double coilStressUse = 0;
    double hookStressUse = 0;
    // The part whose limit the stress at the top of P2's band is nearest: the largest of the
    // three shares.
    GoverningPart nearestLimit = GoverningPart::Coil;
    // Worst-case relative deviations of the loads from their targets, (|P − T| + ΔP)/T with ΔP
    // the load's production tolerance (0 at grade 0); a fraction.
    double worstDeviation1 = 0;
    double worstDeviation2 = 0;
};

// Why nothing was feasible: the candidates each constraint removed (each counted once, under the
// first constraint it breaks in the order above; those removed by the pruning bounds counted under
// the bound's constraint), and the candidate that broke the fewest constraints.
struct SearchExplanation {
    std::array<std::uint64_t, kSearchConstraintCount> rejected{};
    struct NearestMiss {
        DesignResult result;
        std::vector<SearchConstraint> broken;
    };
    std::optional<NearestMiss> nearestMiss; // none when no candidate reached the calculation
};

struct SearchOutcome {
    std::vector<SearchCandidate> candidates; // best first; empty when nothing is feasible
    bool cancelled = false;                  // the search was stopped; no candidates then
    std::uint64_t calculated = 0;            // candidates calculated through the engine
    std::uint64_t feasible = 0;              // of them, those meeting the requirement
    // When nothing is feasible (and the search ran to its end): why.
    std::optional<SearchExplanation> explanation;
};

// Calculates every candidate up to these bounds instead of pruning the grid: for the tests that
// check the pruning against it on a small grid.
struct ExhaustiveGrid {
    double maxMeanDiameter = 0; // mm
    double maxTotalTurns = 0;
};

// How a search runs.
struct SearchControl {
    int threads = 0; // 0: every core
    // Checked often; when it becomes true the search stops soon and returns cancelled.
    const std::atomic<bool>* cancel = nullptr;
    // Called as the work goes on with the candidates calculated so far and the number the pruned
    // grid may calculate at most (a bound that grows as the wires are bounded); from the
    // searching threads, one call at a time.
    std::function<void(std::uint64_t done, std::uint64_t total)> progress;
    std::optional<ExhaustiveGrid> exhaustive;
};

// Finds the best `count` designs that meet the requirement, over every allowed material record,
// every wire diameter of its list, every mean coil diameter D = k · diameterStep (k whole) with
// 4 <= D/d <= 22 and every number of total turns N = q / 4 (q whole) with N >= 3.
//
// Each candidate is the design the main window calculates once it holds these inputs: lengths
// given (L1, L2 of the requirement), the coil diameter given as the mean diameter, the free
// length as the window holds it (four significant digits) of the spring drawn with the hooks:
// round hooks L0 = (N + 1)·d + 2·Di, U hooks L0 = (N + 1)·d + 2·hookLength, which must be at
// most L1; and an initial tension of the window's four digits within the recommended range
// (autoInitialTension 0): the one that centres the loads, making the larger worst-case relative
// deviation (|P − T| + ΔP)/T of the two loads smallest (ΔP the production tolerance of the grade,
// 0 at grade 0).
//
// A candidate is feasible when every SearchConstraint holds. The candidates come best first by
// the objective; ties go by material index, wire diameter, its list position, D and N. The list
// is the same whatever the number of threads. Throws an Error when checkRequirement finds a
// problem.
SearchOutcome searchDesigns(const DesignRequirement& requirement, const MaterialLibrary& library,
                            const CoefficientSet& coefficients, const SearchControl& control = {});

} // namespace hspring
