#include "Charting/renderers/BubbleChartRenderer.h"

#include "Charting/animation/Animator.h"
#include "Charting/data/BubbleChartData.h"
#include "Charting/data/BubbleChartDataEntry.h"
#include "Charting/data/BubbleChartDataSet.h"
#include "Charting/data/Highlight.h"
#include "Charting/utils/ViewPortHandler.h"
#include "support/FakeTextMeasurer.h"
#include "support/FakeXYChart.h"
#include "support/RecordingGraphicsContext.h"

#include <gtest/gtest.h>

using namespace charting;
using platform::Point;

namespace {

// Bubbles at x 2, 4, 6, ... with y 5 and the sizes given.
std::shared_ptr<BubbleChartDataSet> bubbles(const std::vector<double>& sizes) {
    ChartDataSet::EntryList entries;
    for (std::size_t i = 0; i < sizes.size(); ++i)
        entries.push_back(BubbleChartDataEntry::create(2.0 * double(i + 1), 5, sizes[i]));
    return BubbleChartDataSet::create(entries, QStringLiteral("Bubbles"));
}

struct Fixture {
    testsupport::FakeXYChart chart;
    std::shared_ptr<Animator> animator = Animator::create();
    std::shared_ptr<BubbleChartRenderer> renderer =
        BubbleChartRenderer::create(&chart, animator, chart.handler);
    RecordingGraphicsContext g;

    void show(std::vector<std::shared_ptr<ChartDataSetProtocol>> sets) {
        chart.chartData = BubbleChartData::create(std::move(sets));
    }
    // Centre x and diameter of each circle filled or stroked.
    std::vector<std::pair<double, double>> circles(const std::string& op = "fillEllipse") const {
        std::vector<std::pair<double, double>> out;
        for (const auto& c : g.callsNamed(op))
            out.push_back({c.args[0] + c.args[2] / 2, c.args[2]});
        return out;
    }
};

} // namespace

// One x unit is 10 pixels on the fake chart: a bubble of relative size 1 is 10 across, and the
// area follows the size.
TEST(BubbleChartRenderer, SizesNormalisedAndNot) {
    Fixture f;
    auto set = bubbles({1, 4, 0, -2});
    set->setColors({QColor(255, 0, 0), QColor(0, 0, 255)});
    f.show({set});
    f.renderer->drawData(f.g);
    EXPECT_EQ(f.circles(), (std::vector<std::pair<double, double>>{{20, 5}, {40, 10}}));
    const auto fills = f.g.callsNamed("fillEllipse");
    EXPECT_EQ(fills[0].args[1], 50 - 2.5); // centred on y 5
    EXPECT_EQ(fills[0].state.fillColor, QColor(255, 0, 0));
    EXPECT_EQ(fills[1].state.fillColor, QColor(0, 0, 255));

    set->setNormalizeSizeEnabled(false);
    f.g.clear();
    f.renderer->drawData(f.g);
    EXPECT_EQ(f.circles(), (std::vector<std::pair<double, double>>{{20, 10}, {40, 20}}));
    EXPECT_EQ(f.g.savedStateCount(), 0);
}

TEST(BubbleChartRenderer, BubblesWhollyOutsideTheContentAreSkipped) {
    Fixture f;
    f.chart.low = -2;
    f.chart.high = 12;
    // Bubbles 10 across centred at x -0.4 and 10.4 reach into the content; one at 11.5 lies
    // wholly right of it, one at y 20 wholly above it.
    auto set = BubbleChartDataSet::create(
        {BubbleChartDataEntry::create(-0.4, 5, 1), BubbleChartDataEntry::create(4, 5, 1),
         BubbleChartDataEntry::create(10.4, 5, 1), BubbleChartDataEntry::create(11.5, 5, 1),
         BubbleChartDataEntry::create(11.6, 20, 1)},
        QStringLiteral("edges"));
    f.show({set});
    f.renderer->drawData(f.g);
    EXPECT_EQ(f.circles().size(), 3u);
}

TEST(BubbleChartRenderer, ValueLabelsShowTheSizeInTheMiddle) {
    FakeTextMeasurer measurer;
    ScopedTextMeasurer scoped(measurer);
    Fixture f;
    auto set = bubbles({2, 8});
    set->setValueFont(QFont("Sans", 10));
    f.show({set});
    f.renderer->drawValues(f.g);
    const auto texts = f.g.callsNamed("drawText");
    ASSERT_EQ(texts.size(), 2u);
    const double lineHeight = measurer.boundingRectForFont(QFont("Sans", 10)).size.height;
    EXPECT_TRUE(texts[1].text.startsWith("8")) << texts[1].text.toStdString();
    EXPECT_EQ(texts[1].args[0], 40 - texts[1].text.size() * 5.0 / 2);
    EXPECT_EQ(texts[1].args[1], 50 - lineHeight / 2);
}

TEST(BubbleChartRenderer, HighlightRing) {
    Fixture f;
    auto set = bubbles({1, 4});
    set->setHighlightColor(QColor(1, 2, 3));
    f.show({set, bubbles({1})});
    auto high = Highlight::create(4, 5, 0, 0);
    f.renderer->drawHighlighted(f.g, {high, Highlight::create(4, 5, 7, 0)});
    const auto rings = f.g.callsNamed("strokeEllipse");
    ASSERT_EQ(rings.size(), 1u);
    EXPECT_EQ(rings[0].args, (std::vector<double>{35, 45, 10, 10}));
    EXPECT_EQ(rings[0].state.lineWidth, 2.5);
    EXPECT_EQ(rings[0].state.strokeColor, QColor(1, 2, 3));
    EXPECT_EQ(high->drawX(), 40);
    EXPECT_EQ(high->drawY(), 50);

    set->setHighlightEnabled(false);
    f.g.clear();
    f.renderer->drawHighlighted(f.g, {Highlight::create(4, 5, 0, 0)});
    EXPECT_TRUE(f.g.paintCalls().empty());
}
