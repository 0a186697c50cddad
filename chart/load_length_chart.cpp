// SPDX-License-Identifier: GPL-3.0-or-later
#include "chart/load_length_chart.h"

#include "calc/tolerances.h"

#include <algorithm>
#include <cmath>

namespace hspring {

namespace {

constexpr double kMargin = 0.05; // of each range, on either side

// The load on the design's line at a length, and its tolerance there.
long double loadAt(const SpringDesign& s, long double length) {
    return s.initialTension + static_cast<long double>(s.springRate) * (length - s.freeLength);
}

void widen(double (&range)[2], double value) {
    if (!std::isfinite(value))
        return;
    range[0] = std::min(range[0], value);
    range[1] = std::max(range[1], value);
}

} // namespace

double hookLimitLoad(const DesignResult& result) {
    const ExtraResults& x = result.extras;
    const double torsion = x.hookTorsionLimitLoad;
    const double bending = x.hookBendingLimitLoad;
    if (std::isnan(torsion))
        return bending;
    return std::isnan(bending) ? torsion : std::min(torsion, bending);
}

double chartLongestLength(const DesignResult& result) {
    const double withHooks = result.extras.maxLengthWithHooks;
    return std::isnan(withHooks) ? result.design.maxLength : withHooks;
}

LoadLengthChart loadLengthChart(const DesignResult& result,
                                const std::vector<ChartLoadWindow>& windows) {
    const SpringDesign& s = result.design;
    LoadLengthChart chart;
    const double start = s.freeLength;
    double end = chartLongestLength(result);
    if (!(std::isfinite(end) && end > start))
        end = std::max(static_cast<double>(s.length2), start);
    chart.lineStart = {start, s.initialTension};
    chart.lineEnd = {end, static_cast<double>(loadAt(s, end))};

    const int grade = result.tolerances.grade;
    const auto bandAt = [&](long double length) {
        return loadTolerance(s.initialTension, loadAt(s, length), s.activeTurns, grade);
    };
    if (!std::isnan(static_cast<double>(bandAt(start)))) {
        const long double lowBand = bandAt(start);
        const long double highBand = bandAt(end);
        chart.bandUpper = {{start, static_cast<double>(loadAt(s, start) + lowBand)},
                           {end, static_cast<double>(loadAt(s, end) + highBand)}};
        chart.bandLower = {{start, static_cast<double>(loadAt(s, start) - lowBand)},
                           {end, static_cast<double>(loadAt(s, end) - highBand)}};
    }
    const double tolerances[2] = {result.tolerances.load1, result.tolerances.load2};
    const double lengths[2] = {s.length1, s.length2};
    const double loads[2] = {s.load1, s.load2};
    for (int i = 0; i < 2; ++i)
        chart.working[i] = {{lengths[i], loads[i]},
                            std::isnan(tolerances[i]) ? 0.0 : tolerances[i]};
    if (std::isfinite(s.maxLoad) && s.maxLoad > 0)
        chart.limits.push_back({ChartLimit::Kind::Coil, s.maxLoad});
    if (const double hooks = hookLimitLoad(result); !std::isnan(hooks))
        chart.limits.push_back({ChartLimit::Kind::Hooks, hooks});
    chart.windows = windows;

    // The ranges: from length 0 and load 0 up to everything drawn.
    chart.lengthRange[0] = chart.lengthRange[1] = 0;
    chart.loadRange[0] = chart.loadRange[1] = 0;
    for (const ChartPoint& p : {chart.lineStart, chart.lineEnd}) {
        widen(chart.lengthRange, p.length);
        widen(chart.loadRange, p.load);
    }
    if (chart.bandUpper)
        widen(chart.loadRange, chart.bandUpper->second.load);
    for (const ChartWorkingPoint& w : chart.working) {
        widen(chart.lengthRange, w.point.length);
        widen(chart.loadRange, w.point.load + w.tolerance);
    }
    for (const ChartLimit& limit : chart.limits)
        widen(chart.loadRange, limit.load);
    for (const ChartLoadWindow& window : chart.windows) {
        widen(chart.lengthRange, window.length);
        widen(chart.loadRange, window.highLoad);
    }
    chart.lengthRange[1] += kMargin * (chart.lengthRange[1] - chart.lengthRange[0]);
    chart.loadRange[1] += kMargin * (chart.loadRange[1] - chart.loadRange[0]);
    return chart;
}

} // namespace hspring
