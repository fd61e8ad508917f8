#pragma once

#include "Charting/data/ChartData.h"

namespace charting {

// Chart data of the axis-based chart types.
class BarLineScatterCandleBubbleChartData : public ChartData {
public:
    static std::shared_ptr<BarLineScatterCandleBubbleChartData> create();
    static std::shared_ptr<BarLineScatterCandleBubbleChartData> create(DataSetList dataSets);

protected:
    BarLineScatterCandleBubbleChartData() = default;
    explicit BarLineScatterCandleBubbleChartData(DataSetList dataSets)
        : ChartData(std::move(dataSets)) {}
};

} // namespace charting
