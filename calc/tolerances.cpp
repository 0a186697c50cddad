// SPDX-License-Identifier: GPL-3.0-or-later
#include "calc/tolerances.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace hspring {

namespace {

constexpr double kMissing = std::numeric_limits<double>::quiet_NaN();

// The tolerance tables of cold-formed extension springs, JIS B 2704-3:2009 (コイルばね－第3部：
// 引張コイルばねの仕様の表し方), 6.2 ばね特性の許容差 and 6.3 寸法の許容差, grades 1, 2, 3.

// Load at a specified length: ±(Pi·α + (P − Pi)·β) for springs of 3 active turns or more.
// α, the spread of the initial tension, by grade.
constexpr long double kAlpha[kToleranceGradeCount] = {0.10L, 0.15L, 0.20L};
// β, the spread of the load with deflection, by grade: active turns 3 to 10, and above 10.
constexpr long double kBetaUpToTen[kToleranceGradeCount] = {0.05L, 0.10L, 0.15L};
constexpr long double kBetaAboveTen[kToleranceGradeCount] = {0.04L, 0.08L, 0.12L};
// Spring rate, per cent: active turns 3 to 10, and above 10.
constexpr long double kRateUpToTen[kToleranceGradeCount] = {5, 10, 15};
constexpr long double kRateAboveTen[kToleranceGradeCount] = {4, 8, 12};
constexpr double kMinActiveTurns = 3;
constexpr double kTurnsRowLimit = 10;

// A dimension's tolerance: per cent of the value, at least a number of millimetres, by the
// spring index row.
struct DimensionTolerance {
    long double percent;
    long double minimum; // mm
};
struct DimensionRow {
    double lowestIndex; // the row starts here (inclusive for the first row, else exclusive)
    double highestIndex;
    DimensionTolerance grades[kToleranceGradeCount];
};
// Free length (a reference value once loads are specified), D/d 3 to 8, over 8 to 15, over 15
// to 22.
constexpr DimensionRow kFreeLengthRows[] = {
    {3, 8, {{1.0L, 0.2L}, {2.0L, 0.5L}, {3.0L, 0.7L}}},
    {8, 15, {{1.5L, 0.5L}, {3.0L, 0.7L}, {4.0L, 0.8L}}},
    {15, 22, {{2.0L, 0.6L}, {4.0L, 0.8L}, {6.0L, 1.0L}}},
};
// Coil diameter, given as the outer diameter: D/d 4 to 8, over 8 to 15, over 15 to 22.
constexpr DimensionRow kOuterDiameterRows[] = {
    {4, 8, {{1.0L, 0.15L}, {1.5L, 0.2L}, {2.5L, 0.4L}}},
    {8, 15, {{1.5L, 0.2L}, {2.0L, 0.3L}, {3.0L, 0.5L}}},
    {15, 22, {{2.0L, 0.3L}, {3.0L, 0.5L}, {4.0L, 0.7L}}},
};

// Conditions on a specified load of the same clauses: its deflection between 20 % and 80 % of
// the deflection at the maximum test load, and at least 4 mm.
constexpr long double kLowestDeflectionShare = 0.2L;
constexpr long double kHighestDeflectionShare = 0.8L;
constexpr long double kMinDeflection = 4; // mm

double dimensionTolerance(const DimensionRow (&rows)[3], double springIndex, double value,
                          int grade) {
    if (!(grade >= 1 && grade <= kToleranceGradeCount) || !std::isfinite(value))
        return kMissing;
    for (std::size_t i = 0; i < std::size(rows); ++i) {
        const DimensionRow& row = rows[i];
        const bool above = i == 0 ? springIndex >= row.lowestIndex : springIndex > row.lowestIndex;
        if (above && springIndex <= row.highestIndex) {
            const DimensionTolerance& t = row.grades[grade - 1];
            return static_cast<double>(
                std::max(t.percent / 100 * std::fabs(static_cast<long double>(value)), t.minimum));
        }
    }
    return kMissing;
}

bool graded(int grade) {
    return grade >= 1 && grade <= kToleranceGradeCount;
}

} // namespace

bool isToleranceGrade(int grade) {
    return grade == kNoToleranceGrade || graded(grade);
}

std::optional<LoadToleranceFactors> loadToleranceFactors(int grade, double activeTurns) {
    if (!graded(grade) || !(activeTurns >= kMinActiveTurns))
        return std::nullopt;
    const std::size_t g = static_cast<std::size_t>(grade - 1);
    return LoadToleranceFactors{kAlpha[g],
                                activeTurns <= kTurnsRowLimit ? kBetaUpToTen[g] : kBetaAboveTen[g]};
}

long double loadTolerance(long double initialTension, long double load, double activeTurns,
                          int grade) {
    const std::optional<LoadToleranceFactors> f = loadToleranceFactors(grade, activeTurns);
    if (!f)
        return std::numeric_limits<long double>::quiet_NaN();
    return initialTension * f->alpha + std::max(load - initialTension, 0.0L) * f->beta;
}

Tolerances calculateTolerances(const SpringDesign& design, int grade) {
    Tolerances t;
    t.grade = grade;
    const double na = design.activeTurns;
    t.load1 = static_cast<double>(loadTolerance(design.initialTension, design.load1, na, grade));
    t.load2 = static_cast<double>(loadTolerance(design.initialTension, design.load2, na, grade));
    t.springRate = kMissing;
    if (graded(grade) && na >= kMinActiveTurns) {
        const std::size_t g = static_cast<std::size_t>(grade - 1);
        const long double percent = na <= kTurnsRowLimit ? kRateUpToTen[g] : kRateAboveTen[g];
        t.springRate =
            static_cast<double>(percent / 100 * static_cast<long double>(design.springRate));
    }
    t.freeLength =
        dimensionTolerance(kFreeLengthRows, design.springIndex, design.freeLength, grade);
    t.outerDiameter =
        dimensionTolerance(kOuterDiameterRows, design.springIndex, design.outerDiameter, grade);
    const auto finiteOrMissing = [](double& v) {
        if (!std::isfinite(v))
            v = kMissing;
    };
    for (double* v : {&t.load1, &t.load2, &t.springRate, &t.freeLength, &t.outerDiameter})
        finiteOrMissing(*v);
    return t;
}

std::vector<ToleranceBreach> toleranceBreaches(const SpringDesign& design, double maxTestLength,
                                               int grade) {
    std::vector<ToleranceBreach> breaches;
    if (!graded(grade))
        return breaches;
    const long double freeLength = design.freeLength;
    const long double maxDeflection = static_cast<long double>(maxTestLength) - freeLength;
    const double lengths[] = {design.length1, design.length2};
    for (int point = 1; point <= 2; ++point) {
        const long double deflection = static_cast<long double>(lengths[point - 1]) - freeLength;
        if (std::isfinite(maxDeflection) && maxDeflection > 0) {
            if (deflection < kLowestDeflectionShare * maxDeflection)
                breaches.push_back({ToleranceCondition::DeflectionBelowShare, point});
            else if (deflection > kHighestDeflectionShare * maxDeflection)
                breaches.push_back({ToleranceCondition::DeflectionAboveShare, point});
        }
        if (deflection < kMinDeflection)
            breaches.push_back({ToleranceCondition::DeflectionBelowMinimum, point});
    }
    return breaches;
}

} // namespace hspring
