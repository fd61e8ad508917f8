#include "Charting/data/ChartData.h"
#include "Charting/data/ChartDataEntry.h"
#include "Charting/data/LineChartData.h"
#include "Charting/data/LineChartDataSet.h"
#include "Charting/formatters/DefaultValueFormatter.h"
#include "Charting/data/Highlight.h"
#include "platform/Log.h"

#include <gtest/gtest.h>

#include <limits>

using namespace charting;

namespace {
constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kLargest = std::numeric_limits<double>::max();

std::shared_ptr<LineChartDataSet> lineSet(std::initializer_list<std::pair<double, double>> points,
                                          AxisDependency axis = AxisDependency::left,
                                          QString label = QStringLiteral("DataSet")) {
    ChartDataSet::EntryList list;
    for (auto [x, y] : points)
        list.push_back(ChartDataEntry::create(x, y));
    auto set = LineChartDataSet::create(list, label);
    set->setAxisDependency(axis);
    set->notifyDataSetChanged();
    return set;
}

void expectExtremes(const ChartData& d, double xMin, double xMax, double yMin, double yMax) {
    EXPECT_EQ(d.xMin(), xMin);
    EXPECT_EQ(d.xMax(), xMax);
    EXPECT_EQ(d.yMin(), yMin);
    EXPECT_EQ(d.yMax(), yMax);
}
} // namespace

TEST(ChartData, EmptyData) {
    for (auto data : {ChartData::create(), std::shared_ptr<ChartData>(LineChartData::create()),
                      ChartData::create(ChartData::DataSetList{})}) {
        expectExtremes(*data, kLargest, -kLargest, kLargest, -kLargest);
        for (auto axis : {AxisDependency::left, AxisDependency::right}) {
            EXPECT_EQ(data->getYMin(axis), kLargest);
            EXPECT_EQ(data->getYMax(axis), -kLargest);
        }
        EXPECT_TRUE(data->isHighlightEnabled());
        EXPECT_EQ(data->entryCount(), 0);
        EXPECT_EQ(data->maxEntryCountSet(), nullptr);
        EXPECT_TRUE(data->colors().empty());
        EXPECT_EQ(data->dataSetCount(), 0);
    }
}

TEST(ChartData, ExtremesPerAxisWithFallback) {
    auto left = lineSet({{0, -5}, {10, 3}});
    auto right1 = lineSet({{-2, 100}, {4, 200}}, AxisDependency::right);
    auto right2 = lineSet({{20, 50}}, AxisDependency::right);
    auto data = LineChartData::create({left, right1, right2});
    expectExtremes(*data, -2, 20, -5, 200);
    EXPECT_EQ(data->getYMin(AxisDependency::left), -5);
    EXPECT_EQ(data->getYMax(AxisDependency::left), 3);
    EXPECT_EQ(data->getYMin(AxisDependency::right), 50);
    EXPECT_EQ(data->getYMax(AxisDependency::right), 200);

    // Only right-axis data sets: the left axis reports the right one's values.
    auto onlyRight = ChartData::create({right1, right2});
    EXPECT_EQ(onlyRight->getYMin(AxisDependency::left), 50);
    EXPECT_EQ(onlyRight->getYMax(AxisDependency::left), 200);
    auto onlyLeft = ChartData::create({left});
    EXPECT_EQ(onlyLeft->getYMin(AxisDependency::right), -5);
    EXPECT_EQ(onlyLeft->getYMax(AxisDependency::right), 3);

    // An empty data set takes no part in the widening.
    auto withEmpty = ChartData::create({lineSet({}), left});
    expectExtremes(*withEmpty, 0, 10, -5, 3);
    EXPECT_EQ(withEmpty->getYMin(AxisDependency::left), -5);
}

TEST(ChartData, RecomputesFromTheDataSetsCachedExtremes) {
    auto set = lineSet({{0, 0}, {1, 0}});
    auto data = LineChartData::create({set});
    // The live charts write y in place, refresh the data set, then store the data again.
    set->entryForIndex(1)->setY(9);
    data->notifyDataChanged();
    EXPECT_EQ(data->yMax(), 0); // the data set's cache is stale
    set->notifyDataSetChanged();
    data->notifyDataChanged();
    EXPECT_EQ(data->yMax(), 9);

    data->calcMinMaxY(0.6, 2);
    EXPECT_EQ(data->yMin(), 9);
}

