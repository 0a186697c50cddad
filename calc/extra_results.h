// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "calc/hook_type.h"
#include "calc/life.h"
#include "data/design_record.h"
#include "data/material_library.h"
#include "data/settings.h"

#include <optional>
#include <string_view>

namespace hspring {

// The part of a spring that reaches its allowable stress at the smallest load.
enum class GoverningPart { Coil, HookTorsion, HookBending };

// "coil", "hookTorsion", "hookBending".
std::string_view governingPartName(GoverningPart part);

// The results of a calculated design in SI units: forces in N, rates in N/mm, stresses in N/mm^2,
// energy in N·mm (the kgf values × 9.80665). NaN where the kgf value is missing.
struct SiResults {
    double springRate = 0;           // N/mm
    double initialTension = 0;       // N
    double load1 = 0;                // N
    double load2 = 0;                // N
    double maxLoad = 0;              // N
    double stress1 = 0;              // N/mm^2
    double stress2 = 0;              // N/mm^2
    double allowableStress = 0;      // N/mm^2
    double hookBendingStress1 = 0;   // N/mm^2
    double hookBendingStress2 = 0;   // N/mm^2
    double hookTorsionStress1 = 0;   // N/mm^2
    double hookTorsionStress2 = 0;   // N/mm^2
    double hookBendingAllowable = 0; // N/mm^2
    double energy12 = 0;             // N·mm
};

// What a calculated design gives beyond its record: the stresses in the hooks and the hooks'
// fatigue life, the natural frequency, the masses and wire length, the energy stored between the
// working points, and the main results in SI units. Units as the record's: mm, kgf, kgf/mm^2.
//
// Every double is NaN where the value cannot be formed (a missing value, never a guess): no
// allowable stress in the material's table, a spring index of 1 or less for the bending factor,
// a U hook without a positive bend radius, a hook whose parts do not fit together for the wire
// length, a material index outside the library for the values that need the material, and any
// result that is not a finite number.
struct ExtraResults {
    // Bending at the hook loop (both hook types; the loop's and the U's mean radius is D/2):
    // K1 = (4·C1² − C1 − 1) / (4·C1·(C1 − 1)) with C1 = D/d, and
    // σA = P·(K1·16·D/(π·d³) + 4/(π·d²)) at P1 and P2.
    double hookBendingFactor = 0;  // K1
    double hookBendingStress1 = 0; // σA1, kgf/mm^2
    double hookBendingStress2 = 0; // σA2, kgf/mm^2
    // Torsion at the bend where the wire leaves the coil: τB = K2·8·P·D/(π·d³) at P1 and P2.
    // K2 is the coefficient set's hookStressFactor for a round hook; for a U hook it follows from
    // the bend's index C2 = (2·hookMinRadius + d)/d as (4·C2 − 1)/(4·C2 − 4). τB is judged
    // against the coil's allowableStress.
    double hookTorsionFactor = 0;  // K2
    double hookTorsionStress1 = 0; // τB1, kgf/mm^2
    double hookTorsionStress2 = 0; // τB2, kgf/mm^2
    // The allowable bending stress σA is judged against: the material's allowable bending stress
    // taken and scaled as the allowable torsional stress is, kgf/mm^2.
    double hookBendingAllowable = 0;
    // The hook's point in the fatigue diagram, τB2 × 9.8 / σB and τB1 × 9.8 / σB.
    StressCoefficients hookCoefficients{0, 0};
    // The bending at the loop as shares of the tensile strength, σA2 × g / σB and σA1 × g / σB,
    // and its life class by classifyHookBendingLife; the class is missing when a share is.
    StressCoefficients hookBendingCoefficients{0, 0};
    std::optional<int> hookBendingLifeClass;
    // The hook's life class (0..8): the shorter of its torsion life (the fatigue diagram at
    // hookCoefficients) and its bending life; missing when either is.
    std::optional<int> hookLifeClass;
    // The spring's life: the shorter of the coil's (classifyLife of stressCoefficients) and the
    // hook's; missing when the hook's is.
    std::optional<int> springLifeClass;
    // The loads at which each part reaches its allowable stress, kgf: the coil is the record's
    // maxLoad; the hook's torsion reaches allowableStress at allowableStress / (τB per kgf), its
    // bending hookBendingAllowable at hookBendingAllowable / (σA per kgf). Missing when the
    // allowable, the stress factor or the result is not a positive finite number.
    double hookTorsionLimitLoad = 0;
    double hookBendingLimitLoad = 0;
    // The smallest of the three limits and the part it belongs to (the first in the order coil,
    // hook torsion, hook bending on a tie); missing when any limit is, since a missing limit might
    // be the smallest.
    double maxLoadWithHooks = 0;
    std::optional<GoverningPart> governingPart;
    // The length at maxLoadWithHooks: L0 + (maxLoadWithHooks − Pi)/k, mm. Missing when the rate is
    // not positive or the limit lies below the initial tension (no length reaches it).
    double maxLengthWithHooks = 0;
    // Lowest natural frequency with both ends fixed, Hz:
    // f = (1000·d / (2·π·Na·D²))·√(G·10⁶ / (2·ρ)), ρ the wire's density.
    double naturalFrequency = 0;
    double bodyMass = 0;       // g, the coil body of N turns: ρ·(π·d²/4)·π·D·N
    double hookWireLength = 0; // mm, one hook along the wire's centre line
    double wireLength = 0;     // mm, π·D·N plus both hooks
    double springMass = 0;     // g, of the whole wire length
    // kgf·mm stored from working point 1 to 2: (P1 + P2)/2 · (L2 − L1), P1 the larger of the
    // initial tension and load1 (the spring does not open below the initial tension, so the force
    // at L1 is never less than it).
    double energy12 = 0;
    SiResults si;
};

// Whether a U hook's bend, legs and U fit together (the wire length along them can be formed):
// a positive bend radius, D above d, a hook long enough for its bend and U, and an opening that
// leaves the cut short of the U.
bool uHookFitsTogether(const SpringDesign& design);

// The wire's density in kg/m^3 by material kind: stainless steel 7930, any other 7850.
double wireDensity(std::int32_t materialKind);

// The extra results of a design after its calculation (calculateDesign), with the hook type of
// the design. The hook stresses use the loads the working stresses use: P1 the larger of the
// initial tension and load1, P2 load2. Computed in extended precision without the calculation's
// arithmetic-fault checks: nothing here throws, and a value that cannot be formed is missing
// rather than a reason to fail a calculation that has completed.
ExtraResults calculateExtraResults(const SpringDesign& design, const MaterialLibrary& library,
                                   const CoefficientSet& coefficients, HookType hookType);

} // namespace hspring
