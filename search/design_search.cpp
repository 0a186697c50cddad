// SPDX-License-Identifier: GPL-3.0-or-later
#include "search/design_search.h"

#include "base/error.h"
#include "base/number_format.h"
#include "base/text_to_number.h"
#include "calc/checks.h"
#include "calc/design_refusal.h"
#include "calc/engine.h"
#include "calc/extra_results.h"
#include "calc/life.h"
#include "calc/parallel_runner.h"
#include "calc/spring_design.h"
#include "search/candidate_ranking.h"
#include "search/grid_bounds.h"
#include "search/load_band.h"

#include <algorithm>
#include <bit>
#include <cmath>
#include <limits>
#include <mutex>

namespace hspring {

namespace {

constexpr std::string_view kConstraintNames[kSearchConstraintCount] = {
    "outerDiameter",  "innerDiameter",  "freeLength",  "loads",
    "worstCaseLoads", "initialTension", "designRules", "coilStress",
    "hookTorsion",    "hookBending",    "life",        "surge",
};

// What an input field of four significant digits reads back after the window wrote x into it.
double fourDigitFieldValue(long double x) {
    if (!std::isfinite(x))
        return static_cast<double>(x); // no field text: the calculation judges it as it is
    return textToDouble(formatF4(x));
}

// The value of four significant digits within [low, high] nearest to x (clamped into the range
// first); the clamped value itself when the range holds no such value.
double fourDigitValueWithin(long double x, double low, double high) {
    if (!(low <= high && low > 0 && std::isfinite(x)))
        return static_cast<double>(x); // no range to keep to: the calculation judges it
    x = std::clamp<long double>(x, low, high);
    const double rounded = fourDigitFieldValue(x);
    if (rounded >= low && rounded <= high)
        return rounded;
    // Rounding crossed an end of the range: step one unit of the fourth digit inwards.
    const long double unit = std::pow(10.0L, std::floor(std::log10(x)) - 3);
    const long double inside =
        rounded > high ? std::floor(high / unit) * unit : std::ceil(low / unit) * unit;
    for (const long double v : {inside, inside - unit, inside + unit}) {
        const double value = fourDigitFieldValue(v);
        if (value >= low && value <= high)
            return value;
    }
    return static_cast<double>(x);
}

// The hook's radii and the operating frequency of a requirement, as a design carries them.
ExtraInputs extraInputsOf(const DesignRequirement& r) {
    ExtraInputs inputs;
    inputs.hookBendRadius = r.hookBendRadius.value_or(inputs.hookBendRadius);
    inputs.hookLoopRadius = r.hookLoopRadius.value_or(inputs.hookLoopRadius);
    inputs.operatingFrequency = r.operatingFrequency.value_or(inputs.operatingFrequency);
    return inputs;
}

// The smallest value of four significant digits within [low, high] not below x; NaN when there is
// none.
double fourDigitValueAtLeast(long double x, double low, double high) {
    if (!(low <= high && low > 0 && std::isfinite(x)))
        return std::numeric_limits<double>::quiet_NaN();
    if (x <= low)
        return fourDigitValueWithin(low, low, high);
    const long double unit = std::pow(10.0L, std::floor(std::log10(x)) - 3);
    const long double above = std::ceil(x / unit) * unit;
    for (const long double v : {above, above + unit}) {
        const double value = fourDigitFieldValue(v);
        if (value >= x)
            return value <= high ? value : std::numeric_limits<double>::quiet_NaN();
    }
    return std::numeric_limits<double>::quiet_NaN();
}

// The least initial tension of the window's four digits within the range at which both loads lie
// within their tolerance, nominal and worst case: for each load, Pi + a >= T(1 − t) and
// (T − Pi − a) + α·Pi + β·a <= t·T, that is Pi >= (T(1 − t) − (1 − β)·a)/(1 − α) (α < 1). Above
// these the loads leave their tolerance only on the other side, which the judgement finds.
double lowestLoadFeasible(const LoadLine& one, const LoadLine& two, const LoadToleranceFactors& f,
                          long double tolerance, const InitialTensionRange& range) {
    long double bound = range.low;
    for (const LoadLine* line : {&one, &two}) {
        const long double least = line->target * (1 - tolerance);
        bound =
            std::max({bound, least - line->a, (least - (1 - f.beta) * line->a) / (1 - f.alpha)});
    }
    return fourDigitValueAtLeast(bound, range.low, range.high);
}

// How many times the interval of initial tensions is halved at most: four digits of a value
// within a range of the tension's own size are found within 2^14.
constexpr int kInitialTensionHalvings = 14;

// The production tolerance factors of a grade for a candidate's active turns; none (0, 0) at
// grade 0.
LoadToleranceFactors bandFactors(int grade, double activeTurns) {
    return loadToleranceFactors(grade, activeTurns).value_or(LoadToleranceFactors{0, 0});
}

// How a calculated candidate stands against the loads' band and the stress limits.
struct BandJudgement {
    double deviation1 = 0; // worst-case relative deviations, fractions
    double deviation2 = 0;
    double coilUse = 0;        // τ at the top of P2's band / allowableStress
    double hookTorsionUse = 0; // τB there / hookTorsionAllowable
    double hookBendingUse = std::numeric_limits<double>::quiet_NaN(); // NaN: not judged
    GoverningPart nearest = GoverningPart::Coil;
    long double tolerance1 = 0; // ΔP1 and ΔP2, kgf (0 at grade 0)
    long double tolerance2 = 0;
};

BandJudgement judgeBand(const SpringDesign& s, const ExtraResults& x, int grade,
                        const DesignRequirement& r) {
    BandJudgement j;
    const LoadToleranceFactors f = bandFactors(grade, s.activeTurns);
    const long double pi = s.initialTension;
    const long double a1 = std::max(static_cast<long double>(s.load1) - pi, 0.0L);
    const long double a2 = std::max(static_cast<long double>(s.load2) - pi, 0.0L);
    j.deviation1 = static_cast<double>(worstDeviation(pi, {a1, r.load1}, f));
    j.deviation2 = static_cast<double>(worstDeviation(pi, {a2, r.load2}, f));
    // The limits of the coil and the hooks are loads (maxLoad, hookTorsionLimitLoad and
    // hookBendingLimitLoad of the extra results, whose smallest is maxLoadWithHooks): the share
    // of each used at the top of P2's band is that load over the limit. A material without
    // bending data has no bending allowable and sets no bending limit.
    j.tolerance1 = f.alpha * pi + f.beta * a1;
    j.tolerance2 = f.alpha * pi + f.beta * a2;
    const long double top = s.load2 + j.tolerance2;
    j.coilUse = static_cast<double>(top / s.maxLoad);
    j.hookTorsionUse = static_cast<double>(top / x.hookTorsionLimitLoad);
    if (!std::isnan(x.hookBendingAllowable))
        j.hookBendingUse = static_cast<double>(top / x.hookBendingLimitLoad);
    double largest = j.coilUse;
    if (j.hookTorsionUse > largest) {
        largest = j.hookTorsionUse;
        j.nearest = GoverningPart::HookTorsion;
    }
    if (j.hookBendingUse > largest)
        j.nearest = GoverningPart::HookBending;
    return j;
}

// What one worker gathers.
struct Worker {
    explicit Worker(std::size_t capacity) : best(capacity), nearest(1) {}
    BestEntries best;
    std::uint64_t calculated = 0;
    std::uint64_t feasible = 0;
    std::array<std::uint64_t, kSearchConstraintCount> rejected{};
    // Explaining: the candidate that broke the fewest constraints.
    BestEntries nearest;
};

// One search: the requirement, the data and what the workers share.
class Search {
public:
    Search(const DesignRequirement& requirement, const MaterialLibrary& library,
           const CoefficientSet& coefficients, const SearchControl& control)
        : r_(requirement), library_(library), coefficients_(coefficients), control_(control),
          targets_(searchTargetsOf(requirement)), inputs_(extraInputsOf(requirement)) {}

