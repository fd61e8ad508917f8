#include "Charting/data/LineRadarChartDataSet.h"

namespace charting {

LineRadarChartDataSet::LineRadarChartDataSet(EntryList entries, std::optional<QString> label)
    : LineScatterCandleRadarChartDataSet(std::move(entries), std::move(label)) {}

std::shared_ptr<LineRadarChartDataSet> LineRadarChartDataSet::create() {
    return std::shared_ptr<LineRadarChartDataSet>(new LineRadarChartDataSet());
}

std::shared_ptr<LineRadarChartDataSet> LineRadarChartDataSet::create(EntryList entries,
                                                                     std::optional<QString> label) {
    std::shared_ptr<LineRadarChartDataSet> set(
        new LineRadarChartDataSet(std::move(entries), std::move(label)));
    set->calcMinMax();
    return set;
}

std::shared_ptr<ChartBaseDataSet> LineRadarChartDataSet::newInstance() const {
    return std::shared_ptr<LineRadarChartDataSet>(new LineRadarChartDataSet());
}

void LineRadarChartDataSet::setFillColor(QColor color) {
    fillColor_ = color;
    fill_ = nullptr;
}

void LineRadarChartDataSet::setLineWidth(double width) {
    if (width < 0)
        width = 0;
    else if (width > 10)
        width = 10;
    lineWidth_ = width;
}

std::shared_ptr<ChartBaseDataSet> LineRadarChartDataSet::copy() const {
    auto base = LineScatterCandleRadarChartDataSet::copy();
    auto& set = static_cast<LineRadarChartDataSet&>(*base);
    set.fill_ = fill_;
    set.fillAlpha_ = fillAlpha_;
    set.fillColor_ = fillColor_;
    set.lineWidth_ = lineWidth_;
    set.drawFilledEnabled_ = drawFilledEnabled_;
    return base;
}

} // namespace charting
