#include "Charting/data/RadarChartDataEntry.h"

#include <cmath>

namespace charting {

std::shared_ptr<RadarChartDataEntry> RadarChartDataEntry::create() {
    return std::shared_ptr<RadarChartDataEntry>(new RadarChartDataEntry());
}

std::shared_ptr<RadarChartDataEntry> RadarChartDataEntry::create(double value) {
    auto entry = create();
    entry->setX(std::nan(""));
    entry->setY(value);
    return entry;
}

std::shared_ptr<RadarChartDataEntry> RadarChartDataEntry::create(double value, std::any data) {
    auto entry = create(value);
    entry->setData(std::move(data));
    return entry;
}

std::shared_ptr<ChartDataEntry> RadarChartDataEntry::newInstance() const {
    return std::shared_ptr<ChartDataEntry>(new RadarChartDataEntry());
}

} // namespace charting
