// SPDX-License-Identifier: GPL-3.0-or-later
#include "calc/design_batch.h"
#include "calc/design_result.h"
#include "calc/engine.h"
#include "calc/extra_results.h"
#include "calc/spring_design.h"
#include "tests/support/shipped_data.h"
#include "wording/japanese.h"

#include <benchmark/benchmark.h>
#include <string>
#include <vector>

namespace hspring {
namespace {

using test::shippedCoefficients;
using test::shippedLibrary;

// Designs that differ in every input the engine reads, so that no two calculations are alike:
// wire diameters of the first material, spring indices 4..20, both input modes.
std::vector<SpringDesign> sampleDesigns(int count) {
    std::vector<SpringDesign> designs;
    const MaterialRecord& material = shippedLibrary()[0];
    const int diameters = usedDiameterCount(material);
    for (int i = 0; i < count; ++i) {
        SpringDesign design{};
        resetDesignDefaults(design);
        design.diameterIndex = 10 + i % (diameters - 20);
        design.wireDiameter = material.diameters[design.diameterIndex];
        setCoilDiameters(design, design.wireDiameter * (4 + i % 17), design.wireDiameter);
        setTurns(design, 8 + i % 30);
        design.freeLength =
            (design.totalTurns + 1) * design.wireDiameter + 2 * design.innerDiameter;
        design.length1 = design.freeLength + 2 + i % 5;
        design.length2 = design.length1 + 5 + i % 7;
        design.lengthMode = i % 3 == 0 ? kLoadsGiven : kLengthsGiven;
        design.load1 = 0.5 + (i % 11) * 0.1;
        design.load2 = design.load1 + 1;
        design.lowTempAnnealed = static_cast<std::uint8_t>(i % 2);
        designs.push_back(design);
    }
    return designs;
}

void BM_CalculateDesign(benchmark::State& state) {
    const std::vector<SpringDesign> designs = sampleDesigns(1024);
    SpringDesign design{};
    InitialTensionRange range;
    std::size_t i = 0;
    for (auto _ : state) {
        design = designs[i++ & 1023];
        calculateDesign(design, shippedLibrary(), shippedCoefficients(), range, {});
        benchmark::DoNotOptimize(design);
        benchmark::DoNotOptimize(range);
    }
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_CalculateDesign);

// The calculation with the full set of extra results, half the designs with each hook type: the
// extras should cost no more than the calculation itself.
void BM_CalculateDesignWithExtras(benchmark::State& state) {
    const std::vector<SpringDesign> designs = sampleDesigns(1024);
    SpringDesign design{};
    InitialTensionRange range;
    std::size_t i = 0;
    for (auto _ : state) {
        const HookType hookType = i % 2 ? HookType::U : HookType::Round;
        design = designs[i++ & 1023];
        calculateDesign(design, shippedLibrary(), shippedCoefficients(), range, {});
        ExtraResults extras =
            calculateExtraResults(design, shippedLibrary(), shippedCoefficients(), hookType);
        benchmark::DoNotOptimize(design);
        benchmark::DoNotOptimize(range);
        benchmark::DoNotOptimize(extras);
    }
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_CalculateDesignWithExtras);

// Everything a result needs: calculation, life class, checks, recommended texts.
void BM_EvaluateDesign(benchmark::State& state) {
    const std::vector<SpringDesign> designs = sampleDesigns(1024);
    std::size_t i = 0;
    for (auto _ : state) {
        DesignResult result =
            evaluateDesign(designs[i++ & 1023], shippedLibrary(), shippedCoefficients());
        benchmark::DoNotOptimize(result);
    }
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_EvaluateDesign);

// The calc command's work without the process: parse, calculate, write; on every core
// (threads 0) and on one. Wall time: the batch is meant to use both cores of a small machine.
void BM_CalcBatchJson(benchmark::State& state) {
    const int count = static_cast<int>(state.range(0));
    const int threads = static_cast<int>(state.range(1));
    std::string input = "[";
    for (const SpringDesign& design : sampleDesigns(count)) {
        if (input.size() > 1)
            input += ",\n";
        input += "{\"diameterIndex\":" + std::to_string(design.diameterIndex) +
                 ",\"meanDiameter\":" + std::to_string(design.meanDiameter) +
                 ",\"totalTurns\":" + std::to_string(design.totalTurns) +
                 ",\"freeLength\":" + std::to_string(design.freeLength) +
                 ",\"length1\":" + std::to_string(design.length1) +
                 ",\"length2\":" + std::to_string(design.length2) +
                 ",\"lengthMode\":" + std::to_string(design.lengthMode) +
                 ",\"load1\":" + std::to_string(design.load1) +
                 ",\"load2\":" + std::to_string(design.load2) + "}";
    }
    input += "]";
    std::size_t bytes = 0;
    for (auto _ : state) {
        const int failed = calculateDesignsJson(
            input, shippedLibrary(), shippedCoefficients(), japaneseWording(),
            [&bytes](std::string_view piece) {
                bytes += piece.size();
                benchmark::DoNotOptimize(piece.data());
            },
            threads);
        benchmark::DoNotOptimize(failed);
    }
    state.SetItemsProcessed(state.iterations() * count);
    state.counters["output_bytes_per_design"] =
        static_cast<double>(bytes) / static_cast<double>(state.iterations() * count);
}
BENCHMARK(BM_CalcBatchJson)
    ->Args({100000, 0})
    ->Args({100000, 1})
    ->ArgNames({"designs", "threads"})
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

} // namespace
} // namespace hspring

BENCHMARK_MAIN();
