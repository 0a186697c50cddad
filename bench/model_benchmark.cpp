// SPDX-License-Identifier: GPL-3.0-or-later
// Speed of the 3D model of a typical spring (d = 1, D = 8, N = 20, round or U hooks): the centre
// line, the STL, and the solid the STEP file is written from (swept and checked).

#include "model/model_file.h"
#include "model/occt/spring_solid.h"
#include "model/spring_model.h"

#include <benchmark/benchmark.h>

namespace hspring {
namespace {

SpringModelRequest typicalSpring(HookType hookType) {
    SpringModelRequest request;
    request.coil = {1, 8, 20};
    request.hookType = hookType;
    request.hookAngle = 80;
    request.uHook = {11, 1.5, 1.5};
    request.length = 60;
    return request;
}

SpringCentreLine centreLine(HookType hookType) {
    return std::get<SpringCentreLine>(springCentreLine(typicalSpring(hookType)));
}

void BM_CentreLine(benchmark::State& state) {
    const SpringModelRequest request = typicalSpring(static_cast<HookType>(state.range(0)));
    for (auto _ : state)
        benchmark::DoNotOptimize(springCentreLine(request));
}
BENCHMARK(BM_CentreLine)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

void BM_Stl(benchmark::State& state) {
    const SpringCentreLine line = centreLine(static_cast<HookType>(state.range(0)));
    for (auto _ : state)
        benchmark::DoNotOptimize(binaryStl(line, "spring"));
}
BENCHMARK(BM_Stl)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

// What a STEP save does before the writer's own work: the sweep and the checks of the solid.
void BM_CheckedSolid(benchmark::State& state) {
    const SpringCentreLine line = centreLine(static_cast<HookType>(state.range(0)));
    for (auto _ : state) {
        const TopoDS_Shape solid = springSolid(line);
        benchmark::DoNotOptimize(solidProblem(solid, line));
    }
}
BENCHMARK(BM_CheckedSolid)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

} // namespace
} // namespace hspring

BENCHMARK_MAIN();
