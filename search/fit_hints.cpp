// SPDX-License-Identifier: GPL-3.0-or-later
#include "search/fit_hints.h"

#include "calc/tolerances.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <optional>

namespace hspring {

namespace {

// The grid's frame (design_search.h): a spring index of at least 4 and at least 3 total turns.
constexpr double kLeastSpringIndex = 4;
constexpr double kLeastTotalTurns = 3;
// Many turns take the smaller β of the load tolerance (JIS B 2704-3:2009, 6.2).
constexpr double kManyActiveTurns = 11;

// The thinnest wire the requirement's materials list; none when they list none.
std::optional<double> thinnestWire(const DesignRequirement& r, const MaterialLibrary& library) {
    std::optional<double> thinnest;
    for (const int m : allowedMaterials(r, library)) {
        const MaterialRecord& material = library[static_cast<std::size_t>(m)];
        for (int i = 0; i < usedDiameterCount(material); ++i) {
            const double d = material.diameters[i];
            if (std::isfinite(d) && d > 0 && (!thinnest || d < *thinnest))
                thinnest = d;
        }
    }
    return thinnest;
}

// The share of the load, per cent, that the load tolerance of `grade` alone takes: the nearest
// miss's initial tension and turns at the requirement's loads (the larger of the two), else the
// least share of the grade, β of many turns with no initial tension.
double gradeShare(const DesignRequirement& r, const SearchOutcome& outcome, int grade) {
    if (outcome.explanation && outcome.explanation->nearestMiss) {
        const SpringDesign& near = outcome.explanation->nearestMiss->result.design;
        double share = 0;
        for (const double load : {r.load1, r.load2})
            share = std::max(share, static_cast<double>(loadTolerance(near.initialTension, load,
                                                                      near.activeTurns, grade)) /
                                        load * 100);
        if (std::isfinite(share))
            return share;
    }
    const std::optional<LoadToleranceFactors> factors =
        loadToleranceFactors(grade, kManyActiveTurns);
    return factors ? static_cast<double>(factors->beta) * 100
                   : std::numeric_limits<double>::quiet_NaN();
}

void addGradeHint(const DesignRequirement& r, const SearchOutcome& outcome,
                  std::vector<FitHint>& hints) {
    if (r.toleranceGrade == kNoToleranceGrade)
        return;
    const double share = gradeShare(r, outcome, r.toleranceGrade);
    if (!(share >= r.loadTolerance))
        return;
    FitHint hint{FitHintCode::GradeToleranceWiderThanWindow, "toleranceGrade", share};
    for (int grade = r.toleranceGrade - 1; grade >= 1 && hint.grade == 0; --grade)
        if (gradeShare(r, outcome, grade) < r.loadTolerance)
            hint.grade = grade;
    hints.push_back(hint);
}

void addRoomHints(const DesignRequirement& r, double d, std::vector<FitHint>& hints) {
    const double innerLimit = r.minInnerDiameter.value_or(0);
    if (r.maxOuterDiameter && r.minInnerDiameter && *r.maxOuterDiameter - innerLimit < 2 * d) {
        hints.push_back({FitHintCode::RoomNarrowerThanWire, "maxOuterDiameter", 0, 0, 2 * d});
    } else if (r.maxOuterDiameter) {
        // Do = D + d with D >= 4·d, and Di = D − d >= the inner limit.
        const double least = std::max((kLeastSpringIndex + 1) * d, innerLimit + 2 * d);
        if (*r.maxOuterDiameter < least)
            hints.push_back({FitHintCode::OuterDiameterTooSmall, "maxOuterDiameter", 0, 0, least});
    }
    // L0 = (N + 1)·d + 2·Di (round hooks) or + 2·hookLength (U hooks), with N >= 3 and
    // Di >= 3·d and the inner limit.
    const double hooks = r.hookType == HookType::U
                             ? r.hookLength
                             : std::max((kLeastSpringIndex - 1) * d, innerLimit);
    const double least = (kLeastTotalTurns + 1) * d + 2 * hooks;
    const bool byFreeLength = r.maxFreeLength && *r.maxFreeLength < r.length1;
    const double limit = byFreeLength ? *r.maxFreeLength : r.length1;
    if (limit < least)
        hints.push_back({FitHintCode::FreeLengthTooShort,
                         byFreeLength ? "maxFreeLength" : "length1", 0, 0, least});
}

} // namespace

std::vector<FitHint> fitHints(const DesignRequirement& r, const MaterialLibrary& library,
                              const SearchOutcome& outcome) {
    std::vector<FitHint> hints;
    if (outcome.cancelled || !outcome.candidates.empty())
        return hints;
    if (const std::optional<double> d = thinnestWire(r, library))
        addRoomHints(r, *d, hints);
    addGradeHint(r, outcome, hints);
    return hints;
}

} // namespace hspring