    SearchOutcome run(const std::vector<int>& materials);

private:
    bool cancelled() const {
        return control_.cancel && control_.cancel->load(std::memory_order_relaxed);
    }
    std::vector<WireWork> boundWires(const std::vector<int>& materials) const;
    void calculateWire(const WireWork& work, Worker& worker, bool explaining) const;
    void tryCandidate(SpringDesign design, double turns, const DiameterWork& diameter,
                      Worker& worker, bool explaining) const;
    std::uint32_t judge(const SpringDesign& result, const InitialTensionRange& range,
                        const ExtraResults& extras, bool explaining) const;
    int lifeAtBandEdges(const SpringDesign& s, const ExtraResults& x,
                        const BandJudgement& band) const;
    RankedEntry rankedEntry(const SpringDesign& inputs, const SpringDesign& result,
                            const ExtraResults& extras) const;
    void progress(std::uint64_t calculated);
    SearchCandidate candidateOf(const RankedEntry& entry, int rank) const;
    SearchExplanation explain(const std::vector<WireWork>& work, const std::vector<Worker>& first,
                              const std::vector<Worker>& explaining) const;

    const DesignRequirement& r_;
    const MaterialLibrary& library_;
    const CoefficientSet& coefficients_;
    const SearchControl& control_;
    const SearchTargets targets_;
    const ExtraInputs inputs_;
    std::mutex progressMutex_;
    std::uint64_t done_ = 0;
    std::uint64_t total_ = 0;
};

// The bounds of every wire, on every thread: the work and the total the progress is told.
std::vector<WireWork> Search::boundWires(const std::vector<int>& materials) const {
    std::vector<SearchWire> wires;
    for (const int m : materials) {
        const MaterialRecord& material = library_[m];
        for (int i = 0; i < usedDiameterCount(material); ++i) {
            const double listed = material.diameters[i];
            if (!(std::isfinite(listed) && listed > 0))
                continue; // no wire: no coil, no calculation that completes
            // The window reads the wire diameter from the list's fifteen-digit text.
            wires.push_back({m, i, textToDouble(formatF15(listed))});
        }
    }
    std::vector<WireWork> work(wires.size());
    forEachInParallel(wires.size(), parallelThreadCount(control_.threads),
                      [&](std::size_t index, int) {
                          if (!cancelled())
                              work[index] = boundWire(wires[index], r_, targets_, library_,
                                                      coefficients_, control_.exhaustive);
                      });
    // The long items first, so that they do not come last.
    std::stable_sort(work.begin(), work.end(), [](const WireWork& a, const WireWork& b) {
        return a.quarterCount > b.quarterCount;
    });
    return work;
}

void Search::calculateWire(const WireWork& work, Worker& worker, bool explaining) const {
    const SpringDesign base = wireBaseDesign(r_, work.wire);
    for (const DiameterWork& diameter : work.diameters) {
        if (cancelled())
            return;
        SpringDesign design = base;
        setCoilDiameters(design, meanDiameterAt(diameter.k, r_.diameterStep), work.wire.d);
        design.springIndex = static_cast<double>(static_cast<long double>(design.meanDiameter) /
                                                 static_cast<long double>(work.wire.d));
        for (long long q = diameter.firstQuarter; q <= diameter.lastQuarter; ++q)
            tryCandidate(design, static_cast<double>(q) / 4, diameter, worker, explaining);
    }
}

// The spring's life class (the longer the class, the shorter the life) at the loads' production
// tolerance: the nominal working points and the band's worst corner, P1 at the bottom of its band
// with P2 at the top of its. Every life line and static limit asks upper <= s + m·lower with
// 0 <= m < 1, so raising the upper stress or lowering the lower one can only shorten the life:
// the corner (P1 − ΔP1, P2 + ΔP2) gives the shortest life of the four corners of the two bands,
// and the stresses are the loads times factors of D and d alone. Missing (the shortest class)
// when a life is.
int Search::lifeAtBandEdges(const SpringDesign& s, const ExtraResults& x,
                            const BandJudgement& band) const {
    const auto nominal = [](const ExtraResults& e) {
        return e.springLifeClass ? *e.springLifeClass : kShortestLifeClass;
    };
    if (r_.toleranceGrade == kNoToleranceGrade)
        return nominal(x);
    const long double pi = s.initialTension;
    const long double p1 = std::max(static_cast<long double>(s.load1), pi);
    const long double p2 = s.load2;
    const long double low1 = std::max(p1 - band.tolerance1, 0.0L);
    const long double top2 = p2 + band.tolerance2;
    SpringDesign edge = s;
    edge.initialTension = static_cast<double>(low1); // the calculation's P1: max(Pi, load1)
    edge.load1 = static_cast<double>(low1);
    edge.load2 = static_cast<double>(top2);
    edge.stress1 = static_cast<double>(s.stress1 * (low1 / p1));
    edge.stress2 = static_cast<double>(s.stress2 * (top2 / p2));
    const ExtraResults atEdge =
        calculateExtraResults(edge, library_, coefficients_, r_.hookType, inputs_);
    return std::max(nominal(x), nominal(atEdge));
}

// The constraints a calculated candidate breaks, as bits of SearchConstraint: the first alone
// unless explaining.
std::uint32_t Search::judge(const SpringDesign& s, const InitialTensionRange& range,
                            const ExtraResults& x, bool explaining) const {
    std::uint32_t broken = 0;
    const auto breaks = [&](SearchConstraint c) {
        broken |= std::uint32_t{1} << static_cast<int>(c);
        return !explaining;
    };
    const SearchTargets& t = targets_;
    const auto within = [](double load, long double target, long double tolerance) {
        return std::fabs(static_cast<long double>(load) - target) <= tolerance * target;
    };
    if (!within(s.load1, t.load1, t.tolerance) || !within(s.load2, t.load2, t.tolerance))
        if (breaks(SearchConstraint::Loads))
            return broken;
    const BandJudgement band = judgeBand(s, x, r_.toleranceGrade, r_);
    if (r_.toleranceGrade != kNoToleranceGrade &&
        !(band.deviation1 <= t.tolerance && band.deviation2 <= t.tolerance))
        if (breaks(SearchConstraint::WorstCaseLoads))
            return broken;
    if (!(s.initialTension >= range.low && s.initialTension <= range.high))
        if (breaks(SearchConstraint::InitialTension))
            return broken;
    if ((!outerDiameterFits(r_, s.springIndex, s.outerDiameter) &&
         breaks(SearchConstraint::OuterDiameter)) ||
        (!innerDiameterFits(r_, s.springIndex, s.innerDiameter, s.outerDiameter) &&
         breaks(SearchConstraint::InnerDiameter)) ||
        (!freeLengthFits(r_, s.springIndex, s.freeLength) && breaks(SearchConstraint::FreeLength)))
        return broken;
    if (!checkDesign(s).empty() && breaks(SearchConstraint::DesignRules))
        return broken;
    // The load at the top of P2's band within each limit: the coil's, the hook bend's and, when
    // the material gives a bending allowable, the hook loop's.
    if ((!(band.coilUse <= 1) && breaks(SearchConstraint::CoilStress)) ||
        (!(band.hookTorsionUse <= 1) && breaks(SearchConstraint::HookTorsion)) ||
        (!std::isnan(x.hookBendingAllowable) && !(band.hookBendingUse <= 1) &&
         breaks(SearchConstraint::HookBending)))
        return broken;
    if (r_.requiredLifeClass && !(lifeAtBandEdges(s, x, band) <= *r_.requiredLifeClass) &&
        breaks(SearchConstraint::Life))
        return broken;
    if (x.surges)
        breaks(SearchConstraint::Surge);
    return broken;
}

RankedEntry Search::rankedEntry(const SpringDesign& inputs, const SpringDesign& result,
                                const ExtraResults& extras) const {
    RankedEntry entry;
    const double mass = sortsLastWhenMissing(extras.springMass);
    const BandJudgement band = judgeBand(result, extras, r_.toleranceGrade, r_);
    switch (r_.objective) {
    case SearchObjective::Mass:
        entry.primary = mass;
        break;
    case SearchObjective::Life:
        entry.primary = extras.springLifeClass ? *extras.springLifeClass : kLifeClassCount;
        entry.secondary = mass;
        break;
    case SearchObjective::Margin:
        // The least margin, as a use.
        entry.primary = sortsLastWhenMissing(
            std::max({band.coilUse, band.hookTorsionUse,
                      std::isnan(band.hookBendingUse) ? band.coilUse : band.hookBendingUse}));
        break;
    case SearchObjective::Accuracy:
        entry.primary = sortsLastWhenMissing(std::max(band.deviation1, band.deviation2));
        entry.secondary = mass;
        break;
    }
    entry.material = inputs.materialIndex;
    entry.wireDiameter = inputs.wireDiameter;
    entry.diameterIndex = inputs.diameterIndex;
    entry.meanDiameter = inputs.meanDiameter;
    entry.totalTurns = inputs.totalTurns;
    entry.inputs = inputs;
    return entry;
}

// Calculates one candidate as the window would and keeps it when it is feasible (or, explaining,
// when it breaks fewer constraints than those seen).
//
// The initial tension. Everything the judgement asks of a candidate either does not depend on Pi
// (the room, the turns, the index, the surge) or depends on it in one of two ways, with
// P = Pi + a, a = k·(L − L0) >= 0 fixed by the geometry:
// - the loads within their tolerance, nominal and worst case, and Pi within the recommended
//   range: each an interval of Pi ((|Pi + a − T| + α·Pi + β·a)/T <= t is a V cut at a level),
//   so together an interval [Plo, Phi] whose lowest point is
//   Plo = max(low, T(1 − t) − a, (T(1 − t) − (1 − β)·a)/(1 − α)) over both loads;
// - the stresses (rule 5, the coil's and the hooks' limits at the top of P2's band) and the
//   lives: every stress is a load times a factor of D and d, each load and each end of a band
//   rises with Pi, and each life line and static limit asks upper <= s + m·lower with m < 1, so
//   what holds at one Pi holds at every smaller one.
// So the feasible Pi form an interval [Plo, x*] (empty when the spring is infeasible at Plo):
// whenever any Pi makes the spring feasible, Plo does. Within it the mass does not change; the
// worst-case deviation is convex with its least value at the centring value Pc (Pc lies in
// [Plo, Phi] whenever that is not empty, since it is the least of the deviations over the range),
// so the best Pi for accuracy, and for mass with accuracy as the tie-break, is Pc when it is
// feasible and otherwise x*, the largest feasible value below Pc, found by halving [Plo, Pc] on
// the four-digit values the field can hold. The stress margin is largest at Plo. The life class
// only shortens as Pi rises: the best of Plo's class and of the value nearest Pc, the nearer one
// on a tie.
void Search::tryCandidate(SpringDesign design, double turns, const DiameterWork& diameter,
                          Worker& worker, bool explaining) const {
    const SearchTargets& t = targets_;
    setTurns(design, turns);
    double freeLength = 0;
    try {
        freeLength = candidateFreeLength(design, r_.hookType);
    } catch (const Error&) {
        return;
    }
    // L0 <= L1, on the value the calculation will judge: outside the grid's frame.
    if (!control_.exhaustive && !(freeLength <= r_.length1))
        return;
    design.freeLength = freeLength;

    // The centring value: P = Pi + a, a = k·(L − L0), centred by its worst-case deviations (see
    // centringInitialTension); at grade 0 the two nominal deviations opposite,
    // Pi = (2·T1·T2 − a1·T2 − a2·T1)/(T1 + T2), clamped to the range.
    const long double rate = diameter.rateFactor / turns;
    const LoadLine one{rate * (t.length1 - freeLength), t.load1};
    const LoadLine two{rate * (t.length2 - freeLength), t.load2};
    const LoadToleranceFactors factors = bandFactors(r_.toleranceGrade, design.activeTurns);
    long double best = 0;
    if (r_.toleranceGrade == kNoToleranceGrade)
        best = (2 * t.load1 * t.load2 - one.a * t.load2 - two.a * t.load1) / (t.load1 + t.load2);
    else
        best = centringInitialTension(one, two, factors, diameter.range.low, diameter.range.high);
    const double centred = fourDigitValueWithin(best, diameter.range.low, diameter.range.high);

    // A spring whose hook cannot be drawn (a U hook that does not fit its coil) is no candidate.
    if (refusedInput(design, r_.hookType)) {
        if (!explaining)
            ++worker.rejected[static_cast<int>(SearchConstraint::DesignRules)];
        return;
    }
    ++worker.calculated;
    struct Attempt {
        SpringDesign inputs;
        SpringDesign result;
        ExtraResults extras;
        std::uint32_t broken = 0;
        bool calculated = false;
    };
    const auto attempt = [&](double initialTension) {
        Attempt a;
        a.inputs = design;
        a.inputs.initialTension = initialTension;
        a.result = a.inputs;
        InitialTensionRange calculatedRange;
        try {
            calculateDesign(a.result, library_, coefficients_, calculatedRange, {});
        } catch (const Error&) {
            return a;
        }
        a.calculated = true;
        a.extras = calculateExtraResults(a.result, library_, coefficients_, r_.hookType, inputs_);
        a.broken = judge(a.result, calculatedRange, a.extras, explaining);
        return a;
    };
    const Attempt centredAttempt = attempt(centred);
    if (!centredAttempt.calculated) {
        if (!explaining)
            ++worker.rejected[static_cast<int>(SearchConstraint::DesignRules)];
        return;
    }
    if (explaining) {
        RankedEntry entry =
            rankedEntry(centredAttempt.inputs, centredAttempt.result, centredAttempt.extras);
        entry.secondary = entry.primary;
        entry.primary = std::popcount(centredAttempt.broken);
        worker.nearest.offer(entry);
        return;
    }
    const auto feasible = [](const Attempt& a) { return a.calculated && a.broken == 0; };
    const auto life = [](const Attempt& a) {
        return a.extras.springLifeClass ? *a.extras.springLifeClass : kLifeClassCount;
    };

    // Only a constraint that a smaller Pi can mend sends the search below the centring value.
    const std::uint32_t mendable =
        (std::uint32_t{1} << static_cast<int>(SearchConstraint::DesignRules)) |
        (std::uint32_t{1} << static_cast<int>(SearchConstraint::CoilStress)) |
        (std::uint32_t{1} << static_cast<int>(SearchConstraint::HookTorsion)) |
        (std::uint32_t{1} << static_cast<int>(SearchConstraint::HookBending)) |
        (std::uint32_t{1} << static_cast<int>(SearchConstraint::Life));
    const bool centredFeasible = feasible(centredAttempt);
    const bool lowerMayHelp = centredFeasible ? r_.objective == SearchObjective::Margin ||
                                                    r_.objective == SearchObjective::Life
                                              : (centredAttempt.broken & mendable) != 0;
    const Attempt* chosen = centredFeasible ? &centredAttempt : nullptr;
    Attempt lowestAttempt;
    Attempt nearestAttempt;
    if (lowerMayHelp) {
        const double lowest = lowestLoadFeasible(one, two, factors, t.tolerance, diameter.range);
        if (lowest < centred)
            lowestAttempt = attempt(lowest);
        if (feasible(lowestAttempt)) {
            if (!centredFeasible) {
                // Halve [lowest, centred] for the largest feasible value below the centring one.
                double low = lowest;
                double high = centred;
                nearestAttempt = lowestAttempt;
                for (int step = 0; step < kInitialTensionHalvings; ++step) {
                    const double middle =
                        fourDigitValueWithin((static_cast<long double>(low) + high) / 2, low, high);
                    if (!(middle > low && middle < high))
                        break;
                    Attempt a = attempt(middle);
                    if (feasible(a)) {
                        low = middle;
                        nearestAttempt = std::move(a);
                    } else {
                        high = middle;
                    }
                }
                chosen = &nearestAttempt;
            }
            if (r_.objective == SearchObjective::Margin ||
                (r_.objective == SearchObjective::Life && life(lowestAttempt) < life(*chosen)))
                chosen = &lowestAttempt;
        }
    }
    if (!chosen) {
        ++worker.rejected[std::countr_zero(centredAttempt.broken)];
        return;
    }
    ++worker.feasible;
    worker.best.offer(rankedEntry(chosen->inputs, chosen->result, chosen->extras));
}

void Search::progress(std::uint64_t calculated) {
    const std::lock_guard lock(progressMutex_);
    done_ += calculated;
    control_.progress(done_, total_);
}

SearchCandidate Search::candidateOf(const RankedEntry& entry, int rank) const {
    SearchCandidate candidate;
    candidate.rank = rank;
    candidate.result = evaluateDesign(entry.inputs, library_, coefficients_, r_.hookType,
                                      r_.toleranceGrade, inputs_);
    const BandJudgement band =
        judgeBand(candidate.result.design, candidate.result.extras, r_.toleranceGrade, r_);
    candidate.coilStressUse = band.coilUse;
    candidate.hookStressUse = std::isnan(band.hookBendingUse)
                                  ? band.hookTorsionUse
                                  : std::max(band.hookTorsionUse, band.hookBendingUse);
    if (std::isnan(band.hookTorsionUse) || std::isnan(candidate.result.extras.hookBendingStress2))
        if (!std::isnan(candidate.result.extras.hookBendingAllowable))
            candidate.hookStressUse = std::numeric_limits<double>::quiet_NaN();
    candidate.nearestLimit = band.nearest;
    candidate.worstDeviation1 = band.deviation1;
    candidate.worstDeviation2 = band.deviation2;
    return candidate;
}

// Why nothing was feasible: the bounds' and the judgement's counts of the first pass, and the
// nearest miss of the explaining pass.
SearchExplanation Search::explain(const std::vector<WireWork>& work,
                                  const std::vector<Worker>& first,
                                  const std::vector<Worker>& explaining) const {
    SearchExplanation explanation;
    for (const WireWork& w : work)
        for (int c = 0; c < kSearchConstraintCount; ++c)
            explanation.rejected[static_cast<std::size_t>(c)] +=
                w.pruned[static_cast<std::size_t>(c)];
    for (const Worker& worker : first)
        for (int c = 0; c < kSearchConstraintCount; ++c)
            explanation.rejected[static_cast<std::size_t>(c)] +=
                worker.rejected[static_cast<std::size_t>(c)];
    std::vector<const BestEntries*> nearest;
    for (const Worker& worker : explaining)
        nearest.push_back(&worker.nearest);
    const std::vector<RankedEntry> miss = mergeBest(nearest, 1);
    if (miss.empty())
        return explanation;
    SearchExplanation::NearestMiss nearestMiss;
    nearestMiss.result = evaluateDesign(miss.front().inputs, library_, coefficients_, r_.hookType,
                                        r_.toleranceGrade, inputs_);
    const std::uint32_t broken =
        judge(nearestMiss.result.design, nearestMiss.result.range, nearestMiss.result.extras, true);
    for (int c = 0; c < kSearchConstraintCount; ++c)
        if (broken & (std::uint32_t{1} << c))
            nearestMiss.broken.push_back(static_cast<SearchConstraint>(c));
    explanation.nearestMiss = std::move(nearestMiss);
    return explanation;
}

SearchOutcome Search::run(const std::vector<int>& materials) {
    const std::vector<WireWork> work = boundWires(materials);
    for (const WireWork& w : work)
        total_ += w.quarterCount;

    const int threads = parallelThreadCount(control_.threads);
    const auto pass = [&](bool explaining) {
        std::vector<Worker> workers(static_cast<std::size_t>(threads),
                                    Worker(static_cast<std::size_t>(r_.count)));
        forEachInParallel(work.size(), threads, [&](std::size_t index, int worker) {
            if (cancelled())
                return;
            Worker& w = workers[static_cast<std::size_t>(worker)];
            const std::uint64_t before = w.calculated;
            calculateWire(work[index], w, explaining);
            if (control_.progress && !explaining)
                progress(w.calculated - before);
        });
        return workers;
    };
    std::vector<Worker> workers = pass(false);

    SearchOutcome outcome;
    std::vector<const BestEntries*> best;
    for (const Worker& worker : workers) {
        outcome.calculated += worker.calculated;
        outcome.feasible += worker.feasible;
        best.push_back(&worker.best);
    }
    if (cancelled()) {
        outcome.cancelled = true;
        return outcome;
    }
    int rank = 0;
    for (const RankedEntry& entry : mergeBest(best, static_cast<std::size_t>(r_.count)))
        outcome.candidates.push_back(candidateOf(entry, ++rank));
    if (outcome.feasible == 0) {
        const std::vector<Worker> explaining = pass(true);
        if (cancelled()) {
            outcome.cancelled = true;
            return outcome;
        }
        outcome.explanation = explain(work, workers, explaining);
    }
    return outcome;
}

} // namespace

std::string_view searchConstraintName(SearchConstraint constraint) {
    return kConstraintNames[static_cast<int>(constraint)];
}

SearchOutcome searchDesigns(const DesignRequirement& requirement, const MaterialLibrary& library,
                            const CoefficientSet& coefficients, const SearchControl& control) {
    if (checkRequirement(requirement, library))
        throw Error(Problem::RequirementUnsearchable);
    CoefficientSet chosen = coefficients;
    if (requirement.designBasis)
        setDesignBasis(chosen, *requirement.designBasis);
    return Search(requirement, library, chosen, control)
        .run(allowedMaterials(requirement, library));
}

} // namespace hspring
