#include "Charting/renderers/LineChartRenderer.h"

#include "Charting/formatters/ChartFillFormatter.h"
#include "Charting/data/Highlight.h"
#include "Charting/utils/Fill.h"
#include "Charting/utils/NSUIAccessibilityElement.h"
#include "Charting/utils/QPainterGraphicsContext.h"
#include "Charting/utils/ViewPortHandler.h"
#include "Charting/renderers/RendererTestChart.h"
#include "support/FakeTextMeasurer.h"
#include "support/RecordingGraphicsContext.h"

#include <QPainter>
#include <gtest/gtest.h>

#include <cmath>
#include <map>
#include <numbers>

using namespace charting;
using platform::Point;
using platform::Rect;
using rendertest::lineData;
using rendertest::lineSet;

namespace {
// Value (x, y) is pixel (10x, 100 - 10y).
Point px(double x, double y) {
    return Point{10 * x, 100 - 10 * y};
}

Path polyline(const std::vector<Point>& points) {
    Path p;
    p.moveTo(points.front());
    for (std::size_t i = 1; i < points.size(); ++i)
        p.addLineTo(points[i]);
    return p;
}

class ConstantFill : public ChartFillFormatter {
public:
    explicit ConstantFill(double at) : at_(at) {}
    double getFillLinePosition(const LineChartDataSetProtocol&, LineChartDataProvider&) override {
        return at_;
    }

private:
    double at_;
};

struct Fixture {
    rendertest::Chart chart;
    std::shared_ptr<Animator> animator = Animator::create();
    std::shared_ptr<ViewPortHandler> vph = ViewPortHandler::create(100, 100);
    std::shared_ptr<LineChartRenderer> renderer = LineChartRenderer::create(&chart, animator, vph);
    RecordingGraphicsContext g;

    std::shared_ptr<LineChartDataSet> show(std::shared_ptr<LineChartDataSet> set) {
        set->setDrawCirclesEnabled(false);
        chart.chartData = lineData({set});
        return set;
    }
    std::vector<RecordingGraphicsContext::Call> strokes() const { return g.callsNamed("strokePath"); }
};
} // namespace

TEST(LineChartRenderer, LinearLineIsOnePathBeginningTwiceAtTheFirstEntry) {
    Fixture f;
    auto set = f.show(lineSet({{0, 1}, {1, 3}, {2, 2}, {3, 5}, {4, 4}}));
    set->setLineWidth(2);
    set->setLineDashLengths(std::vector<double>{4, 2});
    set->setLineCapType(LineCap::round);
    f.renderer->drawData(f.g);
    const auto strokes = f.strokes();
    ASSERT_EQ(strokes.size(), 1u);
    EXPECT_EQ(strokes[0].path, polyline({px(0, 1), px(0, 1), px(0, 1), px(1, 3), px(1, 3), px(2, 2),
                                         px(2, 2), px(3, 5), px(3, 5), px(4, 4)}));
    EXPECT_EQ(strokes[0].state.strokeColor, set->colorAtIndex(0));
    EXPECT_EQ(strokes[0].state.lineWidth, 2);
    EXPECT_EQ(strokes[0].state.lineDashLengths, (std::vector<double>{4, 2}));
    EXPECT_EQ(strokes[0].state.lineCap, LineCap::round);
    EXPECT_EQ(f.g.savedStateCount(), 0);
    EXPECT_EQ(f.g.state().lineWidth, 1); // restored

    // From a later visible entry the line starts at the entry before it, at the left edge.
    f.chart.low = 2.5;
    f.g.clear();
    f.renderer->drawData(f.g);
    EXPECT_EQ(f.strokes().at(0).path,
              polyline({px(1, 3), px(2, 2), px(2, 2), px(3, 5), px(3, 5), px(4, 4)}));
}

TEST(LineChartRenderer, SteppedLineAndFill) {
    Fixture f;
    auto set = f.show(lineSet({{0, 1}, {1, 3}}));
    set->setMode(LineChartMode::stepped);
    f.renderer->drawData(f.g);
    EXPECT_EQ(f.strokes().at(0).path, polyline({px(0, 1), px(0, 1), px(0, 1), px(0, 1), px(1, 1),
                                                px(1, 3)}));

    auto three = f.show(lineSet({{0, 1}, {1, 3}, {2, 2}}));
    three->setMode(LineChartMode::stepped);
    three->setDrawFilledEnabled(true);
    three->setFillFormatter(std::make_shared<ConstantFill>(0.5));
    f.g.clear();
    f.renderer->drawData(f.g);
    Path area = polyline({px(0, 0.5), px(0, 1), px(1, 1), px(1, 3), px(2, 3), px(2, 2), px(2, 0.5)});
    area.closeSubpath();
    EXPECT_EQ(f.g.callsNamed("fillPath").at(0).path, area);
}

