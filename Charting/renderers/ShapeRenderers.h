#pragma once

#include "Charting/renderers/ShapeRenderer.h"

namespace charting {

// The shapes of scatter entries. They hold no state: one object serves any number of data sets.
// Let s be the data set's shape size and h its hole radius; pixel y grows downward.

// A filled s x s square; with a hole, a ring from h to s/2 from the centre (none when the hole is
// as wide as the square) and the hole filled in the hole colour when there is one.
class SquareShapeRenderer : public ShapeRenderer {
public:
    void renderShape(GraphicsContext& context, const ScatterChartDataSetProtocol& dataSet,
                     const ViewPortHandler& viewPortHandler, platform::Point point,
                     const QColor& color) override;
};

// The square's geometry with circles inscribed in its rectangles.
class CircleShapeRenderer : public ShapeRenderer {
public:
    void renderShape(GraphicsContext& context, const ScatterChartDataSetProtocol& dataSet,
                     const ViewPortHandler& viewPortHandler, platform::Point point,
                     const QColor& color) override;
};

// A filled triangle, apex up, base and height s; with a hole, a band (s/2 - h) wide along its
// edges, the inside filled in the hole colour when there is one.
class TriangleShapeRenderer : public ShapeRenderer {
public:
    void renderShape(GraphicsContext& context, const ScatterChartDataSetProtocol& dataSet,
                     const ViewPortHandler& viewPortHandler, platform::Point point,
                     const QColor& color) override;
};

// A "+" of two lines s long, line width 1.
class CrossShapeRenderer : public ShapeRenderer {
public:
    void renderShape(GraphicsContext& context, const ScatterChartDataSetProtocol& dataSet,
                     const ViewPortHandler& viewPortHandler, platform::Point point,
                     const QColor& color) override;
};

// An "x" across the s x s square, line width 1.
class XShapeRenderer : public ShapeRenderer {
public:
    void renderShape(GraphicsContext& context, const ScatterChartDataSetProtocol& dataSet,
                     const ViewPortHandler& viewPortHandler, platform::Point point,
                     const QColor& color) override;
};

// A chevron with its apex s above the point and its arms ending s left and right of it (2s
// across, s high), line width 1.
class ChevronUpShapeRenderer : public ShapeRenderer {
public:
    void renderShape(GraphicsContext& context, const ScatterChartDataSetProtocol& dataSet,
                     const ViewPortHandler& viewPortHandler, platform::Point point,
                     const QColor& color) override;
};

// The chevron with its apex s below the point.
class ChevronDownShapeRenderer : public ShapeRenderer {
public:
    void renderShape(GraphicsContext& context, const ScatterChartDataSetProtocol& dataSet,
                     const ViewPortHandler& viewPortHandler, platform::Point point,
                     const QColor& color) override;
};

} // namespace charting
