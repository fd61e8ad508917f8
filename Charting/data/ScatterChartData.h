#pragma once

#include "Charting/data/BarLineScatterCandleBubbleChartData.h"

namespace charting {

// The chart data of a scatter chart.
class ScatterChartData : public BarLineScatterCandleBubbleChartData {
public:
    static std::shared_ptr<ScatterChartData> create();
    static std::shared_ptr<ScatterChartData> create(DataSetList dataSets);

    // The greatest shape size of the data sets; 0 without data sets and 0 as soon as one of them
    // is no scatter data set.
    virtual double getGreatestShapeSize() const;

protected:
    ScatterChartData() = default;
    explicit ScatterChartData(DataSetList dataSets)
        : BarLineScatterCandleBubbleChartData(std::move(dataSets)) {}
};

} // namespace charting
