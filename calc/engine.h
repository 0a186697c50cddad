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
// A lookup that finds no value gives NaN, and NaN flows on quietly (it raises no fault): a spring
// index outside 3..22 leaves the initial-tension range NaN; a wire diameter outside the material's
// strength table, a table of fewer than two rows or a materialIndex outside 0..29 leaves the
// allowable stress NaN. The fields then show "NAN" and the stress rule fails, so a missing value
// is never taken for an allowable one. A material index outside 0..29 has no modulus and no kind
// either: the spring rate, the initial-tension range and every result that reads them are NaN.
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

// The material's allowable torsional stress at wire diameter d, N/mm^2: the value interpolateTable
// finds in the table buildStrengthTable builds, read straight from the record. NaN when there is
// no value: outside the table's diameters, a table of fewer than two rows (one row answers only
// its own diameter), or a value that is not finite. Taking the nearest row instead would
// overstate the allowable stress of a wire thicker than the table's last (thicker wire is
// weaker); a missing value makes the stress rule fail and shows as "NAN".
double materialAllowableStress(const MaterialRecord& material, double d);

enum class InitialStressColumn { Upper = 0, Lower = 1 };

// The column's value at spring index c, by the same piecewise-linear rule as interpolateTable
// (the segment starting at c wins on a row). NaN outside 3..22 and for a NaN index.
double interpolateColumn(InitialStressColumn column, double c);

// Step 3 of the calculation: the recommended range into `range`, then the design's initial
// tension (the range's mid, or readInitialTension()). Needs springIndex set. Throws like
// calculateDesign.
void computeInitialTension(SpringDesign& design, const MaterialLibrary& library,
                           const CoefficientSet& coefficients, InitialTensionRange& range,
                           const InitialTensionReader& readInitialTension);

} // namespace hspring
