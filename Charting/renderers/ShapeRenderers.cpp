#include "Charting/renderers/ShapeRenderers.h"

#include "Charting/data/ScatterChartDataSetProtocol.h"
#include "Charting/utils/GraphicsContext.h"

namespace charting {

using platform::Point;
using platform::Rect;

namespace {

// The filled shape of the square and the circle: the whole shape, or the ring and the hole.
void renderRingShape(GraphicsContext& context, const ScatterChartDataSetProtocol& dataSet,
                     Point p, const QColor& color, bool round) {
    const double size = dataSet.scatterShapeSize();
    const double holeRadius = dataSet.scatterShapeHoleRadius();
    const double holeDiameter = holeRadius * 2;
    if (holeDiameter > 0) {
        const double ringWidth = (size - holeDiameter) / 2;
        // A hole as wide as the shape or wider leaves no ring (a line width of 0 would still
        // draw the device's thinnest line).
        if (ringWidth > 0) {
            const Rect ring(p.x - holeRadius - ringWidth / 2, p.y - holeRadius - ringWidth / 2,
                            holeDiameter + ringWidth, holeDiameter + ringWidth);
            context.setStrokeColor(color);
            context.setLineWidth(ringWidth);
            round ? context.strokeEllipse(ring) : context.strokeRect(ring);
        }
        if (const auto holeColor = dataSet.scatterShapeHoleColor()) {
            const Rect hole(p.x - holeRadius, p.y - holeRadius, holeDiameter, holeDiameter);
            context.setFillColor(*holeColor);
            round ? context.fillEllipse(hole) : context.fillRect(hole);
        }
        return;
    }
    const Rect whole(p.x - size / 2, p.y - size / 2, size, size);
    context.setFillColor(color);
    round ? context.fillEllipse(whole) : context.fillRect(whole);
}

// Strokes the segments a-b, c-d, ... at line width 1.
void strokeOnePointLines(GraphicsContext& context, const QColor& color,
                         const std::vector<Point>& segments) {
    context.setLineWidth(1);
    context.setStrokeColor(color);
    context.beginPath();
    for (std::size_t i = 0; i + 1 < segments.size(); i += 2) {
        context.moveTo(segments[i]);
        context.addLineTo(segments[i + 1]);
    }
    context.strokePath();
}

} // namespace

void SquareShapeRenderer::renderShape(GraphicsContext& context,
                                      const ScatterChartDataSetProtocol& dataSet,
                                      const ViewPortHandler&, Point point, const QColor& color) {
    renderRingShape(context, dataSet, point, color, false);
}

void CircleShapeRenderer::renderShape(GraphicsContext& context,
                                      const ScatterChartDataSetProtocol& dataSet,
                                      const ViewPortHandler&, Point point, const QColor& color) {
    renderRingShape(context, dataSet, point, color, true);
}

void TriangleShapeRenderer::renderShape(GraphicsContext& context,
                                        const ScatterChartDataSetProtocol& dataSet,
                                        const ViewPortHandler&, Point p, const QColor& color) {
    const double half = dataSet.scatterShapeSize() / 2;
    const double holeDiameter = dataSet.scatterShapeHoleRadius() * 2;
    const double band = (dataSet.scatterShapeSize() - holeDiameter) / 2;

    context.setFillColor(color);
    context.beginPath();
    context.moveTo(Point{p.x, p.y - half});
    context.addLineTo(Point{p.x + half, p.y + half});
    context.addLineTo(Point{p.x - half, p.y + half});
    if (holeDiameter > 0) {
        // The inner triangle runs the other way round, so the nonzero rule leaves it empty.
        context.addLineTo(Point{p.x, p.y - half});
        context.moveTo(Point{p.x - half + band, p.y + half - band});
        context.addLineTo(Point{p.x + half - band, p.y + half - band});
        context.addLineTo(Point{p.x, p.y - half + band});
        context.addLineTo(Point{p.x - half + band, p.y + half - band});
    }
    context.closePath();
    context.fillPath(FillRule::winding);

    const auto holeColor = dataSet.scatterShapeHoleColor();
    if (holeDiameter > 0 && holeColor) {
        context.setFillColor(*holeColor);
        context.beginPath();
        context.moveTo(Point{p.x, p.y - half + band});
        context.addLineTo(Point{p.x + half - band, p.y + half - band});
        context.addLineTo(Point{p.x - half + band, p.y + half - band});
        context.closePath();
        context.fillPath(FillRule::winding);
    }
}

void CrossShapeRenderer::renderShape(GraphicsContext& context,
                                     const ScatterChartDataSetProtocol& dataSet,
                                     const ViewPortHandler&, Point p, const QColor& color) {
    const double half = dataSet.scatterShapeSize() / 2;
    strokeOnePointLines(context, color,
                        {{p.x - half, p.y}, {p.x + half, p.y}, {p.x, p.y - half}, {p.x, p.y + half}});
}

void XShapeRenderer::renderShape(GraphicsContext& context,
                                 const ScatterChartDataSetProtocol& dataSet,
                                 const ViewPortHandler&, Point p, const QColor& color) {
    const double half = dataSet.scatterShapeSize() / 2;
    strokeOnePointLines(context, color,
                        {{p.x - half, p.y - half},
                         {p.x + half, p.y + half},
                         {p.x + half, p.y - half},
                         {p.x - half, p.y + half}});
}

void ChevronUpShapeRenderer::renderShape(GraphicsContext& context,
                                         const ScatterChartDataSetProtocol& dataSet,
                                         const ViewPortHandler&, Point p, const QColor& color) {
    const double s = dataSet.scatterShapeSize();
    strokeOnePointLines(context, color,
                        {{p.x, p.y - s}, {p.x + s, p.y}, {p.x, p.y - s}, {p.x - s, p.y}});
}

void ChevronDownShapeRenderer::renderShape(GraphicsContext& context,
                                           const ScatterChartDataSetProtocol& dataSet,
                                           const ViewPortHandler&, Point p, const QColor& color) {
    const double s = dataSet.scatterShapeSize();
    strokeOnePointLines(context, color,
                        {{p.x, p.y + s}, {p.x + s, p.y}, {p.x, p.y + s}, {p.x - s, p.y}});
}

} // namespace charting
