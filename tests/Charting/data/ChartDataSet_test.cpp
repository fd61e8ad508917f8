#include "Charting/data/ChartDataEntry.h"
#include "Charting/data/ChartDataSet.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

using namespace charting;

namespace {
constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kLargest = std::numeric_limits<double>::max();
using Rounding = ChartDataSetRounding;

ChartDataSet::EntryList makeEntries(std::initializer_list<std::pair<double, double>> points) {
    ChartDataSet::EntryList list;
    for (auto [x, y] : points)
        list.push_back(ChartDataEntry::create(x, y));
    return list;
}

std::vector<double> xs(const ChartDataSet& set) {
    std::vector<double> v;
    for (const auto& e : set)
        v.push_back(e->x());
    return v;
}

void expectExtremes(const ChartDataSet& set, double xMin, double xMax, double yMin, double yMax) {
    EXPECT_EQ(set.xMin(), xMin);
    EXPECT_EQ(set.xMax(), xMax);
    EXPECT_EQ(set.yMin(), yMin);
    EXPECT_EQ(set.yMax(), yMax);
}

// A subclass whose per-entry step reads a field its own constructor sets: the factory runs the
// full pass once the object is whole, so the override sees the field, once.
class ScaledDataSet : public ChartDataSet {
public:
    static std::shared_ptr<ScaledDataSet> create(EntryList entries, double scale) {
        std::shared_ptr<ScaledDataSet> set(new ScaledDataSet(std::move(entries), scale));
        set->calcMinMax();
        return set;
    }
    using ChartDataSet::calcMinMax;
    void calcMinMax() override {
        ++fullPasses;
        ChartDataSet::calcMinMax();
    }
    void calcMinMaxY(const std::shared_ptr<ChartDataEntry>& entry) override {
        seenScale = scale_;
        auto scaled = ChartDataEntry::create(entry->x(), entry->y() * scale_);
        ChartDataSet::calcMinMaxY(scaled);
    }
    using ChartDataSet::calcMinMaxY;
    int fullPasses = 0;
    double seenScale = 0;

private:
    ScaledDataSet(EntryList entries, double scale)
        : ChartDataSet(std::move(entries), QStringLiteral("scaled")), scale_(scale) {}
    double scale_;
};
} // namespace

TEST(ChartDataSet, FactoryRunsTheMostDerivedFullPassOnceTheObjectIsWhole) {
    auto set = ScaledDataSet::create(makeEntries({{0, 1}, {1, 3}}), 10);
    EXPECT_EQ(set->fullPasses, 1);
    EXPECT_EQ(set->seenScale, 10);
    EXPECT_EQ(set->yMin(), 10);
    EXPECT_EQ(set->yMax(), 30);
}

TEST(ChartDataSet, EmptySet) {
    auto set = ChartDataSet::create();
    EXPECT_EQ(set->entryCount(), 0);
    expectExtremes(*set, kLargest, -kLargest, kLargest, -kLargest);
    for (auto r : {Rounding::roundUp, Rounding::roundDown, Rounding::nearest})
        EXPECT_EQ(set->entryIndex(3, kNaN, r), -1);
    EXPECT_EQ(set->entryForXValue(3, kNaN), nullptr);
    EXPECT_TRUE(set->entriesForXValue(3).empty());
    EXPECT_FALSE(set->removeFirst());
    EXPECT_FALSE(set->removeLast());
    EXPECT_EQ(set->entryForIndex(0), nullptr);
    EXPECT_EQ(set->label(), QString("DataSet"));
}

TEST(ChartDataSet, SearchByXWithEachRounding) {
    auto set = ChartDataSet::create(makeEntries({{0, 1}, {10, 2}, {20, 3}}));
    struct Case {
        double x;
        Rounding rounding;
        int index;
    };
    const Case cases[] = {
        {12, Rounding::roundUp, 2},   {12, Rounding::roundDown, 1}, {12, Rounding::nearest, 1},
        {15, Rounding::nearest, 2},   {8, Rounding::nearest, 1},    {25, Rounding::roundUp, 2},
        {25, Rounding::roundDown, 2}, {25, Rounding::nearest, 2},   {-5, Rounding::roundUp, 0},
        {-5, Rounding::roundDown, 0}, {-5, Rounding::nearest, 0},   {10, Rounding::roundUp, 1},
        {10, Rounding::roundDown, 1}, {10, Rounding::nearest, 1},   {kNaN, Rounding::nearest, 2},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(set->entryIndex(c.x, kNaN, c.rounding), c.index)
            << "x " << c.x << " rounding " << int(c.rounding);
        EXPECT_EQ(set->entryForXValue(c.x, kNaN, c.rounding), set->entryForIndex(c.index));
    }
    EXPECT_EQ(set->entryForXValue(12, kNaN), set->entryForIndex(1)); // nearest
}

