// The chart data model's hot paths: the full extremes pass, the x search and the live charts'
// per-sample feed.
#include "Charting/data/ChartDataEntry.h"
#include "Charting/data/LineChartData.h"
#include "Charting/data/LineChartDataSet.h"

#include <benchmark/benchmark.h>

#include <cmath>
#include <limits>
#include <random>

using namespace charting;

namespace {

ChartDataSet::EntryList sortedEntries(int count) {
    ChartDataSet::EntryList list;
    list.reserve(static_cast<size_t>(count));
    for (int i = 0; i < count; ++i)
        list.push_back(ChartDataEntry::create(i, std::sin(i * 0.001) * 1000));
    return list;
}

void BM_CalcMinMax(benchmark::State& state) {
    auto set = LineChartDataSet::create(sortedEntries(static_cast<int>(state.range(0))));
    for (auto _ : state) {
        set->calcMinMax();
        benchmark::DoNotOptimize(set->yMax());
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_CalcMinMax)->Arg(1'000'000)->Unit(benchmark::kMillisecond);

void BM_EntryForXValue(benchmark::State& state) {
    const int count = static_cast<int>(state.range(0));
    auto set = LineChartDataSet::create(sortedEntries(count));
    std::mt19937 random(7);
    std::uniform_real_distribution<double> x(0, count);
    for (auto _ : state) {
        auto entry = set->entryForXValue(x(random), 0.5, ChartDataSetRounding::nearest);
        benchmark::DoNotOptimize(entry.get());
    }
    state.SetComplexityN(state.range(0));
}
BENCHMARK(BM_EntryForXValue)
    ->RangeMultiplier(10)
    ->Range(1'000, 1'000'000)
    ->Complexity(benchmark::oLogN);

// One live-chart step as the model pages run it 20 times a second: 6 series x 200 points written
// in place, each data set refreshed, both chart data objects stored again.
void BM_LiveChartFeed(benchmark::State& state) {
    std::vector<std::shared_ptr<LineChartDataSet>> sets;
    std::shared_ptr<LineChartData> charts[2] = {LineChartData::create(), LineChartData::create()};
    for (int chart = 0; chart < 2; ++chart) {
        for (int series = 0; series < 3; ++series) {
            ChartDataSet::EntryList list;
            for (int j = 0; j < 200; ++j)
                list.push_back(ChartDataEntry::create(j, 0));
            auto set = LineChartDataSet::create(list, QStringLiteral("series"));
            sets.push_back(set);
            charts[chart]->addDataSet(set);
        }
    }
    double value = 0;
    for (auto _ : state) {
        for (const auto& set : sets) {
            for (int j = 0; j < 200; ++j)
                set->entryForIndex(j)->setY(value += 0.25);
            set->notifyDataSetChanged();
        }
        for (const auto& chart : charts)
            chart->notifyDataChanged();
        benchmark::DoNotOptimize(charts[0]->yMax());
    }
    state.SetItemsProcessed(state.iterations() * 1200);
}
BENCHMARK(BM_LiveChartFeed)->Unit(benchmark::kMicrosecond);

} // namespace
