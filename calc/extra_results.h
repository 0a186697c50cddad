// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "calc/design_basis.h"
#include "calc/hook_type.h"
#include "calc/life.h"
#include "data/design_record.h"
#include "data/material_library.h"
#include "data/settings.h"

#include <limits>
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
    double hookTorsionAllowable = 0; // N/mm^2
    double energy12 = 0;             // N·mm
};

// What a design may give beyond its record, each NaN when not given: the round hook's bend radius
// r2 where the wire leaves the coil and its loop radius r1 (centre-line radii, mm), and the
// frequency the spring is worked at (Hz).
struct ExtraInputs {
    double hookBendRadius = std::numeric_limits<double>::quiet_NaN();
    double hookLoopRadius = std::numeric_limits<double>::quiet_NaN();
    double operatingFrequency = std::numeric_limits<double>::quiet_NaN();
};

// The least ratio of the natural frequency to the frequency the spring is worked at: "the
// fundamental critical frequency should be greater than 15 to 20 times the frequency of the force
// or motion of the spring in order to avoid resonance with the harmonics" (Wolford and Smith, as
// given in Budynas & Nisbett, Shigley's Mechanical Engineering Design, 9th ed., §10-9). The lower
// end of the range is taken: below it the spring surges.
inline constexpr double kSurgeFrequencyRatio = 15;

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
    // Bending at the hook loop (both hook types; the loop's and the U's mean radius r1 is D/2
    // unless a round hook's hookLoopRadius is given):
    // K1 = (4·C1² − C1 − 1) / (4·C1·(C1 − 1)) with C1 = 2·r1/d, and
    // σA = P·(K1·16·D/(π·d³) + 4/(π·d²)) at P1 and P2.
    double hookBendingFactor = 0;  // K1
    double hookBendingStress1 = 0; // σA1, kgf/mm^2
    double hookBendingStress2 = 0; // σA2, kgf/mm^2
    // Torsion at the bend where the wire leaves the coil: τB = K2·8·P·D/(π·d³) at P1 and P2.
    // K2 follows from the bend's index C2 = 2·r2/d as (4·C2 − 1)/(4·C2 − 4): r2 = hookMinRadius +
    // d/2 for a U hook, a round hook's hookBendRadius when given; a round hook without it takes the
    // coefficient set's hookStressFactor (so files without the radius keep their results).
    double hookTorsionFactor = 0;  // K2
    double hookTorsionStress1 = 0; // τB1, kgf/mm^2
    double hookTorsionStress2 = 0; // τB2, kgf/mm^2
    // The allowables σA and τB are judged against, kgf/mm^2, by the design basis of the
    // coefficient set (basisAllowables).
    double hookBendingAllowable = 0;
    double hookTorsionAllowable = 0;
    // The hook's point in the fatigue diagram, τB2 × 9.8 / σB and τB1 × 9.8 / σB.
    StressCoefficients hookCoefficients{0, 0};
    // The bending at the loop as shares of the tensile strength, σA2 × g / σB and σA1 × g / σB,
    // and its life class by classifyHookBendingLife; the class is missing when a share is.
    StressCoefficients hookBendingCoefficients{0, 0};
    std::optional<int> hookBendingLifeClass;
    // The hook's life class (0..8): the shorter of its torsion life (JIS: the fatigue diagram at
    // hookCoefficients; handbook: its end-torsion lines) and its bending life; missing when
    // either is. A part over its static allowable (τB2 above hookTorsionAllowable, σA2 above
    // hookBendingAllowable, as the warnings judge it) has the shortest class whatever its
    // fatigue line says, so a hook is never reported both over its allowable and within a life
    // line.
    std::optional<int> hookLifeClass;
    // The coil's life class: JIS the fatigue diagram (the record's lifeClass); handbook its
    // body-torsion lines, the shortest class above its static allowable. Missing without σB
    // (a missing stress gives the shortest class).
    std::optional<int> coilLifeClass;
    // The spring's life: the shorter of the coil's and the hook's; missing when either is.
    std::optional<int> springLifeClass;
    // The loads at which each part reaches its allowable stress, kgf: the coil is the record's
    // maxLoad; the hook's torsion reaches hookTorsionAllowable at hookTorsionAllowable / (τB per
    // kgf), its bending hookBendingAllowable at hookBendingAllowable / (σA per kgf). Missing when
    // the allowable, the stress factor or the result is not a positive finite number.
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
    // Whether the natural frequency lies below kSurgeFrequencyRatio times the operating frequency;
    // false when either is missing.
    bool surges = false;
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
                                   const CoefficientSet& coefficients, HookType hookType,
                                   const ExtraInputs& inputs = {});

} // namespace hspring