TEST(ChartDataSet, SearchPicksTheNearestYAmongEqualX) {
    struct Case {
        std::vector<double> ys;
        double searchX;
        double y;
        Rounding rounding;
        int index;
    };
    const Case cases[] = {
        {{1, 4, 4}, 5, 4, Rounding::roundUp, 2}, // the later of two equally near
        {{1, 4, 4}, 5, 4, Rounding::nearest, 2},
        {{1, 4, 4}, 5, 1, Rounding::roundDown, 0},
        {{1, 4, 4}, 5, kNaN, Rounding::nearest, 0},
        {{10, 3, 6}, 5, 5, Rounding::nearest, 2},   // compared with the nearest so far
        {{kNaN, 3, 9}, 5, 3, Rounding::nearest, 1}, // a y value wins over a NaN y
        {{kNaN, 9, kNaN}, 5, 3, Rounding::roundUp, 1},
        {{kNaN, kNaN, kNaN}, 5, 3, Rounding::nearest, 0},
    };
    for (const Case& c : cases) {
        auto set = ChartDataSet::create(makeEntries({{5, c.ys[0]}, {5, c.ys[1]}, {5, c.ys[2]}}));
        EXPECT_EQ(set->entryIndex(c.searchX, c.y, c.rounding), c.index) << "y " << c.y;
    }
    // The run examined is the one at the x the rounding chose.
    auto set = ChartDataSet::create(makeEntries({{5, 1}, {10, 2}, {10, 3}}));
    EXPECT_EQ(set->entryIndex(7, 3, Rounding::roundDown), 0);
    EXPECT_EQ(set->entryIndex(10, 3, Rounding::roundDown), 2);
}

TEST(ChartDataSet, SearchIsLogarithmic) {
    // Entries that count their x reads.
    class CountingEntry : public ChartDataEntry {
    public:
        static std::shared_ptr<CountingEntry> create(double x, int* reads) {
            std::shared_ptr<CountingEntry> e(new CountingEntry());
            e->setX(x);
            e->reads_ = reads;
            return e;
        }
        double x() const override {
            ++*reads_;
            return ChartDataEntry::x();
        }

    private:
        int* reads_ = nullptr;
    };
    int reads = 0;
    ChartDataSet::EntryList list;
    for (int i = 0; i < 100000; ++i)
        list.push_back(CountingEntry::create(i, &reads));
    auto set = ChartDataSet::create(list);
    reads = 0;
    EXPECT_EQ(set->entryIndex(54321.4, kNaN, Rounding::nearest), 54321);
    EXPECT_LT(reads, 40);
}

TEST(ChartDataSet, EntriesForXValue) {
    auto list = makeEntries({{1, 0}, {2, 1}, {2, 2}, {3, 3}});
    auto set = ChartDataSet::create(list);
    auto found = set->entriesForXValue(2);
    ASSERT_EQ(found.size(), 2u);
    EXPECT_EQ(found[0], list[2]); // the order the partition leaves
    EXPECT_EQ(found[1], list[1]);
    EXPECT_EQ(set->entries(), list); // the data set's own order is unchanged
    EXPECT_TRUE(set->entriesForXValue(2.5).empty());
    EXPECT_TRUE(set->entriesForXValue(kNaN).empty());
    ASSERT_EQ(set->entriesForXValue(3).size(), 1u);
    EXPECT_EQ(set->entriesForXValue(3)[0], list[3]);
}

