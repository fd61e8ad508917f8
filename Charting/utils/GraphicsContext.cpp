#include "Charting/utils/GraphicsContext.h"

#include <cmath>

namespace charting {

using platform::AffineTransform;
using platform::Point;
using platform::Rect;

namespace {
bool invertible(const AffineTransform& m) {
    const double det = m.a * m.d - m.b * m.c;
    return det != 0 && std::isfinite(det);
}

std::vector<double> rectArgs(const Rect& r) {
    return {r.origin.x, r.origin.y, r.size.width, r.size.height};
}

std::vector<double> pointArgs(const std::vector<Point>& points) {
    std::vector<double> args;
    args.reserve(points.size() * 2);
    for (const Point& p : points) {
        args.push_back(p.x);
        args.push_back(p.y);
    }
    return args;
}
} // namespace

StrokeStyle GraphicsContext::State::strokeStyle() const {
    return StrokeStyle{lineWidth, lineCap, lineJoin, miterLimit, lineDashPhase, lineDashLengths};
}

void GraphicsContext::saveGState() {
    stack_.push_back(state_);
    stateSaved();
    note("saveGState");
}

void GraphicsContext::restoreGState() {
    if (stack_.empty()) {
        note("restoreGState");
        return;
    }
    state_ = std::move(stack_.back());
    stack_.pop_back();
    stateRestored();
    note("restoreGState");
}

void GraphicsContext::setStrokeColor(const QColor& color) {
    state_.strokeColor = color;
    note("setStrokeColor", {color.redF(), color.greenF(), color.blueF(), color.alphaF()});
}

void GraphicsContext::setFillColor(const QColor& color) {
    state_.fillColor = color;
    note("setFillColor", {color.redF(), color.greenF(), color.blueF(), color.alphaF()});
}

void GraphicsContext::setAlpha(double alpha) {
    state_.alpha = alpha;
    note("setAlpha", {alpha});
}

void GraphicsContext::setLineWidth(double width) {
    state_.lineWidth = width;
    note("setLineWidth", {width});
}

void GraphicsContext::setLineCap(LineCap cap) {
    state_.lineCap = cap;
    note("setLineCap", {double(cap)});
}

void GraphicsContext::setLineJoin(LineJoin join) {
    state_.lineJoin = join;
    note("setLineJoin", {double(join)});
}

void GraphicsContext::setMiterLimit(double limit) {
    state_.miterLimit = limit;
    note("setMiterLimit", {limit});
}

void GraphicsContext::setLineDash(double phase, const std::vector<double>& lengths) {
    state_.lineDashPhase = phase;
    state_.lineDashLengths = lengths;
    std::vector<double> args{phase};
    args.insert(args.end(), lengths.begin(), lengths.end());
    note("setLineDash", std::move(args));
}

void GraphicsContext::setShouldAntialias(bool antialias) {
    state_.shouldAntialias = antialias;
    note("setShouldAntialias", {antialias ? 1.0 : 0.0});
}

void GraphicsContext::translateBy(double tx, double ty) {
    state_.ctm = state_.ctm.translatedBy(tx, ty);
    note("translateBy", {tx, ty});
}

void GraphicsContext::scaleBy(double sx, double sy) {
    state_.ctm = state_.ctm.scaledBy(sx, sy);
    note("scaleBy", {sx, sy});
}

void GraphicsContext::rotateBy(double radians) {
    state_.ctm = state_.ctm.rotatedBy(radians);
    note("rotateBy", {radians});
}

void GraphicsContext::concatenateCTM(const AffineTransform& t) {
    state_.ctm = t.concatenating(state_.ctm);
    note("concatenateCTM", {t.a, t.b, t.c, t.d, t.tx, t.ty});
}

double GraphicsContext::devicePixelsPerPoint() const {
    const double det = state_.ctm.a * state_.ctm.d - state_.ctm.b * state_.ctm.c;
    return std::sqrt(std::abs(det)) * surfacePixelsPerPoint();
}

void GraphicsContext::clipToRect(const Rect& rect) {
    Clip c;
    c.path.addRect(rect, state_.ctm);
    state_.clips.push_back(c);
    clipAdded(c);
    noteCall("clipToRect", rectArgs(rect), c.path, QString(), nullptr);
}

void GraphicsContext::clipToRects(const std::vector<Rect>& rects) {
    Clip c;
    std::vector<double> args;
    for (const Rect& r : rects) {
        c.path.addRect(r, state_.ctm);
        auto a = rectArgs(r);
        args.insert(args.end(), a.begin(), a.end());
    }
    state_.clips.push_back(c);
    clipAdded(c);
    noteCall("clipToRects", std::move(args), c.path, QString(), nullptr);
}

void GraphicsContext::clip(FillRule rule) {
    Clip c{path_, rule};
    path_.clear();
    state_.clips.push_back(c);
    clipAdded(c);
    noteCall("clip", {double(rule == FillRule::evenOdd)}, c.path, QString(), nullptr);
}

void GraphicsContext::beginPath() {
    path_.clear();
    note("beginPath");
}

void GraphicsContext::moveTo(Point p) {
    path_.moveTo(p, state_.ctm);
    note("moveTo", {p.x, p.y});
}

void GraphicsContext::addLineTo(Point p) {
    path_.addLineTo(p, state_.ctm);
    note("addLineTo", {p.x, p.y});
}

void GraphicsContext::addCurveTo(Point control1, Point control2, Point end) {
    path_.addCurveTo(control1, control2, end, state_.ctm);
    note("addCurveTo", {control1.x, control1.y, control2.x, control2.y, end.x, end.y});
}

void GraphicsContext::addQuadCurveTo(Point control, Point end) {
    path_.addQuadCurveTo(control, end, state_.ctm);
    note("addQuadCurveTo", {control.x, control.y, end.x, end.y});
}

void GraphicsContext::closePath() {
    path_.closeSubpath();
    note("closePath");
}

void GraphicsContext::addRect(const Rect& rect) {
    path_.addRect(rect, state_.ctm);
    note("addRect", rectArgs(rect));
}

void GraphicsContext::addEllipse(const Rect& rect) {
    path_.addEllipse(rect, state_.ctm);
    note("addEllipse", rectArgs(rect));
}

void GraphicsContext::addLines(const std::vector<Point>& points) {
    path_.addLines(points, state_.ctm);
    note("addLines", pointArgs(points));
}

void GraphicsContext::addPath(const Path& path) {
    path_.addPath(path, state_.ctm);
    note("addPath");
}

void GraphicsContext::replacePathWithStrokedPath() {
    if (invertible(state_.ctm)) {
        const Path user = path_.transformed(state_.ctm.inverted());
        path_ = user.strokedOutline(state_.strokeStyle()).transformed(state_.ctm);
    } else {
        path_.clear();
    }
    note("replacePathWithStrokedPath");
}

Rect GraphicsContext::boundingBoxOfPath() const {
    if (path_.isEmpty() || !invertible(state_.ctm))
        return Path().boundingBox(); // the null rectangle
    return state_.ctm.inverted().apply(path_.boundingBox());
}

void GraphicsContext::paintCurrentPath(PaintKind kind, FillRule rule) {
    if (!path_.isEmpty() && invertible(state_.ctm))
        paintPath(path_.transformed(state_.ctm.inverted()), kind, rule, state_);
}

void GraphicsContext::strokePath() {
    paintCurrentPath(PaintKind::stroke, FillRule::winding);
    noteCall("strokePath", {}, path_, QString(), nullptr);
    path_.clear();
}

void GraphicsContext::fillPath(FillRule rule) {
    paintCurrentPath(PaintKind::fill, rule);
    noteCall("fillPath", {double(rule == FillRule::evenOdd)}, path_, QString(), nullptr);
    path_.clear();
}

void GraphicsContext::drawPath(PathDrawingMode mode) {
    const bool fills = mode != PathDrawingMode::stroke;
    const bool strokes = mode == PathDrawingMode::stroke || mode == PathDrawingMode::fillStroke ||
                         mode == PathDrawingMode::eoFillStroke;
    const FillRule rule = mode == PathDrawingMode::eoFill || mode == PathDrawingMode::eoFillStroke
                              ? FillRule::evenOdd
                              : FillRule::winding;
    if (fills)
        paintCurrentPath(PaintKind::fill, rule);
    if (strokes)
        paintCurrentPath(PaintKind::stroke, rule);
    noteCall("drawPath", {double(mode)}, path_, QString(), nullptr);
    path_.clear();
}

void GraphicsContext::paintNewPath(const char* op, std::vector<double> args, PaintKind kind,
                                   const std::function<void(Path&)>& build) {
    path_.clear();
    build(path_);
    paintCurrentPath(kind, FillRule::winding);
    noteCall(op, std::move(args), path_, QString(), nullptr);
    path_.clear();
}

void GraphicsContext::strokeLineSegments(const std::vector<Point>& points) {
    paintNewPath("strokeLineSegments", pointArgs(points), PaintKind::stroke, [&](Path& path) {
        for (std::size_t i = 0; i + 1 < points.size(); i += 2) {
            path.moveTo(points[i], state_.ctm);
            path.addLineTo(points[i + 1], state_.ctm);
        }
    });
}

void GraphicsContext::fillRect(const Rect& rect) {
    paintNewPath("fillRect", rectArgs(rect), PaintKind::fill,
                 [&](Path& path) { path.addRect(rect, state_.ctm); });
}

void GraphicsContext::strokeRect(const Rect& rect) {
    paintNewPath("strokeRect", rectArgs(rect), PaintKind::stroke,
                 [&](Path& path) { path.addRect(rect, state_.ctm); });
}

void GraphicsContext::fillEllipse(const Rect& rect) {
    paintNewPath("fillEllipse", rectArgs(rect), PaintKind::fill,
                 [&](Path& path) { path.addEllipse(rect, state_.ctm); });
}

void GraphicsContext::strokeEllipse(const Rect& rect) {
    paintNewPath("strokeEllipse", rectArgs(rect), PaintKind::stroke,
                 [&](Path& path) { path.addEllipse(rect, state_.ctm); });
}

void GraphicsContext::drawLinearGradient(const Gradient& gradient, Point start, Point end,
                                         unsigned options) {
    if (invertible(state_.ctm))
        paintLinearGradient(gradient, start, end, options, state_);
    note("drawLinearGradient", {start.x, start.y, end.x, end.y, double(options)});
}

void GraphicsContext::drawRadialGradient(const Gradient& gradient, Point startCenter,
                                         double startRadius, Point endCenter, double endRadius,
                                         unsigned options) {
    if (invertible(state_.ctm))
        paintRadialGradient(gradient, startCenter, startRadius, endCenter, endRadius, options,
                            state_);
    note("drawRadialGradient", {startCenter.x, startCenter.y, startRadius, endCenter.x, endCenter.y,
                                endRadius, double(options)});
}

void GraphicsContext::drawImage(const QImage& image, const Rect& rect) {
    if (invertible(state_.ctm) && !image.isNull())
        paintImage(image, rect, false, state_);
    note("drawImage", rectArgs(rect));
}

void GraphicsContext::drawTiledImage(const QImage& image, const Rect& tile) {
    if (invertible(state_.ctm) && !image.isNull())
        paintImage(image, tile, true, state_);
    note("drawTiledImage", rectArgs(tile));
}

void GraphicsContext::drawText(const QString& text, Point topLeft,
                               const TextAttributes& attributes) {
    if (invertible(state_.ctm) && !text.isEmpty())
        paintText(text, Rect(topLeft, platform::Size{}), false, attributes, state_);
    noteCall("drawText", {topLeft.x, topLeft.y}, Path(), text, &attributes);
}

void GraphicsContext::drawText(const QString& text, const Rect& box,
                               const TextAttributes& attributes) {
    if (invertible(state_.ctm) && !text.isEmpty())
        paintText(text, box, true, attributes, state_);
    noteCall("drawTextInRect", rectArgs(box), Path(), text, &attributes);
}

} // namespace charting
