#include "Charting/views/BubbleChartView.h"
#include "Charting/views/CandleStickChartView.h"

#include "Charting/components/XAxis.h"
#include "Charting/components/YAxis.h"
#include "Charting/data/BubbleChartData.h"
#include "Charting/data/BubbleChartDataEntry.h"
#include "Charting/data/BubbleChartDataSet.h"
#include "Charting/data/CandleChartData.h"
#include "Charting/data/CandleChartDataEntry.h"
#include "Charting/data/CandleChartDataSet.h"
#include "Charting/data/Highlight.h"
#include "Charting/data/LineChartData.h"
#include "Charting/highlight/ChartHighlighter.h"
#include "Charting/renderers/BubbleChartRenderer.h"
#include "Charting/renderers/CandleStickChartRenderer.h"
#include "Charting/utils/NSUIAccessibilityElement.h"
#include "Charting/utils/Transformer.h"

#include <QDir>
#include <QImage>
#include <gtest/gtest.h>

#include <cmath>

using namespace charting;

namespace {
void saveScreenshot(const QImage& image, const QString& name) {
    const QString dir = QDir(QStringLiteral(OVX_TEST_OUTPUT_DIR)).filePath("screenshots");
    QDir().mkpath(dir);
    ASSERT_TRUE(image.save(QDir(dir).filePath(name)));
}
} // namespace

TEST(BubbleChartView, InstallsItsRendererAndKeepsTheBaseHighlighter) {
    BubbleChartView view;
    auto renderer = std::dynamic_pointer_cast<BubbleChartRenderer>(view.renderer());
    ASSERT_TRUE(renderer);
    EXPECT_EQ(renderer->dataProvider(), &view);
    EXPECT_TRUE(std::dynamic_pointer_cast<ChartHighlighter>(view.highlighter()));
    EXPECT_EQ(view.xAxis()->spaceMin(), 0);
    EXPECT_EQ(view.bubbleData(), nullptr);
    view.setData(LineChartData::create());
    EXPECT_EQ(view.bubbleData(), nullptr);
    auto data = BubbleChartData::create();
    view.setData(data);
    EXPECT_EQ(view.bubbleData(), data);
}

TEST(CandleStickChartView, InstallsItsRendererAndPadsTheXAxis) {
    CandleStickChartView view;
    auto renderer = std::dynamic_pointer_cast<CandleStickChartRenderer>(view.renderer());
    ASSERT_TRUE(renderer);
    EXPECT_EQ(renderer->dataProvider(), &view);
    EXPECT_TRUE(std::dynamic_pointer_cast<ChartHighlighter>(view.highlighter()));
    EXPECT_EQ(view.xAxis()->spaceMin(), 0.5);
    EXPECT_EQ(view.xAxis()->spaceMax(), 0.5);
    EXPECT_EQ(view.candleData(), nullptr);
    auto data = CandleChartData::create({CandleChartDataSet::create(
        {CandleChartDataEntry::create(0, 4, 1, 2, 3)}, QStringLiteral("one"))});
    view.setData(data);
    EXPECT_EQ(view.candleData(), data);
    // A single candle at x 0 is shown over -0.5 ... 0.5.
    EXPECT_EQ(view.xAxis()->axisMinimum(), -0.5);
    EXPECT_EQ(view.xAxis()->axisMaximum(), 0.5);
}

