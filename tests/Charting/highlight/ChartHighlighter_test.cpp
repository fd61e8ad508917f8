#include "Charting/data/ChartDataEntry.h"
#include "Charting/data/Highlight.h"
#include "Charting/data/LineChartData.h"
#include "Charting/data/LineChartDataSet.h"
#include "Charting/highlight/ChartHighlighter.h"
#include "support/FakeLineChart.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

using namespace charting;
using testsupport::FakeLineChart;

namespace {
constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

// A chart that is not axis-based.
class PlainChart : public ChartDataProvider {
public:
    double chartXMin() override { return 0; }
    double chartXMax() override { return 0; }
    double chartYMin() override { return 0; }
    double chartYMax() override { return 0; }
    double maxHighlightDistance() override { return 500; }
    double xRange() override { return 0; }
    platform::Point centerOffsets() override { return {}; }
    std::shared_ptr<ChartData> data() override { return chartData; }
    int maxVisibleCount() override { return 0; }
    std::shared_ptr<ChartData> chartData;
};

std::shared_ptr<LineChartDataSet> lineSet(std::initializer_list<std::pair<double, double>> points,
                                          AxisDependency axis = AxisDependency::left) {
    ChartDataSet::EntryList list;
    for (auto [x, y] : points)
        list.push_back(ChartDataEntry::create(x, y));
    auto set = LineChartDataSet::create(list);
    set->setAxisDependency(axis);
    return set;
}

void expectHighlight(const std::shared_ptr<Highlight>& h, double x, double y, int dataSetIndex,
                     AxisDependency axis) {
    ASSERT_TRUE(h);
    EXPECT_EQ(h->x(), x);
    EXPECT_EQ(h->y(), y);
    EXPECT_EQ(h->dataSetIndex(), dataSetIndex);
    EXPECT_EQ(h->axis(), axis);
    EXPECT_EQ(h->xPx(), 10 * x);
    EXPECT_EQ(h->yPx(), 100 - 10 * y);
    EXPECT_EQ(h->dataIndex(), -1);
    EXPECT_EQ(h->stackIndex(), -1);
}
} // namespace

TEST(ChartHighlighter, TouchPointToTheNearestEntry) {
    FakeLineChart chart;
    chart.chartData = LineChartData::create({lineSet({{1, 2}, {3, 6}, {5, 4}})});
    auto highlighter = ChartHighlighter::create(&chart);

    EXPECT_EQ(highlighter->getValsForTouch(30, 40), (platform::Point{3, 6}));
    // Pixel (32, 45) is value x 3.2: the entry at x 3.
    expectHighlight(highlighter->getHighlight(32, 45), 3, 6, 0, AxisDependency::left);
    // Between two entries the nearer x wins.
    expectHighlight(highlighter->getHighlight(44, 0), 5, 4, 0, AxisDependency::left);
}

TEST(ChartHighlighter, MaxHighlightDistanceIsExclusive) {
    FakeLineChart chart;
    chart.chartData = LineChartData::create({lineSet({{5, 5}})}); // pixel (50, 50)
    auto highlighter = ChartHighlighter::create(&chart);
    chart.maxDistance = 10;
    EXPECT_EQ(highlighter->getHighlight(5, 50, 60), nullptr); // exactly 10 away
    expectHighlight(highlighter->getHighlight(5, 50, 59.9), 5, 5, 0, AxisDependency::left);
}

TEST(ChartHighlighter, TiesAndAxisChoice) {
    FakeLineChart chart;
    auto highlighter = ChartHighlighter::create(&chart);

    // Two left-axis data sets with the same entry: the lower data-set position wins.
    chart.chartData = LineChartData::create({lineSet({{5, 5}}), lineSet({{5, 5}})});
    expectHighlight(highlighter->getHighlight(5, 50, 50), 5, 5, 0, AxisDependency::left);

    // Equal vertical distance on both axes: only right-axis candidates count.
    chart.chartData =
        LineChartData::create({lineSet({{5, 6}}), lineSet({{5, 4}}, AxisDependency::right)});
    expectHighlight(highlighter->getHighlight(5, 50, 50), 5, 4, 1, AxisDependency::right);

    // The axis whose candidates lie nearer vertically.
    chart.chartData =
        LineChartData::create({lineSet({{5, 4}}, AxisDependency::right), lineSet({{5, 5.1}})});
    expectHighlight(highlighter->getHighlight(5, 50, 50), 5, 5.1, 1, AxisDependency::left);

    // Only left-axis data sets.
    chart.chartData = LineChartData::create({lineSet({{5, 1}})});
    expectHighlight(highlighter->getHighlight(5, 50, 0), 5, 1, 0, AxisDependency::left);
}

