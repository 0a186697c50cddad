#include "search/design_search.h"

#include "base/error.h"
#include "base/number_format.h"
#include "base/text_to_number.h"
#include "calc/checks.h"
#include "calc/engine.h"
#include "calc/extra_results.h"
#include "calc/life.h"
#include "calc/parallel_runner.h"
#include "calc/recommendations.h"
#include "calc/spring_constants.h"
#include "calc/spring_design.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <mutex>
#include <set>

namespace hspring {

namespace {

constexpr long double kStressTolerance = 0.0005L; // stress2 may exceed the allowable by this
constexpr int kMinQuarterTurns = 12;              // N >= 3
constexpr double kMinDiameterStep = 0.001;        // mm
constexpr double kMaxDiameterStep = 100;          // mm
constexpr int kMaxCount = 1000;
constexpr double kNanometresPerMillimetre = 1e9;

// Slack of the pruning bounds (see searchWireDiameter). Rounding moves every value the bounds
// are formed from by a few units of 2^-53 relative, below 1e-14; the bounds give away 1e-9.
constexpr long double kSlack = 1e-9L;
// Four significant digits move a value by at most half a unit of its fourth digit, 5e-4 of it;
// the bounds give away twice that.
constexpr long double kFourDigitSlack = 1e-3L;

struct ObjectiveName {
    SearchObjective objective;
    std::string_view name;
};
constexpr ObjectiveName kObjectiveNames[] = {
    {SearchObjective::Mass, "mass"},
    {SearchObjective::Life, "life"},
    {SearchObjective::Margin, "margin"},
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

// A feasible candidate while the search runs: its inputs and what ranks it.
struct Entry {
    double primary = 0;   // by the objective, smaller first
    double secondary = 0; // then this, smaller first
    int material = 0;
    double wireDiameter = 0;
    int diameterIndex = 0;
    double meanDiameter = 0;
    double totalTurns = 0;
    SpringDesign inputs{};
};

// Whether a ranks before b: a total order, so any split of the work gives the same list.
bool ranksBefore(const Entry& a, const Entry& b) {
    if (a.primary != b.primary)
        return a.primary < b.primary;
    if (a.secondary != b.secondary)
        return a.secondary < b.secondary;
    if (a.material != b.material)
        return a.material < b.material;
    if (a.wireDiameter != b.wireDiameter)
        return a.wireDiameter < b.wireDiameter;
    if (a.diameterIndex != b.diameterIndex)
        return a.diameterIndex < b.diameterIndex;
    if (a.meanDiameter != b.meanDiameter)
        return a.meanDiameter < b.meanDiameter;
    return a.totalTurns < b.totalTurns;
}

// The best entries seen by one worker: a heap whose top is the worst kept.
class BestEntries {
public:
    explicit BestEntries(std::size_t capacity) : capacity_(capacity) {}

    void offer(const Entry& entry) {
        if (entries_.size() < capacity_) {
            entries_.push_back(entry);
            std::push_heap(entries_.begin(), entries_.end(), ranksBefore);
        } else if (ranksBefore(entry, entries_.front())) {
            std::pop_heap(entries_.begin(), entries_.end(), ranksBefore);
            entries_.back() = entry;
            std::push_heap(entries_.begin(), entries_.end(), ranksBefore);
        }
    }
    const std::vector<Entry>& entries() const { return entries_; }

private:
    std::size_t capacity_;
    std::vector<Entry> entries_;
};

// A NaN sorts last.
double orLast(double value) {
    return std::isnan(value) ? std::numeric_limits<double>::infinity() : value;
}

// Whether the hook's bending stress is judged: a material without bending data gives no
// allowable bending stress (missing), and so sets no limit.
bool bendingLimited(const ExtraResults& extras) {
    return !std::isnan(extras.hookBendingAllowable);
}

// Shares of the allowable stresses a calculated design uses.
struct StressUse {
    double coil;
    double hook;
};
StressUse stressUse(const SpringDesign& design, const ExtraResults& extras) {
    const long double allowable = design.allowableStress;
    const double torsion = static_cast<double>(extras.hookTorsionStress2 / allowable);
    double hook = torsion;
    if (bendingLimited(extras)) {
        const double bending = static_cast<double>(
            extras.hookBendingStress2 / static_cast<long double>(extras.hookBendingAllowable));
        hook = std::isnan(torsion) || std::isnan(bending) ? std::numeric_limits<double>::quiet_NaN()
                                                          : std::max(torsion, bending);
    }
    return {static_cast<double>(design.stress2 / allowable), hook};
}

// The requirement in the form the search uses it.
struct Targets {
    long double length1, length2, load1, load2;
    long double tolerance; // a fraction of the target
    // Loads within the tolerance lie in these ranges.
    long double load1Low, load1High, load2Low, load2High;
    // The spring rates that can bring both loads within the tolerance (see searchWireDiameter).
    long double rateLow, rateHigh;
    long double loadSlack;
};

Targets targetsOf(const DesignRequirement& r) {
    Targets t{};
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
    return t;
}

bool withinTolerance(double load, long double target, long double tolerance) {
    return std::fabs(static_cast<long double>(load) - target) <= tolerance * target;
}

// One search: the requirement, the data and what the workers share.
class Search {
public:
    Search(const DesignRequirement& requirement, const MaterialLibrary& library,
           const CoefficientSet& coefficients, const SearchControl& control)
        : r_(requirement), library_(library), coefficients_(coefficients), control_(control),
          targets_(targetsOf(requirement)),
          stepNanometres_(std::llround(requirement.diameterStep * kNanometresPerMillimetre)) {}

    SearchOutcome run(const std::vector<int>& materials);

private:
    struct Worker {
        explicit Worker(std::size_t capacity) : best(capacity) {}
        BestEntries best;
        std::uint64_t calculated = 0;
        std::uint64_t feasible = 0;
    };
    struct WireDiameter {
        int material;
        int diameterIndex;
        double d;
    };

    bool cancelled() const {
        return control_.cancel && control_.cancel->load(std::memory_order_relaxed);
    }
    double meanDiameterAt(long long k) const {
        // The double nearest the decimal k · step: whole nanometres divided exactly.
        return static_cast<double>(k * stepNanometres_) / kNanometresPerMillimetre;
    }
    void searchWireDiameter(const WireDiameter& wire, Worker& worker) const;
    void tryCandidate(SpringDesign design, double turns, const InitialTensionRange& range,
                      long double rateFactor, Worker& worker) const;

    const DesignRequirement& r_;
    const MaterialLibrary& library_;
    const CoefficientSet& coefficients_;
    const SearchControl& control_;
    const Targets targets_;
    const long long stepNanometres_;
};

// The pruning, and why it never drops a feasible candidate. Everything below holds for the
// engine's own values up to rounding, which moves them by far less than the slack given away.
//
// For one material and wire diameter d (allowable stresses τa torsion, σa bending):
// - no allowable torsional stress (NaN): rule 5 fails on NaN; nothing is feasible. (No allowable
//   bending stress, missing or not above 0, sets no limit: the hook's bending is not judged.)
//
// For one mean diameter D (Di = D − d, Do = D + d as the window forms them, index c = D/d):
// - rules 1 and 2 and the limits on Do and Di are tested as checkDesign and the search test
//   them, on the same values; they do not depend on N;
// - L0 = F4((N + 1)·d + 2·Di) with N >= 3 is at least F4(4·d + 2·Di) >= (4·d + 2·Di)(1 − 5e-4),
//   and rule 4 needs L0 <= L1 (and the limit L0 <= maxFreeLength): D above
//   (L1·(1 + 1e-3) − 2·d) / 2 leaves no N;
// - loads within the tolerance give P2 >= T2·(1 − t) > 0, and every stress at working point 2 is
//   P2 times a factor of D and d alone: τ2 = κ·8·D·P2/(π·d³) against τa + 0.0005 (rule 5),
//   τB2 = K2·8·D·P2/(π·d³) against τa, σA2 = P2·(K1·16·D/(π·d³) + 4/(π·d²)) against σa. When
//   the stress at T2·(1 − t) exceeds its allowable by more than the slack, no N helps.
//
// For the turns, with C = G·d⁴/(8·D³·g) the spring rate is k = C/N:
// - P2 − P1 = k·(L2 − L1) whatever Pi is, and both loads within the tolerance need it within
//   [T2(1 − t) − T1(1 + t), T2(1 + t) − T1(1 − t)]: k within [rateLow, rateHigh] (the slack ε
//   added), so N >= C/rateHigh and, when rateLow > 0, N <= C/rateLow;
// - Pi lies within [low, high], which does not depend on N, and P = Pi + k·(L − L0). With
//   A = L − d − 2·Di, L − L0 = A − N·d ± δ (δ = 1e-3·L1 bounds the four-digit rounding of a
//   feasible L0, which is at most L1), so k·(L − L0) lies within C·(A ∓ δ)/N − C·d:
//   P >= T(1 − t) needs C·(A + δ)/N >= y + C·d with y = T(1 − t) − high − ε, so when
//   y + C·d > 0, N <= C·(A + δ)/(y + C·d) (and no N at all when A + δ <= 0);
//   P <= T(1 + t) needs C·(A − δ)/N <= z + C·d with z = T(1 + t) − low + ε, so when A − δ > 0,
//   N >= C·(A − δ)/(z + C·d) (and no N at all when z + C·d <= 0);
//   for both working points;
// - rule 4 itself: N <= (L1·(1 + 1e-3) − d − 2·Di)/d.
// The interval of N is widened by 1e-9 of itself and a quarter turn on each side before the
// quarter turns in it are calculated. ε covers the rounding of the loads and of k·N·d = C·d:
// 1e-9·(T1 + T2 + rateHigh·L2). A rate of G <= 0 takes none of the rate bounds.
void Search::searchWireDiameter(const WireDiameter& wire, Worker& worker) const {
    const MaterialRecord& material = library_[wire.material];
    const double d = wire.d;
    const Targets& t = targets_;
    const std::optional<ExhaustiveGrid>& grid = control_.exhaustive;

    const double torsionAllowable =
        springAllowableStress(&material, AllowableStressKind::Torsion, d, coefficients_);
    // As the extra results take it: a value not above 0 is no limit.
    const double bendingAllowable =
        springAllowableStress(&material, AllowableStressKind::Bending, d, coefficients_);
    const bool bendingJudged = bendingAllowable > 0;
    if (!grid && std::isnan(torsionAllowable))
        return;
    const long double ld = d;
    const long double cubed = ld * ld * ld;
    long double hookFactor = coefficients_.hookStressFactor;
    if (r_.hookType == HookType::U) {
        const long double c2 = (2 * static_cast<long double>(r_.hookMinRadius) + ld) / ld;
        hookFactor = (4 * c2 - 1) / (4 * c2 - 4);
    }
    const long double shearModulus = material.shearModulus;
    const long double loadAtTwo = t.load2Low * (1 - kSlack); // the least P2 can be

    SpringDesign base{};
    resetDesignDefaults(base);
    base.materialIndex = wire.material;
    base.diameterIndex = wire.diameterIndex;
    base.wireDiameter = d;
    base.diameterKind = kMeanDiameter;
    base.lengthMode = kLengthsGiven;
    base.length1 = r_.length1;
    base.length2 = r_.length2;
    base.load1 = r_.load1;
    base.load2 = r_.load2;
    base.autoInitialTension = 0;
    base.lowTempAnnealed = r_.lowTempAnnealed ? 1 : 0;
    base.hookAngle = r_.hookAngle;
    base.hookLength = r_.hookLength;
    base.hookOpening = r_.hookOpening;
    base.hookMinRadius = r_.hookMinRadius;

    // L0 may be at most L1 (rule 4) and the limit.
    long double lengthLimit = t.length1;
    if (r_.maxFreeLength)
        lengthLimit = std::min<long double>(lengthLimit, *r_.maxFreeLength);

    // The mean diameters: by the spring index, the limits and the free length.
    const double step = r_.diameterStep;
    long long firstK = 1;
    long long lastK = 0;
    if (grid) {
        lastK = static_cast<long long>(std::floor(grid->maxMeanDiameter / step));
    } else {
        long double low = 4 * ld;
        long double high = 22 * ld;
        if (r_.minInnerDiameter)
            low = std::max<long double>(low, *r_.minInnerDiameter + ld);
        if (r_.maxOuterDiameter)
            high = std::min<long double>(high, *r_.maxOuterDiameter - ld);
        high = std::min(high, (lengthLimit * (1 + kFourDigitSlack) - 2 * ld) / 2);
        if (!(high >= low))
            return;
        firstK = std::max(1LL, static_cast<long long>(std::floor(low * (1 - kSlack) / step)) - 1);
        lastK = static_cast<long long>(std::ceil(high * (1 + kSlack) / step)) + 1;
    }

    for (long long k = firstK; k <= lastK; ++k) {
        if (cancelled())
            return;
        const double meanDiameter = meanDiameterAt(k);
        SpringDesign design = base;
        try {
            setCoilDiameters(design, meanDiameter, d);
        } catch (const Error&) {
            continue; // beyond any double: not a design
        }
        const double c = static_cast<double>(static_cast<long double>(meanDiameter) / ld);
        design.springIndex = c;
        const long double innerDiameter = design.innerDiameter;
        const long double D = meanDiameter;

        if (!grid) {
            if (!(c >= 4 && c <= 22))
                continue;
            if (r_.maxOuterDiameter && !(design.outerDiameter <= *r_.maxOuterDiameter))
                continue;
            if (r_.minInnerDiameter && !(design.innerDiameter >= *r_.minInnerDiameter))
                continue;
            if ((4 * ld + 2 * innerDiameter) * (1 - kFourDigitSlack) > lengthLimit)
                continue;
            const long double cc = c;
            const long double wahl = wahlFactor(cc);
            const long double perLoad = torsionStressPerLoad(1, D, ld);
            if (wahl * perLoad * loadAtTwo > (torsionAllowable + kStressTolerance) * (1 + kSlack))
                continue;
            if (hookFactor * perLoad * loadAtTwo > torsionAllowable * (1 + kSlack))
                continue;
            const long double c1 = D / ld;
            const long double bendingFactor = (4 * c1 * c1 - c1 - 1) / (4 * c1 * (c1 - 1));
            const long double bendingPerLoad =
                bendingFactor * 16 * D / (kPiStress * cubed) + 4 / (kPiStress * ld * ld);
            if (bendingJudged && loadAtTwo * bendingPerLoad > bendingAllowable * (1 + kSlack))
                continue;
        }

        InitialTensionRange range;
        try {
            computeInitialTension(design, library_, coefficients_, range, {});
        } catch (const Error&) {
            continue; // the calculation of every N stops at this step too
        }
        const long double rateFactor =
            shearModulus * ld * ld * ld * ld / (8 * D * D * D) / kGravity;

        // The turns.
        long double firstTurns = 3;
        long double lastTurns = 0;
        if (grid) {
            lastTurns = grid->maxTotalTurns;
        } else {
            lastTurns = (lengthLimit * (1 + kFourDigitSlack) - ld - 2 * innerDiameter) / ld;
            const long double C = rateFactor;
            if (C > 0 && std::isfinite(C)) {
                firstTurns = std::max(firstTurns, C / t.rateHigh);
                if (t.rateLow > 0)
                    lastTurns = std::min(lastTurns, C / t.rateLow);
                const long double delta = kFourDigitSlack * t.length1;
                const long double cd = C * ld;
                bool none = false;
                const auto level = [&](long double length, long double lowLoad,
                                       long double highLoad) {
                    const long double a = length - ld - 2 * innerDiameter;
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
                    continue;
            }
            if (!(lastTurns >= firstTurns * (1 - kSlack)))
                continue;
        }

        long long firstQuarter = kMinQuarterTurns;
        long long lastQuarter = static_cast<long long>(std::floor(4 * lastTurns * (1 + kSlack)));
        if (!grid) {
            firstQuarter = std::max<long long>(
                kMinQuarterTurns,
                static_cast<long long>(std::ceil(4 * firstTurns * (1 - kSlack))) - 1);
            lastQuarter += 1;
        }
        for (long long q = firstQuarter; q <= lastQuarter; ++q)
            tryCandidate(design, static_cast<double>(q) / 4, range, rateFactor, worker);
    }
}

// Calculates one candidate as the window would and keeps it when it is feasible.
void Search::tryCandidate(SpringDesign design, double turns, const InitialTensionRange& range,
                          long double rateFactor, Worker& worker) const {
    const Targets& t = targets_;
    setTurns(design, turns);
    double freeLength = 0;
    try {
        freeLength = fourDigitFieldValue(recommendedFreeLength(design));
    } catch (const Error&) {
        return;
    }
    // Rule 4 and the limit, on the value the calculation will judge.
    if (!control_.exhaustive && !(freeLength <= r_.length1))
        return;
    design.freeLength = freeLength;

    // The initial tension: with P = Pi + a, a = k·(L − L0), the relative deviations
    // (Pi + a1 − T1)/T1 and (Pi + a2 − T2)/T2 both rise with Pi, so the larger of their sizes is
    // least where they are opposite: Pi = (2·T1·T2 − a1·T2 − a2·T1)/(T1 + T2). Being convex in
    // Pi, within the range it is least at that point clamped to the range.
    const long double rate = rateFactor / turns;
    const long double a1 = rate * (t.length1 - freeLength);
    const long double a2 = rate * (t.length2 - freeLength);
    const long double best =
        (2 * t.load1 * t.load2 - a1 * t.load2 - a2 * t.load1) / (t.load1 + t.load2);
    design.initialTension = fourDigitValueWithin(best, range.low, range.high);

    SpringDesign result = design;
    InitialTensionRange calculatedRange;
    try {
        calculateDesign(result, library_, coefficients_, calculatedRange, {});
    } catch (const Error&) {
        ++worker.calculated;
        return;
    }
    ++worker.calculated;

    if (!withinTolerance(result.load1, t.load1, t.tolerance) ||
        !withinTolerance(result.load2, t.load2, t.tolerance))
        return;
    if (!(result.initialTension >= calculatedRange.low &&
          result.initialTension <= calculatedRange.high))
        return;
    if (r_.maxOuterDiameter && !(result.outerDiameter <= *r_.maxOuterDiameter))
        return;
    if (r_.minInnerDiameter && !(result.innerDiameter >= *r_.minInnerDiameter))
        return;
    if (r_.maxFreeLength && !(result.freeLength <= *r_.maxFreeLength))
        return;
    if (checkDesign(result).colour != StatusColour::WindowText)
        return;
    const ExtraResults extras = calculateExtraResults(result, library_, coefficients_, r_.hookType);
    if (!(extras.hookTorsionStress2 <= result.allowableStress))
        return;
    if (bendingLimited(extras) && !(extras.hookBendingStress2 <= extras.hookBendingAllowable))
        return;
    if (r_.requiredLifeClass) {
        const StressCoefficients coil = stressCoefficients(result, library_);
        if (!(classifyLife(coil.upper, coil.lower) <= *r_.requiredLifeClass))
            return;
        if (!extras.hookLifeClass || !(*extras.hookLifeClass <= *r_.requiredLifeClass))
            return;
    }
    ++worker.feasible;

    Entry entry;
    const double mass = orLast(extras.springMass);
    switch (r_.objective) {
    case SearchObjective::Mass:
        entry.primary = mass;
        break;
    case SearchObjective::Life:
        entry.primary = extras.springLifeClass ? *extras.springLifeClass : kLifeClassCount;
        entry.secondary = mass;
        break;
    case SearchObjective::Margin: {
        const StressUse use = stressUse(result, extras);
        entry.primary = orLast(std::max(use.coil, use.hook)); // the least margin, as a use
        break;
    }
    }
    entry.material = design.materialIndex;
    entry.wireDiameter = design.wireDiameter;
    entry.diameterIndex = design.diameterIndex;
    entry.meanDiameter = design.meanDiameter;
    entry.totalTurns = design.totalTurns;
    entry.inputs = design;
    worker.best.offer(entry);
}

SearchOutcome Search::run(const std::vector<int>& materials) {
    // The work: one item per material and wire diameter, thickest wires (the most diameters)
    // first so that the long items do not come last.
    std::vector<WireDiameter> wires;
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
    std::stable_sort(wires.begin(), wires.end(),
                     [](const WireDiameter& a, const WireDiameter& b) { return a.d > b.d; });

    const int threads = parallelThreadCount(control_.threads);
    std::vector<Worker> workers(static_cast<std::size_t>(threads),
                                Worker(static_cast<std::size_t>(r_.count)));
    std::mutex progressMutex;
    std::size_t done = 0;
    forEachInParallel(wires.size(), threads, [&](std::size_t index, int worker) {
        if (cancelled())
            return;
        searchWireDiameter(wires[index], workers[static_cast<std::size_t>(worker)]);
        if (control_.progress) {
            const std::lock_guard lock(progressMutex);
            control_.progress(++done, wires.size());
        }
    });

    SearchOutcome outcome;
    std::vector<Entry> all;
    for (const Worker& worker : workers) {
        outcome.calculated += worker.calculated;
        outcome.feasible += worker.feasible;
        all.insert(all.end(), worker.best.entries().begin(), worker.best.entries().end());
    }
    if (cancelled()) {
        outcome.cancelled = true;
        return outcome;
    }
    std::sort(all.begin(), all.end(), ranksBefore);
    if (all.size() > static_cast<std::size_t>(r_.count))
        all.resize(static_cast<std::size_t>(r_.count));
    for (const Entry& entry : all) {
        SearchCandidate candidate;
        candidate.rank = static_cast<int>(outcome.candidates.size()) + 1;
        candidate.result = evaluateDesign(entry.inputs, library_, coefficients_, r_.hookType);
        const StressUse use = stressUse(candidate.result.design, candidate.result.extras);
        candidate.coilStressUse = use.coil;
        candidate.hookStressUse = use.hook;
        outcome.candidates.push_back(std::move(candidate));
    }
    return outcome;
}

std::string numberText(double value) {
    return formatGeneral(value, 15);
}

// The materials a requirement allows, or the problem with them.
std::vector<int> allowedMaterials(const DesignRequirement& r, const MaterialLibrary& library,
                                  std::optional<RequirementProblem>& problem) {
    const KindIndex index = buildKindIndex(library);
    std::set<int> allowed;
    if (!r.materials.empty()) {
        for (const int m : r.materials) {
            if (!findMaterialInIndex(index, m)) {
                problem = RequirementProblem{
                    "materials: " + std::to_string(m) + " is not a material of the lists",
                    "材料番号 " + std::to_string(m) + " は材料リストにありません"};
                return {};
            }
            allowed.insert(m);
        }
    } else {
        for (const int kind : r.kinds) {
            if (kind < 0 || kind >= kKindCount) {
                problem =
                    RequirementProblem{"kinds: " + std::to_string(kind) + " is outside 0..9",
                                       "材料の種類 " + std::to_string(kind) + " は 0～9 の外です"};
                return {};
            }
        }
        for (int kind = 0; kind < kKindCount; ++kind) {
            if (!r.kinds.empty() &&
                std::find(r.kinds.begin(), r.kinds.end(), kind) == r.kinds.end())
                continue;
            for (int place = 0; place < kMaxGradesPerKind; ++place) {
                const int m = lookupMaterial(index, kind, place);
                if (m >= 0)
                    allowed.insert(m);
            }
        }
    }
    if (allowed.empty())
        problem =
            RequirementProblem{"no material of the library to search", "探索する材料がありません"};
    return {allowed.begin(), allowed.end()};
}

} // namespace

std::optional<SearchObjective> searchObjectiveFromName(std::string_view name) {
    for (const ObjectiveName& entry : kObjectiveNames)
        if (entry.name == name)
            return entry.objective;
    return std::nullopt;
}

std::optional<RequirementProblem> checkRequirement(const DesignRequirement& r,
                                                   const MaterialLibrary& library) {
    const auto problem = [](std::string message, std::string japanese) {
        return std::optional<RequirementProblem>(
            RequirementProblem{std::move(message), std::move(japanese)});
    };
    const struct {
        std::string_view key;
        std::string_view label;
        double value;
    } numbers[] = {
        {"length1", "長さ（Ｌ１）", r.length1},
        {"load1", "荷重(P1)", r.load1},
        {"length2", "長さ（Ｌ２）", r.length2},
        {"load2", "荷重(P2)", r.load2},
        {"loadTolerance", "荷重の許容差", r.loadTolerance},
        {"hookAngle", "フック角度", r.hookAngle},
        {"hookLength", "フック長さ", r.hookLength},
        {"hookOpening", "開口長さ", r.hookOpening},
        {"hookMinRadius", "最小Ｒ", r.hookMinRadius},
        {"diameterStep", "径の刻み", r.diameterStep},
    };
    for (const auto& number : numbers)
        if (!std::isfinite(number.value))
            return problem(std::string(number.key) + ": expected a finite number",
                           std::string(number.label) + "が数値ではありません");
    if (!(r.length1 > 0))
        return problem("length1 must be above 0", "長さ（Ｌ１）は 0 より大きくしてください");
    if (!(r.length1 < r.length2))
        return problem("length1 must be below length2",
                       "長さ（Ｌ１）は長さ（Ｌ２）より短くしてください");
    if (!(r.load1 > 0))
        return problem("load1 must be above 0", "荷重(P1)は 0 より大きくしてください");
    if (!(r.load1 < r.load2))
        return problem("load1 must be below load2", "荷重(P1)は荷重(P2)より小さくしてください");
    if (!(r.loadTolerance > 0 && r.loadTolerance < 100))
        return problem("loadTolerance must lie above 0 and below 100 (per cent)",
                       "荷重の許容差は 0 より大きく 100 より小さい％で指定してください");
    const struct {
        std::string_view key;
        std::string_view label;
        const std::optional<double>& value;
    } limits[] = {
        {"maxOuterDiameter", "外径の上限", r.maxOuterDiameter},
        {"minInnerDiameter", "内径の下限", r.minInnerDiameter},
        {"maxFreeLength", "自由長さの上限", r.maxFreeLength},
    };
    for (const auto& limit : limits)
        if (limit.value && !(std::isfinite(*limit.value) && *limit.value > 0))
            return problem(std::string(limit.key) + " must be above 0",
                           std::string(limit.label) + "は 0 より大きくしてください");
    if (r.requiredLifeClass && !(*r.requiredLifeClass >= 0 && *r.requiredLifeClass <= 8))
        return problem("requiredLifeClass must lie within 0..8",
                       "寿命の指定は 0～8 の範囲にしてください");
    if (!(r.diameterStep >= kMinDiameterStep && r.diameterStep <= kMaxDiameterStep))
        return problem("diameterStep must lie within " + numberText(kMinDiameterStep) + ".." +
                           numberText(kMaxDiameterStep) + " mm",
                       "径の刻みは " + numberText(kMinDiameterStep) + "～" +
                           numberText(kMaxDiameterStep) + "mm にしてください");
    if (!(r.count >= 1 && r.count <= kMaxCount))
        return problem("count must lie within 1.." + std::to_string(kMaxCount),
                       "候補の数は 1～" + std::to_string(kMaxCount) + " にしてください");
    std::optional<RequirementProblem> materialProblem;
    allowedMaterials(r, library, materialProblem);
    return materialProblem;
}

SearchOutcome searchDesigns(const DesignRequirement& requirement, const MaterialLibrary& library,
                            const CoefficientSet& coefficients, const SearchControl& control) {
    if (const std::optional<RequirementProblem> problem = checkRequirement(requirement, library))
        throw Error(Problem::BadData, {}, problem->message);
    std::optional<RequirementProblem> unused;
    const std::vector<int> materials = allowedMaterials(requirement, library, unused);
    return Search(requirement, library, coefficients, control).run(materials);
}

} // namespace hspring
