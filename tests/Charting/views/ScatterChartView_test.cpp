#include "Charting/views/ScatterChartView.h"

#include "Charting/components/Legend.h"
#include "Charting/components/XAxis.h"
#include "Charting/components/YAxis.h"
#include "Charting/data/ChartDataEntry.h"
#include "Charting/data/Highlight.h"
#include "Charting/data/LineChartData.h"
#include "Charting/data/ScatterChartData.h"
#include "Charting/data/ScatterChartDataSet.h"
#include "Charting/renderers/ScatterChartRenderer.h"
#include "Charting/utils/NSUIAccessibilityElement.h"
#include "Charting/utils/Transformer.h"

#include <QDir>
#include <QImage>
#include <gtest/gtest.h>

#include <cmath>

using namespace charting;
using Shape = ScatterChartDataSet::Shape;

TEST(ScatterChartView, InstallsItsRendererAndPadsTheXAxis) {
    ScatterChartView view;
    auto renderer = std::dynamic_pointer_cast<ScatterChartRenderer>(view.renderer());
    ASSERT_TRUE(renderer);
    EXPECT_EQ(renderer->dataProvider(), &view);
    EXPECT_EQ(view.xAxis()->spaceMin(), 0.5);
    EXPECT_EQ(view.xAxis()->spaceMax(), 0.5);
    EXPECT_TRUE(view.highlighter());

    EXPECT_EQ(view.scatterData(), nullptr);
    view.setData(LineChartData::create());
    EXPECT_EQ(view.scatterData(), nullptr);
    auto data = ScatterChartData::create(
        {ScatterChartDataSet::create({ChartDataEntry::create(0, 1)}, QStringLiteral("one"))});
    view.setData(data);
    EXPECT_EQ(view.scatterData(), data);
    // A single x value is shown over half a unit on each side.
    EXPECT_EQ(view.xAxis()->axisMinimum(), -0.5);
    EXPECT_EQ(view.xAxis()->axisMaximum(), 0.5);
}

// A scatter chart of known data in every shape, written under the build folder for a look.
TEST(ScatterChartView, ScreenshotOfKnownData) {
    ScatterChartView view;
    view.resize(800, 400);
    view.boundsDidChange();
    const Shape shapes[] = {Shape::square, Shape::circle, Shape::triangle, Shape::cross,
                            Shape::x,      Shape::chevronUp, Shape::chevronDown};
    const QColor colors[] = {QColor(52, 199, 89), QColor(255, 149, 0), QColor(175, 82, 222),
                             QColor(0, 122, 255), QColor(255, 59, 48), QColor(88, 86, 214),
                             QColor(90, 200, 250)};
    ScatterChartData::DataSetList sets;
    for (int k = 0; k < 7; ++k) {
        ChartDataSet::EntryList entries;
        for (int i = 0; i < 12; ++i)
            entries.push_back(ChartDataEntry::create(i, 10 * k + 5 + 4 * std::sin(i * 0.7 + k)));
        auto set = ScatterChartDataSet::create(entries, QStringLiteral("Shape %1").arg(k));
        set->setScatterShape(shapes[k]);
        set->setScatterShapeSize(12);
        set->setColors({colors[k]});
        set->setDrawValuesEnabled(k == 0);
        sets.push_back(set);
    }
    auto holed = std::dynamic_pointer_cast<ScatterChartDataSet>(sets[1]);
    holed->setScatterShapeHoleRadius(3);
    holed->setScatterShapeHoleColor(QColor(Qt::white));
    view.leftAxis()->setAxisMinimum(0);
    view.leftAxis()->setAxisMaximum(75);
    view.rightAxis()->setEnabled(false);
    view.setData(ScatterChartData::create(sets));
    view.highlightValue(Highlight::create(6, sets[3]->entryForIndex(6)->y(), 3, 0));
    const auto image = view.getChartImage(false);
    ASSERT_TRUE(image);

    const QString dir = QDir(QStringLiteral(OVX_TEST_OUTPUT_DIR)).filePath("screenshots");
    QDir().mkpath(dir);
    ASSERT_TRUE(image->save(QDir(dir).filePath("ScatterChartView.png")));
    // The drawing pass described the chart for assistive technology.
    const auto& elements = view.renderer()->accessibleChartElements();
    ASSERT_EQ(elements.size(), 1u);
    EXPECT_TRUE(elements[0]->elementLabel().startsWith("Scatter Chart. 7 datasets."))
        << elements[0]->elementLabel().toStdString();

    // The square of the first entry is filled in its colour around its point.
    const auto first = sets[0]->entryForIndex(0);
    const auto p = view.getTransformerForAxis(AxisDependency::left)->pixelForValues(first->x(), first->y());
    EXPECT_EQ(image->pixelColor(int(p.x), int(p.y)), colors[0]);
    EXPECT_EQ(image->pixelColor(int(p.x) + 4, int(p.y) - 4), colors[0]);
    // The holed circle shows its hole colour at its centre.
    const auto ring = sets[1]->entryForIndex(2);
    const auto q = view.getTransformerForAxis(AxisDependency::left)->pixelForValues(ring->x(), ring->y());
    EXPECT_EQ(image->pixelColor(int(std::round(q.x)), int(std::round(q.y))), QColor(Qt::white));
}
