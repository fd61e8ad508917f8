#include "Charting/components/Legend.h"
#include "Charting/components/XAxis.h"
#include "Charting/components/YAxis.h"
#include "Charting/data/BarChartData.h"
#include "Charting/data/BarChartDataEntry.h"
#include "Charting/data/BarChartDataSet.h"
#include "Charting/data/Highlight.h"
#include "Charting/highlight/BarHighlighter.h"
#include "Charting/renderers/BarChartRenderer.h"
#include "Charting/utils/Transformer.h"
#include "Charting/utils/ViewPortHandler.h"
#include "Charting/views/BarChartView.h"
#include "platform/Log.h"
#include "support/ChartImage.h"

#include <QDir>
#include <QImage>
#include <gtest/gtest.h>

#include <cmath>

using namespace charting;
using platform::Point;

namespace {

std::shared_ptr<BarChartDataSet> barSet(std::vector<std::shared_ptr<ChartDataEntry>> entries,
                                        const QString& label = QStringLiteral("Bars")) {
    return BarChartDataSet::create(std::move(entries), label);
}

void sizeView(ChartViewBase& view, int width, int height) {
    view.resize(width, height);
    view.boundsDidChange();
}

void saveScreenshot(const QImage& image, const QString& name) {
    const QString dir = QDir(QStringLiteral(OVX_TEST_OUTPUT_DIR)).filePath("screenshots");
    QDir().mkpath(dir);
    ASSERT_TRUE(image.save(QDir(dir).filePath(name)));
}

// A view of 400 x 300 without legend, showing one stacked bar at x 1 (2 then 3) and a plain
// negative bar at x 2.
struct StackView {
    BarChartView view;
    std::shared_ptr<BarChartDataEntry> stack =
        BarChartDataEntry::create(1, std::vector<double>{2, 3});
    std::shared_ptr<BarChartDataEntry> negative = BarChartDataEntry::create(2, -4);
    StackView() {
        sizeView(view, 400, 300);
        view.legend()->setEnabled(false);
        view.setData(BarChartData::create({barSet({stack, negative})}));
    }
    Point pixel(double x, double y) {
        return view.getTransformerForAxis(AxisDependency::left)->pixelForValues(x, y);
    }
};

} // namespace

TEST(BarChartView, NewViewInstallsTheBarComponents) {
    BarChartView view;
    EXPECT_TRUE(view.isDrawValueAboveBarEnabled());
    EXPECT_FALSE(view.isDrawBarShadowEnabled());
    EXPECT_FALSE(view.fitBars());
    EXPECT_FALSE(view.isHighlightFullBarEnabled());
    EXPECT_EQ(view.xAxis()->spaceMin(), 0.5);
    EXPECT_EQ(view.xAxis()->spaceMax(), 0.5);
    EXPECT_TRUE(std::dynamic_pointer_cast<BarChartRenderer>(view.renderer()));
    EXPECT_TRUE(std::dynamic_pointer_cast<BarHighlighter>(view.highlighter()));
    EXPECT_FALSE(view.barData());
}

TEST(BarChartView, FittingBarsWidensTheXAxisByHalfABar) {
    for (const bool fit : {false, true}) {
        BarChartView view;
        sizeView(view, 300, 200);
        view.setFitBars(fit);
        std::vector<std::shared_ptr<ChartDataEntry>> entries;
        for (int x = 0; x <= 4; ++x)
            entries.push_back(BarChartDataEntry::create(x, x + 1));
        auto data = BarChartData::create({barSet(entries)});
        data->setBarWidth(0.85);
        view.setData(data);
        // The x axis keeps its half unit of room beyond the data (or the fitted bars).
        EXPECT_DOUBLE_EQ(view.xAxis()->axisMinimum(), fit ? -0.925 : -0.5);
        EXPECT_DOUBLE_EQ(view.xAxis()->axisMaximum(), fit ? 4.925 : 4.5);
    }
}

TEST(BarChartView, TouchPicksTheStackLevelOrTheWholeBar) {
    StackView v;
    struct Case {
        double y;
        bool fullBar;
        int stackIndex;
    };
    // Levels 0...2 and 2...5: above the stack the last level, below it the first.
    for (const Case c : {Case{1, false, 0}, Case{3, false, 1}, Case{6, false, 1},
                         Case{-1, false, 0}, Case{3, true, -1}}) {
        v.view.setHighlightFullBarEnabled(c.fullBar);
        const auto high = v.view.getHighlightByTouchPoint(v.pixel(1.1, c.y));
        ASSERT_TRUE(high) << c.y;
        EXPECT_EQ(high->x(), 1);
        EXPECT_EQ(high->y(), 5);
        EXPECT_EQ(high->stackIndex(), c.stackIndex) << c.y;
    }
    // A level's highlight sits at its upper value.
    v.view.setHighlightFullBarEnabled(false);
    const auto level = v.view.getHighlightByTouchPoint(v.pixel(1, 3));
    EXPECT_DOUBLE_EQ(level->yPx(), v.pixel(1, 5).y);

    BarChartView empty;
    platform::ScopedLogCapture log;
    EXPECT_FALSE(empty.getHighlightByTouchPoint(Point{10, 10}));
    EXPECT_EQ(log.lines(), std::vector<std::string>{"Can't select by touch. No data set."});
}

