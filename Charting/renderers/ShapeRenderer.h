#pragma once

#include "platform/Geometry.h"

#include <QColor>

namespace charting {

class GraphicsContext;
class ScatterChartDataSetProtocol;
class ViewPortHandler;

// Draws the shape of one scatter entry centred on a point in pixels, sized by the data set.
class ShapeRenderer {
public:
    virtual ~ShapeRenderer() = default;
    virtual void renderShape(GraphicsContext& context, const ScatterChartDataSetProtocol& dataSet,
                             const ViewPortHandler& viewPortHandler, platform::Point point,
                             const QColor& color) = 0;
};

} // namespace charting
