#include "Charting/renderers/BarLineScatterCandleBubbleRenderer.h"

#include "Charting/renderers/LineRadarRenderer.h"
#include "Charting/utils/Fill.h"
#include "Charting/utils/NSUIAccessibilityElement.h"
#include "Charting/utils/ViewPortHandler.h"
#include "Charting/renderers/RendererTestChart.h"
#include "support/RecordingGraphicsContext.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

using namespace charting;
using platform::Point;
using platform::Rect;
using rendertest::Chart;
using rendertest::lineSet;
using XBounds = BarLineScatterCandleBubbleRenderer::XBounds;

namespace {
std::shared_ptr<LineChartDataSet> setOfCount(int count) {
    std::vector<std::pair<double, double>> points;
    for (int i = 0; i < count; ++i)
        points.emplace_back(i, 1);
    return lineSet(points);
}

std::shared_ptr<Animator> animatorAt(double phaseX, double phaseY = 1) {
    auto a = Animator::create();
    a->setPhaseX(phaseX);
    a->setPhaseY(phaseY);
    return a;
}
} // namespace

TEST(XBounds, VisibleEntriesAsFarAsTheXAnimationHasCome) {
    const double nan = std::numeric_limits<double>::quiet_NaN();
    auto set = setOfCount(41);
    struct Row {
        double low, high, phaseX;
        long long min, max, range;
    };
    const Row rows[] = {
        {10, 31, 0.5, 10, 31, 10}, // 21 x 0.5 = 10.5, truncated
        {10, 31, 1.3, 10, 31, 21}, // a phase above 1 counts as 1
        {10, 31, -2, 10, 31, 0},   // below 0 counts as 0
        {10, 31, nan, 10, 31, 0},  // a NaN phase never becomes an index
        {9.5, 30.2, 1, 9, 31, 22}, // the low end rounds down, the high end up
        {-5, 100, 1, 0, 40, 40},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(testing::Message() << r.low << " " << r.high << " " << r.phaseX);
        Chart chart;
        chart.low = r.low;
        chart.high = r.high;
        auto animator = animatorAt(r.phaseX);
        XBounds b(chart, *set, animator.get());
        EXPECT_EQ(b.min, r.min);
        EXPECT_EQ(b.max, r.max);
        EXPECT_EQ(b.range, r.range);
    }
    Chart chart;
    chart.low = 10;
    chart.high = 31;
    auto half = animatorAt(0.5);
    XBounds b(chart, *set, half.get());
    EXPECT_EQ(b.indices(), (std::vector<long long>{10, 11, 12, 13, 14, 15, 16, 17, 18, 19, 20}));
    EXPECT_TRUE(b.contains(10));
    EXPECT_TRUE(b.contains(20));
    EXPECT_FALSE(b.contains(21));
    EXPECT_FALSE(b.contains(9));
    b.set(chart, *set, nullptr); // no animator: phase 1
    EXPECT_EQ(b.range, 21);
}

TEST(XBounds, NothingFoundGivesIndexZeroAndANegativeRangeNothing) {
    Chart chart;
    auto empty = setOfCount(0);
    XBounds b(chart, *empty, nullptr);
    EXPECT_EQ(b.description(), "min:0, max:0, range:0");
    EXPECT_EQ(b.indices(), (std::vector<long long>{0}));

    auto set = setOfCount(41);
    chart.low = 30;
    chart.high = 5;
    b.set(chart, *set, nullptr);
    EXPECT_EQ(b.range, -25);
    EXPECT_TRUE(b.indices().empty());
    EXPECT_FALSE(b.contains(30));
    int visited = 0;
    for (long long i : b)
        visited += int(i >= 0);
    EXPECT_EQ(visited, 0);

    XBounds d;
    d.min = 3;
    d.max = 9;
    d.range = 6;
    EXPECT_EQ(d.description(), "min:3, max:9, range:6");
}

TEST(BarLineScatterCandleBubbleRenderer, DrawingValuesAllowedBelowMaxVisibleCountTimesZoom) {
    auto vph = ViewPortHandler::create(100, 100);
    BarLineScatterCandleBubbleRenderer renderer(Animator::create(), vph);
    Chart chart;
    EXPECT_FALSE(renderer.isDrawingValuesAllowed(nullptr));
    EXPECT_FALSE(renderer.isDrawingValuesAllowed(&chart)); // no data
    chart.chartData = rendertest::lineData({setOfCount(100)});
    struct Row {
        double scaleX;
        int maxVisible;
        bool allowed;
    };
    const Row rows[] = {
        {1.0, 100, false}, // 100 is not less than 100
        {1.5, 100, true},  {1.009, 100, false}, {1.01, 100, true},
        {1e300, 100, true}, {std::nan(""), 100, false}, {1.0, -5, false},
    };
    for (const Row& r : rows) {
        vph->setScaleX(r.scaleX);
        chart.maxVisible = r.maxVisible;
        EXPECT_EQ(renderer.isDrawingValuesAllowed(&chart), r.allowed) << r.scaleX;
    }
}

