#include "Charting/components/Legend.h"
#include "support/FakeTextMeasurer.h"
#include "Charting/utils/ViewPortHandler.h"

#include <gtest/gtest.h>

using namespace charting;

namespace {

// Legend font 10 under the fake measurer: a character is 5 wide, a row 12.5 high.
constexpr double kRow = 12.5;

std::shared_ptr<LegendEntry> labelled(const QString& label) {
    auto entry = LegendEntry::create(label);
    entry->setFormColor(QColor(Qt::red));
    return entry;
}

std::shared_ptr<LegendEntry> stacked() {
    auto entry = LegendEntry::create();
    entry->setFormColor(QColor(Qt::blue));
    return entry;
}

class LegendMeasuring : public ::testing::Test {
protected:
    LegendMeasuring() {
        legend->setFont(QFont("Sans", 10));
        // Content 100 wide: a row may take 95.
        handler->restrainViewPort(0, 0, 100, 0);
    }
    FakeTextMeasurer measurer;
    ScopedTextMeasurer scoped{measurer};
    std::shared_ptr<Legend> legend = Legend::create();
    std::shared_ptr<ViewPortHandler> handler = ViewPortHandler::create(200, 100);
};

} // namespace

TEST(Legend, DefaultsAndOffsetsOfBothConstructions) {
    auto legend = Legend::create();
    EXPECT_EQ(legend->xOffset(), 5);
    EXPECT_EQ(legend->yOffset(), 3);
    EXPECT_EQ(legend->horizontalAlignment(), Legend::HorizontalAlignment::left);
    EXPECT_EQ(legend->verticalAlignment(), Legend::VerticalAlignment::bottom);
    EXPECT_EQ(legend->orientation(), Legend::Orientation::horizontal);
    EXPECT_EQ(legend->form(), LegendForm::square);
    EXPECT_EQ(legend->formSize(), 8);
    EXPECT_EQ(legend->font().pointSizeF(), 10);
    EXPECT_TRUE(legend->isWordWrapEnabled());
    EXPECT_DOUBLE_EQ(legend->maxSizePercent(), 0.95);

    auto withEntries = Legend::create({labelled("a")});
    EXPECT_EQ(withEntries->xOffset(), 5);
    EXPECT_EQ(withEntries->yOffset(), 5);
    EXPECT_EQ(withEntries->entries().size(), 1u);

    auto entry = LegendEntry::create();
    EXPECT_FALSE(entry->label());
    EXPECT_EQ(entry->form(), LegendForm::default_);
    EXPECT_TRUE(std::isnan(entry->formSize()));
    EXPECT_TRUE(std::isnan(entry->formLineWidth()));
    EXPECT_EQ(entry->formLineDashPhase(), 0);
    EXPECT_FALSE(entry->formColor());
}

TEST_F(LegendMeasuring, WithoutEntriesOnlyTheOffsetsAreNeeded) {
    for (auto orientation : {Legend::Orientation::horizontal, Legend::Orientation::vertical}) {
        legend->setOrientation(orientation);
        legend->calculateDimensions(legend->font(), *handler);
        EXPECT_EQ(legend->neededWidth(), 5);
        EXPECT_EQ(legend->neededHeight(), 3);
    }
    EXPECT_EQ(legend->getMaximumEntrySize(legend->font()), (platform::Size{5, 0}));
}

TEST_F(LegendMeasuring, MaximumEntrySizeTakesTheLargestFormAndLabel) {
    auto big = labelled("ab");
    big->setFormSize(20);
    legend->setEntries({labelled("abcd"), big, stacked()});
    // 20 + 5 + 20 wide, one label high.
    EXPECT_EQ(legend->getMaximumEntrySize(legend->font()), (platform::Size{45, kRow}));
}