TEST(LineChartRenderer, ColoursPerSegmentWithCulling) {
    Fixture f;
    // Segment by segment: drawn, drawn, zero length, drawn, above the content, drawn, drawn,
    // then one starting right of the content ends the walk.
    auto set = f.show(lineSet({{0, 1}, {1, 3}, {2, 2}, {2, 2}, {3, 12}, {4, 13}, {5, 1}, {16, 1},
                               {17, 1}}));
    set->setColors({QColor(Qt::red), QColor(Qt::blue)});
    f.chart.high = 20;
    f.renderer->drawData(f.g);
    const auto segments = f.g.callsNamed("strokeLineSegments");
    struct Expect {
        Point from, to;
        QColor color;
    };
    const Expect expected[] = {
        {px(0, 1), px(1, 3), Qt::red},  {px(1, 3), px(2, 2), Qt::blue},
        {px(2, 2), px(3, 12), Qt::blue}, {px(4, 13), px(5, 1), Qt::blue},
        {px(5, 1), px(16, 1), Qt::red},
    };
    ASSERT_EQ(segments.size(), std::size(expected));
    for (std::size_t i = 0; i < segments.size(); ++i) {
        SCOPED_TRACE(i);
        const Expect& e = expected[i];
        EXPECT_EQ(segments[i].args, (std::vector<double>{e.from.x, e.from.y, e.to.x, e.to.y}));
        EXPECT_EQ(segments[i].state.strokeColor, e.color);
    }
    EXPECT_TRUE(f.strokes().empty());

    // Stepped: two segments per pair of entries.
    auto stepped = f.show(lineSet({{0, 1}, {1, 3}, {2, 2}}));
    stepped->setColors({QColor(Qt::red), QColor(Qt::blue)});
    stepped->setMode(LineChartMode::stepped);
    f.g.clear();
    f.renderer->drawData(f.g);
    const auto steps = f.g.callsNamed("strokeLineSegments");
    ASSERT_EQ(steps.size(), 2u);
    EXPECT_EQ(steps[1].args, (std::vector<double>{10, 70, 20, 70, 20, 70, 20, 80}));
}

TEST(LineChartRenderer, CubicAndHorizontalBezierControlPoints) {
    Fixture f;
    auto set = f.show(lineSet({{0, 0}, {1, 1}, {2, 0}, {3, 1}}));
    set->setMode(LineChartMode::cubicBezier);
    set->setCubicIntensity(0.2);
    f.renderer->drawData(f.g);
    Path cubic;
    cubic.moveTo(px(0, 0));
    cubic.addCurveTo(px(0.2, 0.2), px(0.6, 1), px(1, 1));
    cubic.addCurveTo(px(1.4, 1), px(1.6, 0), px(2, 0));
    cubic.addCurveTo(px(2.4, 0), px(2.8, 0.8), px(3, 1));
    const auto strokes = f.strokes();
    ASSERT_EQ(strokes.size(), 1u);
    ASSERT_EQ(strokes[0].path.elements().size(), cubic.elements().size());
    for (std::size_t i = 0; i < cubic.elements().size(); ++i)
        for (int k = 0; k < 3; ++k) {
            EXPECT_NEAR(strokes[0].path.elements()[i].points[k].x, cubic.elements()[i].points[k].x, 1e-9);
            EXPECT_NEAR(strokes[0].path.elements()[i].points[k].y, cubic.elements()[i].points[k].y, 1e-9);
        }

    auto horizontal = f.show(lineSet({{0, 0}, {2, 4}}));
    horizontal->setMode(LineChartMode::horizontalBezier);
    f.g.clear();
    f.renderer->drawData(f.g);
    Path s;
    s.moveTo(px(0, 0));
    s.addCurveTo(px(1, 0), px(1, 4), px(2, 4));
    EXPECT_EQ(f.strokes().at(0).path, s);

    // With the curve filled: closed along the fill line.
    horizontal->setDrawFilledEnabled(true);
    horizontal->setFillFormatter(std::make_shared<ConstantFill>(1));
    f.g.clear();
    f.renderer->drawData(f.g);
    Path area = s;
    area.addLineTo(px(2, 1));
    area.addLineTo(px(0, 1));
    area.closeSubpath();
    const auto fills = f.g.callsNamed("fillPath");
    ASSERT_EQ(fills.size(), 1u);
    EXPECT_EQ(fills[0].path, area);
    EXPECT_NEAR(fills[0].state.alpha, 0.33, 1e-12);
}

