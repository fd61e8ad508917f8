#include "Charting/components/YAxis.h"
#include "Charting/formatters/DefaultAxisValueFormatter.h"
#include "support/FakeTextMeasurer.h"

#include <gtest/gtest.h>

#include <cmath>

using namespace charting;

TEST(YAxis, Defaults) {
    auto left = YAxis::create();
    EXPECT_EQ(left->axisDependency(), YAxis::AxisDependency::left);
    EXPECT_EQ(left->yOffset(), 0.0);
    EXPECT_EQ(left->xOffset(), 5.0);
    EXPECT_TRUE(std::isinf(left->maxWidth()));
    EXPECT_EQ(left->spaceTop(), 0.1);
    EXPECT_EQ(left->labelPosition(), YAxis::LabelPosition::outsideChart);
    EXPECT_TRUE(left->zeroLineColor().has_value());
    EXPECT_FALSE(left->drawZeroLineEnabled());
    EXPECT_EQ(YAxis::create(YAxis::AxisDependency::right)->axisDependency(),
              YAxis::AxisDependency::right);
}

TEST(YAxis, Calculate) {
    struct Case {
        const char* name;
        std::optional<double> customMin, customMax;
        double dataMin, dataMax;
        double min, max, range;
    };
    const double nan = std::nan("");
    const Case cases[] = {
        {"gyro bounds", -1200.0, 1200.0, -3000, 17, -1200, 1200, 2400},
        {"acceleration bounds", -1.5, 1.5, 0.2, 0.3, -1.5, 1.5, 3.0},
        {"both custom, min above max", 10.0, 5.0, 0, 100, 10, 5, 5},
        {"custom min above data", 10.0, {}, nan, 5, 10, 15.5, 5.5},
        {"negative custom min above data", -10.0, {}, nan, -20, -10, -4.5, 5.5},
        {"custom max below data", {}, 10.0, 20, nan, 4.5, 10, 5.5},
        {"negative custom max below data", {}, -10.0, -5, nan, -15.5, -10, 5.5},
        {"custom min equal to data max", 5.0, {}, nan, 5, 5, 6, 1},
        {"empty data range", {}, {}, 5, 5, 4, 6, 2},
        {"data 0 to 100", {}, {}, 0, 100, -10, 110, 120},
        {"data min above data max", {}, {}, 10, 0, 9, 1, 8},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        auto axis = YAxis::create();
        if (c.customMin)
            axis->setAxisMinimum(*c.customMin);
        if (c.customMax)
            axis->setAxisMaximum(*c.customMax);
        axis->calculate(c.dataMin, c.dataMax);
        EXPECT_DOUBLE_EQ(axis->axisMinimum(), c.min);
        EXPECT_DOUBLE_EQ(axis->axisMaximum(), c.max);
        EXPECT_DOUBLE_EQ(axis->axisRange(), c.range);
        EXPECT_EQ(axis->isAxisMinCustom(), c.customMin.has_value());
        EXPECT_EQ(axis->isAxisMaxCustom(), c.customMax.has_value());
    }
}

TEST(YAxis, RequiredSizeAndNeedsOffset) {
    FakeTextMeasurer fake;
    ScopedTextMeasurer scope(fake);
    auto axis = YAxis::create();
    QFont font;
    font.setPointSizeF(10); // 5 per character, 12.5 high
    axis->setLabelFont(font);
    axis->setValueFormatter(DefaultAxisValueFormatter::withBlock(
        [](double v, AxisBase*) { return QString::number(v); }));
    axis->setEntries({5, -400, 1200});
    axis->setYOffset(1);
    struct Case {
        double minWidth, maxWidth, width;
    };
    const Case cases[] = {
        {0, INFINITY, 30},                                                // "-400": 20 + 2 x 5
        {0, 0, 30},                                                       // 0: no bound
        {0, -1, 30},       {0, 25, 25}, {40, INFINITY, 40}, {40, 25, 40}, // the lower bound wins
    };
    for (const Case& c : cases) {
        axis->setMinWidth(c.minWidth);
        axis->setMaxWidth(c.maxWidth);
        EXPECT_EQ(axis->requiredSize(), (platform::Size{c.width, 14.5}));
        EXPECT_EQ(axis->getRequiredHeightSpace(), 14.5);
    }

    EXPECT_TRUE(axis->needsOffset());
    axis->setLabelPosition(YAxis::LabelPosition::insideChart);
    EXPECT_FALSE(axis->needsOffset());
    axis->setLabelPosition(YAxis::LabelPosition::outsideChart);
    axis->setDrawLabelsEnabled(false);
    EXPECT_FALSE(axis->needsOffset());
    axis->setDrawLabelsEnabled(true);
    axis->setEnabled(false);
    EXPECT_FALSE(axis->needsOffset());
}
