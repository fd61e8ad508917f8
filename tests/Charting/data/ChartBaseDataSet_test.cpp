#include "Charting/data/ChartBaseDataSet.h"
#include "Charting/data/ChartDataEntry.h"
#include "Charting/data/ChartDataSet.h"
#include "Charting/formatters/DefaultValueFormatter.h"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>

using namespace charting;

TEST(ChartBaseDataSet, Defaults) {
    auto set = ChartBaseDataSet::create();
    EXPECT_EQ(set->label(), QString("DataSet"));
    ASSERT_EQ(set->colors().size(), 1u);
    EXPECT_EQ(set->colors()[0], QColor(140, 234, 255));
    EXPECT_EQ(set->colors()[0].alphaF(), 1.0);
    EXPECT_EQ(set->valueColors().size(), 1u);
    EXPECT_EQ(set->valueFont().pointSizeF(), 7.0);
    EXPECT_EQ(set->axisDependency(), AxisDependency::left);
    EXPECT_EQ(set->form(), LegendForm::default_);
    EXPECT_TRUE(std::isnan(set->formSize()));
    EXPECT_TRUE(std::isnan(set->formLineWidth()));
    EXPECT_EQ(set->formLineDashPhase(), 0);
    EXPECT_FALSE(set->formLineDashLengths().has_value());
    EXPECT_EQ(set->iconsOffset(), (platform::Point{0, 0}));
    EXPECT_EQ(set->valueLabelAngle(), 0);
    EXPECT_TRUE(set->isHighlightEnabled());
    EXPECT_TRUE(set->isDrawValuesEnabled());
    EXPECT_TRUE(set->isDrawIconsEnabled());
    EXPECT_TRUE(set->isVisible());

    EXPECT_EQ(ChartBaseDataSet::create(QStringLiteral("Gyro X"))->label(), QString("Gyro X"));
    EXPECT_FALSE(ChartBaseDataSet::create(std::nullopt)->label().has_value());
}

TEST(ChartBaseDataSet, ColourOperations) {
    auto set = ChartBaseDataSet::create();
    QColor a(Qt::red), b(Qt::green), c(Qt::blue);
    set->setColors({a, b, c});
    for (int index : {0, 3, -5})
        EXPECT_EQ(set->colorAtIndex(index), a) << index;
    EXPECT_EQ(set->colorAtIndex(4), b);

    set->resetColors();
    EXPECT_TRUE(set->colors().empty());
    EXPECT_EQ(set->colorAtIndex(2), QColor(140, 234, 255)); // an empty list falls back
    set->addColor(b);
    set->addColor(a);
    EXPECT_EQ(set->colors(), (std::vector<QColor>{b, a}));
    set->setColor(c);
    EXPECT_EQ(set->colors(), std::vector<QColor>{c});

    set->setColors({QColor(10, 20, 30), QColor(40, 50, 60)}, 0.5);
    ASSERT_EQ(set->colors().size(), 2u);
    EXPECT_EQ(set->colors()[1].red(), 40);
    EXPECT_NEAR(set->colors()[0].alphaF(), 0.5, 1e-4);
    EXPECT_NEAR(set->colors()[1].alphaF(), 0.5, 1e-4);
    set->setColor(QColor(1, 2, 3), 0.25);
    EXPECT_NEAR(set->colors().at(0).alphaF(), 0.25, 1e-4);

    set->setValueColors({a, b});
    EXPECT_EQ(set->valueTextColorAt(3), b);
    set->setValueTextColor(c);
    EXPECT_EQ(set->valueColors(), std::vector<QColor>{c});
    EXPECT_EQ(set->valueTextColor(), c);
}

TEST(ChartBaseDataSet, ValueFormatterIsMadeOnceOnFirstRead) {
    auto set = ChartBaseDataSet::create();
    auto first = set->valueFormatter();
    ASSERT_TRUE(std::dynamic_pointer_cast<DefaultValueFormatter>(first));
    EXPECT_EQ(set->valueFormatter(), first);
    auto mine = DefaultValueFormatter::create(3);
    set->setValueFormatter(mine);
    EXPECT_EQ(set->valueFormatter(), mine);
}

TEST(ChartBaseDataSet, CopyHasTheFieldsExceptTheLabelAngle) {
    auto set = ChartBaseDataSet::create(QStringLiteral("Acc Z"));
    set->setColors({Qt::red, Qt::blue});
    set->setAxisDependency(AxisDependency::right);
    set->setHighlightEnabled(false);
    set->setValueLabelAngle(45);
    set->setForm(LegendForm::circle);
    set->setFormSize(9);
    set->setFormLineDashLengths(std::vector<double>{2, 1});
    set->setIconsOffset({3, 4});
    set->setVisible(false);
    set->setDrawValuesEnabled(false);
    set->setDrawIconsEnabled(false);
    set->setValueColors({Qt::yellow, Qt::cyan});
    QFont font;
    font.setPointSizeF(13);
    set->setValueFont(font);
    set->setFormLineWidth(2);
    set->setFormLineDashPhase(1.5);

    auto copy = set->copy();
    EXPECT_NE(copy, set);
    EXPECT_EQ(copy->label(), QString("Acc Z"));
    EXPECT_EQ(copy->colors(), set->colors());
    EXPECT_EQ(copy->axisDependency(), AxisDependency::right);
    EXPECT_FALSE(copy->isHighlightEnabled());
    EXPECT_EQ(copy->valueLabelAngle(), 0);
    EXPECT_EQ(copy->form(), LegendForm::circle);
    EXPECT_EQ(copy->formSize(), 9);
    EXPECT_EQ(copy->formLineDashLengths(), (std::vector<double>{2, 1}));
    EXPECT_EQ(copy->iconsOffset(), (platform::Point{3, 4}));
    EXPECT_FALSE(copy->isVisible());
    EXPECT_FALSE(copy->isDrawValuesEnabled());
    EXPECT_FALSE(copy->isDrawIconsEnabled());
    EXPECT_EQ(copy->valueColors(), (std::vector<QColor>{Qt::yellow, Qt::cyan}));
    EXPECT_EQ(copy->valueFont().pointSizeF(), 13);
    EXPECT_EQ(copy->formLineWidth(), 2);
    EXPECT_EQ(copy->formLineDashPhase(), 1.5);
    // The formatter is shared (the source's default is made for the copy).
    EXPECT_EQ(copy->valueFormatter(), set->valueFormatter());
    // Own colour lists.
    copy->addColor(Qt::green);
    EXPECT_EQ(set->colors().size(), 2u);
}

