// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "data/design_record.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace hspring {

// The production tolerance grades of cold-formed extension springs: 1 (the closest), 2, 3; 0
// asks for none.
inline constexpr int kNoToleranceGrade = 0;
inline constexpr int kDefaultToleranceGrade = 2;
inline constexpr int kToleranceGradeCount = 3;

// Whether a grade is one of 0..3.
bool isToleranceGrade(int grade);

// What a spring maker may deliver around the calculated values: each a ± in the unit of its key
// (kgf, kgf/mm, mm). A value the grade tables give none for (grade 0, fewer than three active
// turns, a spring index outside the tables) is missing (NaN).
struct Tolerances {
    int grade = kNoToleranceGrade;
    double load1 = 0;         // kgf, at length1
    double load2 = 0;         // kgf, at length2
    double springRate = 0;    // kgf/mm
    double freeLength = 0;    // mm; a reference value once loads are specified
    double outerDiameter = 0; // mm
};

// The factors of the load tolerance ±(Pi·α + (P − Pi)·β) at a grade for a number of active
// turns; none for grade 0 or fewer than 3 active turns.
struct LoadToleranceFactors {
    long double alpha; // the spread of the initial tension
    long double beta;  // the spread of the load with deflection
};
std::optional<LoadToleranceFactors> loadToleranceFactors(int grade, double activeTurns);

// The ± of the load at a specified length: Pi·α + (P − Pi)·β, α by the grade, β by the grade
// and the active turns; NaN for grade 0 or fewer than 3 active turns. A load below Pi (a length
// below the free length) counts as Pi.
long double loadTolerance(long double initialTension, long double load, double activeTurns,
                          int grade);

// The tolerances of a calculated design at a grade.
Tolerances calculateTolerances(const SpringDesign& design, int grade);

// The conditions under which a load may be specified at a length, one per breach.
enum class ToleranceCondition {
    DeflectionBelowShare,   // below 20 % of the deflection at the maximum test length
    DeflectionAboveShare,   // above 80 % of it
    DeflectionBelowMinimum, // below 4 mm
};
struct ToleranceBreach {
    ToleranceCondition condition;
    int workingPoint; // 1 or 2
};

// The breaches of a calculated design: the deflections L1 − L0 and L2 − L0 against the
// deflection at `maxTestLength` (the longest length the spring may be tested at). None for
// grade 0; a missing maxTestLength judges only the 4 mm.
std::vector<ToleranceBreach> toleranceBreaches(const SpringDesign& design, double maxTestLength,
                                               int grade);

} // namespace hspring
