// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "data/design_record.h"
#include "data/material_library.h"
#include "data/settings.h"

#include <initializer_list>

namespace hspring::test {

// A material record with the given kind, shear modulus and per-diameter rows
// {diameter, tensile strength, allowable torsion (0 = not given)}.
struct DiameterRow {
    double diameter;
    double tensileStrength;
    double allowableTorsion;
};
MaterialRecord makeMaterial(int kind, double shearModulus, int torsionPercent,
                            std::initializer_list<DiameterRow> rows);

// Record 0: piano wire, G = 78500 N/mm^2, explicit allowable torsion 880 N/mm^2 at 1.0 mm.
// Record 1: stainless wire, record 2: hard-drawn steel wire, record 3: a kind without reductions,
// all with the same table and modulus. The other records are empty.
MaterialLibrary referenceLibrary();

// Both allowable-stress ratios 80 %, hook factor 1.25, reductions 15/25/25/20 %.
CoefficientSet referenceCoefficients();

// The design of the complete reference run: record 0, d = 1, D = 10 (Di = 9, Do = 11), N = 20,
// L0 = 39, L1 = 45, L2 = 55, lengths given, initial tension from the range, not annealed.
SpringDesign referenceDesign();

} // namespace hspring::test
