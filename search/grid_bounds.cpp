// SPDX-License-Identifier: GPL-3.0-or-later
#include "search/grid_bounds.h"

#include "base/error.h"
#include "base/number_format.h"
#include "base/text_to_number.h"
#include "calc/engine.h"
#include "calc/extra_results.h"
#include "calc/spring_constants.h"
#include "calc/spring_design.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace hspring {

// The pruning, and why it never drops a feasible candidate. Everything below holds for the
// engine's own values up to rounding, which moves them by far less than the slack given away.
// Each bound below carries its part of the argument beside it.
//
// Notation: d the wire, D = k·step the mean diameter, Di = D − d, c = D/d, N = q/4 the total
// turns; e the hooks' allowance in the free length, e = Di with round hooks and e = hookLength
// with U hooks, so that L0 = F4((N + 1)·d + 2·e); T1, T2 the target loads, t the tolerance.

namespace {

constexpr long long kMinQuarterTurns = 12; // N >= 3
constexpr double kNanometresPerMillimetre = 1e9;

// Slack of the bounds. Rounding moves every value the bounds are formed from by a few units of
// 2^-53 relative, below 1e-14; the bounds give away 1e-9.
constexpr long double kSlack = 1e-9L;
// Four significant digits move a value by at most half a unit of its fourth digit, 5e-4 of it;
// the bounds give away twice that.
constexpr long double kFourDigitSlack = 1e-3L;

// The stress limits of one wire and its hooks.
struct WireLimits {
    long double d;
    double torsionAllowable;
    double hookTorsionAllowable;
    double bendingAllowable;
    bool bendingJudged;
    long double hookFactor; // K2 of the hook's bend
    long double shearModulus;
    long double leastLoad2; // P2 is at least T2·(1 − t)
    // With an operating frequency, the most turns N·D² may reach before the spring surges (see
    // surgeTurns); NaN without one.
    long double surgeTurnsTimesDiameterSquared;
};

WireLimits wireLimits(const SearchWire& wire, const DesignRequirement& r, const SearchTargets& t,
                      const MaterialLibrary& library, const CoefficientSet& coefficients) {
    const MaterialRecord& material = library[wire.material];
    WireLimits limits{};
    limits.d = wire.d;
    // As the calculation and the extra results take them, on the coefficient set's basis; a
    // bending allowable not above 0 is no limit.
    const BasisAllowables allowables =
        basisAllowables(&material, wire.diameterIndex, wire.d, coefficients);
    limits.torsionAllowable = allowables.coilTorsion;
    limits.hookTorsionAllowable = allowables.hookTorsion;
    limits.bendingAllowable = allowables.hookBending;
    limits.bendingJudged = limits.bendingAllowable > 0;
    limits.hookFactor = coefficients.hookStressFactor;
    if (r.hookType == HookType::U)
        limits.hookFactor = hookBendTorsionFactor(
            (2 * static_cast<long double>(r.hookMinRadius) + limits.d) / limits.d);
    else if (r.hookBendRadius > 0)
        limits.hookFactor =
            hookBendTorsionFactor(2 * static_cast<long double>(*r.hookBendRadius) / limits.d);
    limits.shearModulus = material.shearModulus;
    limits.leastLoad2 = t.load2Low * (1 - kSlack);
    limits.surgeTurnsTimesDiameterSquared = std::numeric_limits<long double>::quiet_NaN();
    if (r.operatingFrequency)
        limits.surgeTurnsTimesDiameterSquared =
            1000 * limits.d *
            std::sqrt(static_cast<long double>(material.shearModulus) * 1000000 /
                      (2 * static_cast<long double>(wireDensity(material.kind)))) /
            (2 * kPi * kSurgeFrequencyRatio * static_cast<long double>(*r.operatingFrequency));
    return limits;
}

// The most turns a coil of mean diameter D may have without surging. The natural frequency
// f = (1000·d/(2·π·Na·D²))·√(G·10⁶/(2·ρ)) (calculateExtraResults) falls as the active turns Na
// rise, and the grid's Na is N (N >= 3); f >= kSurgeFrequencyRatio·f_op is
// N <= 1000·d·√(G·10⁶/(2·ρ)) / (2·π·kSurgeFrequencyRatio·f_op·D²). Infinite without an operating
// frequency; a NaN from a material without a modulus bounds nothing (the judgement finds no surge
// in a missing frequency).
long double surgeTurns(const WireLimits& w, long double D) {
    const long double turns = w.surgeTurnsTimesDiameterSquared / (D * D);
    return std::isnan(turns) ? std::numeric_limits<long double>::infinity() : turns;
}

// Twice the hooks' allowance e of a design whose diameters are set.
long double hookAllowance(const SpringDesign& design, const DesignRequirement& r) {
    return 2 * static_cast<long double>(r.hookType == HookType::U ? r.hookLength
                                                                  : design.innerDiameter);
}

// The quarter turns of the grid frame at one D: N >= 3 and L0 <= L1. L0 = F4((N + 1)·d + 2·e)
// >= ((N + 1)·d + 2·e)(1 − 5e-4), so L0 <= L1 needs N <= (L1·(1 + 1e-3) − d − 2·e)/d; the
// count is of the whole quarters up to there (a candidate above it breaks L0 <= L1, a rule of
// the design, and is no part of the grid).
long long frameLastQuarter(long double d, long double allowance, long double length1) {
    const long double turns = (length1 * (1 + kFourDigitSlack) - d - allowance) / d;
    if (!(turns >= 3))
        return kMinQuarterTurns - 1;
    return static_cast<long long>(std::floor(4 * turns * (1 + kSlack)));
}

// Why no N of this D can be feasible, when a bound of D alone shows it. These do not depend on
// N:
// - the limits on Do and Di (at the edge of their tolerance, which depends on D/d and Do alone)
//   are tested as the judgement tests them, on the same values;
// - L0 >= (4·d + 2·e)(1 − 5e-4) with N >= 3, so above maxFreeLength no N is left;
// - loads within the tolerance give P2 >= T2·(1 − t) > 0, and every stress at the top of P2's
//   band (at least P2) is the load times a factor of D and d alone: τ2 = κ·8·D·P/(π·d³) against
//   τa + 0.0005 (rule 5; the coil's maxLoad, formed with π = 3.14, is reached below τa, so the
//   limit at the band's top is stricter), τB2 = K2·8·D·P/(π·d³) against τa,
//   σA2 = P·(K1·16·D/(π·d³) + 4/(π·d²)) against σa. When the stress at T2·(1 − t) exceeds its
//   allowable by more than the slack, no N helps.
std::optional<SearchConstraint> diameterRejection(const SpringDesign& design,
                                                  const DesignRequirement& r, const WireLimits& w,
                                                  long double allowance) {
    if (!outerDiameterFits(r, design.springIndex, design.outerDiameter))
        return SearchConstraint::OuterDiameter;
    if (!innerDiameterFits(r, design.springIndex, design.innerDiameter, design.outerDiameter))
        return SearchConstraint::InnerDiameter;
    if (r.maxFreeLength && (4 * w.d + allowance) * (1 - kFourDigitSlack) > *r.maxFreeLength)
        return SearchConstraint::FreeLength;
    const long double D = design.meanDiameter;
    const long double P = w.leastLoad2;
    const long double wahl = wahlFactor(static_cast<long double>(design.springIndex));
    if (torsionalStress(wahl, D, P, w.d) > (w.torsionAllowable + kStressTolerance) * (1 + kSlack))
        return SearchConstraint::CoilStress;
    if (torsionalStress(w.hookFactor, D, P, w.d) > w.hookTorsionAllowable * (1 + kSlack))
        return SearchConstraint::HookTorsion;
    const long double loopIndex = r.hookType == HookType::Round && r.hookLoopRadius > 0
                                      ? 2 * static_cast<long double>(*r.hookLoopRadius) / w.d
                                      : D / w.d;
    const long double bendingPerLoad =
        hookBendingStressPerLoad(hookBendingFactor(loopIndex), D, w.d);
    if (w.bendingJudged && P * bendingPerLoad > w.bendingAllowable * (1 + kSlack))
        return SearchConstraint::HookBending;
    if (surgeTurns(w, D) * (1 + kSlack) < 3)
        return SearchConstraint::Surge;
    return std::nullopt;
}

// The turns that can bring both nominal loads within the tolerance (the worst case needs them
// within it too, so this bound holds for it). With C = G·d⁴/(8·D³·g) the spring rate is
// k = C/N:
// - P2 − P1 = k·(L2 − L1) whatever Pi is, and both loads within the tolerance need it within
//   [T2(1 − t) − T1(1 + t), T2(1 + t) − T1(1 − t)]: k within [rateLow, rateHigh] (the slack ε
//   added), so N >= C/rateHigh and, when rateLow > 0, N <= C/rateLow;
// - Pi lies within [low, high], which does not depend on N, and P = Pi + k·(L − L0). With
//   A = L − d − 2·e, L − L0 = A − N·d ± δ (δ = 1e-3·L1 bounds the four-digit rounding of a
//   feasible L0, which is at most L1), so k·(L − L0) lies within C·(A ∓ δ)/N − C·d:
//   P >= T(1 − t) needs C·(A + δ)/N >= y + C·d with y = T(1 − t) − high − ε, so when
//   y + C·d > 0, N <= C·(A + δ)/(y + C·d) (and no N at all when A + δ <= 0);
//   P <= T(1 + t) needs C·(A − δ)/N <= z + C·d with z = T(1 + t) − low + ε, so when A − δ > 0,
//   N >= C·(A − δ)/(z + C·d) (and no N at all when z + C·d <= 0);
//   for both working points;
// - L0 <= min(L1, maxFreeLength) itself: N <= (limit·(1 + 1e-3) − d − 2·e)/d.
// The interval of N is widened by 1e-9 of itself and a quarter turn on each side before the
// quarter turns in it are calculated. ε covers the rounding of the loads and of k·N·d = C·d:
// 1e-9·(T1 + T2 + rateHigh·L2). A rate of G <= 0 takes none of the rate bounds.
bool boundTurns(const SearchTargets& t, long double d, long double allowance,
                const InitialTensionRange& range, long double C, long long& firstQuarter,
                long long& lastQuarter) {
    long double firstTurns = 3;
    long double lastTurns = (t.lengthLimit * (1 + kFourDigitSlack) - d - allowance) / d;
    if (C > 0 && std::isfinite(C)) {
        firstTurns = std::max(firstTurns, C / t.rateHigh);
        if (t.rateLow > 0)
            lastTurns = std::min(lastTurns, C / t.rateLow);
        const long double delta = kFourDigitSlack * t.length1;
        const long double cd = C * d;
        bool none = false;
        const auto level = [&](long double length, long double lowLoad, long double highLoad) {
            const long double a = length - d - allowance;
            const long double y = lowLoad - range.high - t.loadSlack;
            if (y + cd > 0) {
                if (a + delta <= 0)
                    none = true;
                else
                    lastTurns = std::min(lastTurns, C * (a + delta) / (y + cd));
            }
            const long double z = highLoad - range.low + t.loadSlack;
            if (a - delta > 0) {
                if (z + cd <= 0)
                    none = true;
                else
                    firstTurns = std::max(firstTurns, C * (a - delta) / (z + cd));
            }
        };
        level(t.length1, t.load1Low, t.load1High);
        level(t.length2, t.load2Low, t.load2High);
        if (none)
            return false;
    }
    if (!(lastTurns >= firstTurns * (1 - kSlack)))
        return false;
    firstQuarter = std::max<long long>(
        kMinQuarterTurns, static_cast<long long>(std::ceil(4 * firstTurns * (1 - kSlack))) - 1);
    lastQuarter = static_cast<long long>(std::floor(4 * lastTurns * (1 + kSlack))) + 1;
    return firstQuarter <= lastQuarter;
}

} // namespace

