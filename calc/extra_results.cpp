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

// Up to here a value times g is certainly a finite double.
constexpr double kSurelyFiniteInNewtons = 1e300;

// A missing value stays missing without passing through the x87 unit (which takes a slow assist
// for every operation on a NaN); a value of ordinary size needs no test after its rounding.
double inNewtons(double kgfValue) {
    if (std::fabs(kgfValue) <= kSurelyFiniteInNewtons)
        return static_cast<double>(kgfValue * kGravity);
    return std::isnan(kgfValue) ? kMissing : stored(kgfValue * kGravity);
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
                                   const CoefficientSet& coefficients, HookType hookType,
                                   const ExtraInputs& inputs) {
    // Every result is worked out into its own name and the record built once at the end: a record
    // filled in place was first cleared whole, which cost more than a tenth of the work.
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
    const DesignBasis basis = designBasisOf(coefficients);
    const BasisAllowables allowables =
        basisAllowables(material, design.diameterIndex, design.wireDiameter, coefficients);
    const double bendingAllowable = allowables.hookBending;
    const double torsionAllowable = allowables.hookTorsion;
    const std::optional<double> strength = wireTensileStrength(design, library);
    std::optional<long double> hook;
    if (coil)
        hook = hookType == HookType::Round ? roundHookWireLength(design) : uHookWireLength(design);

    // The loads of the working stresses: the larger of initial tension and load 1, and load 2.
    const long double initialTension = design.initialTension;
    const long double p1 = initialTension - design.load1 > 0 ? initialTension : design.load1;
    const long double p2 = design.load2;

    // Bending at the loop, of the round hook's loop radius when given.
    const bool round = hookType == HookType::Round;
    const long double loopRadius = inputs.hookLoopRadius;
    const long double c1 = round && loopRadius > 0 ? 2 * loopRadius / d : D / d;
    const double bendingFactor = coil && c1 > 1 ? stored(hookBendingFactor(c1)) : kMissing;
    const long double bendingPerLoad = hookBendingStressPerLoad(bendingFactor, D, d);
    const double bendingStress1 = stored(p1 * bendingPerLoad);
    const double bendingStress2 = stored(p2 * bendingPerLoad);

    // Torsion at the bend out of the coil.
    double torsionFactor = kMissing;
    const long double roundBendRadius = inputs.hookBendRadius;
    if (round && roundBendRadius > 0) {
        // K2 rises without bound as the bend closes to the wire (C2 → 1): no factor at or below.
        const long double c2 = 2 * roundBendRadius / d;
        if (coil && c2 > 1)
            torsionFactor = stored(hookBendTorsionFactor(c2));
    } else if (round) {
        // The coefficient set comes from a file: a factor that is not a positive finite number is
        // no factor at all.
        const double factor = coefficients.hookStressFactor;
        if (coil && factor > 0 && std::isfinite(factor))
            torsionFactor = factor;
    } else {
        const long double bendRadius = design.hookMinRadius;
        const long double c2 = (2 * bendRadius + d) / d;
        if (coil && bendRadius > 0)
            torsionFactor = stored(hookBendTorsionFactor(c2));
    }
    const long double torsionPerLoad = torsionStressPerLoad(torsionFactor, D, d);
    const double torsionStress1 = stored(p1 * torsionPerLoad);
    const double torsionStress2 = stored(p2 * torsionPerLoad);

    // The loads at which each part reaches its allowable stress, the smallest of them and the
    // length it is reached at.
    const double torsionLimitLoad = positive(torsionAllowable / torsionPerLoad);
    const double bendingLimitLoad = positive(bendingAllowable / bendingPerLoad);
    const std::array<double, 3> limits = {positive(design.maxLoad), torsionLimitLoad,
                                          bendingLimitLoad};
    double maxLoadWithHooks = kMissing;
    double maxLengthWithHooks = kMissing;
    std::optional<GoverningPart> governingPart;
    if (std::none_of(limits.begin(), limits.end(), [](double v) { return std::isnan(v); })) {
        const auto smallest = std::min_element(limits.begin(), limits.end());
        maxLoadWithHooks = *smallest;
        governingPart = static_cast<GoverningPart>(smallest - limits.begin());
        const long double rate = design.springRate;
        if (rate > 0 && maxLoadWithHooks >= initialTension)
            maxLengthWithHooks =
                stored(design.freeLength + (maxLoadWithHooks - initialTension) / rate);
    }

    // Natural frequency, masses and wire length need the material's modulus and density.
    double naturalFrequency = kMissing;
    double bodyMass = kMissing;
    double hookWireLength = kMissing;
    double wireLength = kMissing;
    double springMass = kMissing;
    if (coil) {
        const long double density = material ? wireDensity(material->kind) : kMissing;
        const long double shearModulus = material ? material->shearModulus : kMissing;
        const long double activeTurns = design.activeTurns;
        const long double totalTurns = design.totalTurns;
        naturalFrequency = stored(1000 * d / (2 * kPi * activeTurns * D * D) *
                                  std::sqrt(shearModulus * 1000000 / (2 * density)));
        const long double gramsPerMillimetre = density / 1000000 * (kPi * d * d / 4);
        const long double bodyLength = kPi * D * totalTurns;
        if (totalTurns >= 0) {
            bodyMass = stored(gramsPerMillimetre * bodyLength);
            if (hook) {
                hookWireLength = stored(*hook);
                wireLength = stored(bodyLength + 2 * *hook);
                springMass = stored(gramsPerMillimetre * wireLength);
            }
        }
    }

    const double energy12 =
        stored((p1 + p2) / 2 * (static_cast<long double>(design.length2) - design.length1));

    // Fatigue life of the hook, in torsion and in bending, and of the spring. A higher class is
    // a shorter life. A part over its static allowable has no fatigue life to speak of: it gets
    // the shortest class, as the warnings call it over (a missing allowable decides nothing).
    const auto over = [](double stress, double allowable) {
        return stress > allowable + kStressTolerance;
    };
    const StressCoefficients hookCoefficients =
        stressCoefficients(strength, torsionStress1, torsionStress2);
    const StressCoefficients hookBendingCoefficients =
        bendingShares(strength, bendingStress1, bendingStress2);
    const StressCoefficients coilCoefficients =
        stressCoefficients(strength, design.stress1, design.stress2);
    const bool handbook = basis == DesignBasis::Handbook;
    std::optional<int> hookBendingLifeClass;
    std::optional<int> hookLifeClass;
    std::optional<int> coilLifeClass;
    std::optional<int> springLifeClass;
    if (bothPresent(hookBendingCoefficients))
        hookBendingLifeClass = over(bendingStress2, bendingAllowable)
                                   ? kShortestLifeClass
                                   : classifyHookBendingLife(hookBendingCoefficients.upper,
                                                             hookBendingCoefficients.lower);
    if (strength)
        coilLifeClass =
            !handbook ? classifyLife(coilCoefficients.upper, coilCoefficients.lower)
            : over(design.stress2, design.allowableStress)
                ? kShortestLifeClass
                : classifyHandbookTorsionLife(HandbookTorsionColumn::Body, coilCoefficients.upper,
                                              coilCoefficients.lower);
    if (bothPresent(hookCoefficients) && hookBendingLifeClass) {
        const int torsionLife =
            over(torsionStress2, torsionAllowable) ? kShortestLifeClass
            : handbook ? classifyHandbookTorsionLife(HandbookTorsionColumn::End,
                                                     hookCoefficients.upper, hookCoefficients.lower)
                       : classifyLife(hookCoefficients.upper, hookCoefficients.lower);
        hookLifeClass = std::max(torsionLife, *hookBendingLifeClass);
        if (coilLifeClass)
            springLifeClass = std::max(*coilLifeClass, *hookLifeClass);
    }
    const bool surges = naturalFrequency < kSurgeFrequencyRatio * inputs.operatingFrequency;

    return ExtraResults{
        .hookBendingFactor = bendingFactor,
        .hookBendingStress1 = bendingStress1,
        .hookBendingStress2 = bendingStress2,
        .hookTorsionFactor = torsionFactor,
        .hookTorsionStress1 = torsionStress1,
        .hookTorsionStress2 = torsionStress2,
        .hookBendingAllowable = bendingAllowable,
        .hookTorsionAllowable = torsionAllowable,
        .hookCoefficients = hookCoefficients,
        .hookBendingCoefficients = hookBendingCoefficients,
        .hookBendingLifeClass = hookBendingLifeClass,
        .hookLifeClass = hookLifeClass,
        .coilLifeClass = coilLifeClass,
        .springLifeClass = springLifeClass,
        .hookTorsionLimitLoad = torsionLimitLoad,
        .hookBendingLimitLoad = bendingLimitLoad,
        .maxLoadWithHooks = maxLoadWithHooks,
        .governingPart = governingPart,
        .maxLengthWithHooks = maxLengthWithHooks,
        .naturalFrequency = naturalFrequency,
        .surges = surges,
        .bodyMass = bodyMass,
        .hookWireLength = hookWireLength,
        .wireLength = wireLength,
        .springMass = springMass,
        .energy12 = energy12,
        .si =
            {
                .springRate = inNewtons(design.springRate),
                .initialTension = inNewtons(design.initialTension),
                .load1 = inNewtons(design.load1),
                .load2 = inNewtons(design.load2),
                .maxLoad = inNewtons(design.maxLoad),
                .stress1 = inNewtons(design.stress1),
                .stress2 = inNewtons(design.stress2),
                .allowableStress = inNewtons(design.allowableStress),
                .hookBendingStress1 = inNewtons(bendingStress1),
                .hookBendingStress2 = inNewtons(bendingStress2),
                .hookTorsionStress1 = inNewtons(torsionStress1),
                .hookTorsionStress2 = inNewtons(torsionStress2),
                .hookBendingAllowable = inNewtons(bendingAllowable),
                .hookTorsionAllowable = inNewtons(torsionAllowable),
                .energy12 = inNewtons(energy12),
            },
    };
}

} // namespace hspring
