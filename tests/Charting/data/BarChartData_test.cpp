#include "Charting/data/BarChartData.h"
#include "Charting/data/BarChartDataEntry.h"
#include "Charting/data/BarChartDataSet.h"
#include "Charting/data/LineChartDataSet.h"
#include "Charting/data/Range.h"
#include "platform/Log.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

using namespace charting;

namespace {
constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

std::vector<std::pair<double, double>> bounds(const BarChartDataEntry& entry) {
    std::vector<std::pair<double, double>> result;
    if (entry.ranges()) {
        for (const auto& r : *entry.ranges())
            result.emplace_back(r->from(), r->to());
    }
    return result;
}

using Bounds = std::vector<std::pair<double, double>>;

std::shared_ptr<BarChartDataSet> barSet(std::vector<std::shared_ptr<BarChartDataEntry>> entries) {
    return BarChartDataSet::create(ChartDataSet::EntryList(entries.begin(), entries.end()));
}

std::shared_ptr<BarChartDataSet> plainSet(int count) {
    std::vector<std::shared_ptr<BarChartDataEntry>> entries;
    for (int i = 0; i < count; ++i)
        entries.push_back(BarChartDataEntry::create(i, i + 1));
    return barSet(entries);
}
} // namespace

TEST(BarChartDataEntry, StackedSumsRangesAndSumBelow) {
    auto e = BarChartDataEntry::create(4, {-1, 2, -2, 3});
    EXPECT_EQ(e->x(), 4);
    EXPECT_EQ(e->y(), 2);
    EXPECT_TRUE(e->isStacked());
    EXPECT_EQ(e->negativeSum(), 3);
    EXPECT_EQ(e->positiveSum(), 5);
    EXPECT_EQ(bounds(*e), (Bounds{{-3, -2}, {0, 2}, {-2, 0}, {2, 5}}));
    EXPECT_EQ(e->sumBelow(1), 3);
    EXPECT_EQ(e->sumBelow(0), 2);
    EXPECT_EQ(e->sumBelow(3), 3);
    EXPECT_EQ(e->sumBelow(4), 0);
    EXPECT_EQ(e->sumBelow(-1), 0);

    // A zero value makes an empty range at the current positive bound and adds to neither sum.
    auto zero = BarChartDataEntry::create(0, {1, 0, 2});
    EXPECT_EQ(bounds(*zero), (Bounds{{0, 1}, {1, 1}, {1, 3}}));
    EXPECT_EQ(zero->negativeSum(), 0);
    EXPECT_EQ(zero->positiveSum(), 3);

    // An empty stack is stacked, with y 0 and no ranges.
    auto empty = BarChartDataEntry::create(0, std::vector<double>{});
    EXPECT_TRUE(empty->isStacked());
    EXPECT_EQ(empty->y(), 0);
    EXPECT_FALSE(empty->ranges().has_value());
}

TEST(BarChartDataEntry, PlainEntriesAndTheValueSetter) {
    QImage icon(2, 2, QImage::Format_ARGB32);
    auto plain = BarChartDataEntry::create(1, -5, icon, std::any(7));
    EXPECT_EQ(plain->y(), -5);
    EXPECT_FALSE(plain->isStacked());
    EXPECT_FALSE(plain->ranges().has_value());
    EXPECT_EQ(plain->negativeSum(), 0);
    EXPECT_EQ(plain->sumBelow(0), 0);
    EXPECT_TRUE(plain->icon().has_value());
    EXPECT_EQ(std::any_cast<int>(plain->data()), 7);
    auto stackedWithData = BarChartDataEntry::create(1, {1, 2}, std::any(QStringLiteral("d")));
    EXPECT_EQ(stackedWithData->y(), 3);
    EXPECT_EQ(std::any_cast<QString>(stackedWithData->data()), "d");

    // Setting values makes the entry stacked; removing them keeps the last ranges.
    plain->setYValues(std::vector<double>{-4, 6});
    EXPECT_EQ(plain->y(), 2);
    EXPECT_EQ(bounds(*plain), (Bounds{{-4, 0}, {0, 6}}));
    plain->setYValues(std::nullopt);
    EXPECT_EQ(plain->y(), 0);
    EXPECT_FALSE(plain->isStacked());
    EXPECT_EQ(plain->negativeSum(), 0);
    EXPECT_EQ(plain->positiveSum(), 0);
    EXPECT_EQ(bounds(*plain), (Bounds{{-4, 0}, {0, 6}}));
}