TEST(LineChartRenderer, OneVisibleEntryGivesAnEmptyCurveAndNoFill) {
    for (auto mode : {LineChartMode::cubicBezier, LineChartMode::horizontalBezier}) {
        Fixture f;
        auto set = f.show(lineSet({{0, 0}, {1, 1}, {2, 0}, {3, 1}}));
        set->setMode(mode);
        set->setDrawFilledEnabled(true);
        f.chart.low = f.chart.high = 2;
        f.renderer->drawData(f.g);
        ASSERT_EQ(f.strokes().size(), 1u);
        EXPECT_TRUE(f.strokes()[0].path.isEmpty());
        EXPECT_TRUE(f.g.callsNamed("fillPath").empty());
    }
}

TEST(LineChartRenderer, PhaseYHalvesLineAndFillButNotTheFillLine) {
    Fixture f;
    auto set = f.show(lineSet({{0, 4}, {1, 8}}));
    set->setDrawFilledEnabled(true);
    set->setFillFormatter(std::make_shared<ConstantFill>(1));
    set->setFillColor(Qt::green);
    set->setFillAlpha(0.5);
    f.animator->setPhaseY(0.5);
    f.renderer->drawData(f.g);
    const auto paints = f.g.paintCalls();
    ASSERT_EQ(paints.size(), 2u);
    EXPECT_EQ(paints[0].op, "fillPath"); // the fill first, the line over it
    Path area = polyline({px(0, 1), px(0, 2), px(1, 4), px(1, 1)});
    area.closeSubpath();
    EXPECT_EQ(paints[0].path, area);
    EXPECT_EQ(paints[0].state.fillColor, QColor(Qt::green));
    EXPECT_EQ(paints[0].state.alpha, 0.5);
    EXPECT_EQ(paints[1].op, "strokePath");
    EXPECT_EQ(paints[1].path, polyline({px(0, 2), px(0, 2), px(0, 2), px(1, 4)}));
    EXPECT_EQ(paints[1].state.alpha, 1);

    // A fill object takes the place of the colour.
    set->setFill(std::make_shared<ColorFill>(QColor(Qt::magenta)));
    f.g.clear();
    f.renderer->drawData(f.g);
    EXPECT_EQ(f.g.callsNamed("fillPath").at(0).state.fillColor, QColor(Qt::magenta));
}

TEST(LineChartRenderer, NothingWithoutDataProviderOrDataAndStopsOnABadMode) {
    Fixture f;
    f.renderer->drawData(f.g); // no data
    f.renderer->drawValues(f.g);
    f.renderer->drawExtras(f.g);
    f.renderer->drawHighlighted(f.g, {});
    EXPECT_TRUE(f.g.calls().empty());
    {
        rendertest::Chart gone;
        f.renderer->setDataProvider(&gone);
    }
    EXPECT_EQ(f.renderer->dataProvider(), nullptr); // the chart went: the renderer notices
    f.renderer->drawData(f.g);
    EXPECT_TRUE(f.g.calls().empty());

    f.renderer->setDataProvider(&f.chart);
    auto set = f.show(lineSet({{0, 1}, {1, 2}}));
    set->setMode(LineChartMode(7));
    EXPECT_DEATH(f.renderer->drawData(f.g), "LineChartDataSet.Mode");
}

