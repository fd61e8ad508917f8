#include "Charting/data/BarChartData.h"
#include "Charting/data/BarChartDataEntry.h"
#include "Charting/data/BarChartDataSet.h"
#include "Charting/highlight/BarHighlighter.h"
#include "Charting/data/Highlight.h"
#include "Charting/data/Range.h"
#include "support/FakeBarChart.h"
#include "support/FakeLineChart.h"

#include <gtest/gtest.h>

using namespace charting;
using testsupport::FakeBarChart;

namespace {
std::shared_ptr<BarChartDataSet> barSet(std::vector<std::shared_ptr<BarChartDataEntry>> entries) {
    return BarChartDataSet::create(ChartDataSet::EntryList(entries.begin(), entries.end()));
}
} // namespace

TEST(BarHighlighter, NearestBarByXAlone) {
    FakeBarChart chart; // value (x, y) is pixel (10x, 100 - 10y)
    chart.chartData = BarChartData::create(
        {barSet({BarChartDataEntry::create(2, 9), BarChartDataEntry::create(6, 1)})});
    auto highlighter = BarHighlighter::create(&chart);
    // A touch high above the short bar at x 6 still picks it: only x counts.
    auto h = highlighter->getHighlight(61, 5);
    ASSERT_TRUE(h);
    EXPECT_EQ(h->x(), 6);
    EXPECT_EQ(h->y(), 1);
    EXPECT_EQ(h->stackIndex(), -1);
    EXPECT_EQ(highlighter->pixelDistance(0, 0, 3, 40), 3);

    // The distance limit is measured along x.
    chart.maxDistance = 5;
    EXPECT_EQ(highlighter->getHighlight(45, 90), nullptr); // 15 px from the bar at x 6
    EXPECT_TRUE(highlighter->getHighlight(57, 0));

    // Without bar data nothing is found.
    FakeBarChart noData;
    EXPECT_EQ(BarHighlighter::create(&noData)->getHighlight(20, 50), nullptr);
    testsupport::FakeLineChart lineChart;
    EXPECT_EQ(BarHighlighter::create(&lineChart)->getHighlight(20, 50), nullptr);
}

TEST(BarHighlighter, StackLevelUnderTheTouch) {
    FakeBarChart chart;
    chart.show(0, 10, -5, 10); // y -5...5: value y is pixel 50 - 10y
    auto entry = BarChartDataEntry::create(3, {-1, 2, -2, 1}); // [-3,-2] [0,2] [-2,0] [2,3]
    chart.chartData = BarChartData::create({barSet({BarChartDataEntry::create(1, 2), entry})});
    auto highlighter = BarHighlighter::create(&chart);

    struct Case {
        double touchY; // value
        int stackIndex;
        double levelTop;
    } cases[] = {
        {1.5, 1, 2},   // inside [0, 2]
        {2.5, 3, 3},   // inside [2, 3]
        {-2.5, 0, -2}, // inside [-3, -2]
        {-1, 2, 0},    // inside [-2, 0]
        {4, 3, 3},     // above the last range: the last level
        {-4, 0, -2},   // below everything: level 0
    };
    for (const auto& c : cases) {
        auto h = highlighter->getHighlight(30, 50 - 10 * c.touchY);
        ASSERT_TRUE(h) << c.touchY;
        EXPECT_EQ(h->stackIndex(), c.stackIndex) << c.touchY;
        EXPECT_EQ(h->x(), 3);
        EXPECT_EQ(h->y(), 0); // the entry's y, the sum of its values
        EXPECT_EQ(h->dataIndex(), 0);
        EXPECT_DOUBLE_EQ(h->yPx(), 50 - 10 * c.levelTop) << c.touchY; // at the level's top
        EXPECT_DOUBLE_EQ(h->xPx(), 30);
    }

    // A plain entry in a stacked set gives the base highlight.
    auto plain = highlighter->getHighlight(10, 40);
    ASSERT_TRUE(plain);
    EXPECT_EQ(plain->x(), 1);
    EXPECT_EQ(plain->stackIndex(), -1);
}

TEST(BarHighlighter, StackedHighlightCases) {
    FakeBarChart chart;
    auto plainEntry = BarChartDataEntry::create(1, 4);
    auto noRanges = BarChartDataEntry::create(2, std::vector<double>{});
    auto set = barSet({plainEntry, noRanges, BarChartDataEntry::create(3, {1, 2})});
    chart.chartData = BarChartData::create({set});
    auto highlighter = BarHighlighter::create(&chart);
    auto high = Highlight::create(1, 4, 10, 60, 0, AxisDependency::left);
    EXPECT_EQ(highlighter->getStackedHighlight(high, *set, 1, 4), high);
    EXPECT_EQ(highlighter->getStackedHighlight(high, *set, 2, 0), nullptr);

    EXPECT_EQ(highlighter->getClosestStackIndex(std::nullopt, 1), 0);
    EXPECT_EQ(highlighter->getClosestStackIndex(BarChartDataEntry::RangeList{}, 1), 0);
    BarChartDataEntry::RangeList ranges{Range::create(0, 1), Range::create(1, 3)};
    EXPECT_EQ(highlighter->getClosestStackIndex(ranges, 0), 0); // 0 is not in (0, 1]
    EXPECT_EQ(highlighter->getClosestStackIndex(ranges, 1), 0);
    EXPECT_EQ(highlighter->getClosestStackIndex(ranges, 3), 1);
    EXPECT_EQ(highlighter->getClosestStackIndex(ranges, 3.5), 1);
}