TEST_F(LegendMeasuring, HorizontalRowsBreakAtTheFirstEntryThatDoesNotFit) {
    // Each entry takes 8 + 5 + 20 = 33; a row holds two (33 + 6 + 33 = 72 <= 95).
    legend->setYEntrySpace(2);
    legend->setEntries({labelled("aaaa"), labelled("aaaa"), labelled("aaaa"), labelled("aaaa"),
                        labelled("aaaa")});
    legend->calculateDimensions(legend->font(), *handler);
    EXPECT_EQ(legend->calculatedLabelBreakPoints(),
              (std::vector<bool>{false, false, true, false, true}));
    ASSERT_EQ(legend->calculatedLineSizes().size(), 3u);
    EXPECT_EQ(legend->calculatedLineSizes()[0], (platform::Size{72, kRow}));
    EXPECT_EQ(legend->calculatedLineSizes()[2], (platform::Size{33, kRow}));
    EXPECT_EQ(legend->neededWidth(), 72 + 5);
    EXPECT_EQ(legend->neededHeight(), 3 * kRow + 2 * 2 + 3);
    EXPECT_EQ(legend->calculatedLabelSizes()[1], (platform::Size{20, kRow}));
}

TEST_F(LegendMeasuring, ARowBreakBeforeAStackMovesTheWholeStack) {
    // 33, then a stack of two forms (8 + 3 + 8) and a labelled entry (3 + 8 + 5 + 25): 60 more
    // does not fit after 33 (95 - 33 < 6 + 60).
    legend->setEntries({labelled("aaaa"), stacked(), stacked(), labelled("aaaaa")});
    legend->calculateDimensions(legend->font(), *handler);
    EXPECT_EQ(legend->calculatedLabelBreakPoints(), (std::vector<bool>{false, true, false, false}));
    ASSERT_EQ(legend->calculatedLineSizes().size(), 2u);
    EXPECT_EQ(legend->calculatedLineSizes()[1].width, 60);
    EXPECT_EQ(legend->calculatedLabelSizes()[1], (platform::Size{0, 0}));
}

TEST_F(LegendMeasuring, WithoutWordWrapEverythingStaysOnOneRow) {
    legend->setWordWrapEnabled(false);
    legend->setEntries({labelled("aaaa"), labelled("aaaa"), labelled("aaaa")});
    legend->calculateDimensions(legend->font(), *handler);
    ASSERT_EQ(legend->calculatedLineSizes().size(), 1u);
    EXPECT_EQ(legend->neededWidth(), 3 * 33 + 2 * 6 + 5);
}

TEST_F(LegendMeasuring, HorizontalRowsCountTheLegendsFormSize) {
    auto entry = labelled("aaaa");
    entry->setFormSize(20);
    legend->setEntries({entry});
    legend->calculateDimensions(legend->font(), *handler);
    EXPECT_EQ(legend->neededWidth(), 33 + 5);
}

TEST_F(LegendMeasuring, LabelSizesOfTheWrongLengthAreReplaced) {
    legend->setCalculatedLabelSizes({{99, 99}, {99, 99}, {99, 99}});
    legend->setCalculatedLabelBreakPoints({true});
    legend->setEntries({labelled("ab"), stacked()});
    legend->calculateDimensions(legend->font(), *handler);
    EXPECT_EQ(legend->calculatedLabelSizes(),
              (std::vector<platform::Size>{{10, kRow}, {0, 0}}));
    EXPECT_EQ(legend->calculatedLabelBreakPoints(), (std::vector<bool>{false, false}));
}

TEST_F(LegendMeasuring, VerticalRowsAndStacks) {
    legend->setOrientation(Legend::Orientation::vertical);
    legend->setYEntrySpace(1);
    legend->setEntries({labelled("ab"), labelled("abcd"), labelled("a")});
    legend->calculateDimensions(legend->font(), *handler);
    EXPECT_EQ(legend->neededHeight(), 3 * (kRow + 1) + 3);
    EXPECT_EQ(legend->neededWidth(), 8 + 5 + 20 + 5);

    // A form-only entry, then a labelled one: the stack (8 + 8 + 3, then 3 + 8 more) takes a
    // row of its own and its width is compared on its own.
    legend->setEntries({stacked(), labelled("ab")});
    legend->calculateDimensions(legend->font(), *handler);
    EXPECT_EQ(legend->neededHeight(), 2 * (kRow + 1) + 3);
    EXPECT_EQ(legend->neededWidth(), 30 + 5);
}

TEST(Legend, CustomEntriesStayUntilReset) {
    auto legend = Legend::create();
    legend->setCustom({labelled("x")});
    EXPECT_TRUE(legend->isLegendCustom());
    legend->resetCustom();
    EXPECT_FALSE(legend->isLegendCustom());
    EXPECT_EQ(legend->entries().size(), 1u);
}