TEST(LineChartRenderer, GradientLineColoursPinnedToValues) {
    QImage image(100, 100, QImage::Format_ARGB32_Premultiplied);
    auto draw = [&](std::optional<std::vector<double>> positions, std::vector<QColor> colors) {
        Fixture f;
        auto set = f.show(lineSet({{1, 1}, {9, 9}}));
        set->setLineWidth(6);
        set->setColors(colors);
        set->setDrawLineWithGradientEnabled(true);
        set->setGradientPositions(positions);
        image.fill(Qt::transparent);
        QPainter p(&image);
        QPainterGraphicsContext g(p);
        f.renderer->drawData(g);
    };
    draw(std::vector<double>{1, 9}, {QColor(Qt::blue), QColor(Qt::red)});
    const QColor low = image.pixelColor(px(1.3, 1.3).x, px(1.3, 1.3).y);
    const QColor high = image.pixelColor(px(8.7, 8.7).x, px(8.7, 8.7).y);
    EXPECT_GT(low.blue(), 200);
    EXPECT_LT(low.red(), 60);
    EXPECT_GT(high.red(), 200);
    EXPECT_LT(high.blue(), 60);
    const QColor mid = image.pixelColor(50, 50);
    EXPECT_NEAR(mid.red(), mid.blue(), 40);
    EXPECT_EQ(qAlpha(image.pixel(90, 90)), 0); // only the stroke is painted

    // More colours than positions: colour i stays with position i.
    draw(std::vector<double>{1, 9}, {QColor(Qt::blue), QColor(Qt::red), QColor(Qt::green)});
    EXPECT_GT(image.pixelColor(px(1.3, 1.3).x, px(1.3, 1.3).y).blue(), 200);
    EXPECT_GT(image.pixelColor(px(8.7, 8.7).x, px(8.7, 8.7).y).red(), 200);
    // No positions at all: a plain line in the first colour.
    draw(std::vector<double>{}, {QColor(Qt::blue), QColor(Qt::red)});
    EXPECT_GT(image.pixelColor(50, 50).blue(), 200);
    EXPECT_EQ(image.pixelColor(50, 50).red(), 0);
    // No gradient positions set: nothing.
    draw(std::nullopt, {QColor(Qt::blue)});
    EXPECT_EQ(qAlpha(image.pixel(50, 50)), 0);
}

TEST(LineChartRenderer, DenseLineIsReducedPerPixelColumnKeepingItsShape) {
    Fixture f;
    std::vector<std::pair<double, double>> points;
    const int n = 20000;
    for (int i = 0; i < n; ++i) {
        const double x = 10.0 * i / (n - 1);
        points.emplace_back(x, 5 + 4 * std::sin(i * 0.37) * std::cos(i * 0.001));
    }
    f.show(lineSet(points));
    f.renderer->drawData(f.g);
    const Path drawn = f.strokes().at(0).path;
    EXPECT_LE(drawn.elements().size(), 4u * 101 + 2);
    EXPECT_GE(drawn.elements().size(), 100u);
    // Per column: the same first point, lowest and highest y as the full line.
    struct Column {
        double low = 1e9, high = -1e9;
    };
    std::map<long long, Column> full, reduced;
    for (auto [x, y] : points) {
        const Point p = px(x, y);
        auto& c = full[(long long)std::floor(p.x)];
        c.low = std::min(c.low, p.y);
        c.high = std::max(c.high, p.y);
    }
    for (const auto& e : drawn.elements()) {
        auto& c = reduced[(long long)std::floor(e.points[0].x)];
        c.low = std::min(c.low, e.points[0].y);
        c.high = std::max(c.high, e.points[0].y);
    }
    ASSERT_EQ(full.size(), reduced.size());
    for (const auto& [column, c] : full) {
        EXPECT_DOUBLE_EQ(reduced[column].low, c.low) << column;
        EXPECT_DOUBLE_EQ(reduced[column].high, c.high) << column;
    }
    EXPECT_EQ(drawn.elements().front().points[0], px(points[0].first, points[0].second));
    EXPECT_EQ(drawn.elements().back().points[0], px(points.back().first, points.back().second));

    // The fill is reduced the same way.
    auto set = std::dynamic_pointer_cast<LineChartDataSet>(f.chart.lineData()->dataSets()[0]);
    set->setDrawFilledEnabled(true);
    f.g.clear();
    f.renderer->drawData(f.g);
    EXPECT_LE(f.g.callsNamed("fillPath").at(0).path.elements().size(), 4u * 101 + 4);
}