TEST(ChartDataSet, AddOrderedKeepsAscendingX) {
    auto set = ChartDataSet::create(makeEntries({{0, 1}, {10, 2}, {20, 3}}));
    set->entryForIndex(0)->setY(100); // unseen by the cache; a full pass would see it
    set->addEntryOrdered(ChartDataEntry::create(15, 7));
    EXPECT_EQ(xs(*set), (std::vector<double>{0, 10, 15, 20}));
    expectExtremes(*set, 0, 20, 1, 7); // widened by the new entry only
    set->addEntryOrdered(ChartDataEntry::create(30, -1));
    EXPECT_EQ(xs(*set), (std::vector<double>{0, 10, 15, 20, 30}));
    expectExtremes(*set, 0, 30, -1, 7);

    // Into x 0, 20, 20: an entry at 10 goes before the first 20 whatever its y.
    for (double y : {9.0, kNaN, 1.0}) {
        auto s = ChartDataSet::create(makeEntries({{0, 1}, {20, 5}, {20, 9}}));
        auto e = ChartDataEntry::create(10, y);
        EXPECT_TRUE(s->addEntryOrdered(e));
        EXPECT_EQ(s->entryForIndex(1), e) << "y " << y;
    }
    // An entry with an x already present goes after every entry with that x.
    auto s = ChartDataSet::create(makeEntries({{0, 1}, {20, 5}, {20, 9}, {30, 0}}));
    auto e = ChartDataEntry::create(20, 5);
    s->addEntryOrdered(e);
    EXPECT_EQ(s->entryForIndex(3), e);
    EXPECT_EQ(xs(*s), (std::vector<double>{0, 20, 20, 20, 30}));
}

TEST(ChartDataSet, NaNValuesLeaveTheExtremes) {
    auto set = ChartDataSet::create(makeEntries({{0, 1}, {1, kNaN}, {2, 5}}));
    expectExtremes(*set, 0, 2, 1, 5);
    set->addEntry(ChartDataEntry::create(kNaN, kNaN));
    expectExtremes(*set, 0, 2, 1, 5);
    auto first = ChartDataSet::create(makeEntries({{kNaN, kNaN}, {3, 4}}));
    expectExtremes(*first, 3, 3, 4, 4);
}

TEST(ChartDataSet, ExtremesAfterEachEdit) {
    auto list = makeEntries({{0, 1}, {10, 2}, {20, 3}});
    auto set = ChartDataSet::create(list);
    expectExtremes(*set, 0, 20, 1, 3);

    // Writing a position widens but keeps the replaced values counted.
    set->setEntryAt(0, ChartDataEntry::create(0, 100));
    expectExtremes(*set, 0, 20, 1, 100);
    set->notifyDataSetChanged();
    expectExtremes(*set, 0, 20, 2, 100);

    // Writing entries keeps the old extremes; replaceEntries recalculates.
    set->setEntries(makeEntries({{5, 50}}));
    expectExtremes(*set, 0, 20, 2, 100);
    set->replaceEntries(set->entries());
    expectExtremes(*set, 5, 5, 50, 50);

    set->append(makeEntries({{6, -3}, {7, 60}}));
    expectExtremes(*set, 5, 7, -3, 60);
    set->insert(ChartDataEntry::create(4, 0), 0);
    expectExtremes(*set, 4, 7, -3, 60);
    EXPECT_EQ(set->remove(2)->y(), -3);
    expectExtremes(*set, 4, 7, 0, 60);
    set->replaceSubrange(0, 2, makeEntries({{1, 1}, {2, 2}, {3, 3}}));
    EXPECT_EQ(xs(*set), (std::vector<double>{1, 2, 3, 7}));
    expectExtremes(*set, 1, 7, 1, 60);
    set->swapAt(0, 3);
    EXPECT_EQ(xs(*set), (std::vector<double>{7, 2, 3, 1}));
    set->removeFirst(1);
    expectExtremes(*set, 1, 3, 1, 3);
    set->removeLast(1);
    expectExtremes(*set, 2, 3, 2, 3);
    set->removeAllWhere([](const auto& e) { return e->x() == 2; });
    expectExtremes(*set, 3, 3, 3, 3);
    set->reserveCapacity(100);
    expectExtremes(*set, 3, 3, 3, 3);
    set->removeAll();
    expectExtremes(*set, kLargest, -kLargest, kLargest, -kLargest);
}

TEST(ChartDataSet, EditsTakingTheSetsOwnList) {
    auto set = ChartDataSet::create(makeEntries({{0, 1}, {10, 2}}));
    set->append(set->entries());
    EXPECT_EQ(xs(*set), (std::vector<double>{0, 10, 0, 10}));
    set->replaceSubrange(1, 3, set->entries());
    EXPECT_EQ(xs(*set), (std::vector<double>{0, 0, 10, 0, 10, 10}));
    expectExtremes(*set, 0, 10, 1, 2);
}

