// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "calc/design_result.h"
#include "calc/hook_type.h"
#include "data/material_library.h"
#include "data/settings.h"

#include <atomic>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace hspring {

// What the candidates are ranked by.
enum class SearchObjective {
    Mass,   // lightest spring (springMass) first
    Life,   // longest spring life (springLifeClass) first, then the lightest
    Margin, // largest smallest margin of stress2, hookTorsionStress2 and hookBendingStress2 to
            // their allowable stresses first
};

// The objective named "mass", "life" or "margin", as the JSON key gives it.
std::optional<SearchObjective> searchObjectiveFromName(std::string_view name);

// What a designer asks of a spring: two working points, a space, a life. Lengths in mm, loads in
// kgf.
struct DesignRequirement {
    // The working points: L1 < L2, 0 < P1 < P2.
    double length1 = 0;
    double load1 = 0;
    double length2 = 0;
    double load2 = 0;
    // How far each calculated load may lie from its target, per cent of the target.
    double loadTolerance = 10;
    // Limits of the space, when given.
    std::optional<double> maxOuterDiameter;
    std::optional<double> minInnerDiameter;
    std::optional<double> maxFreeLength;
    // The coil's and the hook's life classes must be at most this (0 = the longest life).
    std::optional<int> requiredLifeClass;
    // The materials tried: these record indices when given, else the records of these kinds when
    // given, else every record the material lists offer (those of the kind index).
    std::vector<int> materials;
    std::vector<int> kinds;
    bool lowTempAnnealed = false;
    HookType hookType = HookType::Round;
    double hookAngle = 80;    // round hook, degrees
    double hookLength = 10;   // U hook, mm
    double hookOpening = 3;   // U hook, mm
    double hookMinRadius = 3; // U hook, mm
    // The mean coil diameters tried are the whole multiples of this step, mm.
    double diameterStep = 0.1;
    SearchObjective objective = SearchObjective::Mass;
    int count = 20; // how many candidates to return
};

// Why a requirement cannot be searched: the message of the command line, which names the JSON
// key, and the window's.
struct RequirementProblem {
    std::string message;
    std::string japaneseMessage;
};

// Checks the requirement against the rules above and the library: every value finite, the
// tolerance within (0, 100), limits positive, a life class within 0..8, materials listed in the
// kind index, kinds within 0..9 and at least one material left, a diameter step within
// [0.001, 100] mm, a count within 1..1000.
std::optional<RequirementProblem> checkRequirement(const DesignRequirement& requirement,
                                                   const MaterialLibrary& library);

// One feasible design and what ranks it.
struct SearchCandidate {
    int rank = 0;        // 1 for the best
    DesignResult result; // evaluateDesign of the candidate with the requirement's hook type
    // Share of the allowable stress used, 1 = all of it: stress2 / allowableStress, and the
    // larger of hookTorsionStress2 / allowableStress and hookBendingStress2 /
    // hookBendingAllowable (the first alone when the bending allowable is missing).
    double coilStressUse = 0;
    double hookStressUse = 0;
};

struct SearchOutcome {
    std::vector<SearchCandidate> candidates; // best first; empty when nothing is feasible
    bool cancelled = false;                  // the search was stopped; no candidates then
    std::uint64_t calculated = 0;            // candidates calculated through the engine
    std::uint64_t feasible = 0;              // of them, those meeting the requirement
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
    // Called after each material and wire diameter searched, with how many of how many are done;
    // from the searching threads, one call at a time.
    std::function<void(std::size_t done, std::size_t total)> progress;
    std::optional<ExhaustiveGrid> exhaustive;
};

// Finds the best `count` designs that meet the requirement, over every allowed material record,
// every wire diameter of its list, every mean coil diameter D = k · diameterStep (k whole) and
// every number of total turns N = q / 4 (q whole) with N >= 3.
//
// Each candidate is the design the main window calculates once it holds these inputs: lengths
// given (L1, L2 of the requirement), the coil diameter given as the mean diameter, the recommended
// free length L0 = (N + 1)·d + 2·Di as the window writes it into the free-length field (four
// significant digits), and an initial tension of the window's four digits within the recommended
// range [initialTensionLow, initialTensionHigh], chosen so that the larger relative deviation of
// the two loads from their targets is smallest (autoInitialTension 0).
//
// A candidate is feasible when, with the results of the ordinary calculation: both loads lie
// within the tolerance of their targets; checkDesign gives "Calculation Success!";
// hookTorsionStress2 <= allowableStress and hookBendingStress2 <= hookBendingAllowable (a
// material without bending data has no bending allowable and sets no such limit); the limits
// given hold (Do, Di, L0); the coil's lifeClass and the hook's hookLifeClass are at most
// requiredLifeClass when it is given.
//
// The candidates come best first by the objective; ties go by material index, wire diameter, its
// list position, D and N. The list is the same whatever the number of threads. Throws an Error
// with the problem's message when checkRequirement finds one.
SearchOutcome searchDesigns(const DesignRequirement& requirement, const MaterialLibrary& library,
                            const CoefficientSet& coefficients, const SearchControl& control = {});

} // namespace hspring
