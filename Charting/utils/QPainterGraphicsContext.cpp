#include "Charting/utils/QPainterGraphicsContext.h"

#include "Charting/utils/QtTextMeasurer.h"

#include <QGradient>
#include <QPainter>
#include <QPainterPath>
#include <QPen>
#include <QPolygonF>

#include <cmath>
#include <optional>

namespace charting {

using platform::AffineTransform;
using platform::Point;
using platform::Rect;

namespace {
// Far enough to cover any chart, near enough for the rasteriser.
constexpr double kFar = 1e5;

QGradientStops stopsOf(const Gradient& gradient) {
    QGradientStops stops;
    const std::size_t n = gradient.colors.size();
    for (std::size_t i = 0; i < n; ++i) {
        double at = i < gradient.locations.size() ? gradient.locations[i]
                    : n > 1                       ? double(i) / double(n - 1)
                                                  : 0.0;
        stops << QGradientStop(std::clamp(at, 0.0, 1.0), gradient.colors[i]);
    }
    return stops;
}

// Scale of a transform along a line (the square root of its area scale).
double scaleOf(const QTransform& t) {
    return std::sqrt(std::abs(t.m11() * t.m22() - t.m12() * t.m21()));
}

// A pen that dashes a line of at most one device pixel with Qt's own thin-line dashing, which
// counts in device pixels: the lengths and phase in points are converted. Without antialiasing
// the line is one whole device pixel (as its filled outline would be). None when the lengths
// hold a zero (Qt's dash patterns need positive lengths).
std::optional<QPen> thinDashedPen(const StrokeStyle& style, const QColor& color,
                                  double pixelsPerPoint, bool antialias) {
    QList<qreal> pattern;
    for (double len : style.lineDashLengths) {
        if (!(len > 0))
            return std::nullopt;
        pattern << len * pixelsPerPoint;
    }
    if (pattern.size() % 2 == 1)
        pattern << pattern;
    QPen pen = toQPen(style, color);
    pen.setWidthF(antialias ? (style.lineWidth > 0 ? style.lineWidth : 1.0) : 0.0);
    pen.setDashPattern(pattern);
    pen.setDashOffset(style.lineDashPhase * pixelsPerPoint);
    return pen;
}

} // namespace

QTransform QPainterGraphicsContext::toQTransform(const AffineTransform& m) {
    return QTransform(m.a, m.b, m.c, m.d, m.tx, m.ty);
}

QPainterGraphicsContext::QPainterGraphicsContext(QPainter& painter)
    : painter_(painter), base_(painter.worldTransform()) {
    painter_.save();
}

QPainterGraphicsContext::~QPainterGraphicsContext() {
    for (int i = savedStateCount(); i > 0; --i)
        painter_.restore();
    painter_.restore();
}

void QPainterGraphicsContext::prepare(const State& state) {
    painter_.setWorldTransform(toQTransform(state.ctm) * base_);
    painter_.setRenderHint(QPainter::Antialiasing, state.shouldAntialias);
    painter_.setRenderHint(QPainter::SmoothPixmapTransform, state.shouldAntialias);
    painter_.setOpacity(std::clamp(state.alpha, 0.0, 1.0));
}

void QPainterGraphicsContext::paintPath(const Path& userPath, PaintKind kind, FillRule rule,
                                        const State& state) {
    prepare(state);
    const StrokeStyle style = state.strokeStyle();
    if (kind == PaintKind::fill)
        painter_.fillPath(userPath.toQPainterPath(rule), QBrush(state.fillColor));
    else if (isDashed(style)) {
        // Dash lengths in points at any width. Qt dashes lines of at most one device pixel in
        // device pixels and fast; wider ones (where its pen counts in widths) are painted as
        // their dashed outline.
        const double pixelsPerPoint = scaleOf(painter_.worldTransform()) * devicePixelRatio();
        const double width = style.lineWidth > 0 ? style.lineWidth : 1.0;
        const auto thin = width * pixelsPerPoint <= 1.0 + 1e-9
                              ? thinDashedPen(style, state.strokeColor, pixelsPerPoint,
                                              state.shouldAntialias)
                              : std::nullopt;
        if (thin)
            painter_.strokePath(userPath.toQPainterPath(), *thin);
        else
            painter_.fillPath(userPath.qtStrokeOutline(style), QBrush(state.strokeColor));
    } else
        painter_.strokePath(userPath.toQPainterPath(), toQPen(style, state.strokeColor));
}

void QPainterGraphicsContext::paintLinearGradient(const Gradient& gradient, Point start, Point end,
                                                  unsigned options, const State& state) {
    prepare(state);
    QLinearGradient g(QPointF(start.x, start.y), QPointF(end.x, end.y));
    g.setStops(stopsOf(gradient));
    g.setSpread(QGradient::PadSpread);
    // The band between the lines through start and end, square to the gradient, widened on
    // each side that the options extend.
    const double dx = end.x - start.x, dy = end.y - start.y;
    const double len = std::hypot(dx, dy);
    if (!(len > 0))
        return;
    const double ux = dx / len, uy = dy / len, nx = -uy, ny = ux;
    const double t0 = (options & drawsBeforeStartLocation) ? -kFar : 0.0;
    const double t1 = (options & drawsAfterEndLocation) ? len + kFar : len;
    auto at = [&](double t, double side) {
        return QPointF(start.x + ux * t + nx * side, start.y + uy * t + ny * side);
    };
    QPolygonF band{at(t0, -kFar), at(t1, -kFar), at(t1, kFar), at(t0, kFar)};
    QPainterPath area;
    area.addPolygon(band);
    painter_.fillPath(area, QBrush(g));
}

void QPainterGraphicsContext::paintRadialGradient(const Gradient& gradient, Point startCenter,
                                                  double startRadius, Point endCenter,
                                                  double endRadius, unsigned options,
                                                  const State& state) {
    prepare(state);
    QRadialGradient g(QPointF(endCenter.x, endCenter.y), endRadius,
                      QPointF(startCenter.x, startCenter.y), startRadius);
    g.setStops(stopsOf(gradient));
    g.setSpread(QGradient::PadSpread);
    QPainterPath area;
    if (options & drawsAfterEndLocation)
        area.addRect(QRectF(-kFar, -kFar, 2 * kFar, 2 * kFar));
    else
        area.addEllipse(QPointF(endCenter.x, endCenter.y), endRadius, endRadius);
    painter_.fillPath(area, QBrush(g));
}

void QPainterGraphicsContext::paintImage(const QImage& image, const Rect& rect, bool tiled,
                                         const State& state) {
    prepare(state);
    const QRectF target(rect.minX(), rect.minY(), rect.width(), rect.height());
    if (!tiled) {
        painter_.drawImage(target, image);
        return;
    }
    if (target.isEmpty())
        return;
    QBrush brush(image);
    // The brush already shows the image at its size in points (pixels over its pixel ratio).
    const QSizeF own = image.deviceIndependentSize();
    QTransform t;
    t.translate(target.x(), target.y());
    t.scale(target.width() / own.width(), target.height() / own.height());
    brush.setTransform(t);
    painter_.fillRect(QRectF(-kFar, -kFar, 2 * kFar, 2 * kFar), brush);
}

void QPainterGraphicsContext::paintText(const QString& text, const Rect& box, bool wrapped,
                                        const TextAttributes& attributes, const State& state) {
    prepare(state);
    painter_.setFont(attributes.font);
    painter_.setPen(attributes.foregroundColor);
    if (!wrapped) {
        // Placed by the top-left corner of its box, not by the baseline.
        painter_.drawText(QRectF(box.origin.x, box.origin.y, kFar, kFar),
                          Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine | Qt::TextDontClip,
                          text);
        return;
    }
    painter_.drawText(
        QRectF(box.minX(), box.minY(), box.width(), box.height()),
        QtTextMeasurer::wrappedTextFlags(attributes.paragraphStyle) | Qt::TextDontClip, text);
}

double QPainterGraphicsContext::devicePixelRatio() const {
    const QPaintDevice* device = painter_.device();
    return device ? device->devicePixelRatio() : 1.0;
}

double QPainterGraphicsContext::surfacePixelsPerPoint() const {
    return scaleOf(base_) * devicePixelRatio();
}

void QPainterGraphicsContext::stateSaved() {
    painter_.save();
}

void QPainterGraphicsContext::stateRestored() {
    painter_.restore();
}

void QPainterGraphicsContext::clipAdded(const Clip& deviceClip) {
    painter_.setWorldTransform(base_);
    // Each clip narrows the one in effect (QPainter would replace it by default).
    painter_.setClipPath(deviceClip.path.toQPainterPath(deviceClip.rule),
                         painter_.hasClipping() ? Qt::IntersectClip : Qt::ReplaceClip);
}

} // namespace charting
