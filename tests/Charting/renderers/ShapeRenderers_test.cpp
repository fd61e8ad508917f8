#include "Charting/renderers/ShapeRenderers.h"

#include "Charting/data/ScatterChartDataSet.h"
#include "Charting/utils/ViewPortHandler.h"
#include "support/RecordingGraphicsContext.h"

#include <gtest/gtest.h>

using namespace charting;
using platform::Point;
using Call = RecordingGraphicsContext::Call;

namespace {

const QColor kRed(255, 0, 0);
const QColor kHole(0, 0, 255);

// A path of subpaths, each a move to its first point and lines to the others; `closed` closes
// every subpath.
Path lines(const std::vector<std::vector<Point>>& subpaths, bool closed = false) {
    Path p;
    for (const auto& points : subpaths) {
        p.addLines(points);
        if (closed)
            p.closeSubpath();
    }
    return p;
}

std::vector<Call> render(ScatterChartDataSet::Shape shape, double size, double holeRadius,
                         std::optional<QColor> holeColor) {
    auto set = ScatterChartDataSet::create();
    set->setScatterShapeSize(size);
    set->setScatterShapeHoleRadius(holeRadius);
    set->setScatterShapeHoleColor(holeColor);
    auto handler = ViewPortHandler::create(100, 100);
    RecordingGraphicsContext context;
    ScatterChartDataSet::rendererForShape(shape)->renderShape(context, *set, *handler,
                                                              Point{50, 40}, kRed);
    return context.paintCalls();
}

} // namespace

// Every shape at (50, 40) with size 10 and no hole: what it paints, where, in which colour.
TEST(ShapeRenderers, EachShapeAtAKnownPointAndSize) {
    using S = ScatterChartDataSet::Shape;
    struct Case {
        S shape;
        std::string op;
        Path path;
        bool stroked;
    };
    Path square;
    square.addRect(platform::Rect(45, 35, 10, 10));
    Path circle;
    circle.addEllipse(platform::Rect(45, 35, 10, 10));
    const std::vector<Case> cases = {
        {S::square, "fillRect", square, false},
        {S::circle, "fillEllipse", circle, false},
        {S::triangle, "fillPath", lines({{{50, 35}, {55, 45}, {45, 45}}}, true), false},
        {S::cross, "strokePath", lines({{{45, 40}, {55, 40}}, {{50, 35}, {50, 45}}}), true},
        {S::x, "strokePath", lines({{{45, 35}, {55, 45}}, {{55, 35}, {45, 45}}}), true},
        // The chevrons reach the whole size from the centre: 20 across, 10 high.
        {S::chevronUp, "strokePath", lines({{{50, 30}, {60, 40}}, {{50, 30}, {40, 40}}}), true},
        {S::chevronDown, "strokePath", lines({{{50, 50}, {60, 40}}, {{50, 50}, {40, 40}}}), true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.op + " " + std::to_string(int(c.shape)));
        // A hole colour without a hole is never used.
        const auto calls = render(c.shape, 10, 0, kHole);
        ASSERT_EQ(calls.size(), 1u);
        EXPECT_EQ(calls[0].op, c.op);
        EXPECT_EQ(calls[0].path, c.path);
        if (c.stroked) {
            EXPECT_EQ(calls[0].state.strokeColor, kRed);
            EXPECT_EQ(calls[0].state.lineWidth, 1);
        } else {
            EXPECT_EQ(calls[0].state.fillColor, kRed);
        }
        if (c.op == "fillPath") {
            EXPECT_EQ(calls[0].args, std::vector<double>{0}); // the nonzero rule
        }
    }
}

// Hole radius 3 with size 10: a ring of width 2 whose outer edge is 5 from the centre, the 6 x 6
// hole filled only when it has a colour.
TEST(ShapeRenderers, SquareAndCircleWithAHole) {
    using S = ScatterChartDataSet::Shape;
    for (const auto& [shape, stroke, fill] :
         {std::tuple{S::square, "strokeRect", "fillRect"},
          std::tuple{S::circle, "strokeEllipse", "fillEllipse"}}) {
        SCOPED_TRACE(stroke);
        const auto empty = render(shape, 10, 3, std::nullopt);
        ASSERT_EQ(empty.size(), 1u);
        EXPECT_EQ(empty[0].op, stroke);
        EXPECT_EQ(empty[0].args, (std::vector<double>{46, 36, 8, 8}));
        EXPECT_EQ(empty[0].state.lineWidth, 2);
        EXPECT_EQ(empty[0].state.strokeColor, kRed);

        const auto filled = render(shape, 10, 3, kHole);
        ASSERT_EQ(filled.size(), 2u);
        EXPECT_EQ(filled[0].op, stroke);
        EXPECT_EQ(filled[1].op, fill);
        EXPECT_EQ(filled[1].args, (std::vector<double>{47, 37, 6, 6}));
        EXPECT_EQ(filled[1].state.fillColor, kHole);

        // A hole as wide as the shape or wider leaves no ring at all (no hairline either).
        for (double radius : {5.0, 7.0}) {
            const auto noRing = render(shape, 10, radius, std::nullopt);
            EXPECT_TRUE(noRing.empty()) << radius;
            const auto holeOnly = render(shape, 10, radius, kHole);
            ASSERT_EQ(holeOnly.size(), 1u) << radius;
            EXPECT_EQ(holeOnly[0].op, fill);
        }
    }
}

// With a hole the triangle is a band: the inner triangle runs the other way round in the same
// path, and the hole colour fills the inner triangle.
TEST(ShapeRenderers, TriangleWithAHole) {
    const auto calls = render(ScatterChartDataSet::Shape::triangle, 10, 3, kHole);
    ASSERT_EQ(calls.size(), 2u);
    // band w = (10 - 6) / 2 = 2
    Path band;
    band.addLines({{50, 35}, {55, 45}, {45, 45}, {50, 35}});
    band.addLines({{47, 43}, {53, 43}, {50, 37}, {47, 43}});
    band.closeSubpath();
    EXPECT_EQ(calls[0].path, band);
    EXPECT_EQ(calls[0].state.fillColor, kRed);
    EXPECT_EQ(calls[1].path, lines({{{50, 37}, {53, 43}, {47, 43}}}, true));
    EXPECT_EQ(calls[1].state.fillColor, kHole);
    EXPECT_EQ(render(ScatterChartDataSet::Shape::triangle, 10, 3, std::nullopt).size(), 1u);
}
