#include "Charting/data/ChartDataEntry.h"
#include "Charting/data/LineChartDataSet.h"
#include "Charting/data/DefaultFillFormatter.h"

#include <gtest/gtest.h>

using namespace charting;

namespace {
// The data sets only store and copy fill objects: a distinct pointer stands for one.
std::shared_ptr<Fill> someFill() {
    static int token;
    return std::shared_ptr<Fill>(std::shared_ptr<int>(), reinterpret_cast<Fill*>(&token));
}
} // namespace

TEST(LineChartDataSet, Defaults) {
    ChartDataSet::EntryList entries{ChartDataEntry::create(0, 1), ChartDataEntry::create(1, -2)};
    auto set = LineChartDataSet::create(entries, QStringLiteral("Gyro X"));
    EXPECT_EQ(set->entries(), entries); // the very entry objects, in order
    EXPECT_EQ(set->label(), QString("Gyro X"));
    EXPECT_EQ(set->yMin(), -2);
    EXPECT_EQ(set->yMax(), 1);

    EXPECT_EQ(set->highlightColor(), QColor(255, 187, 115));
    EXPECT_EQ(set->highlightLineWidth(), 0.5);
    EXPECT_EQ(set->highlightLineDashPhase(), 0);
    EXPECT_FALSE(set->highlightLineDashLengths().has_value());
    EXPECT_TRUE(set->isHorizontalHighlightIndicatorEnabled());
    EXPECT_TRUE(set->isVerticalHighlightIndicatorEnabled());
    EXPECT_EQ(set->fillColor(), QColor(140, 234, 255));
    EXPECT_EQ(set->fill(), nullptr);
    EXPECT_EQ(set->fillAlpha(), 0.33);
    EXPECT_EQ(set->lineWidth(), 1.0);
    EXPECT_FALSE(set->isDrawFilledEnabled());
    EXPECT_EQ(set->mode(), LineChartDataSet::Mode::linear);
    EXPECT_EQ(set->cubicIntensity(), 0.2);
    EXPECT_FALSE(set->isDrawLineWithGradientEnabled());
    EXPECT_FALSE(set->gradientPositions().has_value());
    EXPECT_EQ(set->circleRadius(), 8.0);
    EXPECT_EQ(set->circleHoleRadius(), 4.0);
    EXPECT_EQ(set->circleColors(), std::vector<QColor>{QColor(140, 234, 255)});
    EXPECT_TRUE(set->isDrawCirclesEnabled());
    EXPECT_EQ(set->circleHoleColor(), QColor(Qt::white));
    EXPECT_TRUE(set->isDrawCircleHoleEnabled());
    EXPECT_EQ(set->lineDashPhase(), 0);
    EXPECT_FALSE(set->lineDashLengths().has_value());
    EXPECT_EQ(set->lineCapType(), LineCap::butt);
    EXPECT_TRUE(std::dynamic_pointer_cast<DefaultFillFormatter>(set->fillFormatter()));

    // The parameterless form has the same defaults and one circle colour.
    auto plain = LineChartDataSet::create();
    EXPECT_EQ(plain->label(), QString("DataSet"));
    EXPECT_EQ(plain->circleColors().size(), 1u);
    EXPECT_EQ(plain->entryCount(), 0);
}

TEST(LineChartDataSet, ClampsAndSetterRules) {
    auto set = LineChartDataSet::create();
    struct Case {
        double written;
        double stored;
    };
    for (Case c : {Case{0.01, 0.05}, Case{3, 1.0}, Case{0.5, 0.5}}) {
        set->setCubicIntensity(c.written);
        EXPECT_EQ(set->cubicIntensity(), c.stored) << c.written;
    }
    for (Case c : {Case{-1, 0}, Case{12, 10}, Case{2.5, 2.5}}) {
        set->setLineWidth(c.written);
        EXPECT_EQ(set->lineWidth(), c.stored) << c.written;
    }

    set->setFill(someFill());
    set->setFillColor(Qt::red);
    EXPECT_EQ(set->fill(), nullptr);
    EXPECT_EQ(set->fillColor(), QColor(Qt::red));

    auto before = set->fillFormatter();
    set->setFillFormatter(nullptr);
    EXPECT_TRUE(std::dynamic_pointer_cast<DefaultFillFormatter>(set->fillFormatter()));
    EXPECT_NE(set->fillFormatter(), before);

    set->setDrawHighlightIndicators(false);
    EXPECT_FALSE(set->isHorizontalHighlightIndicatorEnabled());
    EXPECT_FALSE(set->isVerticalHighlightIndicatorEnabled());

    set->setMode(static_cast<LineChartDataSet::Mode>(9)); // the renderer's concern
    EXPECT_EQ(static_cast<int>(set->mode()), 9);
}

