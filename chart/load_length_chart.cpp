// SPDX-License-Identifier: GPL-3.0-or-later
#include "chart/load_length_chart.h"

#include "calc/tolerances.h"

#include <algorithm>
#include <cmath>
#include <limits>

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

// A value of 1, 2 or 5 times a power of ten, about an eighth of `span`: the axes' tick steps.
double roundStep(double span) {
    if (!(span > 0) || !std::isfinite(span))
        return 1;
    const double raw = span / 8;
    const double power = std::pow(10.0, std::floor(std::log10(raw)));
    for (const double factor : {1.0, 2.0, 5.0})
        if (raw <= factor * power)
            return factor * power;
    return 10 * power;
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

    // The ranges: loads from 0, lengths from a round value just below the shortest length drawn
    // (the free length), up to everything drawn. From length 0, a stiff spring's chart would be a
    // sliver at the right.
    chart.lengthRange[0] = std::numeric_limits<double>::infinity();
    chart.lengthRange[1] = -std::numeric_limits<double>::infinity();
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
    if (!(chart.lengthRange[0] <= chart.lengthRange[1]))
        chart.lengthRange[0] = chart.lengthRange[1] = 0;
    const double shortest = chart.lengthRange[0];
    chart.lengthRange[1] += kMargin * (chart.lengthRange[1] - shortest);
    const double step = roundStep(chart.lengthRange[1] - shortest);
    double low = std::floor(shortest / step) * step;
    if (low >= shortest && shortest > 0)
        low -= step;
    chart.lengthRange[0] = std::max(0.0, low);
    chart.loadRange[1] += kMargin * (chart.loadRange[1] - chart.loadRange[0]);
    return chart;
}

LoadLengthChart inUnits(LoadLengthChart chart, UnitSystem units) {
    if (units == chart.units)
        return chart;
    // Through the stored kgf value, so each load is the value every other display shows.
    const auto convert = [&chart, units](double& load) {
        load = shownValue(storedValue(load, chart.units), units);
    };
    for (ChartPoint* point : {&chart.lineStart, &chart.lineEnd})
        convert(point->load);
    for (auto* band : {&chart.bandUpper, &chart.bandLower})
        if (*band) {
            convert((*band)->first.load);
            convert((*band)->second.load);
        }
    for (ChartWorkingPoint& working : chart.working) {
        convert(working.point.load);
        convert(working.tolerance);
    }
    for (ChartLimit& limit : chart.limits)
        convert(limit.load);
    for (ChartLoadWindow& window : chart.windows) {
        convert(window.lowLoad);
        convert(window.highLoad);
    }
    convert(chart.loadRange[0]);
    convert(chart.loadRange[1]);
    chart.units = units;
    return chart;
}

} // namespace hspring
