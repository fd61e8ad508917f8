#include "Charting/data/LineChartDataSet.h"

#include "Charting/data/DefaultFillFormatter.h"

#include <algorithm>

namespace charting {

LineChartDataSet::LineChartDataSet() : fillFormatter_(DefaultFillFormatter::create()) {
    circleColors_.push_back(standardDataColor());
}

LineChartDataSet::LineChartDataSet(EntryList entries, std::optional<QString> label)
    : LineRadarChartDataSet(std::move(entries), std::move(label)),
      fillFormatter_(DefaultFillFormatter::create()) {
    circleColors_.push_back(standardDataColor());
}

std::shared_ptr<LineChartDataSet> LineChartDataSet::create() {
    return std::shared_ptr<LineChartDataSet>(new LineChartDataSet());
}

std::shared_ptr<LineChartDataSet> LineChartDataSet::create(EntryList entries,
                                                           std::optional<QString> label) {
    std::shared_ptr<LineChartDataSet> set(
        new LineChartDataSet(std::move(entries), std::move(label)));
    set->calcMinMax();
    return set;
}

std::shared_ptr<ChartBaseDataSet> LineChartDataSet::newInstance() const {
    return std::shared_ptr<LineChartDataSet>(new LineChartDataSet());
}

void LineChartDataSet::setCubicIntensity(double intensity) {
    if (intensity > 1.0)
        intensity = 1.0;
    else if (intensity < 0.05)
        intensity = 0.05;
    cubicIntensity_ = intensity;
}

std::optional<QColor> LineChartDataSet::getCircleColorAtIndex(int index) const {
    if (circleColors_.empty())
        return std::nullopt;
    return circleColors_[static_cast<size_t>(std::max(index, 0)) % circleColors_.size()];
}

void LineChartDataSet::setFillFormatter(std::shared_ptr<ChartFillFormatter> formatter) {
    fillFormatter_ = formatter ? std::move(formatter) : DefaultFillFormatter::create();
}

std::shared_ptr<ChartBaseDataSet> LineChartDataSet::copy() const {
    auto base = LineRadarChartDataSet::copy();
    auto& set = static_cast<LineChartDataSet&>(*base);
    set.circleColors_ = circleColors_;
    set.circleHoleColor_ = circleHoleColor_;
    set.circleRadius_ = circleRadius_;
    set.circleHoleRadius_ = circleHoleRadius_;
    set.setCubicIntensity(cubicIntensity_);
    set.lineDashPhase_ = lineDashPhase_;
    set.lineDashLengths_ = lineDashLengths_;
    set.lineCapType_ = lineCapType_;
    set.drawCirclesEnabled_ = drawCirclesEnabled_;
    set.drawCircleHoleEnabled_ = drawCircleHoleEnabled_;
    set.mode_ = mode_;
    set.fillFormatter_ = fillFormatter_;
    return base;
}

} // namespace charting
