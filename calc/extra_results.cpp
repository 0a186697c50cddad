// SPDX-License-Identifier: GPL-3.0-or-later
#include "calc/extra_results.h"

#include "base/arctangent.h"
#include "calc/engine.h"
#include "calc/spring_constants.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <limits>
#include <numbers>

namespace hspring {

namespace {

constexpr double kMissing = std::numeric_limits<double>::quiet_NaN();
constexpr long double kSteelDensity = 7850;     // kg/m^3
constexpr long double kStainlessDensity = 7930; // kg/m^3

// Rounds to double as a value is stored; a value that is not a finite double is missing.
double stored(long double value) {
    const double rounded = static_cast<double>(value);
    return std::isfinite(rounded) ? rounded : kMissing;
}

double inNewtons(double kgfValue) {
    return stored(kgfValue * kGravity);
}

// One round hook along the wire's centre line. The wire leaves the top of the first turn (the
// origin) on the straight tangent to the loop's centre circle, radius D/2 about
// C_L = (−(D/2 + d/4), −D/2); the drawing's transition edge is this line moved by d/2 either way.
// The tangent is √(|C_L|² − (D/2)²) = D/2 + d/4 long and touches the circle at 360° − φ, φ the
// drawing's roundHookTangentAngle, π/2 − arcsin(b/R) − arctan(b/(a/2 + b)) with a = d/2, b = D/2
// and R = |C_L|, where both terms are the same angle of the right triangle with the legs b and
// a/2 + b: φ = π/2 − 2·arctan(b/(a/2 + b)), which is 2·arctan(d/(d + 4D)) (π/4 − arctan u =
// arctan((1 − u)/(1 + u))), a small argument. The loop then runs back from 360° − φ to the hook
// angle. Missing when there is no loop (D not above d) or the hook angle lies outside 0..360° − φ.
std::optional<long double> roundHookWireLength(const SpringDesign& design) {
    const long double d = design.wireDiameter;
    const long double D = design.meanDiameter;
    if (!(D > d))
        return std::nullopt;
    const long double tangentAngle = 2 * smallArctangent(d / (d + 4 * D));
    const long double loopAngle =
        2 * kPi - tangentAngle - static_cast<long double>(design.hookAngle) * kPi / 180;
    if (!(loopAngle >= 0 && loopAngle <= 2 * kPi))
        return std::nullopt;
    return D / 2 + d / 4 + D / 2 * loopAngle;
}

// One U hook along the wire's centre line, as the drawing builds the left hook: the bend of centre
// radius G = R + d/2 about uBendCentre, from where it touches the first turn's centre line (at the
// lead angle θ = arctan(t), t = (d/2)/D) up to the top of the coil (90°); the leg along the top to
// the U; the half circle of the U (radius D/2); the return leg along the bottom to the cut, short
// of the coil's outer face x = −d/2 by the opening. The bend centre's x, −G·cos(θ + δ)/cos δ with
// δ = (π/2 − θ)/2, is −G·tan(π/4 − θ/2) = −G·(√(1 + t²) − t). Missing when the parts do not fit:
// no positive bend radius, D not above d, a hook too short for its bend and U, or an opening that
// puts the cut beyond the U.
std::optional<long double> uHookWireLength(const SpringDesign& design) {
    const long double d = design.wireDiameter;
    const long double D = design.meanDiameter;
    const long double bendRadius = design.hookMinRadius;
    if (!(bendRadius > 0 && D > d))
        return std::nullopt;
    const long double t = d / 2 / D;
    const long double bendCentreRadius = bendRadius + d / 2;
    const long double bendArc = bendCentreRadius * (kPi / 2 - smallArctangent(t));
    const long double bendCentreX = -bendCentreRadius * (std::sqrt(1 + t * t) - t);
    const long double leg = design.hookLength - D / 2 - bendRadius - d / 2;
    const long double legEnd = bendCentreX - leg;
    const long double cut = -d / 2 - design.hookOpening;
    const long double returnLeg = cut - legEnd;
    if (!(leg >= 0 && returnLeg >= 0))
        return std::nullopt;
    return bendArc + leg + kPi * D / 2 + returnLeg;
}

// A limit that is a positive finite number, or missing.
double positive(long double value) {
    const double limit = stored(value);
    return limit > 0 ? limit : kMissing;
}

bool bothPresent(const StressCoefficients& c) {
    return !std::isnan(c.upper) && !std::isnan(c.lower);
}

// σA2 × g / σB and σA1 × g / σB, σB the tensile strength of the design's wire (N/mm^2,
// wireTensileStrength); missing without σB. The bending basis is stated in N/mm^2, so the exact g
// converts, not the fatigue diagram's 9.8.
StressCoefficients bendingShares(std::optional<double> strength, double lowerStress,
                                 double upperStress) {
    if (!strength)
        return {kMissing, kMissing};
    return {stored(upperStress * kGravity / *strength), stored(lowerStress * kGravity / *strength)};
}

} // namespace

bool uHookFitsTogether(const SpringDesign& design) {
    return uHookWireLength(design).has_value();
}

std::string_view governingPartName(GoverningPart part) {
    switch (part) {
    case GoverningPart::Coil:
        return "coil";
    case GoverningPart::HookTorsion:
        return "hookTorsion";
    case GoverningPart::HookBending:
        break;
    }
    return "hookBending";
}

double wireDensity(std::int32_t materialKind) {
    return static_cast<double>(materialKind == kStainlessKind ? kStainlessDensity : kSteelDensity);
}

ExtraResults calculateExtraResults(const SpringDesign& design, const MaterialLibrary& library,
                                   const CoefficientSet& coefficients, HookType hookType) {
    ExtraResults x;
    const MaterialRecord* material = materialAt(library, design.materialIndex);
    const long double d = design.wireDiameter;
    const long double D = design.meanDiameter;
    // A coil needs a wire and a coil diameter; without them no geometric result has a meaning.
    const bool coil = d > 0 && D > 0 && std::isfinite(d) && std::isfinite(D);

    // The lookups and the hook's geometry come first, so that no extended intermediate below has
    // to be kept across a call (the x87 registers do not survive one).
    //
    // A material without bending data (no column, percentage 0) gives 0 here: that is no limit
    // the hook could be judged against, so it is missing, not a hook that always fails.
    const double bendingAllowable = springAllowableStress(material, AllowableStressKind::Bending,
                                                          design.wireDiameter, coefficients);
    x.hookBendingAllowable = bendingAllowable > 0 ? bendingAllowable : kMissing;
    const std::optional<double> strength = wireTensileStrength(design, library);
    std::optional<long double> hook;
    if (coil)
        hook = hookType == HookType::Round ? roundHookWireLength(design) : uHookWireLength(design);

    // The loads of the working stresses: the larger of initial tension and load 1, and load 2.
    const long double initialTension = design.initialTension;
    const long double p1 = initialTension - design.load1 > 0 ? initialTension : design.load1;
    const long double p2 = design.load2;

    // Bending at the loop.
    const long double c1 = D / d;
    x.hookBendingFactor = coil && c1 > 1 ? stored(hookBendingFactor(c1)) : kMissing;
    const long double bendingPerLoad = hookBendingStressPerLoad(x.hookBendingFactor, D, d);
    x.hookBendingStress1 = stored(p1 * bendingPerLoad);
    x.hookBendingStress2 = stored(p2 * bendingPerLoad);

    // Torsion at the bend out of the coil.
    if (hookType == HookType::Round) {
        // The coefficient set comes from a file: a factor that is not a positive finite number is
        // no factor at all.
        const double factor = coefficients.hookStressFactor;
        x.hookTorsionFactor = coil && factor > 0 && std::isfinite(factor) ? factor : kMissing;
    } else {
        const long double bendRadius = design.hookMinRadius;
        const long double c2 = (2 * bendRadius + d) / d;
        x.hookTorsionFactor = coil && bendRadius > 0 ? stored(hookBendTorsionFactor(c2)) : kMissing;
    }
    const long double torsionPerLoad = torsionStressPerLoad(x.hookTorsionFactor, D, d);
    x.hookTorsionStress1 = stored(p1 * torsionPerLoad);
    x.hookTorsionStress2 = stored(p2 * torsionPerLoad);

    // The loads at which each part reaches its allowable stress, the smallest of them and the
    // length it is reached at.
    x.hookTorsionLimitLoad = positive(design.allowableStress / torsionPerLoad);
    x.hookBendingLimitLoad = positive(x.hookBendingAllowable / bendingPerLoad);
    const std::array<double, 3> limits = {positive(design.maxLoad), x.hookTorsionLimitLoad,
                                          x.hookBendingLimitLoad};
    x.maxLoadWithHooks = x.maxLengthWithHooks = kMissing;
    if (std::none_of(limits.begin(), limits.end(), [](double v) { return std::isnan(v); })) {
        const auto smallest = std::min_element(limits.begin(), limits.end());
        x.maxLoadWithHooks = *smallest;
        x.governingPart = static_cast<GoverningPart>(smallest - limits.begin());
        const long double rate = design.springRate;
        if (rate > 0 && x.maxLoadWithHooks >= initialTension)
            x.maxLengthWithHooks =
                stored(design.freeLength + (x.maxLoadWithHooks - initialTension) / rate);
    }

    // Natural frequency, masses and wire length need the material's modulus and density.
    const long double density = material ? wireDensity(material->kind) : kMissing;
    const long double shearModulus = material ? material->shearModulus : kMissing;
    const long double activeTurns = design.activeTurns;
    const long double totalTurns = design.totalTurns;
    if (coil) {
        x.naturalFrequency = stored(1000 * d / (2 * kPi * activeTurns * D * D) *
                                    std::sqrt(shearModulus * 1000000 / (2 * density)));
        const long double gramsPerMillimetre = density / 1000000 * (kPi * d * d / 4);
        const long double bodyLength = kPi * D * totalTurns;
        if (totalTurns >= 0) {
            x.bodyMass = stored(gramsPerMillimetre * bodyLength);
            if (hook) {
                x.hookWireLength = stored(*hook);
                x.wireLength = stored(bodyLength + 2 * *hook);
                x.springMass = stored(gramsPerMillimetre * x.wireLength);
            } else {
                x.hookWireLength = x.wireLength = x.springMass = kMissing;
            }
        } else {
            x.bodyMass = x.hookWireLength = x.wireLength = x.springMass = kMissing;
        }
    } else {
        x.naturalFrequency = x.bodyMass = x.hookWireLength = x.wireLength = x.springMass = kMissing;
    }

    x.energy12 =
        stored((p1 + p2) / 2 * (static_cast<long double>(design.length2) - design.length1));

    SiResults& si = x.si;
    si.springRate = inNewtons(design.springRate);
    si.initialTension = inNewtons(design.initialTension);
    si.load1 = inNewtons(design.load1);
    si.load2 = inNewtons(design.load2);
    si.maxLoad = inNewtons(design.maxLoad);
    si.stress1 = inNewtons(design.stress1);
    si.stress2 = inNewtons(design.stress2);
    si.allowableStress = inNewtons(design.allowableStress);
    si.hookBendingStress1 = inNewtons(x.hookBendingStress1);
    si.hookBendingStress2 = inNewtons(x.hookBendingStress2);
    si.hookTorsionStress1 = inNewtons(x.hookTorsionStress1);
    si.hookTorsionStress2 = inNewtons(x.hookTorsionStress2);
    si.hookBendingAllowable = inNewtons(x.hookBendingAllowable);
    si.energy12 = inNewtons(x.energy12);

    // Fatigue life of the hook, in torsion and in bending, and of the spring. A higher class is
    // a shorter life.
    x.hookCoefficients = stressCoefficients(strength, x.hookTorsionStress1, x.hookTorsionStress2);
    x.hookBendingCoefficients = bendingShares(strength, x.hookBendingStress1, x.hookBendingStress2);
    if (bothPresent(x.hookBendingCoefficients))
        x.hookBendingLifeClass = classifyHookBendingLife(x.hookBendingCoefficients.upper,
                                                         x.hookBendingCoefficients.lower);
    if (bothPresent(x.hookCoefficients) && x.hookBendingLifeClass) {
        x.hookLifeClass = std::max(classifyLife(x.hookCoefficients.upper, x.hookCoefficients.lower),
                                   *x.hookBendingLifeClass);
        const StressCoefficients coilCoefficients =
            stressCoefficients(strength, design.stress1, design.stress2);
        x.springLifeClass = std::max(classifyLife(coilCoefficients.upper, coilCoefficients.lower),
                                     *x.hookLifeClass);
    }

    return x;
}

} // namespace hspring
