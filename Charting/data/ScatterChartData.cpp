#include "Charting/data/ScatterChartData.h"

#include "Charting/data/ScatterChartDataSetProtocol.h"

namespace charting {

std::shared_ptr<ScatterChartData> ScatterChartData::create() {
    return std::shared_ptr<ScatterChartData>(new ScatterChartData());
}

std::shared_ptr<ScatterChartData> ScatterChartData::create(DataSetList dataSets) {
    std::shared_ptr<ScatterChartData> data(new ScatterChartData(std::move(dataSets)));
    data->notifyDataChanged();
    return data;
}

double ScatterChartData::getGreatestShapeSize() const {
    std::vector<const ScatterChartDataSetProtocol*> sets;
    for (const auto& set : dataSets()) {
        auto scatter = dynamic_cast<const ScatterChartDataSetProtocol*>(set.get());
        if (!scatter)
            return 0;
        sets.push_back(scatter);
    }
    if (sets.empty())
        return 0;
    double greatest = sets.front()->scatterShapeSize();
    for (const auto* set : sets)
        if (set->scatterShapeSize() > greatest)
            greatest = set->scatterShapeSize();
    return greatest;
}

} // namespace charting
