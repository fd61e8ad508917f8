#include "Charting/utils/ChartColorTemplates.h"

#include <gtest/gtest.h>

using charting::ChartColorTemplates;

TEST(ChartColorTemplates, ColorFromString) {
    struct Row {
        const char* text;
        int r, g, b;
        double a;
    };
    const Row rows[] = {
        {"#FFF", 255, 255, 255, 1},
        {"#80ff0000", 255, 0, 0, 128 / 255.0},
        {"#102030", 16, 32, 48, 1},
        {"#12345", 0, 0, 0, 1},    // bad length: opaque black
        {"#", 0, 0, 0, 1},
        {"#12g", 0, 0, 0, 1},      // not a hexadecimal digit: opaque black
        {"#zzzzzz", 0, 0, 0, 1},
        {"RGB(10, 20, 30)", 10, 20, 30, 1},
        {"rgb(10,20,30)", 10, 20, 30, 1},
        {"rgba(255,0,0,0.5)", 255, 0, 0, 0.5},
        {"rgba( 1, 2 ,3 , .25)", 1, 2, 3, 0.25},
        {"argb(0.25, 0, 0, 255)", 0, 0, 255, 0.25},
        {"rgba(1,2,3,7)", 1, 2, 3, 1},     // alpha clamped to 0...1
        {"argb(-2, 1, 2, 3)", 1, 2, 3, 0},
        {"rgba(1,2)", 1, 2, 0, 1},         // missing components: 0, alpha 1
        {"rgb(300, -4, 5)", 255, 0, 5, 1}, // components clamped to 0...255
        {"rgb", 0, 0, 0, 1},
        {"blue", 0, 0, 0, 0},              // not a colour text: clear
        {"", 0, 0, 0, 0},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.text);
        const QColor c = ChartColorTemplates::colorFromString(QString::fromLatin1(row.text));
        EXPECT_EQ(c.red(), row.r);
        EXPECT_EQ(c.green(), row.g);
        EXPECT_EQ(c.blue(), row.b);
        EXPECT_NEAR(c.alphaF(), row.a, 1e-4);
    }
}

TEST(ChartColorTemplates, Palettes) {
    EXPECT_EQ(ChartColorTemplates::material().size(), 4u);
    for (const auto& p : {ChartColorTemplates::liberty(), ChartColorTemplates::joyful(),
                          ChartColorTemplates::pastel(), ChartColorTemplates::colorful(),
                          ChartColorTemplates::vordiplom()})
        EXPECT_EQ(p.size(), 5u);
    for (const QColor& c : ChartColorTemplates::material())
        EXPECT_EQ(c.alpha(), 255);
    EXPECT_EQ(ChartColorTemplates::liberty().front(), QColor(207, 248, 246));
    EXPECT_EQ(ChartColorTemplates::joyful().back(), QColor(53, 194, 209));
    EXPECT_EQ(ChartColorTemplates::pastel()[2], QColor(217, 184, 162));
    EXPECT_EQ(ChartColorTemplates::colorful()[1], QColor(255, 102, 0));
    EXPECT_EQ(ChartColorTemplates::vordiplom()[3], QColor(140, 234, 255));
    EXPECT_EQ(ChartColorTemplates::material()[3], QColor(52, 152, 219));
}
