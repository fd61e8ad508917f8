#pragma once

#include "Charting/data/LineScatterCandleRadarChartDataSet.h"
#include "Charting/data/ScatterChartDataSetProtocol.h"

namespace charting {

// One series of a scatter chart: the size of its shapes, an optional hole and the object that
// draws each entry (a square unless told otherwise).
class ScatterChartDataSet : public LineScatterCandleRadarChartDataSet,
                            public virtual ScatterChartDataSetProtocol {
public:
    // The shapes with a renderer of their own, by raw value.
    enum class Shape : int {
        square = 0,
        circle = 1,
        triangle = 2,
        cross = 3,
        x = 4,
        chevronUp = 5,
        chevronDown = 6
    };
    // The shape of a raw value; none outside 0...6.
    static std::optional<Shape> shapeFromRawValue(int rawValue);

    static std::shared_ptr<ScatterChartDataSet> create();
    static std::shared_ptr<ScatterChartDataSet>
    create(EntryList entries, std::optional<QString> label = QStringLiteral("DataSet"));

    double scatterShapeSize() const override { return scatterShapeSize_; }
    virtual void setScatterShapeSize(double size) { scatterShapeSize_ = size; }
    double scatterShapeHoleRadius() const override { return scatterShapeHoleRadius_; }
    virtual void setScatterShapeHoleRadius(double radius) { scatterShapeHoleRadius_ = radius; }
    std::optional<QColor> scatterShapeHoleColor() const override { return scatterShapeHoleColor_; }
    virtual void setScatterShapeHoleColor(std::optional<QColor> color) {
        scatterShapeHoleColor_ = color;
    }
    // A new renderer of that shape; a value that is no shape stops the program.
    virtual void setScatterShape(Shape shape);
    std::shared_ptr<ShapeRenderer> shapeRenderer() const override { return shapeRenderer_; }
    virtual void setShapeRenderer(std::shared_ptr<ShapeRenderer> renderer) {
        shapeRenderer_ = std::move(renderer);
    }

    // A new renderer of the shape; a value that is no shape stops the program.
    static std::shared_ptr<ShapeRenderer> rendererForShape(Shape shape);

    // The base copy with the highlight switches and the shape settings; the copy shares the
    // shape renderer.
    std::shared_ptr<ChartBaseDataSet> copy() const override;

protected:
    ScatterChartDataSet();
    ScatterChartDataSet(EntryList entries, std::optional<QString> label);

    std::shared_ptr<ChartBaseDataSet> newInstance() const override;

private:
    double scatterShapeSize_ = 10;
    double scatterShapeHoleRadius_ = 0;
    std::optional<QColor> scatterShapeHoleColor_;
    std::shared_ptr<ShapeRenderer> shapeRenderer_;
};

} // namespace charting
