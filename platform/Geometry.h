#pragma once

#include <algorithm>
#include <cmath>

// Double-precision geometry values with a y-down coordinate system. A transform maps (x, y) to
// (a·x + c·y + tx, b·x + d·y + ty); t1.concatenating(t2) applies t1 first; translatedBy and
// scaledBy apply the translation or scale before the existing transform.
namespace platform {

struct Point {
    double x = 0;
    double y = 0;
    friend bool operator==(const Point&, const Point&) = default;
};

struct Size {
    double width = 0;
    double height = 0;
    friend bool operator==(const Size&, const Size&) = default;
};

struct Rect {
    Point origin;
    Size size;

    Rect() = default;
    Rect(Point o, Size s) : origin(o), size(s) {}
    Rect(double x, double y, double width, double height) : origin{x, y}, size{width, height} {}

    // Edges of the rectangle with a negative width or height taken as its mirror image.
    double minX() const { return std::min(origin.x, origin.x + size.width); }
    double maxX() const { return std::max(origin.x, origin.x + size.width); }
    double minY() const { return std::min(origin.y, origin.y + size.height); }
    double maxY() const { return std::max(origin.y, origin.y + size.height); }
    double midX() const { return origin.x + size.width / 2; }
    double midY() const { return origin.y + size.height / 2; }
    double width() const { return std::abs(size.width); }
    double height() const { return std::abs(size.height); }

    bool isNull() const { return std::isinf(origin.x) || std::isinf(origin.y); }
    bool isEmpty() const { return isNull() || size.width == 0 || size.height == 0; }

    Rect standardized() const { return Rect(minX(), minY(), width(), height()); }

    // Inside means min ≤ p < max on both axes.
    bool contains(Point p) const {
        return p.x >= minX() && p.x < maxX() && p.y >= minY() && p.y < maxY();
    }
    bool intersects(const Rect& r) const {
        return !isEmpty() && !r.isEmpty() && minX() < r.maxX() && r.minX() < maxX() &&
               minY() < r.maxY() && r.minY() < maxY();
    }
    Rect insetBy(double dx, double dy) const {
        Rect s = standardized();
        return Rect(s.origin.x + dx, s.origin.y + dy, s.size.width - 2 * dx, s.size.height - 2 * dy);
    }
    Rect offsetBy(double dx, double dy) const {
        return Rect(origin.x + dx, origin.y + dy, size.width, size.height);
    }
    Rect united(const Rect& r) const {
        double x0 = std::min(minX(), r.minX()), y0 = std::min(minY(), r.minY());
        return Rect(x0, y0, std::max(maxX(), r.maxX()) - x0, std::max(maxY(), r.maxY()) - y0);
    }

    friend bool operator==(const Rect&, const Rect&) = default;
};

struct AffineTransform {
    double a = 1, b = 0, c = 0, d = 1, tx = 0, ty = 0;

    static AffineTransform identity() { return {}; }
    static AffineTransform makeTranslation(double x, double y) { return {1, 0, 0, 1, x, y}; }
    static AffineTransform makeScale(double sx, double sy) { return {sx, 0, 0, sy, 0, 0}; }
    static AffineTransform makeRotation(double radians) {
        double s = std::sin(radians), co = std::cos(radians);
        return {co, s, -s, co, 0, 0};
    }

    bool isIdentity() const { return *this == AffineTransform{}; }

    // This transform applied first, then `t`.
    AffineTransform concatenating(const AffineTransform& t) const {
        return {a * t.a + b * t.c,         a * t.b + b * t.d,
                c * t.a + d * t.c,         c * t.b + d * t.d,
                tx * t.a + ty * t.c + t.tx, tx * t.b + ty * t.d + t.ty};
    }
    AffineTransform translatedBy(double x, double y) const {
        return makeTranslation(x, y).concatenating(*this);
    }
    AffineTransform scaledBy(double sx, double sy) const {
        return makeScale(sx, sy).concatenating(*this);
    }
    AffineTransform rotatedBy(double radians) const {
        return makeRotation(radians).concatenating(*this);
    }
    // The inverse, or this transform unchanged when it has none.
    AffineTransform inverted() const {
        double det = a * d - b * c;
        if (det == 0 || !std::isfinite(det))
            return *this;
        return {d / det, -b / det, -c / det, a / det, (c * ty - d * tx) / det,
                (b * tx - a * ty) / det};
    }

    Point apply(Point p) const { return {a * p.x + c * p.y + tx, b * p.x + d * p.y + ty}; }
    Size apply(Size s) const { return {a * s.width + c * s.height, b * s.width + d * s.height}; }
    // The smallest upright rectangle that holds the four transformed corners.
    Rect apply(const Rect& r) const {
        Point p[4] = {apply(Point{r.minX(), r.minY()}), apply(Point{r.maxX(), r.minY()}),
                      apply(Point{r.minX(), r.maxY()}), apply(Point{r.maxX(), r.maxY()})};
        double x0 = p[0].x, x1 = p[0].x, y0 = p[0].y, y1 = p[0].y;
        for (const Point& q : p) {
            x0 = std::min(x0, q.x);
            x1 = std::max(x1, q.x);
            y0 = std::min(y0, q.y);
            y1 = std::max(y1, q.y);
        }
        return Rect(x0, y0, x1 - x0, y1 - y0);
    }

    friend bool operator==(const AffineTransform&, const AffineTransform&) = default;
};

} // namespace platform
