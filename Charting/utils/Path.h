#pragma once

#include "Charting/utils/LineCap.h"
#include "platform/Geometry.h"

#include <cstdint>
#include <optional>
#include <vector>

class QPainterPath;
class QPen;
class QColor;

namespace charting {

enum class LineJoin : std::int32_t { miter = 0, round = 1, bevel = 2 };

// How the inside of a path is decided: nonzero winding (the default) or even-odd.
enum class FillRule { winding, evenOdd };

// The stroke settings that turn a path into its outline.
struct StrokeStyle {
    double lineWidth = 1;
    LineCap lineCap = LineCap::butt;
    LineJoin lineJoin = LineJoin::miter;
    double miterLimit = 10;
    double lineDashPhase = 0;
    std::vector<double> lineDashLengths; // empty: solid
};

// Whether the style strokes dashes: a list of finite lengths, none negative and one positive.
// Any other list (empty, a negative length, no positive one) means a solid line.
bool isDashed(const StrokeStyle& style);

// The Qt pen for a solid stroke: butt, round or square caps as given (QPen defaults to square).
// It carries no dashes: QPen counts them in pen widths but, for lines of at most one device pixel,
// in device pixels; the painting side converts them (thin lines) or fills the dashed outline
// (Path::qtStrokeOutline).
QPen toQPen(const StrokeStyle& style, const QColor& color);

// A drawable outline of subpaths made of lines and Bezier curves, in y-down coordinates. Every
// adding operation can map its points through a transform first (the value-to-pixel matrix).
class Path {
public:
    enum class ElementType { moveTo, lineTo, quadCurveTo, curveTo, closeSubpath };
    struct Element {
        ElementType type;
        platform::Point points[3]; // moveTo, lineTo: [0]; quad: control, end; cubic: c1, c2, end
        friend bool operator==(const Element& a, const Element& b);
    };

    void moveTo(platform::Point p, const platform::AffineTransform& t = {});
    void addLineTo(platform::Point p, const platform::AffineTransform& t = {});
    void addQuadCurveTo(platform::Point control, platform::Point end,
                        const platform::AffineTransform& t = {});
    void addCurveTo(platform::Point control1, platform::Point control2, platform::Point end,
                    const platform::AffineTransform& t = {});
    void closeSubpath();
    void addRect(const platform::Rect& r, const platform::AffineTransform& t = {});
    void addEllipse(const platform::Rect& r, const platform::AffineTransform& t = {});
    // A circular arc about `center` from `startAngle` turning by `delta` (radians; positive turns
    // from +x towards +y, clockwise on screen), as cubic pieces of at most a quarter turn. The
    // arc's start is joined to the current point by a line, or begins a subpath when there is
    // none.
    void addRelativeArc(platform::Point center, double radius, double startAngle, double delta,
                        const platform::AffineTransform& t = {});
    // A move to the first point and lines to the others.
    void addLines(const std::vector<platform::Point>& points,
                  const platform::AffineTransform& t = {});
    void addPath(const Path& other, const platform::AffineTransform& t = {});

    bool isEmpty() const { return elements_.empty(); }
    std::optional<platform::Point> currentPoint() const;
    // The smallest rectangle holding every point, control points included; null when empty.
    platform::Rect boundingBox() const;
    const std::vector<Element>& elements() const { return elements_; }
    void clear() { elements_.clear(); }

    Path transformed(const platform::AffineTransform& t) const;
    // The area a stroke with `style` would paint, as a path to fill with the winding rule.
    Path strokedOutline(const StrokeStyle& style) const;
    // The same area as a Qt path (winding fill); dash lengths and phase are in this path's units.
    QPainterPath qtStrokeOutline(const StrokeStyle& style) const;

    QPainterPath toQPainterPath(FillRule rule = FillRule::winding) const;
    static Path fromQPainterPath(const QPainterPath& path);

    friend bool operator==(const Path& a, const Path& b) { return a.elements_ == b.elements_; }

private:
    std::vector<Element> elements_;
};

} // namespace charting
