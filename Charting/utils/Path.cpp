#include "Charting/utils/Path.h"

#include <QPainterPath>
#include <QPainterPathStroker>
#include <QPen>

#include <algorithm>
#include <cmath>
#include <limits>
#include <numbers>

namespace charting {

using platform::AffineTransform;
using platform::Point;
using platform::Rect;

namespace {
// How many of an element's points it uses.
int pointCount(Path::ElementType type) {
    switch (type) {
    case Path::ElementType::curveTo:
        return 3;
    case Path::ElementType::quadCurveTo:
        return 2;
    case Path::ElementType::closeSubpath:
        return 0;
    case Path::ElementType::moveTo:
    case Path::ElementType::lineTo:
        break;
    }
    return 1;
}
} // namespace

bool operator==(const Path::Element& a, const Path::Element& b) {
    if (a.type != b.type)
        return false;
    const int n = pointCount(a.type);
    for (int i = 0; i < n; ++i)
        if (!(a.points[i] == b.points[i]))
            return false;
    return true;
}

void Path::moveTo(Point p, const AffineTransform& t) {
    elements_.push_back(Element{ElementType::moveTo, {t.apply(p)}});
}

void Path::addLineTo(Point p, const AffineTransform& t) {
    if (elements_.empty())
        moveTo(p, t); // a line needs a start: the first point begins the subpath
    else
        elements_.push_back(Element{ElementType::lineTo, {t.apply(p)}});
}

void Path::addQuadCurveTo(Point control, Point end, const AffineTransform& t) {
    if (elements_.empty())
        moveTo(control, t);
    elements_.push_back(Element{ElementType::quadCurveTo, {t.apply(control), t.apply(end)}});
}

void Path::addCurveTo(Point control1, Point control2, Point end, const AffineTransform& t) {
    if (elements_.empty())
        moveTo(control1, t);
    elements_.push_back(
        Element{ElementType::curveTo, {t.apply(control1), t.apply(control2), t.apply(end)}});
}

void Path::closeSubpath() {
    if (elements_.empty() || elements_.back().type == ElementType::closeSubpath)
        return;
    elements_.push_back(Element{ElementType::closeSubpath, {}});
}

void Path::addRect(const Rect& r, const AffineTransform& t) {
    moveTo(Point{r.minX(), r.minY()}, t);
    addLineTo(Point{r.maxX(), r.minY()}, t);
    addLineTo(Point{r.maxX(), r.maxY()}, t);
    addLineTo(Point{r.minX(), r.maxY()}, t);
    closeSubpath();
}

void Path::addEllipse(const Rect& r, const AffineTransform& t) {
    // Four cubic arcs, clockwise on screen from the rightmost point.
    constexpr double k = 0.5522847498307936;
    const double cx = r.midX(), cy = r.midY();
    const double rx = r.width() / 2, ry = r.height() / 2;
    moveTo(Point{cx + rx, cy}, t);
    addCurveTo(Point{cx + rx, cy + k * ry}, Point{cx + k * rx, cy + ry}, Point{cx, cy + ry}, t);
    addCurveTo(Point{cx - k * rx, cy + ry}, Point{cx - rx, cy + k * ry}, Point{cx - rx, cy}, t);
    addCurveTo(Point{cx - rx, cy - k * ry}, Point{cx - k * rx, cy - ry}, Point{cx, cy - ry}, t);
    addCurveTo(Point{cx + k * rx, cy - ry}, Point{cx + rx, cy - k * ry}, Point{cx + rx, cy}, t);
    closeSubpath();
}

void Path::addRelativeArc(Point center, double radius, double startAngle, double delta,
                          const AffineTransform& t) {
    const auto at = [&](double angle) {
        return Point{center.x + radius * std::cos(angle), center.y + radius * std::sin(angle)};
    };
    const Point start = at(startAngle);
    if (elements_.empty() || elements_.back().type == ElementType::closeSubpath)
        moveTo(start, t);
    else if (!(elements_.back().points[pointCount(elements_.back().type) - 1] == t.apply(start)))
        addLineTo(start, t);
    const double quarter = std::numbers::pi / 2;
    const int pieces = std::max(1, int(std::ceil(std::fabs(delta) / quarter - 1e-9)));
    const double step = delta / pieces;
    // Control points along the tangents, 4/3 tan(step / 4) of the radius away.
    const double k = 4.0 / 3.0 * std::tan(step / 4) * radius;
    double a0 = startAngle;
    for (int i = 0; i < pieces; ++i) {
        const double a1 = startAngle + step * (i + 1);
        const Point p0 = at(a0), p3 = at(a1);
        const Point c1{p0.x - k * std::sin(a0), p0.y + k * std::cos(a0)};
        const Point c2{p3.x + k * std::sin(a1), p3.y - k * std::cos(a1)};
        addCurveTo(c1, c2, p3, t);
        a0 = a1;
    }
}

void Path::addLines(const std::vector<Point>& points, const AffineTransform& t) {
    if (points.empty())
        return;
    moveTo(points[0], t);
    for (std::size_t i = 1; i < points.size(); ++i)
        elements_.push_back(Element{ElementType::lineTo, {t.apply(points[i])}});
}

void Path::addPath(const Path& other, const AffineTransform& t) {
    for (const Element& e : other.elements_) {
        Element m = e;
        for (Point& p : m.points)
            p = t.apply(p);
        elements_.push_back(m);
    }
}

std::optional<Point> Path::currentPoint() const {
    if (elements_.empty())
        return std::nullopt;
    const Element& e = elements_.back();
    switch (e.type) {
    case ElementType::moveTo:
    case ElementType::lineTo:
        return e.points[0];
    case ElementType::quadCurveTo:
        return e.points[1];
    case ElementType::curveTo:
        return e.points[2];
    case ElementType::closeSubpath:
        break;
    }
    // After a close the current point is the start of the closed subpath.
    for (auto it = elements_.rbegin(); it != elements_.rend(); ++it)
        if (it->type == ElementType::moveTo)
            return it->points[0];
    return std::nullopt;
}

Rect Path::boundingBox() const {
    const double inf = std::numeric_limits<double>::infinity();
    double x0 = inf, y0 = inf, x1 = -inf, y1 = -inf;
    for (const Element& e : elements_) {
        const int n = pointCount(e.type);
        for (int i = 0; i < n; ++i) {
            x0 = std::min(x0, e.points[i].x);
            y0 = std::min(y0, e.points[i].y);
            x1 = std::max(x1, e.points[i].x);
            y1 = std::max(y1, e.points[i].y);
        }
    }
    if (x0 > x1)
        return Rect(inf, inf, 0, 0);
    return Rect(x0, y0, x1 - x0, y1 - y0);
}

Path Path::transformed(const AffineTransform& t) const {
    Path p;
    p.addPath(*this, t);
    return p;
}

bool isDashed(const StrokeStyle& style) {
    bool anyOn = false;
    for (double len : style.lineDashLengths) {
        if (!(len >= 0) || !std::isfinite(len))
            return false;
        anyOn = anyOn || len > 0;
    }
    return anyOn;
}

QPen toQPen(const StrokeStyle& style, const QColor& color) {
    QPen pen(QBrush(color), style.lineWidth);
    pen.setCapStyle(style.lineCap == LineCap::round    ? Qt::RoundCap
                    : style.lineCap == LineCap::square ? Qt::SquareCap
                                                       : Qt::FlatCap);
    pen.setJoinStyle(style.lineJoin == LineJoin::round   ? Qt::RoundJoin
                     : style.lineJoin == LineJoin::bevel ? Qt::BevelJoin
                                                         : Qt::SvgMiterJoin);
    pen.setMiterLimit(style.miterLimit);
    return pen;
}

QPainterPath Path::qtStrokeOutline(const StrokeStyle& style) const {
    QPainterPathStroker stroker(toQPen(style, QColor(0, 0, 0)));
    // The thinnest line still has an outline.
    const double w = style.lineWidth > 0 ? style.lineWidth : 1.0;
    stroker.setWidth(w);
    if (isDashed(style)) {
        // The stroker counts dashes in line widths; an odd list repeats to alternate.
        QList<qreal> pattern;
        for (double len : style.lineDashLengths)
            pattern << len / w;
        if (pattern.size() % 2 == 1)
            pattern << pattern;
        stroker.setDashPattern(pattern);
        stroker.setDashOffset(style.lineDashPhase / w);
    }
    return stroker.createStroke(toQPainterPath());
}

Path Path::strokedOutline(const StrokeStyle& style) const {
    return fromQPainterPath(qtStrokeOutline(style).simplified());
}

QPainterPath Path::toQPainterPath(FillRule rule) const {
    QPainterPath qp;
    qp.setFillRule(rule == FillRule::winding ? Qt::WindingFill : Qt::OddEvenFill);
    for (const Element& e : elements_) {
        switch (e.type) {
        case ElementType::moveTo:
            qp.moveTo(e.points[0].x, e.points[0].y);
            break;
        case ElementType::lineTo:
            qp.lineTo(e.points[0].x, e.points[0].y);
            break;
        case ElementType::quadCurveTo:
            qp.quadTo(e.points[0].x, e.points[0].y, e.points[1].x, e.points[1].y);
            break;
        case ElementType::curveTo:
            qp.cubicTo(e.points[0].x, e.points[0].y, e.points[1].x, e.points[1].y, e.points[2].x,
                       e.points[2].y);
            break;
        case ElementType::closeSubpath:
            qp.closeSubpath();
            break;
        }
    }
    return qp;
}

Path Path::fromQPainterPath(const QPainterPath& qp) {
    Path p;
    for (int i = 0; i < qp.elementCount(); ++i) {
        const QPainterPath::Element e = qp.elementAt(i);
        switch (e.type) {
        case QPainterPath::MoveToElement:
            p.moveTo(Point{e.x, e.y});
            break;
        case QPainterPath::LineToElement:
            p.addLineTo(Point{e.x, e.y});
            break;
        case QPainterPath::CurveToElement: {
            if (i + 2 >= qp.elementCount())
                return p;
            const QPainterPath::Element c2 = qp.elementAt(i + 1), end = qp.elementAt(i + 2);
            p.addCurveTo(Point{e.x, e.y}, Point{c2.x, c2.y}, Point{end.x, end.y});
            i += 2;
            break;
        }
        case QPainterPath::CurveToDataElement:
            break;
        }
    }
    return p;
}

} // namespace charting
