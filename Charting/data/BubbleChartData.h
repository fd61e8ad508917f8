#pragma once

#include "Charting/data/BarLineScatterCandleBubbleChartData.h"

namespace charting {

// The chart data of a bubble chart.
class BubbleChartData : public BarLineScatterCandleBubbleChartData {
public:
    static std::shared_ptr<BubbleChartData> create();
    static std::shared_ptr<BubbleChartData> create(DataSetList dataSets);

    // The highlight ring width of every data set; nothing changes unless all of them are bubble
    // data sets.
    virtual void setHighlightCircleWidth(double width);

protected:
    BubbleChartData() = default;
    explicit BubbleChartData(DataSetList dataSets)
        : BarLineScatterCandleBubbleChartData(std::move(dataSets)) {}
};

} // namespace charting
