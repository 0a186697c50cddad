// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "calc/recommendations.h"
#include "data/design_record.h"
#include "data/material_library.h"
#include "data/settings.h"
#include "search/design_search.h"

#include <array>
#include <cstdint>
#include <optional>
#include <vector>

namespace hspring {

// The requirement in the form the bounds and the judgement use it.
struct SearchTargets {
    long double length1, length2, load1, load2;
    long double tolerance; // a fraction of the target
    // Loads within the tolerance lie in these ranges.
    long double load1Low, load1High, load2Low, load2High;
    // The spring rates that can bring both loads within the tolerance.
    long double rateLow, rateHigh;
    long double loadSlack;
    // L0 may be at most this: L1, or maxFreeLength when that is less.
    long double lengthLimit;
};
SearchTargets searchTargetsOf(const DesignRequirement& requirement);

// One wire of a material's list.
struct SearchWire {
    int material;
    int diameterIndex;
    double d;
};

// One mean diameter of a wire that the pruning keeps, and the quarter turns q (N = q/4) to
// calculate with it.
struct DiameterWork {
    long long k; // D = k · diameterStep
    InitialTensionRange range;
    long double rateFactor; // C = G·d⁴/(8·D³·g): the spring rate is C/N
    long long firstQuarter;
    long long lastQuarter;
};

// What the bounds leave of one wire, and how many grid points each constraint's bound removed.
struct WireWork {
    SearchWire wire;
    std::vector<DiameterWork> diameters;
    std::array<std::uint64_t, kSearchConstraintCount> pruned{};
    std::uint64_t quarterCount = 0; // the candidates left to calculate
};

// The inputs every candidate of a wire shares: the requirement's working points, hooks and
// annealing, the material and wire, the mean diameter as the coil's given diameter.
SpringDesign wireBaseDesign(const DesignRequirement& requirement, const SearchWire& wire);

// The free length of a candidate as the window holds it: four significant digits of the drawn
// spring's length, (N + 1)·d + 2·Di with round hooks, (N + 1)·d + 2·hookLength with U hooks.
// Throws the engine's arithmetic Error.
double candidateFreeLength(const SpringDesign& design, HookType hookType);

// Bounds one wire's part of the grid: the mean diameters and, for each, the turns that can hold
// a feasible candidate (see grid_bounds.cpp for why none is lost). With `exhaustive`, every
// D up to its maxMeanDiameter and every N up to its maxTotalTurns instead.
WireWork boundWire(const SearchWire& wire, const DesignRequirement& requirement,
                   const SearchTargets& targets, const MaterialLibrary& library,
                   const CoefficientSet& coefficients,
                   const std::optional<ExhaustiveGrid>& exhaustive);

// The limits of the room at the edge of the production tolerance of the requirement's grade (JIS
// B 2704-3:2009, 6.3, which a maker may deliver to): Do + ΔDo <= maxOuterDiameter,
// Di − ΔDo >= minInnerDiameter (the coil diameter's tolerance moves the inner diameter as much as
// the outer) and L0 + ΔL0 <= maxFreeLength, each when given; at grade 0 the nominal values. A
// tolerance the tables give none for (an index outside them) fails the limit: the spring's size
// is not known.
bool outerDiameterFits(const DesignRequirement& requirement, double springIndex,
                       double outerDiameter);
bool innerDiameterFits(const DesignRequirement& requirement, double springIndex,
                       double innerDiameter, double outerDiameter);
bool freeLengthFits(const DesignRequirement& requirement, double springIndex, double freeLength);

// The double nearest the decimal k · step.
double meanDiameterAt(long long k, double step);

} // namespace hspring
