#include "Charting/components/AxisBase.h"
#include "Charting/components/ChartLimitLine.h"
#include "Charting/components/XAxis.h"
#include "Charting/formatters/DefaultAxisValueFormatter.h"

#include <gtest/gtest.h>

using namespace charting;

TEST(ComponentBase, DefaultsAndTheAxesOwnYOffsets) {
    auto c = ComponentBase::create();
    EXPECT_TRUE(c->isEnabled());
    EXPECT_EQ(c->xOffset(), 5.0);
    EXPECT_EQ(c->yOffset(), 5.0);
    c->setEnabled(false);
    EXPECT_FALSE(c->isEnabled());
    EXPECT_EQ(XAxis::create()->yOffset(), 4.0);
    EXPECT_EQ(XAxis::create()->xOffset(), 5.0);
}

TEST(AxisBase, RangeRule) {
    struct Case {
        const char* name;
        std::optional<double> customMin, customMax;
        double spaceMin, spaceMax, dataMin, dataMax;
        double min, max, range;
    };
    const Case cases[] = {
        {"plain", {}, {}, 0, 0, 0, 10, 0, 10, 10},
        {"spaces", {}, {}, 1, 2, 0, 10, -1, 12, 13},
        {"empty range widened", {}, {}, 0, 0, 5, 5, 4, 6, 2},
        {"custom bounds win", -1200.0, 1200.0, 3, 3, -7, 9, -1200, 1200, 2400},
        {"equal custom bounds", 3.0, 3.0, 0, 0, 0, 1, 2, 4, 2},
        {"custom max only", {}, 20.0, 1, 1, 0, 5, -1, 20, 21},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        auto axis = XAxis::create();
        axis->setSpaceMin(c.spaceMin);
        axis->setSpaceMax(c.spaceMax);
        if (c.customMin)
            axis->setAxisMinimum(*c.customMin);
        if (c.customMax)
            axis->setAxisMaximum(*c.customMax);
        axis->calculate(c.dataMin, c.dataMax);
        EXPECT_EQ(axis->axisMinimum(), c.min);
        EXPECT_EQ(axis->axisMaximum(), c.max);
        EXPECT_EQ(axis->axisRange(), c.range);
        EXPECT_EQ(axis->isAxisMinCustom(), c.customMin.has_value());
        EXPECT_EQ(axis->isAxisMaxCustom(), c.customMax.has_value());
    }
}

TEST(AxisBase, SettingAndResettingBounds) {
    auto axis = AxisBase::create();
    axis->setAxisMinimum(-1200);
    EXPECT_EQ(axis->axisRange(), 1200);
    axis->setAxisMaximum(1200);
    EXPECT_EQ(axis->axisRange(), 2400);
    axis->resetCustomAxisMin();
    EXPECT_FALSE(axis->isAxisMinCustom());
    EXPECT_EQ(axis->axisMinimum(), -1200); // stays until the next calculation
    axis->setSpaceMin(0.5);
    axis->calculate(10, 20);
    EXPECT_EQ(axis->axisMinimum(), 9.5);
    EXPECT_EQ(axis->axisMaximum(), 1200);
    EXPECT_EQ(axis->axisRange(), 1190.5);
}

TEST(AxisBase, LabelCountClampsAndForceFlag) {
    auto axis = AxisBase::create();
    EXPECT_EQ(axis->labelCount(), 6);
    axis->setLabelCount(7, true);
    EXPECT_EQ(axis->labelCount(), 7);
    EXPECT_TRUE(axis->isForceLabelsEnabled());
    axis->setLabelCount(1);
    EXPECT_EQ(axis->labelCount(), 2);
    EXPECT_FALSE(axis->isForceLabelsEnabled());
    axis->setLabelCount(100);
    EXPECT_EQ(axis->labelCount(), 25);
    axis->setAxisMinLabels(0);
    axis->setAxisMinLabels(-3);
    axis->setAxisMaxLabels(0);
    EXPECT_EQ(axis->axisMinLabels(), 2);
    EXPECT_EQ(axis->axisMaxLabels(), 25);
    axis->setAxisMinLabels(1);
    axis->setLabelCount(1);
    EXPECT_EQ(axis->labelCount(), 1);
}

TEST(AxisBase, GranularityAndCentring) {
    auto axis = AxisBase::create();
    EXPECT_FALSE(axis->isGranularityEnabled());
    EXPECT_EQ(axis->granularity(), 1.0);
    axis->setGranularity(0.1);
    EXPECT_EQ(axis->granularity(), 0.1);
    EXPECT_TRUE(axis->isGranularityEnabled());
    axis->setCenterAxisLabelsEnabled(true);
    EXPECT_FALSE(axis->isCenterAxisLabelsEnabled()); // no entries yet
    axis->setEntries({1, 2});
    EXPECT_TRUE(axis->isCenterAxisLabelsEnabled());
}

