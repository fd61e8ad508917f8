#include "Charting/data/CandleChartData.h"
#include "Charting/data/CandleChartDataEntry.h"
#include "Charting/data/CandleChartDataSet.h"

#include <gtest/gtest.h>

using namespace charting;

// The plain (x, y) form cannot make a candle entry.
template <class Entry>
concept CandleFromXAndY = requires { Entry::create(1.0, 2.0); };
static_assert(!CandleFromXAndY<CandleChartDataEntry>);

TEST(CandleChartDataEntry, YIsTheMiddleOfHighAndLow) {
    auto entry = CandleChartDataEntry::create(3, 10, 4, 5, 9);
    EXPECT_EQ(entry->x(), 3);
    EXPECT_EQ(entry->y(), 7);
    EXPECT_EQ(entry->high(), 10);
    EXPECT_EQ(entry->low(), 4);
    EXPECT_EQ(entry->open(), 5);
    EXPECT_EQ(entry->close(), 9);
    EXPECT_EQ(entry->shadowRange(), 6);
    EXPECT_EQ(entry->bodyRange(), 4);
    entry->setHigh(20);
    EXPECT_EQ(entry->y(), 7);
    entry->setY(-100); // the value given is not used
    EXPECT_EQ(entry->y(), 12);

    auto blank = CandleChartDataEntry::create();
    EXPECT_EQ(blank->y(), 0);
    EXPECT_EQ(blank->high(), 0);
    QImage icon(2, 2, QImage::Format_ARGB32);
    auto full = CandleChartDataEntry::create(1, 8, 2, 3, 4, icon, std::any(5));
    EXPECT_TRUE(full->icon().has_value());
    EXPECT_EQ(std::any_cast<int>(full->data()), 5);
    EXPECT_TRUE(CandleChartDataEntry::create(1, 8, 2, 3, 4, icon)->icon().has_value());
    EXPECT_EQ(std::any_cast<int>(CandleChartDataEntry::create(1, 8, 2, 3, 4, std::any(6))->data()),
              6);

    auto copy = std::dynamic_pointer_cast<CandleChartDataEntry>(full->copy());
    ASSERT_TRUE(copy);
    EXPECT_EQ(copy->x(), 1);
    EXPECT_EQ(copy->y(), 5);
    EXPECT_EQ(copy->high(), 8);
    EXPECT_EQ(copy->low(), 2);
    EXPECT_EQ(copy->open(), 3);
    EXPECT_EQ(copy->close(), 4);
    EXPECT_EQ(std::any_cast<int>(copy->data()), 5);
}

TEST(CandleChartDataSet, Defaults) {
    auto set = CandleChartDataSet::create();
    EXPECT_EQ(set->barSpace(), 0.1);
    EXPECT_TRUE(set->showCandleBar());
    EXPECT_EQ(set->shadowWidth(), 1.5);
    EXPECT_FALSE(set->shadowColor());
    EXPECT_FALSE(set->isShadowColorSameAsCandle());
    EXPECT_FALSE(set->neutralColor());
    EXPECT_FALSE(set->increasingColor());
    EXPECT_FALSE(set->decreasingColor());
    EXPECT_FALSE(set->isIncreasingFilled());
    EXPECT_TRUE(set->isDecreasingFilled());
    EXPECT_TRUE(set->isHorizontalHighlightIndicatorEnabled());
    EXPECT_TRUE(set->isVerticalHighlightIndicatorEnabled());
}

TEST(CandleChartDataSet, BarSpaceIsClamped) {
    auto set = CandleChartDataSet::create();
    for (auto [given, stored] : {std::pair{0.6, 0.45}, {-0.1, 0.0}, {0.45, 0.45}, {0.2, 0.2}}) {
        set->setBarSpace(given);
        EXPECT_EQ(set->barSpace(), stored) << given;
    }
}

TEST(CandleChartDataSet, YExtremesSpanLowsAndHighs) {
    auto first = CandleChartDataEntry::create(1, 10, 4, 5, 6);
    auto second = CandleChartDataEntry::create(2, 6, 2, 3, 4);
    first->setHigh(12); // y stays 7
    auto set = CandleChartDataSet::create({first, second, ChartDataEntry::create(9, 100)},
                                          QStringLiteral("candles"));
    EXPECT_EQ(set->yMin(), 2);
    EXPECT_EQ(set->yMax(), 12);
    EXPECT_EQ(set->xMin(), 1);
    EXPECT_EQ(set->xMax(), 2); // the plain entry counts for nothing
    set->calcMinMaxY(2, 2);
    EXPECT_EQ(set->yMin(), 2);
    EXPECT_EQ(set->yMax(), 6);
    set->addEntry(CandleChartDataEntry::create(3, 20, 15, 16, 17));
    EXPECT_EQ(set->yMax(), 20);
    EXPECT_EQ(set->xMax(), 3);
}

// A copy keeps the candle settings, not only the base data set's.
TEST(CandleChartDataSet, CopyKeepsTheCandleSettings) {
    auto set = CandleChartDataSet::create({CandleChartDataEntry::create(1, 4, 2, 3, 3)},
                                          QStringLiteral("candles"));
    set->setBarSpace(0.3);
    set->setShowCandleBar(false);
    set->setShadowWidth(3);
    set->setShadowColor(QColor(1, 1, 1));
    set->setShadowColorSameAsCandle(true);
    set->setNeutralColor(QColor(2, 2, 2));
    set->setIncreasingColor(QColor(3, 3, 3));
    set->setDecreasingColor(QColor(4, 4, 4));
    set->setIncreasingFilled(true);
    set->setDecreasingFilled(false);
    set->setDrawVerticalHighlightIndicatorEnabled(false);
    auto copy = std::dynamic_pointer_cast<CandleChartDataSet>(set->copy());
    ASSERT_TRUE(copy);
    EXPECT_EQ(copy->barSpace(), 0.3);
    EXPECT_FALSE(copy->showCandleBar());
    EXPECT_EQ(copy->shadowWidth(), 3);
    EXPECT_EQ(copy->shadowColor(), QColor(1, 1, 1));
    EXPECT_TRUE(copy->isShadowColorSameAsCandle());
    EXPECT_EQ(copy->neutralColor(), QColor(2, 2, 2));
    EXPECT_EQ(copy->increasingColor(), QColor(3, 3, 3));
    EXPECT_EQ(copy->decreasingColor(), QColor(4, 4, 4));
    EXPECT_TRUE(copy->isIncreasingFilled());
    EXPECT_FALSE(copy->isDecreasingFilled());
    EXPECT_FALSE(copy->isVerticalHighlightIndicatorEnabled());
    EXPECT_EQ(copy->yMax(), 4);
}

TEST(CandleChartData, HoldsItsDataSets) {
    auto set = CandleChartDataSet::create({CandleChartDataEntry::create(1, 4, 2, 3, 3)},
                                          QStringLiteral("candles"));
    auto data = CandleChartData::create({set});
    EXPECT_EQ(data->dataSetCount(), 1);
    EXPECT_EQ(data->getYMax(AxisDependency::left), 4);
    EXPECT_EQ(data->getYMin(AxisDependency::left), 2);
}
