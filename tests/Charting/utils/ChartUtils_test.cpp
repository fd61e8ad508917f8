#include "Charting/utils/ChartUtils.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

using charting::decimalPlacesForValue;
using charting::roundToNextSignificant;

TEST(ChartUtils, RoundToNextSignificant) {
    const double inf = std::numeric_limits<double>::infinity();
    struct Case {
        double in, out;
    };
    const Case cases[] = {
        {0.0123, 0.01}, {87, 90},     {95, 100},        {-0.45, -0.5}, {0, 0},       {149, 100},
        {150, 200},     {-150, -200}, {0.00095, 0.001}, {16.67, 20},   {0.07, 0.07}, {inf, inf},
        {-inf, -inf},   {1e-320, 0},  {-5e-324, 0},     {1, 1},        {0.5, 0.5},   {2400, 2000},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.in);
        EXPECT_DOUBLE_EQ(roundToNextSignificant(c.in), c.out);
    }
    EXPECT_TRUE(std::isnan(roundToNextSignificant(NAN)));
}

TEST(ChartUtils, CheckedIndex) {
    const double inf = std::numeric_limits<double>::infinity();
    const double nan = std::numeric_limits<double>::quiet_NaN();
    struct Row { double value; long long lowest, highest, expected; };
    const Row rows[] = {
        {3.7, 0, 10, 3},   {-0.5, 0, 10, 0},  {-3.7, -5, 5, -3}, {nan, 0, 10, 0},
        {nan, 2, 10, 2},   {inf, 0, 10, 10},  {-inf, 0, 10, 0},  {1e300, 0, 1000, 1000},
        {10.0, 0, 10, 10}, {11.0, 0, 10, 10}, {5.0, 4, 3, 4},
    };
    for (const Row& r : rows)
        EXPECT_EQ(charting::checkedIndex(r.value, r.lowest, r.highest), r.expected)
            << r.value << " in [" << r.lowest << ", " << r.highest << "]";
}

TEST(ChartUtils, DecimalPlacesForValue) {
    struct Case {
        double in;
        int out;
    };
    const Case cases[] = {
        {2400, -1}, {1, 2},   {0.5, 3},      {0.0123, 4}, {0, 0},       {100, 0},  {10, 1},
        {0.1, 3},   {NAN, 0}, {INFINITY, 0}, {1e-320, 0}, {1.7e308, 0}, {-0.5, 3}, {-2400, -1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.in);
        EXPECT_EQ(decimalPlacesForValue(c.in), c.out);
    }
}