TEST(BarChartView, BarBoundsRunFromZeroToTheValue) {
    StackView v;
    const auto bounds = v.view.getBarBounds(v.negative);
    const Point zero = v.pixel(2 - 0.425, 0), end = v.pixel(2 + 0.425, -4);
    EXPECT_DOUBLE_EQ(bounds.origin.x, zero.x);
    EXPECT_DOUBLE_EQ(bounds.origin.y, zero.y);
    EXPECT_DOUBLE_EQ(bounds.size.width, end.x - zero.x);
    EXPECT_DOUBLE_EQ(bounds.size.height, end.y - zero.y);
    // A stacked bar runs to its sum.
    EXPECT_DOUBLE_EQ(v.view.getBarBounds(v.stack).origin.y, v.pixel(1, 5).y);
    EXPECT_TRUE(v.view.getBarBounds(BarChartDataEntry::create(1, 1)).isNull());
}

TEST(BarChartView, HighlightOfAStackLevelAndGrouping) {
    StackView v;
    v.view.highlightValueAtStack(3, 0, 2);
    ASSERT_EQ(v.view.highlighted().size(), 1u);
    const auto& high = *v.view.highlighted()[0];
    EXPECT_EQ(high.x(), 3);
    EXPECT_TRUE(std::isnan(high.y()));
    EXPECT_EQ(high.dataIndex(), -1);
    EXPECT_EQ(high.stackIndex(), 2);

    BarChartView empty;
    platform::ScopedLogCapture log;
    empty.groupBars(0, 0.1, 0.05);
    EXPECT_EQ(log.lines(),
              std::vector<std::string>{"You need to set data for the chart before grouping bars."});

    BarChartView grouped;
    sizeView(grouped, 300, 200);
    auto a = barSet({BarChartDataEntry::create(0, 1), BarChartDataEntry::create(1, 2)});
    auto b = barSet({BarChartDataEntry::create(0, 3), BarChartDataEntry::create(1, 4)});
    grouped.setData(BarChartData::create({a, b}));
    grouped.groupBars(0, 0.1, 0.05);
    EXPECT_NEAR(b->entryForIndex(1)->x(), 3.3, 1e-12);
    // The chart took the new extremes.
    EXPECT_NEAR(grouped.xAxis()->axisMaximum(), 3.8, 1e-12);
}

TEST(BarChartView, BarFillAndBorderPixels) {
    BarChartView view;
    sizeView(view, 200, 200);
    view.legend()->setEnabled(false);
    view.xAxis()->setEnabled(false);
    view.leftAxis()->setEnabled(false);
    view.rightAxis()->setEnabled(false);
    auto set = barSet({BarChartDataEntry::create(0, 10)});
    set->setColor(QColor(0, 160, 0));
    set->setBarBorderWidth(4);
    set->setBarBorderColor(QColor(0, 0, 255));
    set->setDrawValuesEnabled(false);
    view.leftAxis()->setAxisMinimum(0);
    view.setData(BarChartData::create({set}));
    const QImage image = testsupport::paintChart(view);
    const auto bar = view.getBarBounds(set->entryForIndex(0));
    const int midX = int(bar.midX()), midY = int(bar.midY());
    EXPECT_EQ(image.pixelColor(midX, midY), QColor(0, 160, 0));
    EXPECT_EQ(image.pixelColor(int(bar.minX()) + 1, midY), QColor(0, 0, 255));
    EXPECT_EQ(image.pixelColor(int(bar.minX()) - 4, midY), QColor(Qt::white));
}

// A bar chart of known data, written under the build folder for a look.
TEST(BarChartView, ScreenshotOfKnownData) {
    BarChartView view;
    sizeView(view, 800, 400);
    std::vector<std::shared_ptr<ChartDataEntry>> plain, stacked;
    for (int i = 0; i < 8; ++i) {
        plain.push_back(BarChartDataEntry::create(i, 20 + 10 * std::sin(i * 0.8) * i - 15));
        stacked.push_back(
            BarChartDataEntry::create(i, std::vector<double>{5.0 + i, 12.0 - i, -3.0 - i % 3}));
    }
    auto first = barSet(plain, QStringLiteral("Roll"));
    first->setColor(QColor(52, 120, 246));
    auto second = barSet(stacked, QStringLiteral("Pitch"));
    second->setColors({QColor(52, 199, 89), QColor(255, 149, 0), QColor(175, 82, 222)});
    second->setStackLabels({QStringLiteral("Low"), QStringLiteral("High"), QStringLiteral("Back")});
    auto data = BarChartData::create({first, second});
    data->setBarWidth(0.4);
    view.setData(data);
    view.groupBars(0, 0.1, 0.05);
    view.highlightValueAtStack(3.5, 1, 1);
    view.rightAxis()->setEnabled(false);
    view.setDrawBarShadowEnabled(true);
    view.setData(data);
    const QImage image = testsupport::paintChart(view);
    saveScreenshot(image, QStringLiteral("BarChartView.png"));
    // The first bar of the first set has the first set's colour in its middle.
    const auto bar = view.getBarBounds(first->entryForIndex(1));
    EXPECT_EQ(image.pixelColor(int(bar.midX()), int(bar.midY())), QColor(52, 120, 246));
}
