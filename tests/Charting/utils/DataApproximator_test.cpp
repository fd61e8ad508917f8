#include "Charting/utils/DataApproximator.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

using namespace charting;
using platform::Point;
using Points = std::vector<Point>;

TEST(DataApproximator, ToleranceMustBeExceeded) {
    Points peak{{0, 0}, {1, 0.5}, {2, 0}};
    EXPECT_EQ(DataApproximator::reduceWithDouglasPeuker(peak, 0.4), peak);
    EXPECT_EQ(DataApproximator::reduceWithDouglasPeuker(peak, 0.5), (Points{{0, 0}, {2, 0}}));
}

TEST(DataApproximator, TrivialInputsComeBackUnchanged) {
    Points zigzag{{0, 0}, {1, 5}, {2, 0}, {3, 5}};
    for (double tolerance : {0.0, -1.0})
        EXPECT_EQ(DataApproximator::reduceWithDouglasPeuker(zigzag, tolerance), zigzag);
    for (Points p : {Points{}, Points{{1, 1}}, Points{{1, 1}, {2, 7}}}) {
        EXPECT_EQ(DataApproximator::reduceWithDouglasPeuker(p, 0.1), p);
        EXPECT_EQ(DataApproximator::reduceWithDouglasPeukerN(p, 3), p);
    }
    for (int count : {2, 4, 10})
        EXPECT_EQ(DataApproximator::reduceWithDouglasPeukerN(zigzag, count), zigzag) << count;
}

TEST(DataApproximator, ShapesByTolerance) {
    struct Case {
        const char* name;
        Points input;
        double tolerance;
        Points expected;
    };
    const Case cases[] = {
        {"flat line", {{0, 2}, {1, 2}, {2, 2}, {3, 2}, {4, 2}}, 0.01, {{0, 2}, {4, 2}}},
        {"spike", {{0, 0}, {1, 0.05}, {2, 10}, {3, -0.05}, {4, 0}}, 1, {{0, 0}, {2, 10}, {4, 0}}},
        {"step",
         {{0, 0}, {1, 0}, {2, 0}, {2, 5}, {3, 5}, {4, 5}},
         0.5,
         {{0, 0}, {2, 0}, {2, 5}, {4, 5}}},
        // Two inner points at the same greatest distance: the earlier is kept, and the later then
        // lies within the tolerance of the new segment.
        {"tie", {{0, 0}, {1, 3}, {2, 0}, {3, 3}, {4, 0}}, 2.9, {{0, 0}, {1, 3}, {4, 0}}},
        // A closed outline (first point = last point) is reduced, not dropped to its two ends.
        {"closed square",
         {{0, 0}, {0.5, 0}, {1, 0}, {1, 1}, {0, 1}, {0, 0.5}, {0, 0}},
         0.1,
         {{0, 0}, {1, 0}, {1, 1}, {0, 1}, {0, 0}}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(DataApproximator::reduceWithDouglasPeuker(c.input, c.tolerance), c.expected)
            << c.name;
}

TEST(DataApproximator, EarlierPointWinsATie) {
    // Both inner points lie 1 from the line; only one is kept with three points asked for.
    Points p{{0, 0}, {1, 1}, {2, -1}, {3, 0}};
    EXPECT_EQ(DataApproximator::reduceWithDouglasPeukerN(p, 3), (Points{{0, 0}, {1, 1}, {3, 0}}));
}

TEST(DataApproximator, CountLimitedReduction) {
    Points series;
    for (int i = 0; i < 10; ++i)
        series.push_back({double(i), i == 6 ? 9.0 : (i == 3 ? 4.0 : 0.0)});
    EXPECT_EQ(DataApproximator::reduceWithDouglasPeukerN(series, 3),
              (Points{{0, 0}, {6, 9}, {9, 0}}));
    // Then the farthest point of the two halves: (5, 0) lies 4.2 from the line (0,0)-(6,9).
    EXPECT_EQ(DataApproximator::reduceWithDouglasPeukerN(series, 4),
              (Points{{0, 0}, {5, 0}, {6, 9}, {9, 0}}));

    // Collinear points: only the two ends, however many are asked for.
    Points line;
    for (int i = 0; i < 10; ++i)
        line.push_back({double(i), 2.0 * i});
    EXPECT_EQ(DataApproximator::reduceWithDouglasPeukerN(line, 5), (Points{{0, 0}, {9, 18}}));

    // Equal distances: the segment queued last is split first. After the peak (3, 5) both halves
    // have their farthest point exactly 10 / sqrt(34) away; the right half was queued last.
    Points twin{{0, 0}, {1, 1}, {2, 0}, {3, 5}, {4, 0}, {5, 1}, {6, 0}};
    EXPECT_EQ(DataApproximator::reduceWithDouglasPeukerN(twin, 4),
              (Points{{0, 0}, {3, 5}, {4, 0}, {6, 0}}));
    EXPECT_EQ(DataApproximator::reduceWithDouglasPeukerN(twin, 5),
              (Points{{0, 0}, {2, 0}, {3, 5}, {4, 0}, {6, 0}}));

    // A closed outline: the corner farthest from the shared end point is kept first.
    Points square{{0, 0}, {1, 0}, {1, 1}, {0.5, 1}, {0, 1}, {0, 0}};
    EXPECT_EQ(DataApproximator::reduceWithDouglasPeukerN(square, 3),
              (Points{{0, 0}, {1, 1}, {0, 0}}));

    // Non-numbers are never chosen.
    const double nan = std::numeric_limits<double>::quiet_NaN();
    Points withNaN{{0, 0}, {1, nan}, {2, 3}, {3, 0}};
    EXPECT_EQ(DataApproximator::reduceWithDouglasPeuker(withNaN, 1),
              (Points{{0, 0}, {2, 3}, {3, 0}}));
}

TEST(DataApproximator, LopsidedSeriesDoesNotExhaustTheStack) {
    // Points alternate about a growing diagonal, so every split peels one point off the end of
    // its segment: a recursive reduction would go 20000 levels deep.
    Points zigzag;
    for (int i = 0; i < 20000; ++i)
        zigzag.push_back({double(i), (i % 2 ? -1.0 : 1.0) * i});
    EXPECT_EQ(DataApproximator::reduceWithDouglasPeuker(zigzag, 0.5), zigzag);
}