TEST(BarChartDataEntry, CopyKeepsValuesSumsAndRanges) {
    auto e = BarChartDataEntry::create(2, {-1, 2, -2, 3}, std::any(9));
    auto copy = std::dynamic_pointer_cast<BarChartDataEntry>(e->copy());
    ASSERT_TRUE(copy);
    EXPECT_EQ(copy->x(), 2);
    EXPECT_EQ(copy->y(), 2);
    EXPECT_EQ(std::any_cast<int>(copy->data()), 9);
    EXPECT_EQ(copy->yValues(), e->yValues());
    EXPECT_EQ(copy->negativeSum(), 3);
    EXPECT_EQ(copy->positiveSum(), 5);
    EXPECT_EQ(bounds(*copy), bounds(*e));
    EXPECT_NE(copy->ranges()->front(), e->ranges()->front()); // own range objects

    auto plainCopy =
        std::dynamic_pointer_cast<BarChartDataEntry>(BarChartDataEntry::create(1, 3)->copy());
    ASSERT_TRUE(plainCopy);
    EXPECT_EQ(plainCopy->y(), 3);
    EXPECT_FALSE(plainCopy->isStacked());
    EXPECT_FALSE(plainCopy->ranges().has_value());
}

TEST(BarChartDataSet, DefaultsAndStackBookkeeping) {
    auto plain = plainSet(4);
    EXPECT_EQ(plain->highlightColor(), QColor(Qt::black));
    EXPECT_EQ(plain->barShadowColor(), QColor(215, 215, 215));
    EXPECT_EQ(plain->barBorderWidth(), 0);
    EXPECT_EQ(plain->barBorderColor(), QColor(Qt::black));
    EXPECT_DOUBLE_EQ(plain->highlightAlpha(), 120.0 / 255.0);
    EXPECT_TRUE(plain->stackLabels().isEmpty());
    EXPECT_EQ(plain->highlightLineWidth(), 0.5);
    EXPECT_EQ(plain->stackSize(), 1);
    EXPECT_FALSE(plain->isStacked());
    EXPECT_EQ(plain->entryCountStacks(), 4);

    auto empty = BarChartDataSet::create();
    EXPECT_EQ(empty->highlightColor(), QColor(Qt::black));
    EXPECT_EQ(empty->stackSize(), 1);
    EXPECT_EQ(empty->entryCountStacks(), 0);

    auto stacked =
        barSet({BarChartDataEntry::create(0, {1, 2, 3}), BarChartDataEntry::create(1, {4, 5})});
    EXPECT_EQ(stacked->stackSize(), 3);
    EXPECT_TRUE(stacked->isStacked());
    EXPECT_EQ(stacked->entryCountStacks(), 5);

    // An empty stack counts 0.
    auto hollow = barSet({BarChartDataEntry::create(0, std::vector<double>{})});
    EXPECT_EQ(hollow->stackSize(), 0);
    EXPECT_EQ(hollow->entryCountStacks(), 0);
}

TEST(BarChartDataSet, StackBookkeepingFollowsTheEntries) {
    auto set = plainSet(2);
    auto tall = BarChartDataEntry::create(5, {1, 1, 1, 1});
    set->addEntry(tall);
    EXPECT_EQ(set->stackSize(), 4);
    EXPECT_EQ(set->entryCountStacks(), 6);
    set->addEntryOrdered(BarChartDataEntry::create(3, {1, 1}));
    EXPECT_EQ(set->stackSize(), 4);
    EXPECT_EQ(set->entryCountStacks(), 8);
    EXPECT_TRUE(set->removeEntry(tall));
    EXPECT_EQ(set->stackSize(), 2);
    EXPECT_EQ(set->entryCountStacks(), 4);
    set->setEntryAt(0, BarChartDataEntry::create(0, {1, 2, 3}));
    EXPECT_EQ(set->stackSize(), 3);
    EXPECT_EQ(set->entryCountStacks(), 6);
    set->setEntries({BarChartDataEntry::create(0, 1)});
    EXPECT_EQ(set->stackSize(), 1);
    EXPECT_EQ(set->entryCountStacks(), 1);
    set->clear();
    EXPECT_EQ(set->stackSize(), 1);
    EXPECT_EQ(set->entryCountStacks(), 0);
    // The first entry added to an empty set sets the size, even below 1.
    set->addEntry(BarChartDataEntry::create(0, std::vector<double>{}));
    EXPECT_EQ(set->stackSize(), 0);
}

TEST(BarChartDataSet, ExtremesOfPlainAndStackedBars) {
    auto set =
        barSet({BarChartDataEntry::create(1, 2), BarChartDataEntry::create(2, {-1, 2, -2, 3}),
                BarChartDataEntry::create(9, kNaN)});
    EXPECT_EQ(set->yMin(), -3); // -negativeSum, not the entry's y of 2
    EXPECT_EQ(set->yMax(), 5);  // positiveSum
    EXPECT_EQ(set->xMin(), 1);
    EXPECT_EQ(set->xMax(), 2); // the NaN entry's x is not taken either

    // An entry of another kind is skipped.
    set->addEntry(ChartDataEntry::create(-7, 100));
    EXPECT_EQ(set->xMin(), 1);
    EXPECT_EQ(set->yMax(), 5);
    EXPECT_EQ(set->entryCountStacks(), 7); // 1 + 4 + 1, and the foreign entry as one plain bar
}

