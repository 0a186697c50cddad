// SPDX-License-Identifier: GPL-3.0-or-later
#include "base/json_writer.h"
#include "base/number_format.h"

#include <benchmark/benchmark.h>
#include <charconv>
#include <cmath>
#include <random>
#include <vector>

namespace hspring {
namespace {

// Values of the sizes a display shows (1e-4..1e5), with all the bits a calculation leaves, and
// for the extended entry the same values off the doubles, as a working value is.
template <typename Float>
std::vector<Float> sampleValues() {
    std::mt19937_64 random(7);
    std::uniform_real_distribution<double> exponent(-4, 5);
    std::vector<Float> values;
    for (int i = 0; i < 1024; ++i) {
        const Float value = std::pow(10.0, exponent(random));
        values.push_back(value * static_cast<Float>(1.0L + 1e-18L));
    }
    return values;
}

template <typename Float>
void formatValues(benchmark::State& state) {
    const std::vector<Float> values = sampleValues<Float>();
    const int digits = static_cast<int>(state.range(0));
    std::size_t i = 0;
    for (auto _ : state) {
        std::string text = formatGeneral(values[i++ & 1023], digits);
        benchmark::DoNotOptimize(text);
    }
    state.SetItemsProcessed(state.iterations());
}

void BM_FormatDouble(benchmark::State& state) {
    formatValues<double>(state);
}
BENCHMARK(BM_FormatDouble)->Arg(4)->Arg(15);

void BM_FormatExtended(benchmark::State& state) {
    formatValues<long double>(state);
}
BENCHMARK(BM_FormatExtended)->Arg(4)->Arg(15);

// The shortest form of a JSON number (std::to_chars), the calc batch's busiest step.
void BM_ShortestStandard(benchmark::State& state) {
    const std::vector<double> values = sampleValues<double>();
    std::size_t i = 0;
    char buffer[kShortestNumberSize];
    for (auto _ : state) {
        char* end = std::to_chars(buffer, buffer + sizeof buffer, values[i++ & 1023]).ptr;
        benchmark::DoNotOptimize(end);
        benchmark::ClobberMemory();
    }
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_ShortestStandard);

} // namespace
} // namespace hspring
