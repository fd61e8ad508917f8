#include "Charting/data/Highlight.h"
#include "Charting/renderers/HorizontalBarChartRenderer.h"
#include "Charting/utils/TransformerHorizontalBarChart.h"
#include "Charting/utils/ViewPortHandler.h"
#include "support/FakeTextMeasurer.h"
#include "BarRendererTestChart.h"

#include <gtest/gtest.h>

using namespace charting;
using namespace bartest;
using platform::Point;
using platform::Rect;

namespace {

// A horizontal bar chart on 100 x 100 pixels showing y -5...5 across and x 0...10 upwards:
// value (x, y) is pixel (50 + 10y, 100 - 10x); an inverted axis gives (50 - 10y, 100 - 10x).
struct Fixture {
    explicit Fixture(std::shared_ptr<BarChartData> data) {
        chart.chartData = std::move(data);
        show();
        renderer->initBuffers();
    }
    void show() {
        std::shared_ptr<Transformer> t[2];
        for (int i = 0; i < 2; ++i) {
            t[i] = TransformerHorizontalBarChart::create(chart.handler);
            t[i]->prepareMatrixValuePx(-5, 10, 10, 0);
            t[i]->prepareMatrixOffset(chart.inverted[i]);
        }
        chart.setTransformers(t[0], t[1]);
    }
    RecordingGraphicsContext& draw() {
        context.clear();
        renderer->drawData(context);
        return context;
    }
    std::vector<Point> labels() {
        draw();
        context.clear();
        renderer->drawValues(context);
        std::vector<Point> points;
        for (const auto& call : context.callsNamed("drawText"))
            points.push_back(Point{call.args[0], call.args[1]});
        return points;
    }
    ViewChart chart;
    std::shared_ptr<Animator> animator = Animator::create();
    std::shared_ptr<HorizontalBarChartRenderer> renderer =
        HorizontalBarChartRenderer::create(&chart, animator, chart.handler);
    RecordingGraphicsContext context;
};

QFont valueFont() {
    QFont font;
    font.setPointSizeF(8); // characters 4 wide, lines 10 high
    return font;
}

} // namespace

