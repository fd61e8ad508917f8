#include "Charting/data/BubbleChartDataSet.h"

#include "Charting/data/BubbleChartDataEntry.h"

namespace charting {

std::shared_ptr<BubbleChartDataSet> BubbleChartDataSet::create() {
    return std::shared_ptr<BubbleChartDataSet>(new BubbleChartDataSet());
}

std::shared_ptr<BubbleChartDataSet> BubbleChartDataSet::create(EntryList entries,
                                                               std::optional<QString> label) {
    std::shared_ptr<BubbleChartDataSet> set(
        new BubbleChartDataSet(std::move(entries), std::move(label)));
    set->calcMinMax();
    return set;
}

std::shared_ptr<ChartBaseDataSet> BubbleChartDataSet::newInstance() const {
    return std::shared_ptr<BubbleChartDataSet>(new BubbleChartDataSet());
}

void BubbleChartDataSet::calcMinMax(const std::shared_ptr<ChartDataEntry>& entry) {
    auto bubble = std::dynamic_pointer_cast<BubbleChartDataEntry>(entry);
    if (!bubble)
        return;
    calcMinMaxX(entry);
    calcMinMaxY(entry);
    if (bubble->size() > maxSize_)
        maxSize_ = bubble->size();
}

std::shared_ptr<ChartBaseDataSet> BubbleChartDataSet::copy() const {
    auto base = BarLineScatterCandleBubbleChartDataSet::copy();
    auto& set = static_cast<BubbleChartDataSet&>(*base);
    set.maxSize_ = maxSize_;
    set.normalizeSizeEnabled_ = normalizeSizeEnabled_;
    set.highlightCircleWidth_ = highlightCircleWidth_;
    return base;
}

} // namespace charting
