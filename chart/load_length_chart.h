// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "calc/design_result.h"
#include "calc/units.h"

#include <optional>
#include <vector>

namespace hspring {

// A point of the load–length chart in its scene units: length in mm, load in kgf.
struct ChartPoint {
    double length = 0;
    double load = 0;
};

// A working point with the production tolerance of its load (0 when the grade gives none).
struct ChartWorkingPoint {
    ChartPoint point;
    double tolerance = 0; // ± kgf
};

// What a requirement asks at one working length: the load's window.
struct ChartLoadWindow {
    double length = 0;
    double lowLoad = 0;
    double highLoad = 0;
};

// A horizontal line at a maximum load.
struct ChartLimit {
    enum class Kind { Coil, Hooks } kind;
    double load = 0; // kgf
};

// The load–length chart of a calculated design, in scene units: the design's line from the free
// length (at the initial tension) to the longest length it may reach, the band of its production
// tolerance along it, the two working points with their tolerance bars, the maximum loads of the
// coil and of the hooks, and a requirement's windows when it comes from a search. Lengths run
// along x, loads along y; `lengthRange` and `loadRange` hold every element with a margin, the
// loads from 0, the lengths from a round value just below the free length.
struct LoadLengthChart {
    ChartPoint lineStart; // (L0, Pi)
    ChartPoint lineEnd;   // (longest length, its load)
    // The band: the load ± its tolerance at the two ends of the line (empty without a grade).
    std::optional<std::pair<ChartPoint, ChartPoint>> bandUpper;
    std::optional<std::pair<ChartPoint, ChartPoint>> bandLower;
    ChartWorkingPoint working[2];
    std::vector<ChartLimit> limits;       // the missing ones left out
    std::vector<ChartLoadWindow> windows; // a requirement's, when given
    double lengthRange[2] = {0, 0};       // mm, low and high
    double loadRange[2] = {0, 0};         // kgf, low and high
    // The units of every load above: gravitational as the chart is made, SI after inUnits.
    UnitSystem units = UnitSystem::Gravitational;
};

// The same chart with every load (and load tolerance) in `units`, the lengths as they are.
LoadLengthChart inUnits(LoadLengthChart chart, UnitSystem units);

// The largest load the hooks carry within their allowables: the smaller of the extra results'
// hookTorsionLimitLoad and hookBendingLimitLoad, the one that is present when the other is
// missing (a material without bending data); missing when both are.
double hookLimitLoad(const DesignResult& result);

// The longest length the chart draws to: maxLengthWithHooks, where the coil or a hook reaches
// its allowable; the recommended maximum length when that is missing.
double chartLongestLength(const DesignResult& result);

// The chart of a result, with the windows of a requirement when given. Throws nothing; a design
// whose line cannot be formed (no finite L0, Pi or rate) gives a chart with an empty range.
LoadLengthChart loadLengthChart(const DesignResult& result,
                                const std::vector<ChartLoadWindow>& windows = {});

} // namespace hspring