TEST(BarChartDataSet, CopyTakesTheBarFields) {
    auto set = barSet({BarChartDataEntry::create(0, {1, 2, 3})});
    set->setStackLabels({"a", "b", "c"});
    set->setBarShadowColor(Qt::red);
    set->setBarBorderWidth(2);
    set->setBarBorderColor(Qt::blue);
    set->setHighlightAlpha(0.25);
    set->setHighlightLineWidth(3);
    auto copy = std::dynamic_pointer_cast<BarChartDataSet>(set->copy());
    ASSERT_TRUE(copy);
    EXPECT_EQ(copy->entries(), set->entries());
    EXPECT_EQ(copy->stackSize(), 3);
    EXPECT_EQ(copy->entryCountStacks(), 3);
    EXPECT_EQ(copy->stackLabels(), (QStringList{"a", "b", "c"}));
    EXPECT_EQ(copy->barShadowColor(), QColor(Qt::red));
    EXPECT_EQ(copy->barBorderWidth(), 2);
    EXPECT_EQ(copy->barBorderColor(), QColor(Qt::blue));
    EXPECT_EQ(copy->highlightAlpha(), 0.25);
    EXPECT_EQ(copy->highlightLineWidth(), 3);
    EXPECT_EQ(copy->highlightColor(), QColor(Qt::black));
}

TEST(BarChartData, GroupBarsPlacesEntriesSideBySide) {
    auto first = plainSet(3);
    auto second = plainSet(3);
    auto data = BarChartData::create({first, second});
    EXPECT_EQ(data->barWidth(), 0.85);
    EXPECT_DOUBLE_EQ(data->groupWidth(0.1, 0.05), 1.9);

    data->groupBars(0, 0.1, 0.05);
    const double expectedFirst[] = {0.5, 2.4, 4.3};
    const double expectedSecond[] = {1.4, 3.3, 5.2};
    for (int i = 0; i < 3; ++i) {
        EXPECT_NEAR(first->entryForIndex(i)->x(), expectedFirst[i], 1e-12) << i;
        EXPECT_NEAR(second->entryForIndex(i)->x(), expectedSecond[i], 1e-12) << i;
    }
    // The extremes follow the moved bars, in the data sets and in the chart data.
    EXPECT_NEAR(first->xMax(), 4.3, 1e-12);
    EXPECT_NEAR(data->xMin(), 0.5, 1e-12);
    EXPECT_NEAR(data->xMax(), 5.2, 1e-12);

    // Grouping again from the same place gives the same positions to the last bit.
    std::vector<double> before;
    for (const auto& e : second->entries())
        before.push_back(e->x());
    data->groupBars(0, 0.1, 0.05);
    for (int i = 0; i < 3; ++i)
        EXPECT_EQ(second->entryForIndex(i)->x(), before[static_cast<size_t>(i)]);
}

TEST(BarChartData, GroupBarsWithShortOrForeignDataSets) {
    // A shorter data set leaves its missing slots empty; the groups stay aligned.
    auto longer = plainSet(3);
    auto shorter = plainSet(1);
    auto line =
        LineChartDataSet::create({ChartDataEntry::create(0, 1), ChartDataEntry::create(1, 1)});
    auto data = BarChartData::create({longer, shorter, line});
    data->groupBars(10, 0.1, 0.05);
    const double width = data->groupWidth(0.1, 0.05); // three slots in every group
    EXPECT_NEAR(width, 2.8, 1e-12);
    for (int i = 0; i < 3; ++i)
        EXPECT_NEAR(longer->entryForIndex(i)->x(), 10 + 0.5 + i * width, 1e-12) << i;
    EXPECT_NEAR(shorter->entryForIndex(0)->x(), 10 + 1.4, 1e-12);
    // The line data set keeps its place in each group but its entries stay where they were.
    EXPECT_EQ(line->entryForIndex(0)->x(), 0);
    EXPECT_EQ(line->entryForIndex(1)->x(), 1);
}

TEST(BarChartData, GroupBarsNeedsTwoDataSets) {
    auto only = plainSet(2);
    auto data = BarChartData::create({only});
    platform::ScopedLogCapture log;
    data->groupBars(0, 0.1, 0.05);
    EXPECT_EQ(log.lines(), std::vector<std::string>{
                               "BarData needs to hold at least 2 BarDataSets to allow grouping."});
    EXPECT_EQ(only->entryForIndex(1)->x(), 1);
}
