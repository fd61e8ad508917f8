#pragma once

#include "platform/Geometry.h"

#include <memory>
#include <vector>

namespace charting {

// Reduces a series of points to fewer points that keep its shape (Douglas-Peucker): every point
// farther than a tolerance from the simplified line, or a given number of points, splitting at
// the farthest point first. The kept points come back in their input order; the input stays.
//
// Distances are perpendicular distances from the infinite line through a segment's two end
// points; a segment whose end points coincide (a closed shape) measures from that point instead,
// so a closed outline is reduced like an open line. The work is iterative: no recursion depth to
// overflow on long series.
class DataApproximator {
public:
    static std::shared_ptr<DataApproximator> create();
    virtual ~DataApproximator() = default;

    // Keeps the points farther than the tolerance (strictly) from the simplified line. A
    // tolerance of 0 or less, or a series of 2 points or fewer, comes back unchanged.
    static std::vector<platform::Point>
    reduceWithDouglasPeuker(const std::vector<platform::Point>& points, double tolerance);

    // Keeps resultCount points, splitting the segment with the farthest point first (the segment
    // split last among equal distances). A count below 3, or not below the number of points,
    // returns the series unchanged; straight stretches may give fewer points than asked.
    static std::vector<platform::Point>
    reduceWithDouglasPeukerN(const std::vector<platform::Point>& points, int resultCount);

    // The straight line through a start and an end point.
    class Line {
    public:
        Line(platform::Point start, platform::Point end);
        // Perpendicular distance of p from the line; the distance from the start point when the
        // two end points coincide.
        double distance(platform::Point p) const;

    private:
        platform::Point start_;
        double sxey_;
        double exsy_;
        double dx_;
        double dy_;
        double length_;
    };

protected:
    DataApproximator() = default;
};

} // namespace charting
