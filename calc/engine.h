// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "data/design_record.h"
#include "data/material_library.h"
#include "data/settings.h"

#include <array>
#include <functional>

namespace hspring {

// The recommended initial-tension range of the last calculation, kgf.
struct InitialTensionRange {
    double low = 0;
    double high = 0;
    double mid = 0;
};

// Supplies the hand-entered initial tension (the number in the initial-tension field, read again
// at that step) when the design does not take it from the recommended range. May throw the
// conversion error of the field. An empty reader keeps the design's own initialTension (a design
// read from a file carries the field's value there).
using InitialTensionReader = std::function<double()>;

// Calculates the design in place, step by step in the fixed order. An arithmetic fault (division
// by zero, invalid operation, overflow) stops the calculation at the step that raised it with an
// Error carrying the fault's message: results stored before keep their new values, later ones
// their old values. `range` receives the recommended initial-tension range.
//
// A spring index outside 3..22 takes the initial-stress bounds of the nearest end row, so the
// range, the loads and the stresses stay defined; the checks report such a design by its index.
// The allowable stress is a safety limit and is never made up: a wire diameter outside the
// material's strength table, a table of fewer than two rows or a materialIndex outside the
// library leaves it NaN, and NaN flows on quietly (it raises no fault). The displays then show
// the missing-value mark and the stress rule fails, so a missing value is never taken for an
// allowable one. A material index outside the library has no modulus and no kind either: the
// spring rate, the initial-tension range and every result that reads them are NaN.
void calculateDesign(SpringDesign& design, const MaterialLibrary& library,
                     const CoefficientSet& coefficients, InitialTensionRange& range,
                     const InitialTensionReader& readInitialTension);

// One row of the table of initial-stress bounds by spring index (kgf/mm^2 before the 0.38178
// scale).
struct InitialStressRow {
    double springIndex;
    double upper;
    double lower;
};
inline constexpr std::array<InitialStressRow, 20> InitialStressTable = {{
    {3, 55.5, 30.0}, {4, 50.7, 27.1}, {5, 46.5, 24.3},  {6, 42.7, 21.4},  {7, 39.0, 19.0},
    {8, 35.5, 16.6}, {9, 32.2, 14.5}, {10, 29.0, 12.9}, {11, 26.0, 11.2}, {12, 23.2, 9.5},
    {13, 20.9, 8.5}, {14, 18.5, 7.5}, {15, 16.5, 6.5},  {16, 14.5, 5.5},  {17, 13.0, 4.8},
    {18, 11.5, 4.2}, {19, 10.0, 3.7}, {20, 8.8, 3.2},   {21, 7.6, 3.0},   {22, 6.5, 2.6},
}};

// The allowable stress of a spring of `material` at wire diameter d, kgf/mm^2: the material's
// allowable stress of `kind` (materialAllowableStress) scaled by the two allowable-stress ratios
// of the coefficient set and converted with g = 9.80665, the same formula by which the
// calculation forms allowableStress (torsion gives that value). NaN when it is missing: no
// material (nullptr), no value in the material's table, or a result too large for a double.
// Raises no arithmetic fault.
double springAllowableStress(const MaterialRecord* material, AllowableStressKind kind, double d,
                             const CoefficientSet& coefficients);

enum class InitialStressColumn { Upper = 0, Lower = 1 };

// The column's value at spring index c, by the same piecewise-linear rule as the material's
// allowable-stress table (the segment starting at c wins on a row). Below 3 the row of index 3,
// above 22 the row of index 22; NaN for a NaN index.
double interpolateColumn(InitialStressColumn column, double c);

// Step 3 of the calculation: the recommended range into `range`, then the design's initial
// tension (the range's mid, or readInitialTension()). Needs springIndex set. Throws like
// calculateDesign.
void computeInitialTension(SpringDesign& design, const MaterialLibrary& library,
                           const CoefficientSet& coefficients, InitialTensionRange& range,
                           const InitialTensionReader& readInitialTension);

} // namespace hspring
