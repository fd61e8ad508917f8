#include "Charting/data/BubbleChartData.h"
#include "Charting/data/BubbleChartDataEntry.h"
#include "Charting/data/BubbleChartDataSet.h"
#include "Charting/data/ChartDataEntry.h"
#include "Charting/data/LineChartDataSet.h"

#include <gtest/gtest.h>

using namespace charting;

// The plain (x, y) form cannot make a bubble entry.
template <class Entry>
concept MadeFromXAndY = requires { Entry::create(1.0, 2.0); };
static_assert(!MadeFromXAndY<BubbleChartDataEntry>);
static_assert(MadeFromXAndY<ChartDataEntry>);

namespace {
std::shared_ptr<BubbleChartDataSet> bubbles(const std::vector<double>& sizes) {
    ChartDataSet::EntryList entries;
    for (std::size_t i = 0; i < sizes.size(); ++i)
        entries.push_back(BubbleChartDataEntry::create(double(i), 10.0 - double(i), sizes[i]));
    return BubbleChartDataSet::create(entries, QStringLiteral("Bubbles"));
}
} // namespace

TEST(BubbleChartDataEntry, InitialisersAndCopyKeepTheSize) {
    EXPECT_EQ(BubbleChartDataEntry::create()->size(), 0);
    QImage icon(2, 2, QImage::Format_ARGB32);
    auto entry = BubbleChartDataEntry::create(1, 2, 3, icon, std::any(42));
    EXPECT_EQ(entry->x(), 1);
    EXPECT_EQ(entry->y(), 2);
    EXPECT_EQ(entry->size(), 3);
    EXPECT_TRUE(entry->icon().has_value());
    EXPECT_EQ(std::any_cast<int>(entry->data()), 42);
    EXPECT_EQ(std::any_cast<int>(BubbleChartDataEntry::create(0, 0, 1, std::any(7))->data()), 7);
    EXPECT_TRUE(BubbleChartDataEntry::create(0, 0, 1, icon)->icon().has_value());

    auto copy = std::dynamic_pointer_cast<BubbleChartDataEntry>(entry->copy());
    ASSERT_TRUE(copy);
    EXPECT_NE(copy, entry);
    EXPECT_EQ(copy->x(), 1);
    EXPECT_EQ(copy->y(), 2);
    EXPECT_EQ(copy->size(), 3);
    EXPECT_EQ(std::any_cast<int>(copy->data()), 42);
}

TEST(BubbleChartDataSet, DefaultsAndTheLargestSize) {
    auto empty = BubbleChartDataSet::create();
    EXPECT_EQ(empty->maxSize(), 0);
    EXPECT_TRUE(empty->isNormalizeSizeEnabled());
    EXPECT_EQ(empty->highlightCircleWidth(), 2.5);
    EXPECT_EQ(empty->highlightColor(), QColor(255, 187, 115));

    auto set = bubbles({3, 7, 5});
    EXPECT_EQ(set->maxSize(), 7);
    EXPECT_EQ(set->xMin(), 0);
    EXPECT_EQ(set->xMax(), 2);
    EXPECT_EQ(set->yMin(), 8);
    EXPECT_EQ(set->yMax(), 10);
    // The largest size stays after its entry is gone.
    ASSERT_TRUE(set->removeEntry(set->entryForIndex(1)));
    set->calcMinMax();
    EXPECT_EQ(set->maxSize(), 7);
    EXPECT_EQ(set->xMax(), 2);
    // Adding widens it.
    set->addEntry(BubbleChartDataEntry::create(3, 1, 9));
    EXPECT_EQ(set->maxSize(), 9);
    EXPECT_EQ(set->yMin(), 1);

    EXPECT_EQ(bubbles({-4})->maxSize(), 0);
}

TEST(BubbleChartDataSet, EntriesOfAnotherKindAreIgnoredByTheExtremes) {
    auto set = BubbleChartDataSet::create(
        {BubbleChartDataEntry::create(1, 2, 3), ChartDataEntry::create(50, -50)},
        QStringLiteral("mixed"));
    EXPECT_EQ(set->xMax(), 1);
    EXPECT_EQ(set->yMin(), 2);
    EXPECT_EQ(set->maxSize(), 3);
}

TEST(BubbleChartDataSet, CopyTakesTheStoredExtremesAndSettings) {
    auto source = bubbles({3, 7});
    source->setNormalizeSizeEnabled(false);
    source->setHighlightCircleWidth(4);
    // Changed without a new pass: the copy still has the stored largest size.
    std::static_pointer_cast<BubbleChartDataEntry>(source->entryForIndex(0))->setSize(100);
    auto copy = std::dynamic_pointer_cast<BubbleChartDataSet>(source->copy());
    ASSERT_TRUE(copy);
    EXPECT_EQ(copy->maxSize(), 7);
    EXPECT_FALSE(copy->isNormalizeSizeEnabled());
    EXPECT_EQ(copy->highlightCircleWidth(), 4);
    EXPECT_EQ(copy->xMax(), 1);
    EXPECT_EQ(copy->entryCount(), 2);
}

TEST(BubbleChartData, HighlightCircleWidthOnlyWhenEveryDataSetIsABubbleSet) {
    auto a = bubbles({1});
    auto b = bubbles({2});
    BubbleChartData::create({a, b})->setHighlightCircleWidth(6);
    EXPECT_EQ(a->highlightCircleWidth(), 6);
    EXPECT_EQ(b->highlightCircleWidth(), 6);

    auto c = bubbles({1});
    auto line = LineChartDataSet::create({ChartDataEntry::create(0, 0)}, QStringLiteral("line"));
    BubbleChartData::create({c, line})->setHighlightCircleWidth(9);
    EXPECT_EQ(c->highlightCircleWidth(), 2.5);
}