TEST(LineChartRenderer, CirclesWithHoles) {
    struct Row {
        const char* name;
        double hole;
        std::optional<QColor> holeColor;
        std::vector<std::string> ops;
    };
    const Row rows[] = {
        {"white hole", 4, QColor(Qt::white), {"fillEllipse", "fillEllipse"}},
        {"clear hole", 4, QColor(Qt::transparent), {"fillPath"}},
        {"no hole colour", 4, std::nullopt, {"fillPath"}},
        {"hole as large as the circle", 8, QColor(Qt::white), {"fillEllipse"}},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.name);
        Fixture f;
        auto set = f.show(lineSet({{5, 5}}));
        set->setDrawCirclesEnabled(true);
        set->setCircleRadius(8);
        set->setCircleHoleRadius(r.hole);
        set->setCircleHoleColor(r.holeColor);
        set->setCircleColor(Qt::red);
        f.renderer->drawExtras(f.g);
        std::vector<std::string> ops;
        for (const auto& c : f.g.paintCalls())
            ops.push_back(c.op);
        EXPECT_EQ(ops, r.ops);
        const auto paints = f.g.paintCalls();
        if (r.ops[0] == "fillPath")
            EXPECT_EQ(paints[0].args, std::vector<double>{1}); // even-odd
        else
            EXPECT_EQ(paints[0].args, (std::vector<double>{42, 42, 16, 16}));
        EXPECT_EQ(paints[0].state.fillColor, QColor(Qt::red));
        if (r.ops.size() == 2) {
            EXPECT_EQ(paints[1].args, (std::vector<double>{46, 46, 8, 8}));
            EXPECT_EQ(paints[1].state.fillColor, QColor(Qt::white));
        }
    }
    // On pixels: a transparent hole shows what lies beneath.
    for (bool clear : {true, false}) {
        Fixture f;
        auto set = f.show(lineSet({{5, 5}}));
        set->setDrawCirclesEnabled(true);
        set->setCircleColor(Qt::red);
        set->setCircleHoleColor(clear ? std::optional<QColor>() : QColor(Qt::white));
        QImage image(100, 100, QImage::Format_ARGB32_Premultiplied);
        image.fill(Qt::transparent);
        {
            QPainter p(&image);
            QPainterGraphicsContext g(p);
            f.renderer->drawExtras(g);
        }
        EXPECT_EQ(image.pixelColor(50, 44), QColor(Qt::red)); // the ring: 6 from the centre
        EXPECT_EQ(image.pixelColor(50, 50), clear ? QColor(Qt::transparent) : QColor(Qt::white));
        EXPECT_EQ(qAlpha(image.pixel(50, 40)), 0); // outside the circle
    }
}

TEST(LineChartRenderer, ValueLabelsAboveTheEntries) {
    FakeTextMeasurer measurer;
    ScopedTextMeasurer scoped(measurer);
    struct Row {
        double radius;
        bool circles;
        double offset; // valOffset
    };
    const Row rows[] = {{8, true, 14}, {8, false, 7}, {3, true, 5}, {3, false, 2}, {0.5, true, 0}};
    for (const Row& r : rows) {
        SCOPED_TRACE(testing::Message() << r.radius << " " << r.circles);
        Fixture f;
        auto set = f.show(lineSet({{5, 5}}));
        set->setCircleRadius(r.radius);
        set->setDrawCirclesEnabled(r.circles);
        QFont font;
        font.setPointSizeF(10); // text "5.0": 15 wide; the font's box 12.5 high
        set->setValueFont(font);
        set->setValueTextColor(Qt::blue);
        f.renderer->drawValues(f.g);
        const auto texts = f.g.callsNamed("drawText");
        ASSERT_EQ(texts.size(), 1u);
        EXPECT_EQ(texts[0].text, "5.0");
        EXPECT_EQ(texts[0].args, (std::vector<double>{50 - 7.5, 50 - r.offset - 12.5}));
        EXPECT_EQ(texts[0].attributes->foregroundColor, QColor(Qt::blue));
    }
    // Rotated labels turn about their centre, placed at the same point.
    Fixture f;
    auto set = f.show(lineSet({{5, 5}}));
    QFont font;
    font.setPointSizeF(10);
    set->setValueFont(font);
    set->setValueLabelAngle(90);
    f.renderer->drawValues(f.g);
    EXPECT_NEAR(f.g.callsNamed("rotateBy").at(0).args[0], std::numbers::pi / 2, 1e-12);
    // Too many entries for the zoom: no labels.
    f.chart.maxVisible = 1;
    f.g.clear();
    f.renderer->drawValues(f.g);
    EXPECT_TRUE(f.g.callsNamed("drawText").empty());
}