SearchTargets searchTargetsOf(const DesignRequirement& r) {
    SearchTargets t{};
    t.length1 = r.length1;
    t.length2 = r.length2;
    t.load1 = r.load1;
    t.load2 = r.load2;
    t.tolerance = static_cast<long double>(r.loadTolerance) / 100;
    t.load1Low = t.load1 - t.tolerance * t.load1;
    t.load1High = t.load1 + t.tolerance * t.load1;
    t.load2Low = t.load2 - t.tolerance * t.load2;
    t.load2High = t.load2 + t.tolerance * t.load2;
    const long double span = t.length2 - t.length1;
    const long double widest = t.load2High - t.load1Low;
    t.loadSlack = kSlack * (t.load1 + t.load2 + widest / span * t.length2);
    t.rateLow = (t.load2Low - t.load1High - t.loadSlack) / span;
    t.rateHigh = (widest + t.loadSlack) / span;
    t.lengthLimit = t.length1;
    if (r.maxFreeLength)
        t.lengthLimit = std::min<long double>(t.lengthLimit, *r.maxFreeLength);
    return t;
}

namespace {

// The ± of the grade, 0 at grade 0.
double gradeTolerance(const DesignRequirement& r, double tolerance) {
    return r.toleranceGrade == kNoToleranceGrade ? 0 : tolerance;
}

} // namespace

