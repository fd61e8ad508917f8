// Stroking a live chart's line (200 points) on an off-screen image: solid and dashed, through the
// drawing context and, beside it, as a bare QPainter polyline with the same pen.
#include "Charting/utils/QPainterGraphicsContext.h"

#include <QImage>
#include <QPainter>
#include <QPen>
#include <QPolygonF>
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

static void BM_BareQPainterLine(benchmark::State& state) {
    const double width = double(state.range(0)) / 2;
    const bool dashed = state.range(1) != 0;
    QImage image(600, 300, QImage::Format_ARGB32_Premultiplied);
    QPolygonF line;
    for (int i = 0; i < 200; ++i)
        line << QPointF(3.0 * i, 150 + 120 * std::sin(double(i) * 0.1));
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    QPen pen(Qt::black, width);
    pen.setCapStyle(Qt::FlatCap);
    if (dashed)
        pen.setDashPattern({4, 2}); // device pixels for a line this thin
    painter.setPen(pen);
    for (auto _ : state)
        painter.drawPolyline(line);
    state.SetItemsProcessed(state.iterations() * line.size());
}
BENCHMARK(BM_BareQPainterLine)->ArgsProduct({{1, 2}, {0, 1}})->ArgNames({"halfWidth", "dashed"});
