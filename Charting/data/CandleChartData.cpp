#include "Charting/data/CandleChartData.h"

namespace charting {

std::shared_ptr<CandleChartData> CandleChartData::create() {
    return std::shared_ptr<CandleChartData>(new CandleChartData());
}

std::shared_ptr<CandleChartData> CandleChartData::create(DataSetList dataSets) {
    std::shared_ptr<CandleChartData> data(new CandleChartData(std::move(dataSets)));
    data->notifyDataChanged();
    return data;
}

} // namespace charting
