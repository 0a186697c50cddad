// SPDX-License-Identifier: GPL-3.0-or-later
#include "search/design_search.h"
#include "tests/support/shipped_data.h"

#include <benchmark/benchmark.h>

namespace hspring {
namespace {

using test::shippedCoefficients;
using test::shippedLibrary;

// Four requirements a designer brings: a small spring of the start design's size, a medium one
// in a bore, a heavy one that must last, and a small one in a tight bore worked at 22.5 Hz with
// its hooks' bend given (the surge bound and the radii's stress factors at work).
DesignRequirement typicalRequirement(int which) {
    DesignRequirement requirement;
    switch (which) {
    case 0:
        requirement.length1 = 45;
        requirement.load1 = 1;
        requirement.length2 = 55;
        requirement.load2 = 2;
        break;
    case 1:
        requirement.length1 = 80;
        requirement.load1 = 5;
        requirement.length2 = 100;
        requirement.load2 = 10;
        requirement.maxOuterDiameter = 20;
        break;
    case 3:
        requirement.length1 = 45;
        requirement.load1 = 1.2;
        requirement.length2 = 55;
        requirement.load2 = 2.2;
        requirement.maxOuterDiameter = 7.8;
        requirement.operatingFrequency = 22.5;
        requirement.hookBendRadius = 1.2;
        break;
    default:
        requirement.length1 = 150;
        requirement.load1 = 20;
        requirement.length2 = 180;
        requirement.load2 = 35;
        requirement.requiredLifeClass = 2;
        requirement.objective = SearchObjective::Margin;
        break;
    }
    return requirement;
}

// The whole search over the shipped library, every core (threads 0) or one, judged at the
// nominal loads (grade 0) or with the production tolerance of grade 2 (the default). At grade 2
// a window of ±10 % leaves the first three without a feasible spring: their time includes the
// second pass that finds the nearest miss.
void BM_SearchDesigns(benchmark::State& state) {
    DesignRequirement requirement = typicalRequirement(static_cast<int>(state.range(0)));
    requirement.toleranceGrade = static_cast<int>(state.range(2));
    SearchControl control;
    control.threads = static_cast<int>(state.range(1));
    SearchOutcome outcome;
    for (auto _ : state) {
        outcome = searchDesigns(requirement, shippedLibrary(), shippedCoefficients(), control);
        benchmark::DoNotOptimize(outcome);
    }
    state.counters["calculated"] = static_cast<double>(outcome.calculated);
    state.counters["feasible"] = static_cast<double>(outcome.feasible);
    state.counters["returned"] = static_cast<double>(outcome.candidates.size());
}
BENCHMARK(BM_SearchDesigns)
    ->ArgsProduct({{0, 1, 2, 3}, {0, 1}, {0, 2}})
    ->ArgNames({"requirement", "threads", "grade"})
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

} // namespace
} // namespace hspring
