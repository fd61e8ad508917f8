#pragma once

#include "Charting/data/BarLineScatterCandleBubbleChartData.h"

namespace charting {

// The chart data of a line chart.
class LineChartData : public BarLineScatterCandleBubbleChartData {
public:
    static std::shared_ptr<LineChartData> create();
    static std::shared_ptr<LineChartData> create(DataSetList dataSets);

protected:
    LineChartData() = default;
    explicit LineChartData(DataSetList dataSets)
        : BarLineScatterCandleBubbleChartData(std::move(dataSets)) {}
};

} // namespace charting
