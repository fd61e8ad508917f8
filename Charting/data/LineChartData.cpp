#include "Charting/data/LineChartData.h"

namespace charting {

std::shared_ptr<LineChartData> LineChartData::create() {
    return std::shared_ptr<LineChartData>(new LineChartData());
}

std::shared_ptr<LineChartData> LineChartData::create(DataSetList dataSets) {
    std::shared_ptr<LineChartData> data(new LineChartData(std::move(dataSets)));
    data->notifyDataChanged();
    return data;
}

} // namespace charting
