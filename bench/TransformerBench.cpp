// Mapping many value points to pixels with a transformer under zoom and pan.
#include "Charting/utils/Transformer.h"
#include "Charting/utils/ViewPortHandler.h"

#include <benchmark/benchmark.h>

#include <cmath>
#include <vector>

using charting::Transformer;
using charting::ViewPortHandler;
using platform::AffineTransform;
using platform::Point;

static void BM_ValuesToPixels(benchmark::State& state) {
    const auto n = static_cast<std::size_t>(state.range(0));
    auto handler = ViewPortHandler::create(800, 600);
    handler->restrainViewPort(40, 10, 10, 30);
    handler->refresh(AffineTransform{2.5, 0, 0, 1.5, -300, 100}, nullptr, false);
    auto t = Transformer::create(handler);
    t->prepareMatrixValuePx(0, double(n), 2400, -1200);
    t->prepareMatrixOffset(false);

    std::vector<Point> source(n);
    for (std::size_t i = 0; i < n; ++i)
        source[i] = Point{double(i), 1200 * std::sin(double(i) * 0.01)};
    std::vector<Point> points;
    for (auto _ : state) {
        state.PauseTiming();
        points = source;
        state.ResumeTiming();
        t->valuesToPixels(points);
        benchmark::DoNotOptimize(points.data());
        benchmark::ClobberMemory();
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_ValuesToPixels)->Arg(1000000)->Unit(benchmark::kMillisecond);

static void BM_PixelForValuesOneByOne(benchmark::State& state) {
    const auto n = static_cast<std::size_t>(state.range(0));
    auto handler = ViewPortHandler::create(800, 600);
    auto t = Transformer::create(handler);
    t->prepareMatrixValuePx(0, double(n), 2, -1);
    t->prepareMatrixOffset(false);
    for (auto _ : state) {
        double sum = 0;
        for (std::size_t i = 0; i < n; ++i)
            sum += t->pixelForValues(double(i), 0.5).x;
        benchmark::DoNotOptimize(sum);
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_PixelForValuesOneByOne)->Arg(1000000)->Unit(benchmark::kMillisecond);
