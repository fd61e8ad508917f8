// Douglas-Peucker reduction of long series: a sine sweep (period 10000 points, amplitude 1) with
// noise of +-0.02, the kind of signal the live charts carry.
#include "Charting/utils/DataApproximator.h"

#include <benchmark/benchmark.h>

#include <cmath>
#include <random>

using namespace charting;

namespace {

std::vector<platform::Point> noisySine(int count) {
    std::mt19937 random(11);
    std::uniform_real_distribution<double> noise(-0.02, 0.02);
    std::vector<platform::Point> points;
    points.reserve(static_cast<size_t>(count));
    for (int i = 0; i < count; ++i)
        points.push_back({double(i), std::sin(i * 2 * M_PI / 10000) + noise(random)});
    return points;
}

// Tolerance 0.05 (2.5 times the noise): the noise goes, the sweep stays.
void BM_ReduceByTolerance(benchmark::State& state) {
    auto points = noisySine(static_cast<int>(state.range(0)));
    size_t kept = 0;
    for (auto _ : state) {
        auto reduced = DataApproximator::reduceWithDouglasPeuker(points, 0.05);
        kept = reduced.size();
        benchmark::DoNotOptimize(reduced.data());
    }
    state.counters["kept"] = static_cast<double>(kept);
    state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_ReduceByTolerance)->Arg(100'000)->Arg(1'000'000)->Unit(benchmark::kMillisecond);

// The count-limited form keeping 1000 points.
void BM_ReduceToCount(benchmark::State& state) {
    auto points = noisySine(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        auto reduced = DataApproximator::reduceWithDouglasPeukerN(points, 1000);
        benchmark::DoNotOptimize(reduced.data());
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_ReduceToCount)->Arg(100'000)->Arg(1'000'000)->Unit(benchmark::kMillisecond);

} // namespace
