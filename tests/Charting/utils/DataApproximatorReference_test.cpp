// The reduction keeps exactly the points that the plain recursive definition keeps, measuring
// every point with Line::distance, on a long noisy signal.
#include "Charting/utils/DataApproximator.h"

#include <gtest/gtest.h>

#include <cmath>
#include <random>

using charting::DataApproximator;
using platform::Point;

namespace {
void reference(const std::vector<Point>& points, std::size_t first, std::size_t last,
               double tolerance, std::vector<bool>& keep) {
    if (first + 1 >= last)
        return;
    DataApproximator::Line line(points[first], points[last]);
    double best = 0;
    std::size_t index = 0;
    for (std::size_t i = first + 1; i < last; ++i) {
        const double d = line.distance(points[i]);
        if (d > best) {
            best = d;
            index = i;
        }
    }
    if (best > tolerance) {
        keep[index] = true;
        reference(points, first, index, tolerance, keep);
        reference(points, index, last, tolerance, keep);
    }
}
} // namespace

TEST(DataApproximator, KeepsWhatThePlainDefinitionKeeps) {
    std::mt19937 random(3);
    std::uniform_real_distribution<double> noise(-0.02, 0.02);
    std::vector<Point> points;
    for (int i = 0; i < 20000; ++i)
        points.push_back({double(i), std::sin(i * 2 * M_PI / 4000) + noise(random)});
    points.push_back(points.front()); // closed at the end: a degenerate first segment
    for (double tolerance : {0.005, 0.03, 0.05, 0.5}) {
        std::vector<bool> keep(points.size(), false);
        keep.front() = keep.back() = true;
        reference(points, 0, points.size() - 1, tolerance, keep);
        std::vector<Point> expected;
        for (std::size_t i = 0; i < points.size(); ++i)
            if (keep[i])
                expected.push_back(points[i]);
        EXPECT_EQ(DataApproximator::reduceWithDouglasPeuker(points, tolerance), expected)
            << tolerance;
    }
}