TEST(ChartHighlighter, CandidatesAndTheirSources) {
    FakeLineChart chart;
    auto highlighter = ChartHighlighter::create(&chart);

    // Several entries sharing the nearest x all become candidates.
    auto shared = lineSet({{2, 1}, {4, 3}, {4, 7}, {6, 0}});
    auto disabled = lineSet({{4, 5}});
    disabled->setHighlightEnabled(false);
    chart.chartData = LineChartData::create({disabled, shared});
    auto candidates = highlighter->getHighlights(4.4, 0, 0);
    ASSERT_EQ(candidates.size(), 2u);
    EXPECT_EQ(candidates[0]->dataSetIndex(), 1);
    EXPECT_EQ(candidates[1]->dataSetIndex(), 1);
    EXPECT_EQ(candidates[0]->y() + candidates[1]->y(), 10);
    // The candidate nearest the touch among them.
    expectHighlight(highlighter->getHighlight(44, 30), 4, 7, 1, AxisDependency::left);

    // A disabled data set never yields a highlight, even alone.
    chart.chartData = LineChartData::create({disabled});
    EXPECT_EQ(highlighter->getHighlight(40, 50), nullptr);

    // A NaN value gives no pixel distance: that entry is never chosen.
    chart.chartData = LineChartData::create({lineSet({{5, kNaN}}), lineSet({{5, 5}})});
    expectHighlight(highlighter->getHighlight(50, 50), 5, 5, 1, AxisDependency::left);
    chart.chartData = LineChartData::create({lineSet({{5, kNaN}})});
    EXPECT_EQ(highlighter->getHighlight(50, 50), nullptr);

    // No data, an empty data set.
    chart.chartData = nullptr;
    EXPECT_TRUE(highlighter->getHighlights(5, 0, 0).empty());
    EXPECT_EQ(highlighter->getHighlight(50, 50), nullptr);
    chart.chartData = LineChartData::create({lineSet({})});
    EXPECT_EQ(highlighter->getHighlight(50, 50), nullptr);
}

TEST(ChartHighlighter, NeedsALiveAxisBasedChart) {
    PlainChart plain;
    plain.chartData = LineChartData::create({lineSet({{5, 5}})});
    auto onPlain = ChartHighlighter::create(&plain);
    EXPECT_EQ(onPlain->getValsForTouch(50, 50), (platform::Point{0, 0}));
    EXPECT_TRUE(onPlain
                    ->highlightsForDataSet(plain.chartData->dataSets()[0], 0, 5,
                                           ChartDataSetRounding::nearest)
                    .empty());
    EXPECT_EQ(onPlain->getHighlight(50, 50), nullptr);
    EXPECT_EQ(onPlain->data(), plain.chartData);

    std::shared_ptr<ChartHighlighter> highlighter;
    {
        FakeLineChart chart;
        chart.chartData = LineChartData::create({lineSet({{5, 5}})});
        highlighter = ChartHighlighter::create(&chart);
        EXPECT_EQ(highlighter->chart(), &chart);
        ASSERT_TRUE(highlighter->getHighlight(50, 50));
    }
    // The chart is gone: no chart, no data, no highlight, nothing touched.
    EXPECT_EQ(highlighter->chart(), nullptr);
    EXPECT_EQ(highlighter->data(), nullptr);
    EXPECT_EQ(highlighter->getHighlight(50, 50), nullptr);
    EXPECT_TRUE(highlighter->getHighlights(5, 50, 50).empty());

    EXPECT_EQ(ChartHighlighter::create(nullptr)->getHighlight(50, 50), nullptr);
    EXPECT_EQ(highlighter->pixelDistance(0, 0, 3, 4), 5);
}