TEST(LineChartDataSet, CircleColoursRotate) {
    auto set = LineChartDataSet::create();
    for (int i : {0, 5, 199})
        EXPECT_EQ(set->getCircleColorAtIndex(i), QColor(140, 234, 255));
    QColor a(Qt::red), b(Qt::green), c(Qt::blue);
    set->setCircleColors({a, b, c});
    const QColor expected[] = {a, b, c, a, b};
    for (int i = 0; i < 5; ++i)
        EXPECT_EQ(set->getCircleColorAtIndex(i), expected[i]) << i;
    set->resetCircleColors(7);
    EXPECT_FALSE(set->getCircleColorAtIndex(0).has_value());
    set->setCircleColor(b);
    EXPECT_EQ(set->circleColors(), std::vector<QColor>{b});
}

TEST(LineChartDataSet, CopyKeepsEveryLineSettingButTheGradient) {
    auto entries = ChartDataSet::EntryList{ChartDataEntry::create(0, 1)};
    auto set = LineChartDataSet::create(entries, QStringLiteral("Acc X"));
    auto fill = someFill();
    set->setHighlightColor(Qt::black);
    set->setHighlightLineWidth(2);
    set->setHighlightLineDashLengths(std::vector<double>{3, 1});
    set->setDrawVerticalHighlightIndicatorEnabled(false);
    set->setFillColor(Qt::yellow);
    set->setFill(fill); // a fill set after the colour survives the copy
    set->setFillAlpha(0.5);
    set->setLineWidth(3);
    set->setDrawFilledEnabled(true);
    set->setMode(LineChartDataSet::Mode::cubicBezier);
    set->setCubicIntensity(0.7);
    set->setDrawLineWithGradientEnabled(true);
    set->setGradientPositions(std::vector<double>{0, 1});
    set->setCircleRadius(3);
    set->setCircleHoleRadius(1);
    set->setCircleColors({Qt::red, Qt::blue});
    set->setCircleHoleColor(std::nullopt);
    set->setDrawCirclesEnabled(false);
    set->setDrawCircleHoleEnabled(false);
    set->setLineDashPhase(2);
    set->setLineDashLengths(std::vector<double>{4, 2});
    set->setLineCapType(LineCap::round);

    auto copy = std::dynamic_pointer_cast<LineChartDataSet>(set->copy());
    ASSERT_TRUE(copy);
    EXPECT_EQ(copy->entries(), entries);
    EXPECT_EQ(copy->label(), QString("Acc X"));
    EXPECT_EQ(copy->highlightColor(), QColor(Qt::black));
    EXPECT_EQ(copy->highlightLineWidth(), 2);
    EXPECT_EQ(copy->highlightLineDashLengths(), (std::vector<double>{3, 1}));
    EXPECT_FALSE(copy->isVerticalHighlightIndicatorEnabled());
    EXPECT_TRUE(copy->isHorizontalHighlightIndicatorEnabled());
    EXPECT_EQ(copy->fill(), fill);
    EXPECT_EQ(copy->fillColor(), QColor(Qt::yellow));
    EXPECT_EQ(copy->fillAlpha(), 0.5);
    EXPECT_EQ(copy->lineWidth(), 3);
    EXPECT_TRUE(copy->isDrawFilledEnabled());
    EXPECT_EQ(copy->mode(), LineChartDataSet::Mode::cubicBezier);
    EXPECT_EQ(copy->cubicIntensity(), 0.7);
    EXPECT_FALSE(copy->isDrawLineWithGradientEnabled());
    EXPECT_FALSE(copy->gradientPositions().has_value());
    EXPECT_EQ(copy->circleRadius(), 3);
    EXPECT_EQ(copy->circleHoleRadius(), 1);
    EXPECT_EQ(copy->circleColors(), (std::vector<QColor>{Qt::red, Qt::blue}));
    EXPECT_FALSE(copy->circleHoleColor().has_value());
    EXPECT_FALSE(copy->isDrawCirclesEnabled());
    EXPECT_FALSE(copy->isDrawCircleHoleEnabled());
    EXPECT_EQ(copy->lineDashPhase(), 2);
    EXPECT_EQ(copy->lineDashLengths(), (std::vector<double>{4, 2}));
    EXPECT_EQ(copy->lineCapType(), LineCap::round);
    EXPECT_EQ(copy->fillFormatter(), set->fillFormatter());
}

TEST(LineChartDataSet, ReachableThroughTheLineInterface) {
    std::shared_ptr<ChartDataSetProtocol> set = LineChartDataSet::create();
    auto line = std::dynamic_pointer_cast<LineChartDataSetProtocol>(set);
    ASSERT_TRUE(line);
    line->setLineWidth(4);
    EXPECT_EQ(line->lineWidth(), 4);
    EXPECT_EQ(line->entryCount(), 0);
}