TEST(ChartData, DataSetEdits) {
    auto a = lineSet({{0, 1}, {1, 2}});
    auto b = lineSet({{5, -1}, {6, 8}, {7, 0}});
    auto data = ChartData::create({a});
    data->setXMin(-1000); // wider than the data sets: adding never shrinks, removing recomputes
    data->setYMax(1000);
    data->addDataSet(b);
    expectExtremes(*data, -1000, 7, -1, 1000);
    EXPECT_EQ(data->indexOf(b), 1);
    EXPECT_TRUE(data->contains(b));
    EXPECT_FALSE(data->contains(lineSet({{5, -1}, {6, 8}, {7, 0}}))); // identity, not value
    EXPECT_EQ(data->maxEntryCountSet(), b);
    EXPECT_EQ(data->entryCount(), 5);

    EXPECT_EQ(data->removeDataSet(b), b);
    expectExtremes(*data, 0, 1, 1, 2);
    EXPECT_EQ(data->removeDataSet(b), nullptr);
    EXPECT_EQ(data->removeDataSetByIndex(3), nullptr);

    // Replacing an element does not recompute until notifyDataChanged.
    data->setDataSetAt(0, b);
    expectExtremes(*data, 0, 1, 1, 2);
    data->notifyDataChanged();
    expectExtremes(*data, 5, 7, -1, 8);

    data->replaceSubrange(0, 1, {a, b});
    expectExtremes(*data, 0, 7, -1, 8);            // widened by each new data set
    data->replaceSubrange(1, 2, data->dataSets()); // its own list
    EXPECT_EQ(data->dataSets(), (ChartData::DataSetList{a, a, b}));
    data->removeFirst(2);
    expectExtremes(*data, 5, 7, -1, 8);
    data->setDataSets({a, b});
    data->removeLast(1);
    expectExtremes(*data, 0, 1, 1, 2);
    data->modifyDataSets([&](ChartData::DataSetList& list) { list.push_back(b); });
    expectExtremes(*data, 0, 7, -1, 8);
    data->removeAll(true);
    expectExtremes(*data, kLargest, -kLargest, kLargest, -kLargest);
    data->setDataSets({a});
    data->clearValues();
    EXPECT_EQ(data->dataSetCount(), 0);
    expectExtremes(*data, kLargest, -kLargest, kLargest, -kLargest);

    // Two data sets with the most entries: the earlier wins.
    auto c = lineSet({{1, 1}, {2, 2}});
    EXPECT_EQ(ChartData::create({a, c})->maxEntryCountSet(), a);
}

TEST(ChartData, EntryEdits) {
    auto a = lineSet({{0, 1}, {10, 2}});
    auto b = lineSet({{0, 5}}, AxisDependency::right);
    auto data = ChartData::create({a, b});

    auto e = ChartDataEntry::create(20, 30);
    data->addEntry(e, 1);
    expectExtremes(*data, 0, 20, 1, 30);
    EXPECT_EQ(data->getYMax(AxisDependency::right), 30);
    EXPECT_EQ(data->getYMax(AxisDependency::left), 2);
    EXPECT_EQ(data->getDataSetForEntry(e), b);

    for (int bad : {-1, 2}) {
        platform::ScopedLogCapture log;
        data->addEntry(ChartDataEntry::create(99, 99), bad);
        EXPECT_EQ(log.lines(),
                  std::vector<std::string>{"ChartData.addEntry() - Cannot add Entry "
                                           "because dataSetIndex too high or too low."});
        expectExtremes(*data, 0, 20, 1, 30);
        EXPECT_EQ(data->entryCount(), 4);
    }

    EXPECT_TRUE(data->removeEntry(ChartDataEntry::create(20, 30), 1));
    expectExtremes(*data, 0, 10, 1, 5);
    EXPECT_FALSE(data->removeEntry(e, 1));
    EXPECT_FALSE(data->removeEntry(e, 5));
    EXPECT_TRUE(data->removeEntry(8.0, 0)); // nearest x: 10
    expectExtremes(*data, 0, 0, 1, 5);
    EXPECT_FALSE(data->removeEntry(8.0, -1));
}

