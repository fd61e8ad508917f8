#include "Charting/data/BubbleChartData.h"

#include "Charting/data/BubbleChartDataSetProtocol.h"

namespace charting {

std::shared_ptr<BubbleChartData> BubbleChartData::create() {
    return std::shared_ptr<BubbleChartData>(new BubbleChartData());
}

std::shared_ptr<BubbleChartData> BubbleChartData::create(DataSetList dataSets) {
    std::shared_ptr<BubbleChartData> data(new BubbleChartData(std::move(dataSets)));
    data->notifyDataChanged();
    return data;
}

void BubbleChartData::setHighlightCircleWidth(double width) {
    std::vector<BubbleChartDataSetProtocol*> sets;
    for (const auto& set : dataSets()) {
        auto bubble = dynamic_cast<BubbleChartDataSetProtocol*>(set.get());
        if (!bubble)
            return;
        sets.push_back(bubble);
    }
    for (auto* set : sets)
        set->setHighlightCircleWidth(width);
}

} // namespace charting
