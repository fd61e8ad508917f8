// Stroking a live chart's line (200 points) on an off-screen image: solid and dashed.
#include "Charting/utils/QPainterGraphicsContext.h"

#include <QImage>
#include <QPainter>
#include <benchmark/benchmark.h>

#include <cmath>
#include <vector>

using charting::QPainterGraphicsContext;
using platform::Point;

static void BM_StrokeLine(benchmark::State& state) {
    const double width = double(state.range(0)) / 2; // 0.5 or 1 point
    const bool dashed = state.range(1) != 0;
    QImage image(600, 300, QImage::Format_ARGB32_Premultiplied);
    std::vector<Point> points(200);
    for (std::size_t i = 0; i < points.size(); ++i)
        points[i] = Point{3.0 * double(i), 150 + 120 * std::sin(double(i) * 0.1)};
    QPainter painter(&image);
    QPainterGraphicsContext g(painter);
    g.setLineWidth(width);
    if (dashed)
        g.setLineDash(0, {4, 2});
    for (auto _ : state) {
        g.addLines(points);
        g.strokePath();
    }
    state.SetItemsProcessed(state.iterations() * std::int64_t(points.size()));
}
BENCHMARK(BM_StrokeLine)->ArgsProduct({{1, 2}, {0, 1}})->ArgNames({"halfWidth", "dashed"});
