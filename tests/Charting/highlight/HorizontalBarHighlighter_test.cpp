#include "Charting/data/BarChartData.h"
#include "Charting/data/BarChartDataEntry.h"
#include "Charting/data/BarChartDataSet.h"
#include "Charting/data/Highlight.h"
#include "Charting/highlight/HorizontalBarHighlighter.h"
#include "Charting/utils/TransformerHorizontalBarChart.h"
#include "Charting/utils/ViewPortHandler.h"
#include "support/FakeBarChart.h"

#include <gtest/gtest.h>

using namespace charting;
using testsupport::FakeBarChart;

namespace {
std::shared_ptr<BarChartDataSet> barSet(std::vector<std::shared_ptr<BarChartDataEntry>> entries) {
    return BarChartDataSet::create(ChartDataSet::EntryList(entries.begin(), entries.end()));
}

// A horizontal transformer on a 200 x 100 view with offsets left 10, top 5, right 20, bottom 15
// (content 170 x 80) showing y values 0...17 across and x values 0...8 upwards.
std::shared_ptr<TransformerHorizontalBarChart> horizontal(bool inverted) {
    auto handler = ViewPortHandler::create(200, 100);
    handler->restrainViewPort(10, 5, 20, 15);
    auto t = TransformerHorizontalBarChart::create(handler);
    t->prepareMatrixValuePx(0, 17, 8, 0);
    t->prepareMatrixOffset(inverted);
    return t;
}
} // namespace

TEST(TransformerHorizontalBarChart, OffsetsPlainAndInverted) {
    auto plain = horizontal(false);
    // y value along the horizontal direction from the content's left edge, x value upwards.
    EXPECT_EQ(plain->pixelForValues(0, 0), (platform::Point{10, 85}));
    EXPECT_EQ(plain->pixelForValues(17, 8), (platform::Point{180, 5}));
    EXPECT_EQ(plain->valueForTouchPoint(95, 45), (platform::Point{8.5, 4}));

    // Inverted: mirrored horizontally, value 0 at the content's right edge; vertically unchanged.
    auto inverted = horizontal(true);
    EXPECT_EQ(inverted->pixelForValues(0, 0), (platform::Point{180, 85}));
    EXPECT_EQ(inverted->pixelForValues(17, 8), (platform::Point{10, 5}));
    platform::Rect bar(0, 2.5, 5, 1); // a bar of length 5 around x 3
    inverted->rectToPixel(bar);
    EXPECT_EQ(bar, (platform::Rect{130, 50, 50, 10})); // grows leftwards from the right edge
}

TEST(HorizontalBarHighlighter, FindsBarsByTheVerticalPixelDistance) {
    FakeBarChart chart;
    auto left = TransformerHorizontalBarChart::create(chart.handler);
    auto right = TransformerHorizontalBarChart::create(chart.handler);
    for (const auto& t : {left, right}) {
        t->prepareMatrixValuePx(0, 10, 10, 0); // y 0...10 across, x 0...10 upwards
        t->prepareMatrixOffset(false);
    }
    chart.setTransformers(left, right);
    chart.chartData = BarChartData::create(
        {barSet({BarChartDataEntry::create(2, 9), BarChartDataEntry::create(6, {1, 3})})});
    auto highlighter = HorizontalBarHighlighter::create(&chart);

    // A touch at pixel (15, 78) is passed as (78, 15): x value 2.2, the bar at x 2, whose end is
    // at pixel (90, 80).
    auto h = highlighter->getHighlight(78, 15);
    ASSERT_TRUE(h);
    EXPECT_EQ(h->x(), 2);
    EXPECT_EQ(h->y(), 9);
    EXPECT_EQ(h->xPx(), 90);
    EXPECT_EQ(h->yPx(), 80);
    EXPECT_EQ(highlighter->pixelDistance(3, 10, 50, 14), 4);

    // The distance limit counts vertical pixels only: 5 px above the bar at x 2.
    chart.maxDistance = 6;
    EXPECT_TRUE(highlighter->getHighlight(75, 100));
    chart.maxDistance = 4;
    EXPECT_EQ(highlighter->getHighlight(75, 100), nullptr);

    // On the stacked set the touched level: y value 2.5 lies in [1, 4] of the bar at x 6.
    chart.maxDistance = 500;
    auto stacked = highlighter->getHighlight(40, 25);
    ASSERT_TRUE(stacked);
    EXPECT_EQ(stacked->x(), 6);
    EXPECT_EQ(stacked->stackIndex(), 1);

    FakeBarChart noData;
    EXPECT_EQ(HorizontalBarHighlighter::create(&noData)->getHighlight(40, 25), nullptr);
}