TEST(ChartBaseDataSet, RemoveHelpersStopEarlyWithoutAnEntry) {
    // A data set that counts its removeEntry calls.
    class CountingSet : public ChartDataSet {
    public:
        static std::shared_ptr<CountingSet> create() {
            std::shared_ptr<CountingSet> s(new CountingSet());
            s->calcMinMax();
            return s;
        }
        using ChartDataSet::removeEntry;
        bool removeEntry(const std::shared_ptr<ChartDataEntry>& entry) override {
            ++removeCalls;
            return ChartDataSet::removeEntry(entry);
        }
        int removeCalls = 0;
    };
    auto set = CountingSet::create();
    EXPECT_FALSE(set->removeEntry(0));
    EXPECT_FALSE(set->removeEntry(3.0));
    EXPECT_EQ(set->removeCalls, 0);
    set->addEntry(ChartDataEntry::create(1, 1));
    set->addEntry(ChartDataEntry::create(2, 2));
    EXPECT_TRUE(set->removeEntry(1));   // position 1
    EXPECT_TRUE(set->removeEntry(1.2)); // nearest x
    EXPECT_EQ(set->removeCalls, 2);
    EXPECT_EQ(set->entryCount(), 0);
}

TEST(ChartBaseDataSet, Descriptions) {
    auto set = ChartDataSet::create({ChartDataEntry::create(1, 2)}, QStringLiteral("S"));
    EXPECT_EQ(set->description(), "ChartDataSet, label: S, 1 entries");
    EXPECT_EQ(set->debugDescription(),
              "ChartDataSet, label: S, 1 entries:\nChartDataEntry, x: 1.0, y 2.0");
}

// Every operation that needs entry storage stops on the base class with its own message.
TEST(ChartBaseDataSetDeathTest, AbstractOperationsStop) {
    auto entry = ChartDataEntry::create(1, 1);
    struct Case {
        const char* message;
        std::function<void(ChartBaseDataSet&)> call;
    };
    const Case cases[] = {
        {"calcMinMax is not implemented in ChartBaseDataSet", [](auto& s) { s.calcMinMax(); }},
        {"calcMinMaxY\\(fromX:, toX:\\) is not implemented in ChartBaseDataSet",
         [](auto& s) { s.calcMinMaxY(0, 1); }},
        {"yMin is not implemented in ChartBaseDataSet", [](auto& s) { s.yMin(); }},
        {"yMax is not implemented in ChartBaseDataSet", [](auto& s) { s.yMax(); }},
        {"xMin is not implemented in ChartBaseDataSet", [](auto& s) { s.xMin(); }},
        {"xMax is not implemented in ChartBaseDataSet", [](auto& s) { s.xMax(); }},
        {"entryCount is not implemented in ChartBaseDataSet", [](auto& s) { s.entryCount(); }},
        {"entryForIndex is not implemented in ChartBaseDataSet",
         [](auto& s) { s.entryForIndex(0); }},
        {"entryForXValue\\(x, closestToY, rounding\\) is not implemented in ChartBaseDataSet",
         [](auto& s) { s.entryForXValue(0, 0, ChartDataSetRounding::nearest); }},
        {"entryForXValue\\(x, closestToY\\) is not implemented in ChartBaseDataSet",
         [](auto& s) { s.entryForXValue(0, 0); }},
        {"entriesForXValue is not implemented in ChartBaseDataSet",
         [](auto& s) { s.entriesForXValue(0); }},
        {"entryIndex\\(x, closestToY, rounding\\) is not implemented in ChartBaseDataSet",
         [](auto& s) { s.entryIndex(0, 0, ChartDataSetRounding::roundUp); }},
        {"entryIndex\\(entry\\) is not implemented in ChartBaseDataSet",
         [entry](auto& s) { s.entryIndex(entry); }},
        {"addEntry is not implemented in ChartBaseDataSet",
         [entry](auto& s) { s.addEntry(entry); }},
        {"addEntryOrdered is not implemented in ChartBaseDataSet",
         [entry](auto& s) { s.addEntryOrdered(entry); }},
        {"removeEntry is not implemented in ChartBaseDataSet",
         [entry](auto& s) { s.removeEntry(entry); }},
        {"contains is not implemented in ChartBaseDataSet",
         [entry](auto& s) { s.contains(entry); }},
        {"clear is not implemented in ChartBaseDataSet", [](auto& s) { s.clear(); }},
        {"calcMinMax is not implemented in ChartBaseDataSet",
         [](auto& s) { s.notifyDataSetChanged(); }},
        {"entryCount is not implemented in ChartBaseDataSet", [](auto& s) { s.removeFirst(); }},
        {"entryCount is not implemented in ChartBaseDataSet", [](auto& s) { s.description(); }},
    };
    for (const Case& c : cases) {
        auto set = ChartBaseDataSet::create();
        EXPECT_DEATH(c.call(*set), c.message) << c.message;
    }
}
