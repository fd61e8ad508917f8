#include "Charting/data/RadarChartData.h"

#include "Charting/data/ChartDataEntry.h"
#include "Charting/data/Highlight.h"
#include "Charting/utils/ChartUtils.h"

namespace charting {

RadarChartData::RadarChartData(DataSetList dataSets) : ChartData(std::move(dataSets)) {}

std::shared_ptr<RadarChartData> RadarChartData::create() {
    return std::shared_ptr<RadarChartData>(new RadarChartData());
}

std::shared_ptr<RadarChartData> RadarChartData::create(DataSetList dataSets) {
    std::shared_ptr<RadarChartData> data(new RadarChartData(std::move(dataSets)));
    data->notifyDataChanged();
    return data;
}

std::shared_ptr<ChartDataEntry> RadarChartData::entryFor(const Highlight& highlight) const {
    const auto set = dataSetAtIndex(highlight.dataSetIndex());
    if (!set)
        return nullptr;
    return set->entryForIndex(int(checkedIndex(highlight.x(), -1, set->entryCount())));
}

} // namespace charting
