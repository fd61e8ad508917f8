#include "Charting/data/ChartDataEntry.h"
#include "Charting/data/Highlight.h"
#include "Charting/data/PieChartData.h"
#include "Charting/data/PieChartDataEntry.h"
#include "Charting/data/PieChartDataSet.h"
#include "Charting/utils/ChartDefaults.h"

#include "support/PieChartTestData.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

using namespace charting;
using testsupport::pieSet;

TEST(PieChartDataEntry, ValueLabelIconAndDataWithoutX) {
    const auto plain = PieChartDataEntry::create();
    EXPECT_EQ(plain->x(), 0);
    EXPECT_EQ(plain->y(), 0);
    EXPECT_FALSE(plain->label());

    const auto full = PieChartDataEntry::create(4.5, QStringLiteral("Roll"),
                                                QImage(2, 2, QImage::Format_ARGB32), std::any(7));
    EXPECT_TRUE(std::isnan(full->x()));
    EXPECT_EQ(full->value(), 4.5);
    EXPECT_EQ(full->label(), QStringLiteral("Roll"));
    EXPECT_TRUE(full->icon());
    EXPECT_EQ(std::any_cast<int>(full->data()), 7);
    full->setValue(2);
    EXPECT_EQ(full->y(), 2);

    const auto withData = PieChartDataEntry::create(1, std::nullopt, std::any(QStringLiteral("p")));
    EXPECT_FALSE(withData->label());
    EXPECT_EQ(std::any_cast<QString>(withData->data()), QStringLiteral("p"));

    // A copy keeps the label but not the icon.
    const auto copy = std::dynamic_pointer_cast<PieChartDataEntry>(full->copy());
    ASSERT_TRUE(copy);
    EXPECT_EQ(copy->label(), QStringLiteral("Roll"));
    EXPECT_EQ(copy->y(), 2);
    EXPECT_FALSE(copy->icon());
}

TEST(PieChartDataSet, DefaultsSliceSpaceLimitsExtremesAndCopy) {
    auto set = pieSet({3, -1, 5});
    EXPECT_EQ(set->sliceSpace(), 0);
    EXPECT_EQ(set->selectionShift(), 18);
    EXPECT_EQ(set->xValuePosition(), PieChartDataSet::ValuePosition::inside);
    EXPECT_EQ(set->valueLineColor(), QColor(Qt::black));
    EXPECT_EQ(set->valueLinePart1OffsetPercentage(), 0.75);
    EXPECT_TRUE(set->valueLineVariableLength());
    EXPECT_FALSE(set->highlightColor());
    EXPECT_EQ(set->valueTextColor(), QColor(Qt::white));
    EXPECT_EQ(set->valueFont().pointSizeF(), systemFont(13).pointSizeF());
    EXPECT_EQ(PieChartDataSet::create()->valueTextColor(), QColor(Qt::white));

    struct Case {
        double set, stored;
    };
    for (const Case c :
         {Case{-5, 0}, Case{25, 20}, Case{20, 20}, Case{19.5, 19.5}, Case{std::nan(""), 0}}) {
        set->setSliceSpace(c.set);
        EXPECT_EQ(set->sliceSpace(), c.stored) << c.set;
    }

    // Only the values count: the x extremes stay where the recomputation leaves them.
    EXPECT_EQ(set->yMin(), -1);
    EXPECT_EQ(set->yMax(), 5);
    EXPECT_EQ(set->xMin(), std::numeric_limits<double>::max());
    EXPECT_EQ(set->xMax(), -std::numeric_limits<double>::max());

    set->setSliceSpace(4);
    set->setSelectionShift(9);
    set->setYValuePosition(PieChartDataSet::ValuePosition::outside);
    set->setValueLineColor(std::nullopt);
    set->setHighlightColor(QColor(Qt::red));
    set->setEntryLabelFont(QFont(QStringLiteral("Sans"), 9));
    const auto copy = std::dynamic_pointer_cast<PieChartDataSet>(set->copy());
    ASSERT_TRUE(copy);
    EXPECT_EQ(copy->entryCount(), 3);
    EXPECT_EQ(copy->sliceSpace(), 4);
    EXPECT_EQ(copy->selectionShift(), 9);
    EXPECT_EQ(copy->yValuePosition(), PieChartDataSet::ValuePosition::outside);
    EXPECT_FALSE(copy->valueLineColor());
    EXPECT_EQ(copy->highlightColor(), QColor(Qt::red));
    EXPECT_EQ(copy->entryLabelFont()->pointSize(), 9);
    EXPECT_EQ(copy->yMax(), 5);
}

TEST(PieChartData, ServesTheFirstDataSetOnly) {
    auto empty = PieChartData::create();
    EXPECT_EQ(empty->yValueSum(), 0);
    EXPECT_FALSE(empty->dataSet());

    auto first = pieSet({1, 2, 3}, QStringLiteral("Gyro"));
    auto second = pieSet({10, 20}, QStringLiteral("Other"));
    auto data = PieChartData::create({first, second});
    EXPECT_EQ(data->dataSetCount(), 2); // stored unchanged
    EXPECT_EQ(data->yValueSum(), 6);
    EXPECT_EQ(data->dataSet(), first);
    EXPECT_EQ(data->dataSetAtIndex(0), first);
    EXPECT_FALSE(data->dataSetAtIndex(1));
    EXPECT_EQ(data->dataSetForLabel(QStringLiteral("Gyro"), false), first);
    EXPECT_FALSE(data->dataSetForLabel(QStringLiteral("gyro"), false));
    EXPECT_EQ(data->dataSetForLabel(QStringLiteral("gyro"), true), first);
    EXPECT_FALSE(data->dataSetForLabel(QStringLiteral("Other"), false));

    // A highlight's x names the entry of the first data set (truncated); an x that names no
    // entry finds none.
    EXPECT_EQ(data->entryFor(*Highlight::create(2, 0, 0, -1)), first->entryForIndex(2));
    EXPECT_EQ(data->entryFor(*Highlight::create(1.9, 0, 0, -1)), first->entryForIndex(1));
    for (double x : {3.0, -1.0, std::nan(""), std::numeric_limits<double>::infinity(),
                     -std::numeric_limits<double>::infinity(), 1e300})
        EXPECT_FALSE(data->entryFor(*Highlight::create(x, 0, 0, -1))) << x;

    data->setDataSet(second);
    EXPECT_EQ(data->dataSetCount(), 1);
    EXPECT_EQ(data->yValueSum(), 30);
    EXPECT_EQ(data->yMax(), 20);
    data->setDataSet(nullptr);
    EXPECT_TRUE(data->dataSets().empty());
    EXPECT_FALSE(data->dataSet());
    EXPECT_FALSE(data->dataSetForLabel(QStringLiteral("Other"), true));

    // A first data set that is not a pie data set gives no sum and no entries.
    auto plain = ChartDataSet::create({ChartDataEntry::create(0, 5)});
    data->setDataSets({plain});
    EXPECT_EQ(data->yValueSum(), 0);
    EXPECT_FALSE(data->entryFor(*Highlight::create(0, 0, 0, -1)));
}
