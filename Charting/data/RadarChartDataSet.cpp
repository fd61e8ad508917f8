#include "Charting/data/RadarChartDataSet.h"

#include "Charting/utils/ChartDefaults.h"

namespace charting {

RadarChartDataSet::RadarChartDataSet() { setValueFont(systemFont(13)); }

RadarChartDataSet::RadarChartDataSet(EntryList entries, std::optional<QString> label)
    : LineRadarChartDataSet(std::move(entries), std::move(label)) {
    setValueFont(systemFont(13));
}

std::shared_ptr<RadarChartDataSet> RadarChartDataSet::create() {
    return std::shared_ptr<RadarChartDataSet>(new RadarChartDataSet());
}

std::shared_ptr<RadarChartDataSet> RadarChartDataSet::create(EntryList entries,
                                                             std::optional<QString> label) {
    std::shared_ptr<RadarChartDataSet> set(
        new RadarChartDataSet(std::move(entries), std::move(label)));
    set->calcMinMax();
    return set;
}

std::shared_ptr<ChartBaseDataSet> RadarChartDataSet::newInstance() const {
    return std::shared_ptr<RadarChartDataSet>(new RadarChartDataSet());
}

std::shared_ptr<ChartBaseDataSet> RadarChartDataSet::copy() const {
    auto base = LineRadarChartDataSet::copy();
    auto& set = static_cast<RadarChartDataSet&>(*base);
    set.drawHighlightCircleEnabled_ = drawHighlightCircleEnabled_;
    set.highlightCircleFillColor_ = highlightCircleFillColor_;
    set.highlightCircleStrokeColor_ = highlightCircleStrokeColor_;
    set.highlightCircleStrokeAlpha_ = highlightCircleStrokeAlpha_;
    set.highlightCircleInnerRadius_ = highlightCircleInnerRadius_;
    set.highlightCircleOuterRadius_ = highlightCircleOuterRadius_;
    set.highlightCircleStrokeWidth_ = highlightCircleStrokeWidth_;
    return base;
}

} // namespace charting