TEST(HorizontalBarChartRenderer, PlainStackedInvertedAndPhasedBars) {
    struct Case {
        const char* name;
        std::shared_ptr<BarChartDataSet> set;
        double phaseY;
        bool inverted;
        std::vector<Rect> expected;
    };
    const std::vector<Case> cases = {
        // Bars below and above the content are not drawn.
        {"plain", plainSet({{-1, 1}, {2, 4}, {5, -3}, {11, 2}}), 1.0, false,
         {Rect(50, 77.5, 40, 5), Rect(20, 47.5, 30, 5)}},
        {"half grown", plainSet({{2, 4}, {5, -3}}), 0.5, false,
         {Rect(50, 77.5, 20, 5), Rect(35, 47.5, 15, 5)}},
        {"inverted", plainSet({{2, 4}, {5, -3}}), 1.0, true,
         {Rect(10, 77.5, 40, 5), Rect(50, 47.5, 30, 5)}},
        {"stacked", stackedSet({{2, {-2, 0, 3}}}), 1.0, false,
         {Rect(30, 77.5, 20, 5), Rect(50, 77.5, 0, 5), Rect(50, 77.5, 30, 5)}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        Fixture f(barData({c.set}));
        f.chart.inverted[0] = c.inverted;
        f.show();
        f.animator->setPhaseY(c.phaseY);
        EXPECT_EQ(rectsOf(f.draw(), "fillRect"), c.expected);
    }
}

TEST(HorizontalBarChartRenderer, ShadowsSpanTheContentWidth) {
    Fixture f(barData({plainSet({{2, 4}})}));
    f.chart.drawShadow = true;
    const auto rects = rectsOf(f.draw(), "fillRect");
    ASSERT_EQ(rects.size(), 2u);
    EXPECT_EQ(rects[0], Rect(0, 77.5, 100, 5));
}

TEST(HorizontalBarChartRenderer, HighlightRectanglesAndDrawPoints) {
    Fixture f(barData({plainSet({{2, 4}}), stackedSet({{6, {-2, 1, 3}}})}));
    auto bar = Highlight::create(2, 4, 0, 0);
    auto level = Highlight::create(6, 2, 0, 0, 0, 1, 2, AxisDependency::left);
    f.renderer->drawHighlighted(f.context, {bar, level});
    EXPECT_EQ(rectsOf(f.context, "fillRect"),
              (std::vector<Rect>{Rect(50, 77.5, 40, 5), Rect(60, 37.5, 30, 5)}));
    // (the bar's vertical middle, its right edge).
    EXPECT_EQ(bar->drawX(), 80);
    EXPECT_EQ(bar->drawY(), 90);
    f.context.clear();
    f.animator->setPhaseY(0.5);
    f.renderer->drawHighlighted(f.context, {bar});
    EXPECT_EQ(rectsOf(f.context, "fillRect"), (std::vector<Rect>{Rect(50, 77.5, 20, 5)}));
}

// Labels "2.0" (12 wide) and "-2.0" (16 wide), 10 high, at bars of x 2 and 5. Each label lies
// beyond the bar's value end (or inside the bar before it), a negative bar's at its left end.
TEST(HorizontalBarChartRenderer, ValueLabelPoints) {
    FakeTextMeasurer measurer;
    ScopedTextMeasurer scoped(measurer);
    auto set = plainSet({{2, 2}, {5, -2}});
    set->setValueFont(valueFont());
    Fixture f(barData({set}));
    struct Case {
        const char* name;
        bool above;
        bool inverted;
        std::vector<Point> expected;
    };
    const std::vector<Case> cases = {
        {"above", true, false, {{75, 75}, {9, 45}}},
        {"inside", false, false, {{53, 75}, {35, 45}}},
        // Inverted: value ends at 30 and 70; above-bar labels lie left of the positive end.
        {"above inverted", true, true, {{13, 75}, {75, 45}}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        f.chart.valueAboveBar = c.above;
        f.chart.inverted[0] = c.inverted;
        f.show();
        EXPECT_EQ(f.labels(), c.expected);
    }
}

TEST(HorizontalBarChartRenderer, StackedValueLabelPoints) {
    FakeTextMeasurer measurer;
    ScopedTextMeasurer scoped(measurer);
    // (-2, 0, 3): -2 and 0 on the negative side of their outer ends (30 and 50), 3 beyond 80.
    // A plain entry in a stacked set is centred on its rectangle's upper edge (47.5).
    auto set = stackedSet({{2, {-2, 0, 3}}});
    set->addEntry(BarChartDataEntry::create(5, 3));
    set->setValueFont(valueFont());
    Fixture f(barData({set}));
    EXPECT_EQ(f.labels(), (std::vector<Point>{{9, 75}, {33, 75}, {85, 75}, {85, 42.5}}));

    // (-2, 0): posY stays 0, so the zero piece is labelled on the positive side.
    auto noPositive = stackedSet({{2, {-2, 0}}});
    noPositive->setValueFont(valueFont());
    Fixture g(barData({noPositive}));
    EXPECT_EQ(g.labels(), (std::vector<Point>{{9, 75}, {55, 75}}));
}

TEST(HorizontalBarChartRenderer, ValuesAllowedBelowTheVisibleCountTimesTheVerticalZoom) {
    std::vector<std::pair<double, double>> bars;
    for (int i = 0; i < 100; ++i)
        bars.push_back({i * 0.1, 1});
    Fixture f(barData({plainSet(bars)}));
    f.chart.maxVisible = 100;
    EXPECT_FALSE(f.renderer->isDrawingValuesAllowed(&f.chart));
    f.chart.handler->setScaleY(1.01);
    EXPECT_TRUE(f.renderer->isDrawingValuesAllowed(&f.chart));
    f.chart.handler->setScaleY(1);
    f.chart.handler->setScaleX(5);
    EXPECT_FALSE(f.renderer->isDrawingValuesAllowed(&f.chart));
    EXPECT_FALSE(f.renderer->isDrawingValuesAllowed(nullptr));
}
