#include "Charting/data/BarLineScatterCandleBubbleChartDataSet.h"

namespace charting {

BarLineScatterCandleBubbleChartDataSet::BarLineScatterCandleBubbleChartDataSet(
    EntryList entries, std::optional<QString> label)
    : ChartDataSet(std::move(entries), std::move(label)) {}

std::shared_ptr<BarLineScatterCandleBubbleChartDataSet>
BarLineScatterCandleBubbleChartDataSet::create() {
    return std::shared_ptr<BarLineScatterCandleBubbleChartDataSet>(
        new BarLineScatterCandleBubbleChartDataSet());
}

std::shared_ptr<BarLineScatterCandleBubbleChartDataSet>
BarLineScatterCandleBubbleChartDataSet::create(EntryList entries, std::optional<QString> label) {
    std::shared_ptr<BarLineScatterCandleBubbleChartDataSet> set(
        new BarLineScatterCandleBubbleChartDataSet(std::move(entries), std::move(label)));
    set->calcMinMax();
    return set;
}

std::shared_ptr<ChartBaseDataSet> BarLineScatterCandleBubbleChartDataSet::newInstance() const {
    return std::shared_ptr<BarLineScatterCandleBubbleChartDataSet>(
        new BarLineScatterCandleBubbleChartDataSet());
}

std::shared_ptr<ChartBaseDataSet> BarLineScatterCandleBubbleChartDataSet::copy() const {
    auto base = ChartDataSet::copy();
    auto& set = static_cast<BarLineScatterCandleBubbleChartDataSet&>(*base);
    set.highlightColor_ = highlightColor_;
    set.highlightLineWidth_ = highlightLineWidth_;
    set.highlightLineDashPhase_ = highlightLineDashPhase_;
    set.highlightLineDashLengths_ = highlightLineDashLengths_;
    return base;
}

} // namespace charting
