#include "Charting/data/CandleChartDataSet.h"

#include "Charting/data/CandleChartDataEntry.h"

#include <algorithm>

namespace charting {

std::shared_ptr<CandleChartDataSet> CandleChartDataSet::create() {
    return std::shared_ptr<CandleChartDataSet>(new CandleChartDataSet());
}

std::shared_ptr<CandleChartDataSet> CandleChartDataSet::create(EntryList entries,
                                                               std::optional<QString> label) {
    std::shared_ptr<CandleChartDataSet> set(
        new CandleChartDataSet(std::move(entries), std::move(label)));
    set->calcMinMax();
    return set;
}

std::shared_ptr<ChartBaseDataSet> CandleChartDataSet::newInstance() const {
    return std::shared_ptr<CandleChartDataSet>(new CandleChartDataSet());
}

void CandleChartDataSet::setBarSpace(double space) {
    barSpace_ = std::clamp(space, 0.0, 0.45);
}

void CandleChartDataSet::calcMinMaxY(const std::shared_ptr<ChartDataEntry>& entry) {
    auto candle = std::dynamic_pointer_cast<CandleChartDataEntry>(entry);
    if (!candle)
        return;
    if (candle->low() < yMin())
        setYMin(candle->low());
    if (candle->high() > yMax())
        setYMax(candle->high());
}

void CandleChartDataSet::calcMinMax(const std::shared_ptr<ChartDataEntry>& entry) {
    if (!std::dynamic_pointer_cast<CandleChartDataEntry>(entry))
        return;
    calcMinMaxY(entry);
    calcMinMaxX(entry);
}

std::shared_ptr<ChartBaseDataSet> CandleChartDataSet::copy() const {
    auto base = LineScatterCandleRadarChartDataSet::copy();
    auto& set = static_cast<CandleChartDataSet&>(*base);
    set.barSpace_ = barSpace_;
    set.showCandleBar_ = showCandleBar_;
    set.shadowWidth_ = shadowWidth_;
    set.shadowColor_ = shadowColor_;
    set.shadowColorSameAsCandle_ = shadowColorSameAsCandle_;
    set.neutralColor_ = neutralColor_;
    set.increasingColor_ = increasingColor_;
    set.decreasingColor_ = decreasingColor_;
    set.increasingFilled_ = increasingFilled_;
    set.decreasingFilled_ = decreasingFilled_;
    return base;
}

} // namespace charting