TEST(ChartDataSet, RemovalsRecalculate) {
    auto list = makeEntries({{0, 1}, {10, 2}, {20, 3}});
    auto set = ChartDataSet::create(list);
    // A distinct but equal entry removes the first stored equal one.
    EXPECT_TRUE(set->removeEntry(ChartDataEntry::create(0, 1)));
    expectExtremes(*set, 10, 20, 2, 3);
    EXPECT_FALSE(set->removeEntry(ChartDataEntry::create(0, 1)));
    EXPECT_TRUE(set->removeLast());
    expectExtremes(*set, 10, 10, 2, 2);
    EXPECT_TRUE(set->removeFirst());
    EXPECT_EQ(set->entryCount(), 0);

    set->replaceEntries(list);
    EXPECT_TRUE(set->removeEntry(12.0)); // nearest x: 10
    EXPECT_EQ(xs(*set), (std::vector<double>{0, 20}));
    set->clear();
    EXPECT_EQ(set->entryCount(), 0);
    expectExtremes(*set, kLargest, -kLargest, kLargest, -kLargest);
}

TEST(ChartDataSet, LookupsByEquality) {
    auto list = makeEntries({{0, 1}, {10, 2}, {20, 3}});
    auto set = ChartDataSet::create(list);
    EXPECT_EQ(set->entryIndex(ChartDataEntry::create(10, 2)), 1);
    EXPECT_EQ(set->entryIndex(ChartDataEntry::create(10, 3)), -1);
    EXPECT_EQ(set->entryIndex(nullptr), -1);
    EXPECT_TRUE(set->contains(ChartDataEntry::create(20, 3)));
    EXPECT_FALSE(set->contains(ChartDataEntry::create(20, 4)));
    EXPECT_EQ((*set)[2], list[2]);
}

TEST(ChartDataSet, CalcMinMaxYOverAnXRange) {
    auto set = ChartDataSet::create(makeEntries({{0, 7}, {10, 3}, {20, 9}}));
    set->calcMinMaxY(5, 15);
    expectExtremes(*set, 0, 20, 3, 9);
    set->calcMinMaxY(-10, -5);
    expectExtremes(*set, 0, 20, 7, 7);
    set->calcMinMaxY(25, 30); // beyond the last entry: the last entry
    expectExtremes(*set, 0, 20, 9, 9);
    set->calcMinMaxY(15, 5); // an empty range
    expectExtremes(*set, 0, 20, kLargest, -kLargest);
}

TEST(ChartDataSet, CopySharesEntriesButNotTheList) {
    auto list = makeEntries({{0, 1}, {10, 2}});
    auto set = ChartDataSet::create(list, QStringLiteral("src"));
    set->setEntryAt(0, ChartDataEntry::create(0, 100)); // extremes wider than a recalculation
    auto copy = std::dynamic_pointer_cast<ChartDataSet>(set->copy());
    ASSERT_TRUE(copy);
    EXPECT_EQ(copy->entries(), set->entries());
    expectExtremes(*copy, 0, 10, 1, 100); // copied as they stand
    EXPECT_EQ(copy->label(), QString("src"));
    copy->addEntry(ChartDataEntry::create(30, 5));
    EXPECT_EQ(set->entryCount(), 2);
    EXPECT_EQ(set->xMax(), 10);
}

TEST(ChartDataSetDeathTest, ListPositionsOutsideTheListStop) {
    struct Case {
        const char* message;
        std::function<void(ChartDataSet&)> call;
    };
    const Case cases[] = {
        {"ChartDataSet\\[\\]: position 3 outside a list of 3", [](auto& s) { (void)s[3]; }},
        {"setEntryAt: position -1", [](auto& s) { s.setEntryAt(-1, ChartDataEntry::create()); }},
        {"insert: position 5", [](auto& s) { s.insert(ChartDataEntry::create(), 5); }},
        {"remove: position 3", [](auto& s) { s.remove(3); }},
        {"removeFirst: position 4", [](auto& s) { s.removeFirst(4); }},
        {"replaceSubrange: position 2", [](auto& s) { s.replaceSubrange(2, 1, {}); }},
        {"entryIndex\\(x:closestToY:rounding:\\): unexpected ChartDataSetRounding value 7",
         [](auto& s) { s.entryIndex(5, 1, static_cast<ChartDataSetRounding>(7)); }},
    };
    for (const Case& c : cases) {
        auto set = ChartDataSet::create(makeEntries({{0, 1}, {10, 2}, {20, 3}}));
        EXPECT_DEATH(c.call(*set), c.message) << c.message;
    }
}