TEST(BarLineScatterCandleBubbleRenderer, InBoundsXAndShouldDrawValues) {
    auto set = setOfCount(10);
    auto animator = animatorAt(0.5);
    BarLineScatterCandleBubbleRenderer renderer(animator, ViewPortHandler::create(100, 100));
    EXPECT_TRUE(renderer.isInBoundsX(set->entryForIndex(4), *set));  // 4 < 5
    EXPECT_FALSE(renderer.isInBoundsX(set->entryForIndex(5), *set)); // 5 is not < 5
    animator->setPhaseX(1.5);                                         // not clamped here
    EXPECT_TRUE(renderer.isInBoundsX(set->entryForIndex(9), *set));

    struct Row {
        bool visible, values, icons, draws;
    };
    const Row rows[] = {{true, true, false, true},  {true, false, true, true},
                        {true, false, false, false}, {false, true, true, false}};
    for (const Row& r : rows) {
        set->setVisible(r.visible);
        set->setDrawValuesEnabled(r.values);
        set->setDrawIconsEnabled(r.icons);
        EXPECT_EQ(renderer.shouldDrawValues(*set), r.draws);
    }
}

TEST(BarLineScatterCandleBubbleRenderer, AccessibleHeader) {
    BarLineScatterCandleBubbleRenderer renderer(Animator::create(), ViewPortHandler::create(100, 100));
    rendertest::ViewChart chart;
    chart.widget.resize(100, 100);
    auto two = rendertest::lineData({lineSet({{0, 1}}, "Roll"), lineSet({{0, 1}}, "Pitch")});
    auto header = renderer.createAccessibleHeader(chart, *two, "Line Chart");
    EXPECT_EQ(header->elementLabel(), "Line Chart. 2 datasets. Roll, Pitch");
    EXPECT_TRUE(header->isHeader());
    EXPECT_EQ(header->role(), AccessibilityRole::staticText);
    EXPECT_EQ(header->containerView(), &chart.widget);

    auto unlabelled = lineSet({{0, 1}});
    unlabelled->setLabel(std::nullopt);
    chart.description = "Gyro";
    auto one = rendertest::lineData({unlabelled});
    EXPECT_EQ(renderer.createAccessibleHeader(chart, *one, "Line Chart")->elementLabel(),
              "Gyro. 1 dataset. ");
}

TEST(LineScatterCandleRadarRenderer, HighlightLinesSpanTheContentEachStrokedOnItsOwn) {
    auto vph = ViewPortHandler::create(100, 100);
    vph->restrainViewPort(10, 5, 20, 15); // content 10...80 x 5...85
    LineScatterCandleRadarRenderer renderer(Animator::create(), vph);
    auto set = setOfCount(1);
    struct Row {
        bool vertical, horizontal;
        std::vector<Path> strokes;
    };
    Path v, h;
    v.moveTo(Point{200, 5});
    v.addLineTo(Point{200, 85});
    h.moveTo(Point{10, -3});
    h.addLineTo(Point{80, -3});
    const Row rows[] = {{false, false, {}}, {true, false, {v}}, {false, true, {h}}, {true, true, {v, h}}};
    for (const Row& r : rows) {
        set->setDrawVerticalHighlightIndicatorEnabled(r.vertical);
        set->setDrawHorizontalHighlightIndicatorEnabled(r.horizontal);
        RecordingGraphicsContext g;
        // A point outside the content still gets lines across all of it.
        renderer.drawHighlightLines(g, Point{200, -3}, *set);
        const auto strokes = g.callsNamed("strokePath");
        ASSERT_EQ(strokes.size(), r.strokes.size());
        for (std::size_t i = 0; i < strokes.size(); ++i)
            EXPECT_EQ(strokes[i].path, r.strokes[i]);
    }
}

TEST(LineRadarRenderer, FilledPathsLeaveAlphaAndFillColourAsTheyWere) {
    auto vph = ViewPortHandler::create(100, 100);
    LineRadarRenderer renderer(Animator::create(), vph);
    Path area;
    area.addRect(Rect(1, 2, 3, 4));
    for (bool byFill : {false, true}) {
        RecordingGraphicsContext g;
        g.setFillColor(Qt::green);
        g.setAlpha(0.9);
        ColorFill fill(Qt::red);
        if (byFill)
            renderer.drawFilledPathWithFill(g, area, fill, 0);
        else
            renderer.drawFilledPathWithColor(g, area, Qt::red, 1.7);
        const auto fills = g.callsNamed("fillPath");
        ASSERT_EQ(fills.size(), 1u);
        EXPECT_EQ(fills[0].path, area);
        EXPECT_EQ(fills[0].args, std::vector<double>{0}); // nonzero winding
        EXPECT_EQ(fills[0].state.fillColor, QColor(Qt::red));
        EXPECT_EQ(fills[0].state.alpha, byFill ? 0.0 : 1.7); // passed on unchanged
        EXPECT_EQ(g.state().alpha, 0.9);
        EXPECT_EQ(g.state().fillColor, QColor(Qt::green));
        EXPECT_TRUE(g.isPathEmpty());
    }
    // The fill gets the content rectangle.
    vph->restrainViewPort(10, 10, 10, 10);
    RecordingGraphicsContext g;
    auto image = QImage(2, 2, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::red);
    ImageFill fill(image, false);
    renderer.drawFilledPathWithFill(g, area, fill, 0.5);
    EXPECT_EQ(g.callsNamed("drawImage").at(0).args, (std::vector<double>{10, 10, 80, 80}));
}