TEST(ChartData, Lookups) {
    auto a = lineSet({{0, 1}, {10, 2}}, AxisDependency::right, QStringLiteral("Gyro X"));
    auto b = lineSet({{0, 1}, {10, 2}}, AxisDependency::left, QStringLiteral("Gyro Y"));
    auto unlabelled = lineSet({{3, 3}});
    unlabelled->setLabel(std::nullopt);
    auto data = ChartData::create({unlabelled, a, b});

    EXPECT_EQ(data->dataSetForLabel("gyro y", true), b);
    EXPECT_EQ(data->dataSetForLabel("gyro y", false), nullptr);
    EXPECT_EQ(data->dataSetForLabel("Gyro X", false), a);
    EXPECT_EQ(data->dataSetAtIndex(2), b);
    EXPECT_EQ(data->dataSetAtIndex(3), nullptr);
    EXPECT_EQ(data->dataSetAtIndex(-1), nullptr);
    EXPECT_EQ(data->getFirstLeft(data->dataSets()), unlabelled);
    EXPECT_EQ(data->getFirstRight(data->dataSets()), a);

    // The data set that holds this very entry, not an equal one.
    EXPECT_EQ(data->getDataSetForEntry(b->entryForIndex(1)), b);
    EXPECT_EQ(data->getDataSetForEntry(a->entryForIndex(1)), a);
    EXPECT_EQ(data->getDataSetForEntry(ChartDataEntry::create(10, 2)), nullptr);

    auto h = Highlight::create(9, kNaN, 2, -1);
    EXPECT_EQ(data->entryFor(*h), b->entryForIndex(1));
    EXPECT_EQ(data->entryFor(*Highlight::create(9, kNaN, 3, -1)), nullptr);
}

TEST(ChartData, FansSettingsOutToEveryDataSet) {
    auto a = lineSet({{0, 1}});
    auto b = lineSet({{0, 1}});
    a->setColors({Qt::red, Qt::green});
    b->setColor(Qt::blue);
    auto data = ChartData::create({a, b});
    EXPECT_EQ(data->colors(), (std::vector<QColor>{Qt::red, Qt::green, Qt::blue}));

    auto formatter = DefaultValueFormatter::create(2);
    data->setValueFormatter(formatter);
    data->setValueTextColor(Qt::magenta);
    QFont font;
    font.setPointSizeF(11);
    data->setValueFont(font);
    data->setDrawValues(false);
    data->setHighlightEnabled(false);
    for (const auto& set : {a, b}) {
        EXPECT_EQ(set->valueFormatter(), formatter);
        EXPECT_EQ(set->valueTextColor(), QColor(Qt::magenta));
        EXPECT_EQ(set->valueFont().pointSizeF(), 11);
        EXPECT_FALSE(set->isDrawValuesEnabled());
        EXPECT_FALSE(set->isHighlightEnabled());
    }
    EXPECT_FALSE(data->isHighlightEnabled());
    a->setHighlightEnabled(true);
    EXPECT_FALSE(data->isHighlightEnabled());
    b->setHighlightEnabled(true);
    EXPECT_TRUE(data->isHighlightEnabled());
}

TEST(ChartData, FactoryRecomputesThroughTheMostDerivedOverride) {
    class CountingData : public ChartData {
    public:
        static std::shared_ptr<CountingData> create(DataSetList sets) {
            std::shared_ptr<CountingData> d(new CountingData(std::move(sets)));
            d->notifyDataChanged();
            return d;
        }
        using ChartData::calcMinMax;
        void calcMinMax() override {
            ++passes;
            ChartData::calcMinMax();
        }
        int passes = 0;

    private:
        explicit CountingData(DataSetList sets) : ChartData(std::move(sets)) {}
    };
    auto data = CountingData::create({lineSet({{1, 2}})});
    EXPECT_EQ(data->passes, 1);
    EXPECT_EQ(data->yMax(), 2);
}

TEST(ChartDataDeathTest, AxisValuesOutsideTheCasesStop) {
    const auto bad = static_cast<AxisDependency>(5);
    struct Case {
        const char* message;
        std::function<void()> call;
    };
    const Case cases[] = {
        {"getYMin\\(axis:\\): unexpected YAxis.AxisDependency value 5",
         [bad] { ChartData::create()->getYMin(bad); }},
        {"calcMinMax\\(entry:axis:\\): unexpected YAxis.AxisDependency value 5",
         [bad] { ChartData::create()->calcMinMax(ChartDataEntry::create(), bad); }},
        {"calcMinMax\\(dataSet:\\): unexpected YAxis.AxisDependency value 5",
         [bad] {
             ChartData::create({lineSet({{1, 1}}, bad)});
         }},
    };
    for (const Case& c : cases)
        EXPECT_DEATH(c.call(), c.message) << c.message;
    // getYMax treats any value other than left as the right axis.
    auto data = ChartData::create({lineSet({{1, 1}}, AxisDependency::right)});
    EXPECT_EQ(data->getYMax(bad), 1);
}