// A bubble chart of known data, written under the build folder for a look.
TEST(BubbleChartView, ScreenshotOfKnownData) {
    BubbleChartView view;
    view.resize(800, 400);
    view.boundsDidChange();
    const QColor colors[] = {QColor(52, 199, 89, 200), QColor(255, 149, 0, 200)};
    BubbleChartData::DataSetList sets;
    for (int k = 0; k < 2; ++k) {
        ChartDataSet::EntryList entries;
        for (int i = 0; i < 8; ++i)
            entries.push_back(BubbleChartDataEntry::create(i, 40 + 25 * std::sin(i * 0.8 + 2 * k),
                                                           1 + (i * 7 + k * 3) % 9));
        auto set = BubbleChartDataSet::create(entries, QStringLiteral("Series %1").arg(k + 1));
        set->setColors({colors[k]});
        sets.push_back(set);
    }
    view.leftAxis()->setAxisMinimum(0);
    view.leftAxis()->setAxisMaximum(80);
    view.rightAxis()->setEnabled(false);
    view.xAxis()->setSpaceMin(0.5);
    view.xAxis()->setSpaceMax(0.5);
    view.setData(BubbleChartData::create(sets));
    view.highlightValue(Highlight::create(3, sets[0]->entryForIndex(3)->y(), 0, 0));
    const auto image = view.getChartImage(false);
    ASSERT_TRUE(image);
    saveScreenshot(*image, QStringLiteral("BubbleChartView.png"));
    ASSERT_EQ(view.renderer()->accessibleChartElements().size(), 1u);
    EXPECT_TRUE(view.renderer()->accessibleChartElements()[0]->elementLabel().startsWith(
        "Bubble Chart"));

    // A bubble of the second series covers its centre in its colour.
    const auto entry = std::static_pointer_cast<BubbleChartDataEntry>(sets[1]->entryForIndex(0));
    ASSERT_EQ(entry->size(), 4);
    const auto p = view.getTransformerForAxis(AxisDependency::left)->pixelForValues(entry->x(), entry->y());
    const QColor at = image->pixelColor(int(p.x), int(p.y));
    EXPECT_GT(at.red(), 200);
    EXPECT_LT(at.blue(), 150);
}

// A candle chart with rising, falling and equal candles, with and without candle bars, written
// under the build folder for a look.
TEST(CandleStickChartView, ScreenshotOfKnownData) {
    CandleStickChartView view;
    view.resize(800, 400);
    view.boundsDidChange();
    ChartDataSet::EntryList entries, bars;
    for (int i = 0; i < 20; ++i) {
        const double mid = 50 + 20 * std::sin(i * 0.4);
        const double open = mid + ((i % 3 == 0) ? 6 : (i % 3 == 1) ? -6 : 0);
        const double close = mid - ((i % 3 == 0) ? 6 : (i % 3 == 1) ? -6 : 0);
        (i < 14 ? entries : bars)
            .push_back(CandleChartDataEntry::create(i, std::max(open, close) + 5,
                                                    std::min(open, close) - 5, open, close));
    }
    auto candles = CandleChartDataSet::create(entries, QStringLiteral("Candles"));
    candles->setIncreasingColor(QColor(52, 199, 89));
    candles->setDecreasingColor(QColor(255, 59, 48));
    candles->setNeutralColor(QColor(0, 122, 255));
    candles->setShadowColorSameAsCandle(true);
    auto ohlc = CandleChartDataSet::create(bars, QStringLiteral("Open-close bars"));
    ohlc->setShowCandleBar(false);
    ohlc->setIncreasingColor(QColor(52, 199, 89));
    ohlc->setDecreasingColor(QColor(255, 59, 48));
    ohlc->setShadowWidth(2);
    view.leftAxis()->setAxisMinimum(0);
    view.leftAxis()->setAxisMaximum(100);
    view.leftAxis()->setDrawGridLinesEnabled(false);
    view.rightAxis()->setEnabled(false);
    view.setData(CandleChartData::create({candles, ohlc}));
    const auto image = view.getChartImage(false);
    ASSERT_TRUE(image);
    saveScreenshot(*image, QStringLiteral("CandleStickChartView.png"));
    ASSERT_EQ(view.renderer()->accessibleChartElements().size(), 1u);
    EXPECT_TRUE(view.renderer()->accessibleChartElements()[0]->elementLabel().startsWith(
        "CandleStick Chart"));

    // The first candle falls (open above close): its body is filled in the falling colour.
    const auto first = std::static_pointer_cast<CandleChartDataEntry>(entries[0]);
    const auto trans = view.getTransformerForAxis(AxisDependency::left);
    const auto p = trans->pixelForValues(first->x() + 0.3, (first->open() + first->close()) / 2);
    EXPECT_EQ(image->pixelColor(int(p.x), int(p.y)), QColor(255, 59, 48));
    // The second rises: its body is only outlined, the middle stays white.
    const auto second = std::static_pointer_cast<CandleChartDataEntry>(entries[1]);
    const auto q = trans->pixelForValues(second->x() + 0.2, (second->open() + second->close()) / 2);
    EXPECT_EQ(image->pixelColor(int(q.x), int(q.y)), QColor(Qt::white));
}
