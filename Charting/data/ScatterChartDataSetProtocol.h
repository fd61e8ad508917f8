#pragma once

#include "Charting/data/LineScatterCandleRadarChartDataSetProtocol.h"

#include <QColor>

#include <memory>
#include <optional>

namespace charting {

class ShapeRenderer;

// Data sets of scatter charts, as the scatter renderer and the shape renderers read them.
class ScatterChartDataSetProtocol : public virtual LineScatterCandleRadarChartDataSetProtocol {
public:
    // The size of a shape in points (edge of a square, diameter of a circle, base and height of a
    // triangle, span of the line shapes).
    virtual double scatterShapeSize() const = 0;
    // Radius of the hole cut into squares, circles and triangles; 0: no hole.
    virtual double scatterShapeHoleRadius() const = 0;
    // What fills the hole; none leaves it empty.
    virtual std::optional<QColor> scatterShapeHoleColor() const = 0;
    // What draws each entry; none draws nothing.
    virtual std::shared_ptr<ShapeRenderer> shapeRenderer() const = 0;
};

} // namespace charting
