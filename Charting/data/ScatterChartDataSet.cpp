#include "Charting/data/ScatterChartDataSet.h"

#include "Charting/renderers/ShapeRenderers.h"
#include "platform/Fatal.h"

#include <string>

namespace charting {

std::optional<ScatterChartDataSet::Shape> ScatterChartDataSet::shapeFromRawValue(int rawValue) {
    if (rawValue < 0 || rawValue > 6)
        return std::nullopt;
    return Shape(rawValue);
}

ScatterChartDataSet::ScatterChartDataSet() : shapeRenderer_(std::make_shared<SquareShapeRenderer>()) {}

ScatterChartDataSet::ScatterChartDataSet(EntryList entries, std::optional<QString> label)
    : LineScatterCandleRadarChartDataSet(std::move(entries), std::move(label)),
      shapeRenderer_(std::make_shared<SquareShapeRenderer>()) {
    setDrawHorizontalHighlightIndicatorEnabled(true);
    setDrawVerticalHighlightIndicatorEnabled(true);
}

std::shared_ptr<ScatterChartDataSet> ScatterChartDataSet::create() {
    return std::shared_ptr<ScatterChartDataSet>(new ScatterChartDataSet());
}

std::shared_ptr<ScatterChartDataSet> ScatterChartDataSet::create(EntryList entries,
                                                                 std::optional<QString> label) {
    std::shared_ptr<ScatterChartDataSet> set(
        new ScatterChartDataSet(std::move(entries), std::move(label)));
    set->calcMinMax();
    return set;
}

std::shared_ptr<ChartBaseDataSet> ScatterChartDataSet::newInstance() const {
    return std::shared_ptr<ScatterChartDataSet>(new ScatterChartDataSet());
}

std::shared_ptr<ShapeRenderer> ScatterChartDataSet::rendererForShape(Shape shape) {
    switch (shape) {
    case Shape::square:
        return std::make_shared<SquareShapeRenderer>();
    case Shape::circle:
        return std::make_shared<CircleShapeRenderer>();
    case Shape::triangle:
        return std::make_shared<TriangleShapeRenderer>();
    case Shape::cross:
        return std::make_shared<CrossShapeRenderer>();
    case Shape::x:
        return std::make_shared<XShapeRenderer>();
    case Shape::chevronUp:
        return std::make_shared<ChevronUpShapeRenderer>();
    case Shape::chevronDown:
        return std::make_shared<ChevronDownShapeRenderer>();
    }
    platform::fatal("ScatterChartDataSet.Shape: unexpected enumeration value " +
                    std::to_string(int(shape)));
}

void ScatterChartDataSet::setScatterShape(Shape shape) {
    shapeRenderer_ = rendererForShape(shape);
}

std::shared_ptr<ChartBaseDataSet> ScatterChartDataSet::copy() const {
    auto base = LineScatterCandleRadarChartDataSet::copy();
    auto& set = static_cast<ScatterChartDataSet&>(*base);
    set.scatterShapeSize_ = scatterShapeSize_;
    set.scatterShapeHoleRadius_ = scatterShapeHoleRadius_;
    set.scatterShapeHoleColor_ = scatterShapeHoleColor_;
    set.shapeRenderer_ = shapeRenderer_;
    return base;
}

} // namespace charting