bool outerDiameterFits(const DesignRequirement& r, double springIndex, double outerDiameter) {
    if (!r.maxOuterDiameter)
        return true;
    const double tolerance =
        gradeTolerance(r, outerDiameterTolerance(springIndex, outerDiameter, r.toleranceGrade));
    return static_cast<long double>(outerDiameter) + tolerance <= *r.maxOuterDiameter;
}

bool innerDiameterFits(const DesignRequirement& r, double springIndex, double innerDiameter,
                       double outerDiameter) {
    if (!r.minInnerDiameter)
        return true;
    const double tolerance =
        gradeTolerance(r, outerDiameterTolerance(springIndex, outerDiameter, r.toleranceGrade));
    return static_cast<long double>(innerDiameter) - tolerance >= *r.minInnerDiameter;
}

bool freeLengthFits(const DesignRequirement& r, double springIndex, double freeLength) {
    if (!r.maxFreeLength)
        return true;
    const double tolerance =
        gradeTolerance(r, freeLengthTolerance(springIndex, freeLength, r.toleranceGrade));
    return static_cast<long double>(freeLength) + tolerance <= *r.maxFreeLength;
}

double meanDiameterAt(long long k, double step) {
    // Whole nanometres divided exactly.
    const long long stepNanometres = std::llround(step * kNanometresPerMillimetre);
    return static_cast<double>(k * stepNanometres) / kNanometresPerMillimetre;
}

