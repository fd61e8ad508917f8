#include "Charting/data/LineScatterCandleRadarChartDataSet.h"

namespace charting {

LineScatterCandleRadarChartDataSet::LineScatterCandleRadarChartDataSet(EntryList entries,
                                                                       std::optional<QString> label)
    : BarLineScatterCandleBubbleChartDataSet(std::move(entries), std::move(label)) {}

std::shared_ptr<LineScatterCandleRadarChartDataSet> LineScatterCandleRadarChartDataSet::create() {
    return std::shared_ptr<LineScatterCandleRadarChartDataSet>(
        new LineScatterCandleRadarChartDataSet());
}

std::shared_ptr<LineScatterCandleRadarChartDataSet>
LineScatterCandleRadarChartDataSet::create(EntryList entries, std::optional<QString> label) {
    std::shared_ptr<LineScatterCandleRadarChartDataSet> set(
        new LineScatterCandleRadarChartDataSet(std::move(entries), std::move(label)));
    set->calcMinMax();
    return set;
}

std::shared_ptr<ChartBaseDataSet> LineScatterCandleRadarChartDataSet::newInstance() const {
    return std::shared_ptr<LineScatterCandleRadarChartDataSet>(
        new LineScatterCandleRadarChartDataSet());
}

std::shared_ptr<ChartBaseDataSet> LineScatterCandleRadarChartDataSet::copy() const {
    auto base = BarLineScatterCandleBubbleChartDataSet::copy();
    auto& set = static_cast<LineScatterCandleRadarChartDataSet&>(*base);
    set.drawHorizontalHighlightIndicatorEnabled_ = drawHorizontalHighlightIndicatorEnabled_;
    set.drawVerticalHighlightIndicatorEnabled_ = drawVerticalHighlightIndicatorEnabled_;
    return base;
}

} // namespace charting
