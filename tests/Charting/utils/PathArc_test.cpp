#include "Charting/utils/Path.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

using charting::Path;
using platform::Point;

namespace {

// A point of a cubic piece at parameter t.
Point bezierAt(Point p0, Point c1, Point c2, Point p3, double t) {
    const double u = 1 - t;
    const double a = u * u * u, b = 3 * u * u * t, c = 3 * u * t * t, d = t * t * t;
    return {a * p0.x + b * c1.x + c * c2.x + d * p3.x, a * p0.y + b * c1.y + c * c2.y + d * p3.y};
}

} // namespace

TEST(PathArc, PiecesStayOnTheCircleAndTurnTheGivenWay) {
    constexpr double pi = std::numbers::pi;
    struct Case {
        double start, delta;
        std::size_t pieces;
    };
    for (const Case c : {Case{0, pi / 2, 1}, Case{pi / 4, pi, 2}, Case{0, -1.5 * pi, 3},
                         Case{1, 2 * pi, 4}, Case{0, 0.1, 1}}) {
        Path path;
        const Point center{50, 40};
        path.addRelativeArc(center, 20, c.start, c.delta);
        const auto& e = path.elements();
        ASSERT_EQ(e.size(), c.pieces + 1) << c.delta;
        EXPECT_EQ(e[0].type, Path::ElementType::moveTo);
        EXPECT_NEAR(e[0].points[0].x, 50 + 20 * std::cos(c.start), 1e-9);
        EXPECT_NEAR(e[0].points[0].y, 40 + 20 * std::sin(c.start), 1e-9);
        const Point end = e.back().points[2];
        EXPECT_NEAR(end.x, 50 + 20 * std::cos(c.start + c.delta), 1e-9);
        EXPECT_NEAR(end.y, 40 + 20 * std::sin(c.start + c.delta), 1e-9);
        Point from = e[0].points[0];
        for (std::size_t i = 1; i < e.size(); ++i) {
            ASSERT_EQ(e[i].type, Path::ElementType::curveTo);
            const Point mid = bezierAt(from, e[i].points[0], e[i].points[1], e[i].points[2], 0.5);
            EXPECT_NEAR(std::hypot(mid.x - 50, mid.y - 40), 20, 0.01);
            // The middle lies on the side the arc turns to (y down: positive is clockwise).
            const double cross = (from.x - 50) * (mid.y - 40) - (from.y - 40) * (mid.x - 50);
            EXPECT_EQ(cross > 0, c.delta > 0);
            from = e[i].points[2];
        }
    }
}

TEST(PathArc, AnArcAfterAPointIsJoinedByALine) {
    Path path;
    path.moveTo({0, 0});
    path.addRelativeArc({10, 0}, 5, 0, std::numbers::pi / 2);
    ASSERT_EQ(path.elements().size(), 3u);
    EXPECT_EQ(path.elements()[1].type, Path::ElementType::lineTo);
    EXPECT_EQ(path.elements()[1].points[0], Point(15, 0));
}