SpringDesign wireBaseDesign(const DesignRequirement& r, const SearchWire& wire) {
    SpringDesign base{};
    resetDesignDefaults(base);
    base.materialIndex = wire.material;
    base.diameterIndex = wire.diameterIndex;
    base.wireDiameter = wire.d;
    base.diameterKind = kMeanDiameter;
    base.lengthMode = kLengthsGiven;
    base.length1 = r.length1;
    base.length2 = r.length2;
    base.load1 = r.load1;
    base.load2 = r.load2;
    base.autoInitialTension = 0;
    base.lowTempAnnealed = r.lowTempAnnealed ? 1 : 0;
    base.hookAngle = r.hookAngle;
    base.hookLength = r.hookLength;
    base.hookOpening = r.hookOpening;
    base.hookMinRadius = r.hookMinRadius;
    return base;
}

double candidateFreeLength(const SpringDesign& design, HookType hookType) {
    const long double length = recommendedFreeLength(design, hookType);
    if (!std::isfinite(length))
        throw Error(Problem::Overflow);
    // What the free-length field reads back after the window wrote the length into it.
    return textToDouble(formatF4(length));
}

WireWork boundWire(const SearchWire& wire, const DesignRequirement& r, const SearchTargets& t,
                   const MaterialLibrary& library, const CoefficientSet& coefficients,
                   const std::optional<ExhaustiveGrid>& grid) {
    WireWork work;
    work.wire = wire;
    const WireLimits w = wireLimits(wire, r, t, library, coefficients);
    const long double ld = wire.d;
    const SpringDesign base = wireBaseDesign(r, wire);
    const double step = r.diameterStep;

    // The mean diameters of the frame, 4 <= D/d <= 22 (rules 1 and 2), one step wider on each
    // side for the rounding of D/d.
    long long firstK = std::max(1LL, static_cast<long long>(std::floor(4 * ld / step)) - 1);
    long long lastK = static_cast<long long>(std::ceil(22 * ld / step)) + 1;
    if (grid) {
        firstK = 1;
        lastK = static_cast<long long>(std::floor(grid->maxMeanDiameter / step));
    }
    for (long long k = firstK; k <= lastK; ++k) {
        SpringDesign design = base;
        try {
            setCoilDiameters(design, meanDiameterAt(k, step), wire.d);
        } catch (const Error&) {
            continue; // beyond any double: not a design
        }
        const double c = static_cast<double>(static_cast<long double>(design.meanDiameter) / ld);
        design.springIndex = c;
        if (!grid && !(c >= 4 && c <= 22))
            continue; // rules 1 and 2: outside the frame
        const long double allowance = hookAllowance(design, r);
        const long long frameLast =
            grid ? static_cast<long long>(std::floor(4 * grid->maxTotalTurns * (1 + kSlack)))
                 : frameLastQuarter(ld, allowance, t.length1);
        const std::uint64_t frame =
            static_cast<std::uint64_t>(std::max(0LL, frameLast - kMinQuarterTurns + 1));
        if (frame == 0)
            continue;
        if (!grid) {
            // No allowable torsional stress (NaN): rule 5 fails on NaN; nothing is feasible.
            if (std::isnan(w.torsionAllowable)) {
                work.pruned[static_cast<int>(SearchConstraint::DesignRules)] += frame;
                continue;
            }
            if (const std::optional<SearchConstraint> rejected =
                    diameterRejection(design, r, w, allowance)) {
                work.pruned[static_cast<int>(*rejected)] += frame;
                continue;
            }
        }
        DiameterWork item{};
        item.k = k;
        try {
            computeInitialTension(design, library, coefficients, item.range, {});
        } catch (const Error&) {
            // The calculation of every N stops at this step too.
            work.pruned[static_cast<int>(SearchConstraint::DesignRules)] += frame;
            continue;
        }
        const long double D = design.meanDiameter;
        item.rateFactor = coilSpringRate(w.shearModulus, ld, 1.0L, D); // the rate of one turn
        if (grid) {
            item.firstQuarter = kMinQuarterTurns;
            item.lastQuarter = frameLast;
        } else if (!boundTurns(t, ld, allowance, item.range, item.rateFactor, item.firstQuarter,
                               item.lastQuarter)) {
            work.pruned[static_cast<int>(SearchConstraint::Loads)] += frame;
            continue;
        }
        std::uint64_t surging = 0;
        if (!grid) {
            // The quarter turns above the surge bound, widened by 1e-9 and a quarter turn as the
            // bounds of the loads are.
            const long double most = 4 * surgeTurns(w, D) * (1 + kSlack);
            const long long lastCalm = most < static_cast<long double>(item.lastQuarter)
                                           ? static_cast<long long>(std::floor(most)) + 1
                                           : item.lastQuarter;
            if (lastCalm < item.lastQuarter) {
                surging = static_cast<std::uint64_t>(item.lastQuarter -
                                                     std::max(lastCalm, item.firstQuarter - 1));
                item.lastQuarter = lastCalm;
            }
            if (item.lastQuarter < item.firstQuarter) {
                work.pruned[static_cast<int>(SearchConstraint::Surge)] += surging;
                work.pruned[static_cast<int>(SearchConstraint::Loads)] += frame - surging;
                continue;
            }
        }
        const std::uint64_t kept =
            static_cast<std::uint64_t>(item.lastQuarter - item.firstQuarter + 1);
        work.pruned[static_cast<int>(SearchConstraint::Surge)] += surging;
        if (frame > kept + surging)
            work.pruned[static_cast<int>(SearchConstraint::Loads)] += frame - kept - surging;
        work.quarterCount += kept;
        work.diameters.push_back(item);
    }
    return work;
}

} // namespace hspring
