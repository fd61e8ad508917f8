#include "Charting/data/ChartDataEntry.h"
#include "Charting/data/DefaultFillFormatter.h"
#include "Charting/data/LineChartData.h"
#include "Charting/data/LineChartDataSet.h"
#include "support/FakeLineChart.h"

#include <gtest/gtest.h>

using namespace charting;

namespace {
std::shared_ptr<LineChartDataSet> setFrom(double yMin, double yMax) {
    return LineChartDataSet::create(
        {ChartDataEntry::create(0, yMin), ChartDataEntry::create(1, yMax)});
}
} // namespace

TEST(DefaultFillFormatter, FillLinePosition) {
    testsupport::FakeLineChart chart;
    chart.yMin = -100;
    chart.yMax = 100;
    auto formatter = DefaultFillFormatter::create();

    // No chart data.
    EXPECT_EQ(formatter->getFillLinePosition(*setFrom(2, 8), chart), 0);

    struct Case {
        double setMin, setMax; // the data set whose fill is asked for
        double otherMin, otherMax;
        double position;
    };
    const Case cases[] = {
        {-5, 5, 1, 2, 0},       // crosses zero
        {2, 8, -1, 3, 0},       // another data set goes below zero
        {2, 8, 1, 3, -100},     // chartYMin
        {-8, -2, -3, 4, 0},     // another data set goes above zero
        {-8, -2, -30, -1, 100}, // chartYMax
        {0, 0, 0, 0, -100},     // at zero counts as above
    };
    for (const Case& c : cases) {
        auto set = setFrom(c.setMin, c.setMax);
        chart.chartData = LineChartData::create({set, setFrom(c.otherMin, c.otherMax)});
        EXPECT_EQ(formatter->getFillLinePosition(*set, chart), c.position)
            << c.setMin << ".." << c.setMax;
    }

    auto block = DefaultFillFormatter::withBlock(
        [](const LineChartDataSetProtocol& s, LineChartDataProvider& p) {
            return s.yMax() + p.chartYMax();
        });
    EXPECT_EQ(block->getFillLinePosition(*setFrom(1, 2), chart), 102);
}