TEST(LineChartRenderer, HighlightCrosshairs) {
    Fixture f;
    auto set = f.show(lineSet({{2, 3}, {4, 6}, {6, 1}}));
    set->setHighlightColor(Qt::green);
    set->setHighlightLineWidth(2);
    set->setHighlightLineDashLengths(std::vector<double>{3, 1});
    auto inRange = Highlight::create(4, 6, 0, -1);
    auto staleSet = Highlight::create(4, 6, 3, -1); // data set 3 no longer exists
    f.renderer->drawHighlighted(f.g, {staleSet, inRange});
    const auto strokes = f.strokes();
    ASSERT_EQ(strokes.size(), 2u);
    EXPECT_EQ(strokes[0].path, polyline({Point{40, 0}, Point{40, 100}}));
    EXPECT_EQ(strokes[1].path, polyline({Point{0, 40}, Point{100, 40}}));
    EXPECT_EQ(strokes[0].state.strokeColor, QColor(Qt::green));
    EXPECT_EQ(strokes[0].state.lineWidth, 2);
    EXPECT_EQ(strokes[0].state.lineDashLengths, (std::vector<double>{3, 1}));
    EXPECT_EQ(inRange->drawX(), 40);
    EXPECT_EQ(inRange->drawY(), 40);
    EXPECT_EQ(f.g.savedStateCount(), 0);

    // During an x animation, a value the animation has not reached keeps its old position.
    f.animator->setPhaseX(0.5);
    auto later = Highlight::create(6, 1, 0, -1);
    later->setDraw(Point{1, 2});
    f.g.clear();
    f.renderer->drawHighlighted(f.g, {later});
    EXPECT_TRUE(f.strokes().empty());
    EXPECT_EQ(later->drawX(), 1);
}

TEST(LineChartRenderer, AccessibilityElementsForDrawnCircles) {
    rendertest::ViewChart chart;
    chart.widget.resize(100, 100);
    auto vph = ViewPortHandler::create(100, 100);
    auto renderer = LineChartRenderer::create(&chart, Animator::create(), vph);
    auto roll = lineSet({{1, 2}, {2, 3}}, "Roll");
    auto pitch = lineSet({{1, 5}}, "Pitch");
    pitch->setDrawCirclesEnabled(false);
    chart.chartData = lineData({roll, pitch});
    RecordingGraphicsContext g;
    renderer->drawExtras(g);
    const auto& elements = renderer->accessibleChartElements();
    ASSERT_EQ(elements.size(), 3u);
    EXPECT_EQ(elements[0]->elementLabel(), "Line Chart. 2 datasets. Roll, Pitch");
    EXPECT_EQ(elements[1]->elementLabel(), "Roll,  1.0: 2.0");
    EXPECT_EQ(elements[2]->elementLabel(), "Roll,  2.0: 3.0");
    EXPECT_EQ(renderer->accessibilityOrderedElements().size(), 2u);
    EXPECT_EQ(renderer->accessibilityOrderedElements()[1].size(), 0u);

    // One data set: the label begins with a space; an x formatter writes the x text.
    struct Named : ChartAxisValueFormatter {
        QString stringForValue(double value, AxisBase*) override {
            return QStringLiteral("t=%1").arg(value);
        }
    };
    chart.axis = XAxis::create();
    chart.axis->setValueFormatter(std::make_shared<Named>());
    chart.chartData = lineData({roll});
    renderer->drawExtras(g);
    ASSERT_EQ(renderer->accessibleChartElements().size(), 3u);
    EXPECT_EQ(renderer->accessibleChartElements()[1]->elementLabel(), " t=1: 2.0");

    // Without circles only the header is left.
    roll->setDrawCirclesEnabled(false);
    renderer->drawExtras(g);
    EXPECT_EQ(renderer->accessibleChartElements().size(), 1u);

    // A data provider that is not a chart view: no elements at all.
    Fixture f;
    f.chart.chartData = lineData({lineSet({{1, 2}})});
    f.renderer->drawExtras(f.g);
    EXPECT_TRUE(f.renderer->accessibleChartElements().empty());
    EXPECT_TRUE(f.renderer->accessibilityOrderedElements().empty());
}