TEST(AxisBase, FormattedAndLongestLabels) {
    auto axis = AxisBase::create();
    axis->setValueFormatter(DefaultAxisValueFormatter::withBlock(
        [](double v, AxisBase*) { return QString(int(v), u'x'); }));
    axis->setEntries({1, 2, 2, 1});
    EXPECT_EQ(axis->getFormattedLabel(-1), QString());
    EXPECT_EQ(axis->getFormattedLabel(4), QString());
    EXPECT_EQ(axis->getFormattedLabel(1), QStringLiteral("xx"));
    // The first of the longest labels wins: the formatter sees which one it formats.
    int calls = 0;
    std::vector<int> seen;
    axis->setValueFormatter(DefaultAxisValueFormatter::withBlock([&](double v, AxisBase* a) {
        EXPECT_EQ(a, axis.get());
        seen.push_back(calls++);
        return QString(int(v), u'x') + QString::number(calls);
    }));
    EXPECT_EQ(axis->getLongestLabel(), QStringLiteral("xx2"));
    EXPECT_EQ(seen.size(), 4u);
    axis->setEntries({});
    EXPECT_EQ(axis->getLongestLabel(), QString());
}

TEST(AxisBase, DefaultFormatterFollowsTheComputedDecimals) {
    auto axis = AxisBase::create();
    axis->setEntries({1.25, 1000});
    EXPECT_EQ(axis->getFormattedLabel(0), QStringLiteral("1"));
    axis->setDecimals(2);
    EXPECT_EQ(axis->getFormattedLabel(0), QStringLiteral("1.25"));
    EXPECT_EQ(axis->getFormattedLabel(1), QStringLiteral("1,000.00"));
    // A formatter without automatic decimals is left alone.
    auto fixed = DefaultAxisValueFormatter::create(NumberFormatter::create());
    axis->setValueFormatter(fixed);
    EXPECT_EQ(axis->valueFormatter(), fixed);
    EXPECT_EQ(fixed->decimals(), std::nullopt);
    // None brings back a default formatter with the current decimals.
    axis->setValueFormatter(nullptr);
    ASSERT_NE(axis->valueFormatter(), nullptr);
    EXPECT_EQ(axis->getFormattedLabel(0), QStringLiteral("1.25"));
}

TEST(AxisBase, LimitLinesAreSharedAndRemovedByIdentity) {
    auto axis = AxisBase::create();
    auto a = ChartLimitLine::create(1, QStringLiteral("a"));
    auto twin = ChartLimitLine::create(1, QStringLiteral("a"));
    axis->addLimitLine(a);
    axis->addLimitLine(twin);
    axis->addLimitLine(a);
    axis->removeLimitLine(ChartLimitLine::create(1, QStringLiteral("a"))); // never added
    ASSERT_EQ(axis->limitLines().size(), 3u);
    axis->removeLimitLine(a);
    ASSERT_EQ(axis->limitLines().size(), 2u);
    EXPECT_EQ(axis->limitLines()[0], twin);
    EXPECT_EQ(axis->limitLines()[1], a);
    a->setLimit(7); // the caller's change reaches the axis
    EXPECT_EQ(axis->limitLines()[1]->limit(), 7);
    axis->removeAllLimitLines();
    EXPECT_TRUE(axis->limitLines().empty());
}

TEST(ChartLimitLine, DefaultsWidthClampAndLabelPositions) {
    auto line = ChartLimitLine::create(3.5, QStringLiteral("max"));
    EXPECT_EQ(line->limit(), 3.5);
    EXPECT_EQ(line->label(), QStringLiteral("max"));
    EXPECT_EQ(line->lineWidth(), 2.0);
    EXPECT_EQ(line->lineColor(), QColor::fromRgbF(237 / 255.0, 91 / 255.0, 91 / 255.0));
    EXPECT_EQ(line->valueFont().pointSizeF(), 13.0);
    EXPECT_EQ(line->labelPosition(), ChartLimitLine::LabelPosition::rightTop);
    EXPECT_TRUE(line->drawLabelEnabled());
    EXPECT_EQ(ChartLimitLine::create()->label(), QString());
    line->setLineWidth(20);
    EXPECT_EQ(line->lineWidth(), 12.0);
    line->setLineWidth(0.1);
    EXPECT_EQ(line->lineWidth(), 0.2);
    line->setLineWidth(3);
    EXPECT_EQ(line->lineWidth(), 3.0);
    EXPECT_EQ(ChartLimitLine::labelPositionFromRaw(1), ChartLimitLine::LabelPosition::leftBottom);
    EXPECT_EQ(ChartLimitLine::labelPositionFromRaw(4), std::nullopt);
    EXPECT_EQ(ChartLimitLine::labelPositionFromRaw(-1), std::nullopt);
}
