// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <numbers>

namespace hspring {

// The physical constants and stress factors of the calculation, each written once. The engine,
// the extra results, the design search and the documents use these and no copies of them.

// Newtons per kilogram-force (standard gravity). The library's tensile strengths are N/mm^2; the
// engine converts them to kgf/mm^2 with this, and every SI value is kgf × this.
inline constexpr long double kGravity = 9.80665L;
// The fatigue diagram's conversion of a stress in kgf/mm^2 to N/mm^2: its life lines were drawn
// with 9.8, so a stress coefficient (stress × 9.8 / σB) keeps it, or a design would change class.
inline constexpr long double kDiagramGravity = 9.8L;
// The data sheet's figure labels its loads with the factor rounded to four digits (its table
// uses kGravity), as the sheet always has.
inline constexpr long double kSheetLabelGravity = 9.807L;

// Each formula keeps the value of pi it was calibrated with; a "better" pi would move results
// that users compare against earlier prints.
inline constexpr long double kPiInitialTension = 3.14159L; // recommended initial-tension range
inline constexpr long double kPiMaxLoad = 3.14L;           // recommended maximum load
inline constexpr long double kPiStress = 3.141592654L;     // working stresses, coil and hook
inline constexpr long double kPi = std::numbers::pi_v<long double>; // geometry, masses, frequency

// Wahl's stress-correction factor of a coil of spring index c = D/d:
// K = (4c − 1)/(4c − 4) + 0.615/c (Wahl, Mechanical Springs, 1963). Written for any arithmetic
// type so that the engine's checked arithmetic uses the same expression.
template <class T>
T wahlFactor(T c) {
    return (T(4) * c - 1) / (T(4) * c - 4) + T(0.615L) / c;
}

// Curvature factor of the bending stress in a hook loop of index c = D/d (curved beam, inner
// fibre): K1 = (4c² − c − 1)/(4c(c − 1)) (Wahl, Mechanical Springs, ch. 10; Japan Society of
// Spring Engineers, ばね 第4版, the hook of an extension spring).
inline long double hookBendingFactor(long double c) {
    return (4 * c * c - c - 1) / (4 * c * (c - 1));
}

// Curvature factor of the torsion in a U hook's bend out of the coil, of index
// c2 = (2·r + d)/d, r the bend's inner radius: K2 = (4c2 − 1)/(4c2 − 4) (same sources).
inline long double hookBendTorsionFactor(long double c2) {
    return (4 * c2 - 1) / (4 * c2 - 4);
}

// Spring rate of a coil, kgf/mm: k = G·d⁴/(8·Na·D³) with G in kgf/mm^2 once divided by g (G is
// given in N/mm^2). Written for any arithmetic type so that the engine's checked arithmetic
// uses the same expression, and in the order the engine has always evaluated it: in extended
// precision another order moves the stored rate by a unit in its last place.
template <class T>
T coilSpringRate(T shearModulus, T wireDiameter, T activeTurns, T meanDiameter) {
    const T d = wireDiameter;
    const T D = meanDiameter;
    return shearModulus * d * d * d * d / (T(8) * activeTurns * D * D * D) / kGravity;
}

// Corrected torsional stress of a coil (factor: Wahl's) or a hook bend at a load P, kgf/mm^2:
// τ = factor·8·D·P/(π·d³). Written for any arithmetic type, in the order the engine's stored
// stresses have always come from: in extended precision another order moves their last place.
template <class T>
T torsionalStress(T factor, T meanDiameter, T load, T wireDiameter) {
    const T d = wireDiameter;
    return factor * 8 * meanDiameter * load / kPiStress / d / d / d;
}

// The same stress per unit load, kgf/mm^2 per kgf, for the limit loads: a limit load is the
// allowable stress over this. The extra results have always formed it in this order.
inline long double torsionStressPerLoad(long double factor, long double meanDiameter,
                                        long double wireDiameter) {
    return factor * 8 * meanDiameter / (kPiStress * wireDiameter * wireDiameter * wireDiameter);
}

// Bending stress in a hook loop per unit load: the curved-beam bending K1·16·D/(π·d³) plus the
// direct tension 4/(π·d²), kgf/mm^2 per kgf.
inline long double hookBendingStressPerLoad(long double bendingFactor, long double meanDiameter,
                                            long double wireDiameter) {
    const long double d = wireDiameter;
    return bendingFactor * 16 * meanDiameter / (kPiStress * d * d * d) + 4 / (kPiStress * d * d);
}

} // namespace hspring
