// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "calc/spring_constants.h"
#include "data/design_record.h"
#include "data/material_library.h"

#include <array>
#include <cmath>
#include <limits>
#include <optional>
#include <string_view>

namespace hspring {

inline constexpr int kLifeClassCount = 9;
// Index 8: the design lies outside every life line (or a coefficient is missing).
inline constexpr int kShortestLifeClass = 8;

// The classes run from the longest life, 10^7 load cycles, through 10^6, 10^5, 6·10^4, 4·10^4,
// 3·10^4, 2·10^4 and 10^4 cycles to class 8, 10^4 cycles or fewer.

// The life lines' intercepts on the upper-coefficient axis, ascending, one per class 0..7.
inline constexpr std::array<double, 8> LifeLineIntercepts = {0.3,   0.328, 0.347, 0.363,
                                                             0.377, 0.391, 0.411, 0.45};

// The life class of a working range given by its upper (τ2/σB) and lower (τ1/σB) stress
// coefficients: the first life line on or above the point. An upper coefficient above 0.45 or
// missing (NaN), and a point below no line (a negative lower coefficient can do that), give the
// shortest class 8: the safe reading when the diagram says nothing.
int classifyLife(double upper, double lower);

// The life class of a hook's bending at the loop, from its upper (σA2/σB) and lower (σA1/σB)
// stress coefficients: 0 within the 10^7-cycle line, 1 within the 10^6 line, 2 within
// the 10^5 line, otherwise the shortest class 8 (the basis says nothing
// about shorter lives, and the safe reading is the shortest). Each line is the Goodman line
// through the maximum stress allowed at stress ratio 0 and the tensile strength: a point is within
// it when upper ≤ s + (1 − s)·lower, s the line's share of σB. A missing (NaN) coefficient gives
// the shortest class.
int classifyHookBendingLife(double upper, double lower);

// Stress coefficients of a calculated design: stress × 9.8 / σB, σB the tensile strength of the
// design's material at its diameterIndex (N/mm^2). Both are NaN ("missing") when σB is not there:
// materialIndex outside the library, diameterIndex outside the material's list, or σB not a
// positive finite number. A missing coefficient classifies as class 8 and is drawn nowhere.
struct StressCoefficients {
    double upper; // stress2 × 9.8 / σB
    double lower; // stress1 × 9.8 / σB
};
StressCoefficients stressCoefficients(const SpringDesign& design, const MaterialLibrary& library);

// The same for any two stresses of the design's wire at working points 1 and 2 (kgf/mm^2), such
// as the hook's: lowerStress × 9.8 / σB and upperStress × 9.8 / σB, both NaN without σB.
StressCoefficients stressCoefficients(const SpringDesign& design, const MaterialLibrary& library,
                                      double lowerStress, double upperStress);

// σB of the design's wire (N/mm^2), or nullopt where the coefficients above are missing.
inline std::optional<double> wireTensileStrength(const SpringDesign& design,
                                                 const MaterialLibrary& library) {
    const MaterialRecord* material = materialAt(library, design.materialIndex);
    const std::optional<double> strength =
        material ? tensileStrengthAt(*material, design.diameterIndex) : std::nullopt;
    if (!strength || !(*strength > 0) || !std::isfinite(*strength))
        return std::nullopt;
    return strength;
}

// The coefficients of two stresses against a σB looked up once (wireTensileStrength): a caller
// that needs several pairs of one design looks the material up once.
inline StressCoefficients stressCoefficients(std::optional<double> strength, double lowerStress,
                                             double upperStress) {
    if (!strength)
        return {std::numeric_limits<double>::quiet_NaN(), std::numeric_limits<double>::quiet_NaN()};
    const auto coefficient = [&](double stress) {
        return static_cast<double>(stress * kDiagramGravity / *strength);
    };
    return {coefficient(upperStress), coefficient(lowerStress)};
}

} // namespace hspring
