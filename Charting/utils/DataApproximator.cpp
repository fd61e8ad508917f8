#include "Charting/utils/DataApproximator.h"

#include <cmath>
#include <cstdint>
#include <queue>
#include <utility>

namespace charting {

namespace {

using Points = std::vector<platform::Point>;

// The farthest inner point of the segment first..last: the earliest among equal distances;
// index 0 and distance 0 when every inner point lies on the line or there is none. Distances
// that are not numbers are never chosen.
struct Farthest {
    size_t index = 0;
    double distance = 0;
};

Farthest farthestPoint(const Points& points, size_t first, size_t last) {
    const platform::Point a = points[first], b = points[last];
    const double dx = a.x - b.x, dy = a.y - b.y;
    const double length = std::sqrt(dx * dx + dy * dy);
    Farthest best;
    if (length == 0) {
        // The segment is one point: distances from that point.
        DataApproximator::Line line(a, b);
        for (size_t i = first + 1; i < last; ++i) {
            double d = line.distance(points[i]);
            if (d > best.distance) {
                best.distance = d;
                best.index = i;
            }
        }
        return best;
    }
    // The perpendicular distance is |dy x - dx y + sx ey - ex sy| / length: the numerators are compared and
    // only the farthest is divided.
    const double sxey = a.x * b.y, exsy = b.x * a.y;
    double farthest = 0;
    for (size_t i = first + 1; i < last; ++i) {
        const double n = std::abs(dy * points[i].x - dx * points[i].y + sxey - exsy);
        if (n > farthest) {
            farthest = n;
            best.index = i;
        }
    }
    best.distance = farthest / length;
    return best;
}

Points keptPoints(const Points& points, const std::vector<bool>& keep) {
    Points result;
    for (size_t i = 0; i < points.size(); ++i) {
        if (keep[i])
            result.push_back(points[i]);
    }
    return result;
}

// A segment waiting to be split by the count-limited reduction.
struct LineAlt {
    size_t start;
    size_t end;
    double distance;
    size_t index;
    std::uint64_t order; // when it entered the queue: among equal distances the latest goes first
};

struct TakenLater {
    bool operator()(const LineAlt& a, const LineAlt& b) const {
        if (a.distance != b.distance)
            return a.distance < b.distance;
        return a.order < b.order;
    }
};

} // namespace

DataApproximator::Line::Line(platform::Point start, platform::Point end)
    : start_(start), sxey_(start.x * end.y), exsy_(end.x * start.y), dx_(start.x - end.x),
      dy_(start.y - end.y), length_(std::sqrt(dx_ * dx_ + dy_ * dy_)) {}

double DataApproximator::Line::distance(platform::Point p) const {
    if (length_ == 0)
        return std::hypot(p.x - start_.x, p.y - start_.y);
    return std::abs(dy_ * p.x - dx_ * p.y + sxey_ - exsy_) / length_;
}

std::shared_ptr<DataApproximator> DataApproximator::create() {
    return std::shared_ptr<DataApproximator>(new DataApproximator());
}

Points DataApproximator::reduceWithDouglasPeuker(const Points& points, double tolerance) {
    if (!(tolerance > 0) || points.size() <= 2)
        return points;
    std::vector<bool> keep(points.size(), false);
    keep.front() = keep.back() = true;

    // Segments still to look at; the order of work does not change which points are kept.
    std::vector<std::pair<size_t, size_t>> pending{{0, points.size() - 1}};
    while (!pending.empty()) {
        auto [first, last] = pending.back();
        pending.pop_back();
        if (first + 1 >= last)
            continue;
        Farthest farthest = farthestPoint(points, first, last);
        if (farthest.distance > tolerance) {
            keep[farthest.index] = true;
            pending.emplace_back(farthest.index, last);
            pending.emplace_back(first, farthest.index);
        }
    }
    return keptPoints(points, keep);
}

Points DataApproximator::reduceWithDouglasPeukerN(const Points& points, int resultCount) {
    if (resultCount < 3 || static_cast<size_t>(resultCount) >= points.size())
        return points;
    std::vector<bool> keep(points.size(), false);
    keep.front() = keep.back() = true;
    int kept = 2;

    std::uint64_t order = 0;
    auto segment = [&](size_t start, size_t end) {
        Farthest f = farthestPoint(points, start, end);
        return LineAlt{start, end, f.distance, f.index, order++};
    };
    std::priority_queue<LineAlt, std::vector<LineAlt>, TakenLater> queue;
    queue.push(segment(0, points.size() - 1));
    while (!queue.empty()) {
        LineAlt taken = queue.top();
        queue.pop();
        keep[taken.index] = true;
        if (++kept == resultCount)
            break;
        for (LineAlt part : {segment(taken.start, taken.index), segment(taken.index, taken.end)}) {
            if (part.index > 0)
                queue.push(part);
        }
    }
    return keptPoints(points, keep);
}

} // namespace charting
