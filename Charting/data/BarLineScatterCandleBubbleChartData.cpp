#include "Charting/data/BarLineScatterCandleBubbleChartData.h"

namespace charting {

std::shared_ptr<BarLineScatterCandleBubbleChartData> BarLineScatterCandleBubbleChartData::create() {
    return std::shared_ptr<BarLineScatterCandleBubbleChartData>(
        new BarLineScatterCandleBubbleChartData());
}

std::shared_ptr<BarLineScatterCandleBubbleChartData>
BarLineScatterCandleBubbleChartData::create(DataSetList dataSets) {
    std::shared_ptr<BarLineScatterCandleBubbleChartData> data(
        new BarLineScatterCandleBubbleChartData(std::move(dataSets)));
    data->notifyDataChanged();
    return data;
}

} // namespace charting
